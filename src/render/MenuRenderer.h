#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class CAppletParameters;
class QPainter;

// One item of the menu tree: main item nMain (nSub -1), or item nSub of the
// sub menu of main item nMain. The default value names no item.
struct CItemRef {
    int nMain = -1;
    int nSub = -1;

    bool IsValid() const { return nMain >= 0; }
    bool IsSub() const { return nMain >= 0 && nSub >= 0; }
    bool operator==(const CItemRef &o) const { return nMain == o.nMain && nSub == o.nSub; }
    bool operator!=(const CItemRef &o) const { return !(*this == o); }
};

// What the pointer does to the menu: the item under it is drawn in its
// Mouse Move style, the pressed item in its Mouse Click style (pressing wins),
// and at most one sub menu is open. Everything else is drawn Normal.
struct CRenderState {
    CItemRef hover;
    CItemRef pressed;
    int nOpenSubMenu = -1; // main item whose sub menu is shown; -1 none
    // The item under the keyboard while it walks the menu: it, and the main
    // item whose sub menu holds it, show their Mouse Move look whatever the
    // pointer does.
    CItemRef keys;
    // You are here: the items whose link is the page the menu is shown on
    // rest in their Mouse Click look, and so does the main item whose sub
    // menu holds such an item (the current section), unless the pointer or
    // the keyboard gives them another look.
    QList<CItemRef> current;

    // 1 Normal, 2 Mouse Move, 3 Mouse Click.
    int ItemState(const CItemRef &item) const;
};

// True when `item` shows as current for the items `current` (see
// CRenderState::current): one of them, or the main item owning one.
bool IsCurrent(const QList<CItemRef> &current, const CItemRef &item);

// Where every item of a configuration sits, in applet coordinates (the
// applet area's top left is 0,0). Drawing and hit-testing share it.
//
// The main menu starts at (m_xPos, m_yPos); its items follow each other down
// (vertical) or across (horizontal), each of the menu's item width and
// height, separated by the item gap. The sub menu of main item i starts where
// model/menu/SubMenuGeometry.h says (beside the item in a page for today's
// browsers, else at half its width and three quarters of its height), and is
// laid out the same way with the sub-menu values.
// A menu's box is the union of its items, gaps included. Sizes below zero
// count as zero, and all arithmetic is done wide and clamped, so values from
// a hand-edited file cannot overflow.
class CMenuLayout {
public:
    // nPageWidth: the width of the saved page the menu is shown on, when
    // known: a sub menu the page's edge would cut opens on the other side of
    // its item, else as far left as the page allows.
    explicit CMenuLayout(const CAppletParameters &params, int nPageWidth = 0);

    // The applet's box, filled with its background: (0, 0) to the size the
    // page gives the applet, or in a page for today's browsers the main menu
    // with the margin of its position on every side.
    QRect AppletRect() const { return m_applet; }
    // The applet's box with every sub menu (which may float beyond it in a
    // page for today's browsers) and every shadow.
    QRect Extent() const { return m_extent; }
    // What a picture of the menu with sub menu nOpenSubMenu open shows: the
    // applet's box and that sub menu, with their shadows.
    QRect DrawingRect(int nOpenSubMenu) const;
    // Whether a page for today's browsers nPageWidth pixels wide shows the
    // small-screen form (see SmallMenuLayout.h): where the page gives the
    // menu less room than the applet's box, and on a phone's page (narrower
    // than CSmallMenuLayout::kPhoneWidthLimit) where an item of the menu is
    // smaller than kLeastTarget either way or a label smaller than
    // kLeastFont, in any state (the sub menus' items and labels count where
    // there is a sub menu).
    static bool NeedsSmallForm(const CAppletParameters &params, int nPageWidth);
    // What the shadow under the main menu (nOwner -1) or under main item
    // nOwner's sub menu darkens; empty without one.
    QRect ShadowRect(int nOwner) const;

    int MainCount() const { return m_main.count; }
    QRect MainMenuRect() const { return m_main.box; }
    bool HasSubMenu(int nMain) const;
    int SubCount(int nMain) const;
    // The box of main item nMain's sub menu; empty when it has none.
    QRect SubMenuRect(int nMain) const;
    // The box of one item; empty for an item that does not exist.
    QRect ItemRect(const CItemRef &item) const;

    // The item at `pt`: an item of the open sub menu first (it lies on top),
    // then a main item. Points in gaps and outside every menu hit nothing;
    // the open sub menu's box hides the main items under it.
    CItemRef HitTest(const QPoint &pt, int nOpenSubMenu) const;

private:
    struct CMenuGeometry {
        qint64 x = 0, y = 0; // top left of the first item
        qint64 w = 0, h = 0; // item size
        qint64 gap = 0;
        bool horizontal = false;
        int count = 0;
        QRect box;

        QRect Item(int k) const;
        int IndexAt(const QPoint &pt) const;
        // The first item at (nX, nY), the item size, gap and alignment of
        // the main menu (bSub false) or the sub menus, nCount items; then
        // Finish.
        void Lay(const CAppletParameters &params, bool bSub, qint64 nX, qint64 nY, int nCount);
        void Finish();
    };
    void KeepOnPage(const CAppletParameters &params, int nPageWidth);

    // How far the shadows of the main menu [0] and the sub menus [1] reach
    // beyond their menu's box, and how far down they are cast.
    struct CShadowReach {
        int outset = 0;
        int dy = 0;
        bool on = false;
    };
    CShadowReach m_shadows[2];

    CMenuGeometry m_main;
    std::vector<CMenuGeometry> m_subs; // one per main item; count 0 = no sub menu
    QRect m_applet;
    QRect m_extent;
    bool m_bFlush = false;
};

// Draws a configured menu with QPainter, as the applet on the page shows it.
//
// How the style values are drawn:
// - Applet area: filled with the applet colour; the background image, when
//   it can be found, is tiled over it from the top left.
// - Menu background style: 0 draws nothing, 1 only a one-pixel frame, 2 fills
//   the menu box (items and gaps) with the menu colour, 3 fills it and draws
//   the frame. The frame lies on the box's outermost pixels, over the items,
//   in the menu colour made darker (lighter when the colour is already dark)
//   so that it also shows on a filled box.
// - Border thickness (of the menu whose items it is) is the width of every
//   item's border, drawn inside the item box; 0 means no border at all.
//   Plain is a band in the item's foreground colour; Raised has its top and
//   left bands in a light tint of the item's background colour and its
//   bottom and right bands in a dark shade of it, mitred at the corners;
//   Sunken is the other way round.
// - Fill: 0 leaves the item transparent (the menu box or applet shows
//   through), 1 fills with the background colour, 2-9 are linear shades over
//   the whole item box between black or white and the background colour:
//   horizontal ones run from the left edge to the right edge, vertical ones
//   from the top edge to the bottom edge.
// - Font: TimesRoman is a serif family, Helvetica a sans, Courier a
//   monospace (see FontTable.h); the size table's numbers are taken as
//   pixels; style plain, bold or italic. Text is drawn in the foreground
//   colour, centred vertically and cut at the item's border.
// - Today's look (model/config/LookValues.h), drawn for pages for today's browsers
//   only (an applet page shows the applet's values alone): System UI and
//   the page's own font in the System UI families; any size of 9 to 72
//   pixels; Medium and Semibold as the nearest face the family has, as a
//   browser chooses it. Items' corners rounded with the menu's item radius
//   (fill, border and bevel alike; a bevel's two colours meet on the
//   diagonal from each outer corner to the inner one); the menu box's fill,
//   frame and shadow rounded with its panel radius. The shadow is CSS's
//   box-shadow: black of the shadow's opacity, cast down by its offset and
//   blurred by a Gaussian of half its blur radius, drawn outside the menu's
//   box only, under the menu. An arrow on items that open a sub menu: a
//   triangle in the text colour at the right end of the item's room, 2a by
//   a pointing down (horizontal main menu) or a by 2a pointing right
//   (vertical), a being 3/10 of the font size (rounded down) but at least 3,
//   centred vertically (a half pixel rounded up the page); the label's room
//   ends 4 pixels before it.
// - Alignment: inside the border (less the label inset at the sides, 2
//   pixels in a classic look) the
//   image sits at its own alignment, centred vertically, shrunk to fit when
//   larger than the item. The text is aligned in the room the image leaves
//   on one side: right of a left image, left of a right image, and on its
//   own side of a centred image; when both are centred they are centred
//   together, image first. Text never lies under the image.
// - Images are looked up with FindImageFile; one that cannot be found or
//   read is simply not drawn.
// Items are drawn in their Normal, Mouse Move or Mouse Click style as
// CRenderState says; main items with the main-item styles and the main
// menu's thickness, sub items with the sub-item styles and the sub menus'.
// One item style (main or sub items, one state) as it is drawn.
struct CItemLook {
    QColor bk, fr;
    int border = 0; // 0 plain, 1 raised, 2 sunken
    int fill = 0;   // 0..9
    QFont font;
    int imageAlign = 0, textAlign = 0; // 0 left, 1 centre, 2 right
    int radius = 0; // corner radius
    int inset = 2;  // room between the border and the label at each side
    enum EArrow { NoArrow, ArrowDown, ArrowRight };
    EArrow arrow = NoArrow;
};

class CSmallMenuLayout;

class CMenuRenderer {
public:
    // Draws the applet area and the menus in applet coordinates; the caller
    // sets any scaling on the painter.
    void Draw(QPainter &painter, const CAppletParameters &params, const CRenderState &state,
              int nPageWidth = 0) const;

    // The picture at the applet's own size (a null image for an empty or
    // absurdly large area).
    QImage RenderImage(const CAppletParameters &params, const CRenderState &state = {}, int nPageWidth = 0) const;

    // The font of an item style (bSub: sub-menu items; nState 1..3).
    static QFont ItemFont(const CAppletParameters &params, bool bSub, int nState);
    static CItemLook LookOf(const CAppletParameters &params, bool bSub, int nState);
    // Draws one item in rectangle r: fill, border of `thickness` (at most
    // half its size), image and label inside.
    void DrawItem(QPainter &p, const QRect &r, const CItemLook &look, int thickness, const QString &label,
                  const QString &imagePath) const;
    static QColor ToQColor(int color);
    // The box of the arrow of an item whose label is fontPx pixels, pointing
    // down or right, and the room kept between it and the label.
    static QSize ArrowSize(int fontPx, bool bDown);
    static constexpr int kArrowGap = 4;
    // How far a shadow of blur radius `blur` reaches beyond its box.
    static int ShadowOutset(int blur);

    // The small-screen form (see CSmallMenuLayout), in its own coordinates,
    // and its picture.
    // `current` as in CRenderState: those rows take their Mouse Click look.
    void DrawSmall(QPainter &painter, const CAppletParameters &params, const CSmallMenuLayout &layout,
                   const QList<CItemRef> &current = {}) const;
    QImage RenderSmallImage(const CAppletParameters &params, const CSmallMenuLayout &layout,
                            const QList<CItemRef> &current = {}) const;

    // Forgets the images read so far (an image file may have changed).
    void ClearImageCache() const { m_images.clear(); }

    // Largest picture RenderImage makes, in pixels on each side.
    static constexpr int kMaxImageSide = 8192;

private:
    const QImage &Image(const QString &storedPath) const;
    // Clips to `clip` and fills the applet's box with its colour and image.
    void BeginApplet(QPainter &p, const CAppletParameters &params, const QRect &clip, const QRect &box) const;
    // A picture of `area` drawn by `draw` (in the area's coordinates), white
    // where nothing is drawn; a null image for an empty or absurd area.
    static QImage Picture(const QRect &area, const std::function<void(QPainter &)> &draw);
    void DrawMenu(QPainter &p, const CAppletParameters &params, const CMenuLayout &layout,
                  const CRenderState &state, int nOwner) const;

    mutable QHash<QString, QImage> m_images;
};
