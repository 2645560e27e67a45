#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

class CAppletParameters;

// How a page for today's browsers shows its menu where the page is
// narrower than the menu's box, or on a phone where the menu's items or
// labels are too small for a finger and an eye: one "Menu" button across the
// page in the main items' Normal look; under it, once opened, the main
// items one per row across the page, an item with a sub menu with a square
// disclosure button at its right; under an opened item its sub items,
// indented. Rows are at least kLeastTarget pixels high and labels at least
// kLeastFont pixels; rows touch, and the applet's background shows beside
// the indented sub items. The page script draws the same.
class CSmallMenuLayout {
public:
    // The saved page's body margin on each side: the menu is as wide as the
    // page less these.
    static constexpr int kPageMargin = 8;
    static constexpr int kLeastTarget = 44;
    static constexpr int kLeastFont = 16;
    static constexpr int kIndent = 16;
    // A page narrower than this is a phone's: there the form also shows
    // where the menu fits but its items or labels are below kLeastTarget or
    // kLeastFont (CMenuLayout::NeedsSmallForm).
    static constexpr int kPhoneWidthLimit = 600;

    enum class ERow { Toggle, Item, Disclosure, SubItem };
    struct CRow {
        ERow kind;
        int nMain = -1; // the main item of an Item, Disclosure or SubItem row
        int nSub = -1;  // the sub item of a SubItem row
        QRect rect;
    };

    // The menu's width on a page pageWidth pixels wide. The form is shown
    // where that is less than the applet's box, and on phones where the
    // menu is too small to use there (CMenuLayout::NeedsSmallForm).
    static int MenuWidth(int pageWidth) { return pageWidth - 2 * kPageMargin; }

    // bShown: the button has opened the list; nSection: the main item whose
    // sub items show (-1 none).
    CSmallMenuLayout(const CAppletParameters &params, int menuWidth, bool bShown, int nSection);

    const std::vector<CRow> &Rows() const { return m_rows; }
    // (0, 0) to the menu's width and the rows' height.
    QRect Rect() const { return m_rect; }
    // The row at pt, or nullptr.
    const CRow *RowAt(const QPoint &pt) const;
    bool Shown() const { return m_bShown; }
    int Section() const { return m_nSection; }

private:
    std::vector<CRow> m_rows;
    QRect m_rect;
    bool m_bShown = false;
    int m_nSection = -1;
};
