#include "model/config/LookValues.h"

#include "model/text/StringTable.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A weight of today's look as drawn: 400, 500, 600 or 700, the nearest.
int DrawnWeight(int weight)
{
    return std::clamp((weight + 50) / 100 * 100, Look::kRegular, Look::kBold);
}

} // namespace

int ClassicSizePx(int nIndex)
{
    return LoadString(StringRange::FontSize, nIndex).toInt();
}

int NearestClassicSize(int px)
{
    int best = 0;
    for (int i = 1; i < StringRange::FontSize.count; ++i)
        if (std::abs(ClassicSizePx(i) - px) <= std::abs(ClassicSizePx(best) - px))
            best = i;
    return best;
}

int ClassicFontStyle(int weight, bool italic)
{
    if (weight >= 600)
        return 1;
    return italic ? 2 : 0;
}

CClassicFont ClassicFontOf(const CConstItemStyle &s)
{
    CClassicFont c{*s.pFontName, *s.pFontSize, *s.pFontStyle};
    if (*s.pFontFamily == Look::FamilySystemUi || *s.pFontFamily == Look::FamilyPage)
        c.name = 1;
    if (*s.pFontPx != 0)
        c.size = NearestClassicSize(std::clamp(*s.pFontPx, Look::kMinFontPx, Look::kMaxFontPx));
    if (*s.pFontWeight != 0)
        c.style = ClassicFontStyle(DrawnWeight(*s.pFontWeight), *s.pFontItalic != 0);
    return c;
}

namespace {

// How the applet's values are drawn: a name or size outside its list as
// Helvetica and 12 px.
CItemFont DrawnClassic(const CClassicFont &c)
{
    CItemFont f;
    f.face = (c.name >= 0 && c.name <= 2) ? c.name : 1;
    const int px = ClassicSizePx(c.size);
    f.px = px > 0 ? px : 12;
    f.weight = c.style == 1 ? Look::kBold : Look::kRegular;
    f.italic = c.style == 2;
    return f;
}

} // namespace

CItemFont ItemFontOf(const CConstItemStyle &s)
{
    CItemFont f = DrawnClassic({*s.pFontName, *s.pFontSize, *s.pFontStyle});
    if (*s.pFontFamily == Look::FamilySystemUi)
        f.face = 3;
    else if (*s.pFontFamily == Look::FamilyPage)
        f.face = 4;
    if (*s.pFontPx != 0)
        f.px = std::clamp(*s.pFontPx, Look::kMinFontPx, Look::kMaxFontPx);
    if (*s.pFontWeight != 0) {
        f.weight = DrawnWeight(*s.pFontWeight);
        f.italic = *s.pFontItalic != 0;
    }
    return f;
}

CItemFont ClassicItemFontOf(const CConstItemStyle &s)
{
    return DrawnClassic(ClassicFontOf(s));
}

void SetItemFont(const CItemStyle &s, const CItemFont &font)
{
    if (font.face >= 3) {
        *s.pFontName = 1;
        *s.pFontFamily = font.face == 3 ? Look::FamilySystemUi : Look::FamilyPage;
    } else {
        *s.pFontName = font.face;
        *s.pFontFamily = Look::FamilyClassic;
    }

    const int px = std::clamp(font.px, Look::kMinFontPx, Look::kMaxFontPx);
    *s.pFontSize = NearestClassicSize(px);
    *s.pFontPx = ClassicSizePx(*s.pFontSize) == px ? 0 : px;

    const int weight = DrawnWeight(font.weight);
    *s.pFontStyle = ClassicFontStyle(weight, font.italic);
    const bool classic = (weight == Look::kRegular || (weight == Look::kBold && !font.italic));
    *s.pFontWeight = classic ? 0 : weight;
    *s.pFontItalic = classic ? 0 : int(font.italic);
}

CMenuLook MenuLookOf(const CConstMenuStyle &m)
{
    CMenuLook look;
    look.itemRadius = std::clamp(*m.pItemRadius, 0, Look::kMaxRadius);
    look.panelRadius = std::clamp(*m.pPanelRadius, 0, Look::kMaxRadius);
    look.shadow = (*m.pShadow >= 0 && *m.pShadow <= 2) ? *m.pShadow : 0;
    look.labelInset = *m.pLabelInset == 0 ? Look::kClassicInset
                                          : std::clamp(*m.pLabelInset, Look::kClassicInset, Look::kMaxInset);
    look.arrows = *m.pArrows != 0;
    look.fadeIn = *m.pFadeIn != 0;
    return look;
}

int StoredLabelInset(int px)
{
    return px == Look::kClassicInset ? 0 : px;
}

CItemFont ShownItemFont(const CAppletParameters &params, bool bSub, int nState)
{
    const CConstItemStyle s = ItemStyleFields(params, bSub, nState);
    return params.m_ModernPage != 0 ? ItemFontOf(s) : ClassicItemFontOf(s);
}

CMenuLook ShownMenuLook(const CAppletParameters &params, bool bSub)
{
    return params.m_ModernPage != 0 ? MenuLookOf(MenuStyleFields(params, bSub)) : CMenuLook();
}

bool ShowsPageFont(const CAppletParameters &params)
{
    for (bool sub : {false, true})
        for (int state = 1; state <= 3; ++state)
            if (ShownItemFont(params, sub, state).face == 4)
                return true;
    return false;
}
