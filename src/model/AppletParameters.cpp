#include "model/AppletParameters.h"

CAppletParameters::CAppletParameters()
    : m_HTMLTitle(QStringLiteral("Untitled")), m_pMainMenu(std::make_unique<CAppletMenu>(4))
{
}

CAppletParameters::~CAppletParameters() = default;

void CAppletParameters::CopyFrom(const CAppletParameters &o)
{
    if (&o == this)
        return;
    m_HTMLTitle = o.m_HTMLTitle;
    m_Align = o.m_Align;
    m_appBKColor = o.m_appBKColor;
    m_appBKImagePath = o.m_appBKImagePath;
    m_xPos = o.m_xPos;
    m_yPos = o.m_yPos;
    m_ModernPage = o.m_ModernPage;
    for (bool sub : {false, true}) {
        CMenuStyle to = MenuStyleFields(*this, sub);
        CMenuStyle from = MenuStyleFields(const_cast<CAppletParameters &>(o), sub);
        *to.pBKColor = *from.pBKColor;
        *to.pBKStyle = *from.pBKStyle;
        *to.pMenuAlign = *from.pMenuAlign;
        *to.pWidth = *from.pWidth;
        *to.pHeight = *from.pHeight;
        *to.pItemGap = *from.pItemGap;
        *to.pBorderThick = *from.pBorderThick;
        for (int state = 1; state <= 3; ++state) {
            CItemStyle t = ItemStyleFields(*this, sub, state);
            CItemStyle f = ItemStyleFields(const_cast<CAppletParameters &>(o), sub, state);
            *t.pBKColor = *f.pBKColor;
            *t.pFRColor = *f.pFRColor;
            *t.pBorderStyle = *f.pBorderStyle;
            *t.pFillStyle = *f.pFillStyle;
            *t.pFontName = *f.pFontName;
            *t.pFontSize = *f.pFontSize;
            *t.pFontStyle = *f.pFontStyle;
            *t.pAlign = *f.pAlign;
        }
    }
    auto tree = o.m_pMainMenu->Clone();
    m_pMainMenu->m_items = std::move(tree->m_items);
    m_pMainMenu->m_nCurrent = tree->m_nCurrent;
    m_bSaved = o.m_bSaved;
    m_strHTMLPath = o.m_strHTMLPath;
}

CItemStyle ItemStyleFields(CAppletParameters &p, bool bSub, int nState)
{
    if (!bSub) {
        switch (nState) {
        case 2:
            return {&p.m_miBKColor2, &p.m_miFRColor2, &p.m_miItemBorderStyle2, &p.m_miItemFillStyle2,
                    &p.m_miFontName2, &p.m_miFontSize2, &p.m_miFontStyle2, &p.m_miAlign2};
        case 3:
            return {&p.m_miBKColor3, &p.m_miFRColor3, &p.m_miItemBorderStyle3, &p.m_miItemFillStyle3,
                    &p.m_miFontName3, &p.m_miFontSize3, &p.m_miFontStyle3, &p.m_miAlign3};
        default:
            return {&p.m_miBKColor1, &p.m_miFRColor1, &p.m_miItemBorderStyle1, &p.m_miItemFillStyle1,
                    &p.m_miFontName1, &p.m_miFontSize1, &p.m_miFontStyle1, &p.m_miAlign1};
        }
    }
    switch (nState) {
    case 2:
        return {&p.m_siBKColor2, &p.m_siFRColor2, &p.m_siItemBorderStyle2, &p.m_siItemFillStyle2,
                &p.m_siFontName2, &p.m_siFontSize2, &p.m_siFontStyle2, &p.m_siAlign2};
    case 3:
        return {&p.m_siBKColor3, &p.m_siFRColor3, &p.m_siItemBorderStyle3, &p.m_siItemFillStyle3,
                &p.m_siFontName3, &p.m_siFontSize3, &p.m_siFontStyle3, &p.m_siAlign3};
    default:
        return {&p.m_siBKColor1, &p.m_siFRColor1, &p.m_siItemBorderStyle1, &p.m_siItemFillStyle1,
                &p.m_siFontName1, &p.m_siFontSize1, &p.m_siFontStyle1, &p.m_siAlign1};
    }
}

CMenuStyle MenuStyleFields(CAppletParameters &p, bool bSub)
{
    if (bSub)
        return {&p.m_smBKColor, &p.m_smBKStyle, &p.m_smMenuAlign, &p.m_smWidth,
                &p.m_smHeight, &p.m_smItemGap, &p.m_smBorderThick};
    return {&p.m_mmBKColor, &p.m_mmBKStyle, &p.m_mmMenuAlign, &p.m_mmWidth,
            &p.m_mmHeight, &p.m_mmItemGap, &p.m_mmBorderThick};
}
