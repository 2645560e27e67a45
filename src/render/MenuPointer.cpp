#include "render/MenuPointer.h"

#include "model/config/AppletParameters.h"

#include <algorithm>

namespace {

bool IsPressKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

} // namespace

void CMenuPointer::Moved(const CAppletParameters &params, const QPoint &pt)
{
    const CMenuLayout layout(params);
    const CItemRef hit = layout.HitTest(pt, m_state.nOpenSubMenu);
    // The pointer never closes the sub menu the keys are in.
    if (!m_state.keys.IsSub()) {
        if (hit.IsValid() && !hit.IsSub())
            m_state.nOpenSubMenu = layout.HasSubMenu(hit.nMain) ? hit.nMain : -1; // resting on a main item
        else if (!hit.IsValid() && !layout.SubMenuRect(m_state.nOpenSubMenu).contains(pt))
            m_state.nOpenSubMenu = -1; // off every menu
    }
    m_state.hover = hit;
    // A pressed item looks pressed only while the pointer is on it.
    m_state.pressed = (m_pressedItem.IsValid() && hit == m_pressedItem) ? hit : CItemRef{};
}

void CMenuPointer::Pressed(const CAppletParameters &params, const QPoint &pt)
{
    Moved(params, pt);
    m_pressedItem = m_state.hover;
    m_state.pressed = m_pressedItem;
}

CItemRef CMenuPointer::Released(const CAppletParameters &params, const QPoint &pt)
{
    Moved(params, pt);
    const CItemRef clicked = m_pressedItem.IsValid() && m_state.hover == m_pressedItem ? m_pressedItem
                                                                                       : CItemRef{};
    m_pressedItem = CItemRef{};
    m_state.pressed = CItemRef{};
    return clicked;
}

void CMenuPointer::Left()
{
    // The keys stay where they are, with the sub menu they opened.
    const CItemRef keys = m_state.keys;
    const bool keysOpen = keys.IsValid() && m_state.nOpenSubMenu == keys.nMain;
    m_state = CRenderState{};
    m_pressedItem = CItemRef{};
    m_state.keys = keys;
    if (keysOpen)
        m_state.nOpenSubMenu = keys.nMain;
}

void CMenuPointer::KeysLeft()
{
    m_state = CRenderState{};
    m_pressedItem = CItemRef{};
}

bool CMenuPointer::KeyPressed(const CAppletParameters &params, int key, bool bAutoRepeat)
{
    const CMenuLayout layout(params);
    if (layout.MainCount() <= 0)
        return false;
    const CItemRef cur = m_state.keys.IsValid() ? m_state.keys : m_state.hover;
    if (IsPressKey(key)) {
        // The item under the keys is pressed until the key comes up.
        if (!cur.IsValid())
            return false;
        if (!bAutoRepeat) {
            m_pressedItem = cur;
            m_state.pressed = cur;
        }
        return true;
    }

    CRenderState state = m_state;
    state.hover = cur; // the keys walk on from their own item, wherever the pointer is
    const bool mainAcross = params.m_mmMenuAlign == 1;
    const bool subAcross = params.m_smMenuAlign == 1;
    const int mainNext = mainAcross ? Qt::Key_Right : Qt::Key_Down;
    const int mainPrev = mainAcross ? Qt::Key_Left : Qt::Key_Up;
    const int enterSub = mainAcross ? Qt::Key_Down : Qt::Key_Right;
    const int leaveSub = mainAcross ? Qt::Key_Up : Qt::Key_Left;
    const int subNext = subAcross ? Qt::Key_Right : Qt::Key_Down;
    const int subPrev = subAcross ? Qt::Key_Left : Qt::Key_Up;
    auto onMain = [&](int nMain) {
        state.hover = CItemRef{nMain, -1};
        state.nOpenSubMenu = layout.HasSubMenu(nMain) ? nMain : -1;
    };

    if (!cur.IsValid()) {
        if (key != mainNext && key != mainPrev && key != enterSub && key != subNext)
            return false;
        onMain(0);
    } else if (!cur.IsSub()) {
        if (key == mainNext)
            onMain(std::min(cur.nMain + 1, layout.MainCount() - 1));
        else if (key == mainPrev)
            onMain(std::max(cur.nMain - 1, 0));
        else if (key == enterSub && layout.SubCount(cur.nMain) > 0) {
            state.hover = CItemRef{cur.nMain, 0};
            state.nOpenSubMenu = cur.nMain;
        } else {
            return key == enterSub;
        }
    } else {
        const int count = layout.SubCount(cur.nMain);
        if (key == subNext)
            state.hover.nSub = std::min(cur.nSub + 1, count - 1);
        else if (key == subPrev && cur.nSub > 0)
            state.hover.nSub = cur.nSub - 1;
        else if (key == leaveSub || key == subPrev || key == Qt::Key_Escape)
            onMain(cur.nMain);
        else
            return false;
    }
    state.keys = state.hover;
    state.pressed = CItemRef{};
    m_pressedItem = CItemRef{};
    m_state = state;
    return true;
}

bool CMenuPointer::KeyReleased(int key, bool bAutoRepeat, CItemRef *pClicked)
{
    if (pClicked)
        *pClicked = CItemRef{};
    if (!IsPressKey(key))
        return false;
    if (bAutoRepeat || !m_pressedItem.IsValid())
        return true;
    const CItemRef clicked = m_pressedItem;
    m_pressedItem = CItemRef{};
    m_state.pressed = CItemRef{};
    if (pClicked && clicked == m_state.hover)
        *pClicked = clicked;
    return true;
}

void CMenuPointer::Forget(const CAppletParameters &params)
{
    const CMenuLayout layout(params);
    if (!layout.HasSubMenu(m_state.nOpenSubMenu))
        m_state.nOpenSubMenu = -1;
    for (CItemRef *ref : {&m_state.hover, &m_state.pressed, &m_pressedItem, &m_state.keys})
        if (ref->IsValid() && layout.ItemRect(*ref).isEmpty())
            *ref = CItemRef{};
}
