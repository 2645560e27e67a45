#pragma once

#include "render/MenuRenderer.h"

#include <QPoint>

class CAppletParameters;

// What the pointer and the keys do to a drawn menu, as on the page: the item
// under the pointer takes its Mouse Move style, a pressed item its Mouse
// Click style while the pointer stays on it, resting on a main item opens
// its sub menu, and a press and release on the same item is a click.
// From the keyboard the arrows walk the menus in their own direction (into a
// sub menu with the arrow that points at it, back with the opposite one or
// Escape) and Enter or Space press the item under them.
//
// Points are applet coordinates; each call is given the configuration drawn,
// so the menus' shape is always the current one. No widget is involved: the
// window that shows the menu hands over its events and redraws when State()
// changes.
class CMenuPointer {
public:
    const CRenderState &State() const { return m_state; }
    // Where the button went down (invalid when it is not down on an item).
    const CItemRef &PressedItem() const { return m_pressedItem; }

    void Moved(const CAppletParameters &params, const QPoint &pt);
    void Pressed(const CAppletParameters &params, const QPoint &pt);
    // The item clicked (pressed and released on it), else an invalid ref.
    CItemRef Released(const CAppletParameters &params, const QPoint &pt);
    // The pointer left the drawing: nothing is hovered or pressed; only the
    // sub menu the keys opened stays open.
    void Left();
    // The keyboard left the drawing: its walk ends, the menus close.
    void KeysLeft();
    // Back at rest, as for a menu never touched.
    void Reset() { *this = CMenuPointer(); }

    // The keys of Qt::Key; true when the key was used.
    bool KeyPressed(const CAppletParameters &params, int key, bool bAutoRepeat);
    // *pClicked (when given) receives the item a released Enter or Space
    // clicked, else an invalid ref.
    bool KeyReleased(int key, bool bAutoRepeat, CItemRef *pClicked = nullptr);

    // Forgets states that name items the configuration no longer has.
    void Forget(const CAppletParameters &params);

private:
    CRenderState m_state;
    CItemRef m_pressedItem;
};
