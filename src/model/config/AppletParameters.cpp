#include "model/config/AppletParameters.h"

CAppletParameters::CAppletParameters() : m_pMainMenu(std::make_unique<CAppletMenu>(4)) {}

CAppletParameters::~CAppletParameters() = default;

void CAppletParameters::CopyFrom(const CAppletParameters &o)
{
    if (&o == this)
        return;
    static_cast<CAppletValues &>(*this) = o;
    auto tree = o.m_pMainMenu->Clone();
    m_pMainMenu->m_items = std::move(tree->m_items);
    m_pMainMenu->m_nCurrent = tree->m_nCurrent;
}

namespace {

// One field table for both constnesses: P is CAppletParameters or const CAppletParameters.
// Its six rows are alike on purpose: each state's fields are members of
// their own (as the project file names them), and this is the one place
// that maps a menu and a state to them.
template <typename P> auto ItemStyleOf(P &p, bool bSub, int nState)
{
    using Style = CItemStyleOf<std::remove_reference_t<decltype((p.m_miAlign1))>>;
    if (!bSub) {
        switch (nState) {
        case 2:
            return Style{&p.m_miBKColor2, &p.m_miFRColor2, &p.m_miItemBorderStyle2, &p.m_miItemFillStyle2,
                          &p.m_miFontName2, &p.m_miFontSize2, &p.m_miFontStyle2, &p.m_miAlign2,
                          &p.m_miFontFamily2, &p.m_miFontWeight2, &p.m_miFontItalic2, &p.m_miFontPx2};
        case 3:
            return Style{&p.m_miBKColor3, &p.m_miFRColor3, &p.m_miItemBorderStyle3, &p.m_miItemFillStyle3,
                          &p.m_miFontName3, &p.m_miFontSize3, &p.m_miFontStyle3, &p.m_miAlign3,
                          &p.m_miFontFamily3, &p.m_miFontWeight3, &p.m_miFontItalic3, &p.m_miFontPx3};
        default:
            return Style{&p.m_miBKColor1, &p.m_miFRColor1, &p.m_miItemBorderStyle1, &p.m_miItemFillStyle1,
                          &p.m_miFontName1, &p.m_miFontSize1, &p.m_miFontStyle1, &p.m_miAlign1,
                          &p.m_miFontFamily1, &p.m_miFontWeight1, &p.m_miFontItalic1, &p.m_miFontPx1};
        }
    }
    switch (nState) {
    case 2:
        return Style{&p.m_siBKColor2, &p.m_siFRColor2, &p.m_siItemBorderStyle2, &p.m_siItemFillStyle2,
                          &p.m_siFontName2, &p.m_siFontSize2, &p.m_siFontStyle2, &p.m_siAlign2,
                          &p.m_siFontFamily2, &p.m_siFontWeight2, &p.m_siFontItalic2, &p.m_siFontPx2};
    case 3:
        return Style{&p.m_siBKColor3, &p.m_siFRColor3, &p.m_siItemBorderStyle3, &p.m_siItemFillStyle3,
                          &p.m_siFontName3, &p.m_siFontSize3, &p.m_siFontStyle3, &p.m_siAlign3,
                          &p.m_siFontFamily3, &p.m_siFontWeight3, &p.m_siFontItalic3, &p.m_siFontPx3};
    default:
        return Style{&p.m_siBKColor1, &p.m_siFRColor1, &p.m_siItemBorderStyle1, &p.m_siItemFillStyle1,
                          &p.m_siFontName1, &p.m_siFontSize1, &p.m_siFontStyle1, &p.m_siAlign1,
                          &p.m_siFontFamily1, &p.m_siFontWeight1, &p.m_siFontItalic1, &p.m_siFontPx1};
    }
}

template <typename P> auto MenuStyleOf(P &p, bool bSub)
{
    using Style = CMenuStyleOf<std::remove_reference_t<decltype((p.m_mmWidth))>>;
    if (bSub)
        return Style{&p.m_smBKColor, &p.m_smBKStyle, &p.m_smMenuAlign, &p.m_smWidth,
                     &p.m_smHeight, &p.m_smItemGap, &p.m_smBorderThick,
                     &p.m_smItemRadius, &p.m_smPanelRadius, &p.m_smShadow,
                     &p.m_smLabelInset, &p.m_smArrows, &p.m_smFadeIn};
    return Style{&p.m_mmBKColor, &p.m_mmBKStyle, &p.m_mmMenuAlign, &p.m_mmWidth,
                 &p.m_mmHeight, &p.m_mmItemGap, &p.m_mmBorderThick,
                 &p.m_mmItemRadius, &p.m_mmPanelRadius, &p.m_mmShadow,
                 &p.m_mmLabelInset, &p.m_mmArrows, &p.m_mmFadeIn};
}

} // namespace

CItemStyle ItemStyleFields(CAppletParameters &params, bool bSub, int nState)
{
    return ItemStyleOf(params, bSub, nState);
}

CConstItemStyle ItemStyleFields(const CAppletParameters &params, bool bSub, int nState)
{
    return ItemStyleOf(params, bSub, nState);
}

CMenuStyle MenuStyleFields(CAppletParameters &params, bool bSub)
{
    return MenuStyleOf(params, bSub);
}

CConstMenuStyle MenuStyleFields(const CAppletParameters &params, bool bSub)
{
    return MenuStyleOf(params, bSub);
}
