#include "render/Contrast.h"

#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "model/text/StringTable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBlack = 0x000000;
constexpr int kWhite = 0xFFFFFF;

double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Ratio(double la, double lb)
{
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The pixel size the size list's index stands for; a size that names no
// entry is drawn at 12 px.
int FontPixels(int nFontSize)
{
    const int px = LoadString(StringRange::FontSize, nFontSize).toInt();
    return px > 0 ? px : 12;
}

} // namespace

double RelativeLuminance(int color)
{
    return 0.2126 * Linear(color & 0xff) + 0.7152 * Linear((color >> 8) & 0xff)
           + 0.0722 * Linear((color >> 16) & 0xff);
}

double ContrastRatio(int colorA, int colorB)
{
    return Ratio(RelativeLuminance(colorA), RelativeLuminance(colorB));
}

bool IsLargeText(int px, int weight)
{
    // 18.66 px is 14 pt; sizes are whole pixels.
    return px >= 24 || (weight >= Look::kBold && px * 100 >= 1866);
}

int ColorUnderItems(const CAppletParameters &params, bool bSub)
{
    const int bkStyle = bSub ? params.m_smBKStyle : params.m_mmBKStyle;
    if (bkStyle == 2 || bkStyle == 3)
        return bSub ? params.m_smBKColor : params.m_mmBKColor;
    return params.m_appBKColor;
}

CTextContrast TextContrast(const CContrastLook &look, int underColor)
{
    CTextContrast result;
    const int px = look.fontPx > 0 ? look.fontPx : FontPixels(look.fontSize);
    const int weight = look.fontWeight > 0 ? look.fontWeight : (look.fontStyle == 1 ? Look::kBold : Look::kRegular);
    result.required = IsLargeText(px, weight) ? 3.0 : 4.5;
    const double text = RelativeLuminance(look.frColor);
    const int fill = (look.fill >= 0 && look.fill <= 9) ? look.fill : 0;
    if (fill <= 1) {
        result.ratio = Ratio(text, RelativeLuminance(fill == 0 ? underColor : look.bkColor));
        return result;
    }
    // 2..9: shades between the colour and black (k 0, 2) or white (k 1, 3).
    const int k = (fill - 2) % 4;
    const double a = RelativeLuminance(look.bkColor);
    const double b = RelativeLuminance((k == 0 || k == 2) ? kBlack : kWhite);
    const double lo = std::min(a, b), hi = std::max(a, b);
    if (text >= lo && text <= hi)
        result.ratio = 1.0; // some point of the shade matches the text
    else
        result.ratio = Ratio(text, text < lo ? lo : hi);
    return result;
}

CTextContrast ItemTextContrast(const CAppletParameters &params, bool bSub, int nState)
{
    const CConstItemStyle s = ItemStyleFields(params, bSub, nState);
    CContrastLook look;
    look.bkColor = *s.pBKColor;
    look.frColor = *s.pFRColor;
    look.fill = *s.pFillStyle;
    look.fontSize = *s.pFontSize;
    look.fontStyle = *s.pFontStyle;
    const CItemFont font = ShownItemFont(params, bSub, nState);
    look.fontPx = font.px;
    look.fontWeight = font.weight;
    return TextContrast(look, ColorUnderItems(params, bSub));
}

QString FormatRatio(double ratio)
{
    const double tenths = std::floor(ratio * 10.0 + 1e-9);
    QString text = QString::number(tenths / 10.0, 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return text + QLatin1String(":1");
}

std::vector<CLowContrastLook> LowContrastLooks(const CAppletParameters &params)
{
    const CAppletMenu &menu = *params.m_pMainMenu;
    bool hasSubItems = false;
    for (int i = 0; i < menu.GetCount() && !hasSubItems; ++i) {
        const CAppletMenuItem *item = menu.GetItem(i);
        hasSubItems = item && item->m_pSubMenu && item->m_pSubMenu->GetCount() > 0;
    }
    std::vector<CLowContrastLook> low;
    for (const bool bSub : {false, true}) {
        if (bSub ? !hasSubItems : menu.GetCount() <= 0)
            continue;
        for (int state = 1; state <= 3; ++state) {
            const CTextContrast c = ItemTextContrast(params, bSub, state);
            if (!c.Passes())
                low.push_back({bSub, state, c});
        }
    }
    return low;
}
