#include "html/read/StyleParams.h"

#include "html/read/ParamFields.h"
#include "model/AppletParameters.h"
#include "model/StringTable.h"

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
    };
    return params;
}
