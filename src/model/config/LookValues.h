#pragma once

#include "model/config/AppletParameters.h"

// Today's look: what the values beyond the applet's own mean, their ranges,
// and how the applet's classic codes follow from them. 0 in a stored value
// always means "as a menu made before the value existed", so an old project
// or template draws, saves and writes its page exactly as it always did.
//
// Per menu (main menu, and every sub menu):
// - m_..ItemRadius: the corner radius of its items, 0 (square) to 16 px.
// - m_..PanelRadius: the corner radius of the menu's box (its fill, frame and
//   shadow), 0 to 16 px.
// - m_..Shadow: a shadow under the menu's box: 0 none, 1 soft, 2 strong (the
//   values of kShadows).
// - m_..LabelInset: the room between the item's border and its label (and
//   image) at the left and right, 2 to 24 px; stored 0 is the classic 2.
// - m_..Arrows: 1 marks the items that open a sub menu with an arrow in
//   their text colour: pointing down in a horizontal main menu, right in a
//   vertical one and in sub menus. Only main items open sub menus.
// - m_..FadeIn: 1 lets the menu fade in when it opens (sub menus only; never
//   where the visitor asks for reduced motion).
// Per item look (main or sub items, each state):
// - m_..FontFamily: 0 the applet's font (m_..FontName), 1 System UI (the
//   platform's interface font), 2 the page's own font, which pictures draw
//   in System UI.
// - m_..FontWeight: 0 as the classic style says (Bold 700, else 400), else
//   400 Regular, 500 Medium, 600 Semibold or 700 Bold, with m_..FontItalic.
// - m_..FontItalic: 1 italic; read only where m_..FontWeight is set.
// - m_..FontPx: 0 the classic size (m_..FontSize), else 9 to 72 px.
// The classic values stay what the applet is given: the nearest font (System
// UI and the page's font are Helvetica), the nearest size, and the style Bold
// for a weight of 600 or more, else Italic when italic, else Plain.

namespace Look {
constexpr int kMaxRadius = 16;
constexpr int kClassicInset = 2;
constexpr int kMaxInset = 24;
constexpr int kMinFontPx = 9;
constexpr int kMaxFontPx = 72;
constexpr int kRegular = 400;
constexpr int kBold = 700;

enum EFamily : int { FamilyClassic = 0, FamilySystemUi = 1, FamilyPage = 2 };
enum EShadow : int { ShadowNone = 0, ShadowSoft = 1, ShadowStrong = 2 };

// A shadow as CSS's box-shadow draws it: offset down, blur radius, and the
// opacity of its black in 1/255.
struct CShadow {
    int dy;
    int blur;
    int alpha;
};
constexpr CShadow kShadows[3] = {{0, 0, 0}, {2, 8, 51}, {6, 18, 89}};
} // namespace Look

// The type of one item look as it is drawn.
struct CItemFont {
    // 0 TimesRoman, 1 Helvetica, 2 Courier, 3 System UI, 4 the page's font.
    int face = 1;
    int px = 12;
    int weight = Look::kRegular; // 400, 500, 600 or 700
    bool italic = false;

    bool operator==(const CItemFont &o) const
    {
        return face == o.face && px == o.px && weight == o.weight && italic == o.italic;
    }
    bool operator!=(const CItemFont &o) const { return !(*this == o); }
};

// The classic font values of an item look, as the applet is given them.
struct CClassicFont {
    int name = 0;
    int size = 0;
    int style = 0;
};

// The pixel size of a classic size index; 0 for an index outside the list.
int ClassicSizePx(int nIndex);
// The classic size index nearest to px (between two, the larger).
int NearestClassicSize(int px);
// Bold for a weight of 600 or more, else Italic when italic, else Plain.
int ClassicFontStyle(int weight, bool italic);

// The classic values the applet is given for a look: the stored ones, or,
// where a value of today's look is set, the nearest the applet holds.
CClassicFont ClassicFontOf(const CConstItemStyle &s);
// The font a look is drawn with.
CItemFont ItemFontOf(const CConstItemStyle &s);
// The font the applet's values alone give (what a page without today's
// values shows).
CItemFont ClassicItemFontOf(const CConstItemStyle &s);
// Stores `font` into a look: the classic values become the nearest the
// applet holds, and today's values are set only where those fall short, so
// a font the applet can show is stored as a classic one.
void SetItemFont(const CItemStyle &s, const CItemFont &font);

// One menu's look as it is drawn, each value within its range.
struct CMenuLook {
    int itemRadius = 0;
    int panelRadius = 0;
    int shadow = Look::ShadowNone;
    int labelInset = Look::kClassicInset;
    bool arrows = false;
    bool fadeIn = false;

    bool operator==(const CMenuLook &o) const
    {
        return itemRadius == o.itemRadius && panelRadius == o.panelRadius && shadow == o.shadow
               && labelInset == o.labelInset && arrows == o.arrows && fadeIn == o.fadeIn;
    }
    bool operator!=(const CMenuLook &o) const { return !(*this == o); }
    // The look of a menu made before today's values existed.
    bool IsClassic() const { return *this == CMenuLook(); }
};
CMenuLook MenuLookOf(const CConstMenuStyle &m);
// The stored value of a label inset of px pixels: the classic 2 is stored as 0.
int StoredLabelInset(int px);

// What a page shows: today's look on a page for today's browsers, the
// applet's values alone on an applet page (which has no script to read more).
CItemFont ShownItemFont(const CAppletParameters &params, bool bSub, int nState);
CMenuLook ShownMenuLook(const CAppletParameters &params, bool bSub);
// True when a look the page shows takes the page's own font, which pictures
// draw in System UI.
bool ShowsPageFont(const CAppletParameters &params);
