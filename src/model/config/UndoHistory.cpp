#include "model/config/UndoHistory.h"

#include <QDataStream>
#include <QIODevice>
#include <cstring>
#include <utility>

namespace {

// What the heap holds for one text: its characters, the block header and
// the allocator's own overhead.
qint64 TextBytes(const QString &text)
{
    constexpr qint64 kBlockOverhead = 16 + 16;
    return text.isNull() ? 0 : kBlockOverhead + (text.capacity() + 1) * qint64(sizeof(QChar));
}

qint64 MenuBytes(const CAppletMenu &menu)
{
    constexpr qint64 kAllocation = 16;
    qint64 bytes = kAllocation + qint64(sizeof(CAppletMenu))
                   + qint64(menu.m_items.capacity() * sizeof(menu.m_items[0]));
    for (const auto &item : menu.m_items) {
        bytes += kAllocation + qint64(sizeof(CAppletMenuItem));
        bytes += TextBytes(item->m_strLabel) + TextBytes(item->m_strImage)
                 + TextBytes(item->m_strTarget) + TextBytes(item->m_strLink);
        if (item->m_pSubMenu)
            bytes += MenuBytes(*item->m_pSubMenu);
    }
    return bytes;
}

bool SameValues(const CAppletMenuItem &x, const CAppletMenuItem &y)
{
    return x.m_strLabel == y.m_strLabel && x.m_strImage == y.m_strImage && x.m_strTarget == y.m_strTarget
           && x.m_strLink == y.m_strLink;
}

bool SameMenu(const CAppletMenu &a, const CAppletMenu &b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (int i = 0; i < a.GetCount(); ++i) {
        const CAppletMenuItem &x = *a.GetItem(i);
        const CAppletMenuItem &y = *b.GetItem(i);
        if (!SameValues(x, y) || bool(x.m_pSubMenu) != bool(y.m_pSubMenu))
            return false;
        if (x.m_pSubMenu && !SameMenu(*x.m_pSubMenu, *y.m_pSubMenu))
            return false;
    }
    return true;
}

// The same items and sub menus in the same places, whatever their texts.
bool SameShape(const CAppletMenu &a, const CAppletMenu &b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (int i = 0; i < a.GetCount(); ++i) {
        const CAppletMenu *x = a.GetItem(i)->m_pSubMenu.get();
        const CAppletMenu *y = b.GetItem(i)->m_pSubMenu.get();
        if (bool(x) != bool(y) || (x && x->GetCount() != y->GetCount()))
            return false;
    }
    return true;
}

// The first item, main or sub, whose texts differ between `left` and
// `restored` becomes the current one of its menus in `restored`. A step that
// added, removed or moved items keeps the places it was recorded with.
void PointAtChangedItem(const CAppletMenu &left, CAppletMenu &restored)
{
    if (!SameShape(left, restored))
        return;
    for (int i = 0; i < restored.GetCount(); ++i) {
        const CAppletMenuItem &was = *left.GetItem(i);
        CAppletMenuItem &item = *restored.GetItem(i);
        int changedSub = -1;
        if (CAppletMenu *sub = item.m_pSubMenu.get())
            for (int j = 0; j < sub->GetCount() && changedSub < 0; ++j)
                if (!SameValues(*was.m_pSubMenu->GetItem(j), *sub->GetItem(j)))
                    changedSub = j;
        if (changedSub < 0 && SameValues(was, item))
            continue;
        restored.m_nCurrent = i;
        if (changedSub >= 0)
            item.m_pSubMenu->m_nCurrent = changedSub;
        return;
    }
}

} // namespace

CUndoHistory::CUndoHistory(int nMaxSteps, qint64 nMaxBytes)
    : m_nMaxSteps(nMaxSteps > 0 ? nMaxSteps : 1), m_nMaxBytes(nMaxBytes),
      m_pBaseline(std::make_unique<CAppletParameters>())
{
    SetBaseline(*m_pBaseline, QVariant());
}

CUndoHistory::~CUndoHistory() = default;

qint64 CUndoHistory::Step::Bytes() const
{
    return qint64(sizeof(Step)) + TextBytes(strWhat) + 32 + packed.capacity();
}

void CUndoHistory::SetBaseline(const CAppletParameters &params, const QVariant &tag)
{
    m_nBytes -= m_nBaselineBytes;
    if (&params != m_pBaseline.get())
        m_pBaseline->CopyFrom(params);
    m_baselineTag = tag;
    m_nBaselineBytes = SnapshotBytes(*m_pBaseline);
    m_nBytes += m_nBaselineBytes;
}

CUndoHistory::Step CUndoHistory::BaselineStep(const QString &strWhat) const
{
    Step step;
    step.strWhat = strWhat;
    step.packed = Pack(*m_pBaseline);
    step.tag = m_baselineTag;
    return step;
}

void CUndoHistory::TakeBaseline(const Step &step, CAppletParameters &params, QVariant *pTag)
{
    Unpack(step.packed, params);
    // The baseline still holds the state being left.
    PointAtChangedItem(*m_pBaseline->m_pMainMenu, *params.m_pMainMenu);
    params.m_bSaved = 0;
    SetBaseline(params, step.tag);
    if (pTag)
        *pTag = step.tag;
}

void CUndoHistory::Reset(const CAppletParameters &current, const QVariant &tag)
{
    m_undo.clear();
    m_redo.clear();
    m_nBytes = 0;
    m_nBaselineBytes = 0;
    SetBaseline(current, tag);
}

bool CUndoHistory::HasChanges(const CAppletParameters &current) const
{
    return !SameContent(*m_pBaseline, current);
}

bool CUndoHistory::Record(const CAppletParameters &current, const QString &strWhat,
                          const QVariant &tag)
{
    if (!HasChanges(current))
        return false;
    for (const Step &step : m_redo)
        m_nBytes -= step.Bytes();
    m_redo.clear();
    m_undo.push_back(BaselineStep(strWhat));
    m_nBytes += m_undo.back().Bytes();
    SetBaseline(current, tag);
    while (UndoCount() > m_nMaxSteps || (m_nBytes > m_nMaxBytes && UndoCount() > 1))
        DropOldest();
    return true;
}

void CUndoHistory::DropOldest()
{
    m_nBytes -= m_undo.front().Bytes();
    m_undo.pop_front();
}

QString CUndoHistory::UndoText() const
{
    return m_undo.empty() ? QString() : m_undo.back().strWhat;
}

QString CUndoHistory::RedoText() const
{
    return m_redo.empty() ? QString() : m_redo.back().strWhat;
}

bool CUndoHistory::Undo(CAppletParameters &params, QVariant *pTag)
{
    return MoveStep(m_undo, m_redo, params, pTag);
}

bool CUndoHistory::Redo(CAppletParameters &params, QVariant *pTag)
{
    return MoveStep(m_redo, m_undo, params, pTag);
}

bool CUndoHistory::MoveStep(std::deque<Step> &from, std::deque<Step> &to, CAppletParameters &params, QVariant *pTag)
{
    if (from.empty())
        return false;
    const Step step = std::move(from.back());
    from.pop_back();
    m_nBytes -= step.Bytes();
    // The state left goes to the other side under the same name.
    to.push_back(BaselineStep(step.strWhat));
    m_nBytes += to.back().Bytes();
    TakeBaseline(step, params, pTag);
    return true;
}

// --- The packed form ---

namespace {

constexpr quint32 kPackMark = 0x56554e31; // "VUN1"

void PackMenu(QDataStream &out, const CAppletMenu &menu)
{
    out << qint32(menu.m_nCurrent) << quint32(menu.m_items.size());
    for (const auto &item : menu.m_items) {
        out << item->m_strLabel << item->m_strImage << item->m_strTarget << item->m_strLink
            << bool(item->m_pSubMenu);
        if (item->m_pSubMenu)
            PackMenu(out, *item->m_pSubMenu);
    }
}

bool UnpackMenu(QDataStream &in, CAppletMenu &menu, int depth)
{
    qint32 current = -1;
    quint32 count = 0;
    in >> current >> count;
    menu.m_items.clear();
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        auto item = std::make_unique<CAppletMenuItem>();
        bool hasSub = false;
        in >> item->m_strLabel >> item->m_strImage >> item->m_strTarget >> item->m_strLink >> hasSub;
        if (hasSub) {
            if (depth > 0)
                return false;
            item->m_pSubMenu = std::make_unique<CAppletMenu>(0);
            if (!UnpackMenu(in, *item->m_pSubMenu, depth + 1))
                return false;
        }
        menu.m_items.push_back(std::move(item));
    }
    menu.m_nCurrent = current;
    return in.status() == QDataStream::Ok;
}

// The numbers of a configuration as plain bytes (CAppletNumbers holds ints only).
const char *NumberBytes(const CAppletNumbers &numbers)
{
    return reinterpret_cast<const char *>(&numbers);
}

} // namespace

QByteArray CUndoHistory::Pack(const CAppletParameters &params)
{
    QByteArray raw;
    {
        QDataStream out(&raw, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kPackMark << params.m_HTMLTitle << params.m_appBKImagePath << params.m_PageLang
            << params.m_PageDescription << params.m_strHTMLPath;
        out.writeRawData(NumberBytes(params), sizeof(CAppletNumbers));
        PackMenu(out, *params.m_pMainMenu);
    }
    QByteArray packed = qCompress(raw);
    packed.squeeze();
    return packed;
}

bool CUndoHistory::Unpack(const QByteArray &packed, CAppletParameters &params)
{
    const QByteArray raw = qUncompress(packed);
    QDataStream in(raw);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 mark = 0;
    in >> mark;
    if (mark != kPackMark)
        return false;
    in >> params.m_HTMLTitle >> params.m_appBKImagePath >> params.m_PageLang >> params.m_PageDescription
       >> params.m_strHTMLPath;
    CAppletNumbers numbers;
    if (in.readRawData(reinterpret_cast<char *>(&numbers), sizeof numbers) != int(sizeof numbers))
        return false;
    static_cast<CAppletNumbers &>(params) = numbers;
    return UnpackMenu(in, *params.m_pMainMenu, 0);
}

qint64 CUndoHistory::StepBytes(const CAppletParameters &params)
{
    Step step;
    step.packed = Pack(params);
    return step.Bytes();
}

qint64 CUndoHistory::SnapshotBytes(const CAppletParameters &p)
{
    return qint64(sizeof(CAppletParameters)) + TextBytes(p.m_HTMLTitle)
           + TextBytes(p.m_appBKImagePath) + TextBytes(p.m_PageLang) + TextBytes(p.m_PageDescription)
           + TextBytes(p.m_strHTMLPath) + MenuBytes(*p.m_pMainMenu);
}

bool CUndoHistory::SameContent(const CAppletParameters &a, const CAppletParameters &b)
{
    // Every value but the saved mark, then the tree.
    CAppletNumbers x = a, y = b;
    x.m_bSaved = y.m_bSaved = 0;
    return std::memcmp(&x, &y, sizeof x) == 0 && a.m_HTMLTitle == b.m_HTMLTitle
           && a.m_appBKImagePath == b.m_appBKImagePath && a.m_PageLang == b.m_PageLang
           && a.m_PageDescription == b.m_PageDescription && a.m_strHTMLPath == b.m_strHTMLPath
           && SameMenu(*a.m_pMainMenu, *b.m_pMainMenu);
}
