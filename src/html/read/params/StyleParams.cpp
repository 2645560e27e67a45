#include "html/read/params/StyleParams.h"

#include "html/read/params/ParamFields.h"
#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "model/text/StringTable.h"

#include <utility>

namespace {

void ReadAppletColour(CParamFields &f, CAppletParameters &p)
{
    f.Expect(1, false);
    f.Colour(0, QStringLiteral("the colour"), &p.m_appBKColor);
}

// "x,y": where the menu sits in the applet.
void ReadPosition(CParamFields &f, CAppletParameters &p)
{
    f.Expect(2, false);
    f.Number(0, QStringLiteral("the x position"), &p.m_xPos);
    f.Number(1, QStringLiteral("the y position"), &p.m_yPos);
}

// Colour, background style, orientation, width, height, gap, border.
template <bool Sub> void ReadMenuStyle(CParamFields &f, CAppletParameters &p)
{
    const CMenuStyle s = MenuStyleFields(p, Sub);
    f.Expect(7, false);
    f.Colour(0, QStringLiteral("the background colour"), s.pBKColor);
    f.Code(1, QStringLiteral("the background style"), StringRange::MenuBkStyle, s.pBKStyle);
    f.Code(2, QStringLiteral("the orientation"), StringRange::MenuAlign, s.pMenuAlign);
    f.Number(3, QStringLiteral("the item width"), s.pWidth);
    f.Number(4, QStringLiteral("the item height"), s.pHeight);
    f.Number(5, QStringLiteral("the gap"), s.pItemGap);
    f.Number(6, QStringLiteral("the border thickness"), s.pBorderThick);
}

// Background, text colour, fill and border, font, size, style, alignment,
// and a trailing comma.
template <bool Sub, int State> void ReadItemStyle(CParamFields &f, CAppletParameters &p)
{
    const CItemStyle s = ItemStyleFields(p, Sub, State);
    f.Expect(8, true);
    f.Colour(0, QStringLiteral("the background colour"), s.pBKColor);
    f.Colour(1, QStringLiteral("the text colour"), s.pFRColor);
    f.FillAndBorder(2, s.pFillStyle, s.pBorderStyle);
    f.Code(3, QStringLiteral("the font"), StringRange::FontName, s.pFontName);
    f.Code(4, QStringLiteral("the font size"), StringRange::FontSize, s.pFontSize);
    f.Code(5, QStringLiteral("the font style"), StringRange::FontStyle, s.pFontStyle);
    f.Code(6, QStringLiteral("the alignment"), StringRange::ItemAlign, s.pAlign);
}

// A number field of today's look within [lowest, highest]; one outside is
// told and leaves `fallback`.
int LookNumber(CParamFields &f, qsizetype n, const QString &what, int lowest, int highest, int fallback)
{
    int value = fallback;
    f.Number(n, what, &value);
    if (value >= lowest && value <= highest)
        return value;
    f.Note(QStringLiteral("%1 %2 is not from %3 to %4; %5 is kept").arg(what).arg(value).arg(lowest).arg(highest).arg(fallback));
    return fallback;
}

// Today's look of a menu, for the page script: item corners, panel
// corners, shadow, label inset, arrows, fading in.
template <bool Sub> void ReadMenuLook(CParamFields &f, CAppletParameters &p)
{
    const CMenuStyle s = MenuStyleFields(p, Sub);
    f.Expect(6, false);
    CMenuLook look;
    look.itemRadius = LookNumber(f, 0, QStringLiteral("the item corners"), 0, Look::kMaxRadius, 0);
    look.panelRadius = LookNumber(f, 1, QStringLiteral("the menu's corners"), 0, Look::kMaxRadius, 0);
    look.shadow = LookNumber(f, 2, QStringLiteral("the shadow"), Look::ShadowNone, Look::ShadowStrong, 0);
    look.labelInset = LookNumber(f, 3, QStringLiteral("the label inset"), Look::kClassicInset, Look::kMaxInset,
                                 Look::kClassicInset);
    look.arrows = LookNumber(f, 4, QStringLiteral("the arrows"), 0, 1, 0) != 0;
    look.fadeIn = LookNumber(f, 5, QStringLiteral("the fading in"), 0, 1, 0) != 0;
    *s.pItemRadius = look.itemRadius;
    *s.pPanelRadius = look.panelRadius;
    *s.pShadow = look.shadow;
    *s.pLabelInset = StoredLabelInset(look.labelInset);
    *s.pArrows = int(look.arrows);
    *s.pFadeIn = int(look.fadeIn);
}

// Today's type of an item look: face (t, h, c the applet's font, s System
// UI, p the page's font), size in pixels, weight, italic. Read after the
// look's applet values, which it refines, and stored as the wizard stores
// a font.
template <bool Sub, int State> void ReadItemLook(CParamFields &f, CAppletParameters &p)
{
    const CItemStyle s = ItemStyleFields(p, Sub, State);
    f.Expect(4, false);
    CItemFont font = ItemFontOf(ItemStyleFields(std::as_const(p), Sub, State));
    static const QString kFaces = QStringLiteral("thcsp");
    const QString face = f.Field(0).trimmed().toLower();
    if (face.size() == 1 && kFaces.contains(face))
        font.face = int(kFaces.indexOf(face));
    else
        f.Note(QStringLiteral("the face %1 is none of t, h, c, s or p; the applet's font is kept")
                   .arg(CParamFields::Quoted(f.Field(0))));
    font.px = LookNumber(f, 1, QStringLiteral("the size"), Look::kMinFontPx, Look::kMaxFontPx, font.px);
    const int weight = LookNumber(f, 2, QStringLiteral("the weight"), 100, 900, font.weight);
    font.weight = weight;
    font.italic = LookNumber(f, 3, QStringLiteral("italic"), 0, 1, int(font.italic)) != 0;
    SetItemFont(s, font);
}

} // namespace

const QList<CStyleParam> &StyleParams()
{
    static const QList<CStyleParam> params = {
        {"ApBKColor", ReadAppletColour},
        {"ApCo", ReadPosition},
        {"MMStyle", ReadMenuStyle<false>},
        {"SMStyle", ReadMenuStyle<true>},
        {"MIStyle1", ReadItemStyle<false, 1>},
        {"MIStyle2", ReadItemStyle<false, 2>},
        {"MIStyle3", ReadItemStyle<false, 3>},
        {"SIStyle1", ReadItemStyle<true, 1>},
        {"SIStyle2", ReadItemStyle<true, 2>},
        {"SIStyle3", ReadItemStyle<true, 3>},
        {"MMLook", ReadMenuLook<false>, true},
        {"SMLook", ReadMenuLook<true>, true},
        {"MILook1", ReadItemLook<false, 1>, true},
        {"MILook2", ReadItemLook<false, 2>, true},
        {"MILook3", ReadItemLook<false, 3>, true},
        {"SILook1", ReadItemLook<true, 1>, true},
        {"SILook2", ReadItemLook<true, 2>, true},
        {"SILook3", ReadItemLook<true, 3>, true},
    };
    return params;
}
