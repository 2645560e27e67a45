#pragma once

#include "model/menu/AppletMenu.h"
#include "model/text/PageLanguage.h"
#include "model/site/SitePage.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <type_traits>

// Receives one user-facing message, such as a missing image file.
using CMessageReporter = std::function<void(const QString &message)>;

// Every number of the configuration: the style values and the saved mark.
// Only ints and nothing else, so that the whole block compares and copies as
// plain bytes and a number added here is never left out of either.
struct CAppletNumbers {
    int m_Align = 0;
    int m_appBKColor = 0;
    int m_xPos = 0;
    int m_yPos = 0;
    // 1: the page also carries its links as a plain list and loads the script
    // that draws the menu in today's browsers; 0: the applet page alone.
    int m_ModernPage = 0;

    int m_mmBKColor = 0;
    int m_mmBKStyle = 0;
    int m_mmMenuAlign = 0;
    int m_mmWidth = 0;
    int m_mmHeight = 0;
    int m_mmItemGap = 0;
    int m_mmBorderThick = 0;

    int m_smBKColor = 0;
    int m_smBKStyle = 0;
    int m_smMenuAlign = 0;
    int m_smWidth = 0;
    int m_smHeight = 0;
    int m_smItemGap = 0;
    int m_smBorderThick = 0;

    int m_miBKColor1 = 0, m_miFRColor1 = 0, m_miItemBorderStyle1 = 0, m_miItemFillStyle1 = 0;
    int m_miFontName1 = 0, m_miFontSize1 = 0, m_miFontStyle1 = 0, m_miAlign1 = 0;
    int m_miBKColor2 = 0, m_miFRColor2 = 0, m_miItemBorderStyle2 = 0, m_miItemFillStyle2 = 0;
    int m_miFontName2 = 0, m_miFontSize2 = 0, m_miFontStyle2 = 0, m_miAlign2 = 0;
    int m_miBKColor3 = 0, m_miFRColor3 = 0, m_miItemBorderStyle3 = 0, m_miItemFillStyle3 = 0;
    int m_miFontName3 = 0, m_miFontSize3 = 0, m_miFontStyle3 = 0, m_miAlign3 = 0;

    int m_siBKColor1 = 0, m_siFRColor1 = 0, m_siItemBorderStyle1 = 0, m_siItemFillStyle1 = 0;
    int m_siFontName1 = 0, m_siFontSize1 = 0, m_siFontStyle1 = 0, m_siAlign1 = 0;
    int m_siBKColor2 = 0, m_siFRColor2 = 0, m_siItemBorderStyle2 = 0, m_siItemFillStyle2 = 0;
    int m_siFontName2 = 0, m_siFontSize2 = 0, m_siFontStyle2 = 0, m_siAlign2 = 0;
    int m_siBKColor3 = 0, m_siFRColor3 = 0, m_siItemBorderStyle3 = 0, m_siItemFillStyle3 = 0;
    int m_siFontName3 = 0, m_siFontSize3 = 0, m_siFontStyle3 = 0, m_siAlign3 = 0;

    // Today's look, which only pages for today's browsers show (the applet
    // holds none of it). 0 in every one of them is a menu as it was before
    // they existed, drawn as it always was; model/config/LookValues.h says what
    // each value means.
    int m_mmItemRadius = 0, m_mmPanelRadius = 0, m_mmShadow = 0;
    int m_mmLabelInset = 0, m_mmArrows = 0, m_mmFadeIn = 0;
    int m_smItemRadius = 0, m_smPanelRadius = 0, m_smShadow = 0;
    int m_smLabelInset = 0, m_smArrows = 0, m_smFadeIn = 0;
    int m_miFontFamily1 = 0, m_miFontWeight1 = 0, m_miFontItalic1 = 0, m_miFontPx1 = 0;
    int m_miFontFamily2 = 0, m_miFontWeight2 = 0, m_miFontItalic2 = 0, m_miFontPx2 = 0;
    int m_miFontFamily3 = 0, m_miFontWeight3 = 0, m_miFontItalic3 = 0, m_miFontPx3 = 0;
    int m_siFontFamily1 = 0, m_siFontWeight1 = 0, m_siFontItalic1 = 0, m_siFontPx1 = 0;
    int m_siFontFamily2 = 0, m_siFontWeight2 = 0, m_siFontItalic2 = 0, m_siFontPx2 = 0;
    int m_siFontFamily3 = 0, m_siFontWeight3 = 0, m_siFontItalic3 = 0, m_siFontPx3 = 0;

    int m_bSaved = 0;
};
static_assert(std::has_unique_object_representations_v<CAppletNumbers>,
              "CAppletNumbers compares as bytes: ints only, no padding");

// The configuration's values without the menu tree: a plain value, so that
// one assignment copies all of them.
struct CAppletValues : CAppletNumbers {
    QString m_HTMLTitle = QStringLiteral("Untitled");
    QString m_appBKImagePath;
    // A page for today's browsers: the language its <html> line declares
    // (a tag, see PageLanguage.h; none when empty; a new menu has the
    // system's) and the description its head carries for search engines
    // (none when empty).
    QString m_PageLang = SystemPageLanguage();
    QString m_PageDescription;
    QString m_strHTMLPath;
    // The author's own pages that carry the menu, in the order added.
    CSitePageList m_SitePages;
    // The page this menu was last opened from or saved to, which Save writes
    // again; empty for a menu never saved. Not part of an undo step.
    QString m_strSavedPage;
    // The site pages as that page's project file held them when it was last
    // read or written here: tells what another program changed in the file
    // meanwhile from what was changed here.
    CSitePageList m_SitePagesOnFile;
};

// The whole configuration of one menu applet page. Field names are also the
// keys of the project file and of the template library. Colours hold
// 0x00BBGGRR (red in the low byte). Style values are list indexes.
class CAppletParameters : public CAppletValues {
public:
    CAppletParameters();
    ~CAppletParameters();
    CAppletParameters(const CAppletParameters &) = delete;
    CAppletParameters &operator=(const CAppletParameters &) = delete;

    // Makes this configuration a deep copy of `other` (menu tree included);
    // the main menu object itself stays the same.
    void CopyFrom(const CAppletParameters &other);

    // --- Page text (html/) ---
    // The complete HTML page. Each image that cannot be found is reported
    // through `report` (printed on standard error when none is given).
    QString GenerateHTML(const CMessageReporter &report = CMessageReporter()) const;
    // The same page as the bytes a saved page holds (its UTF-8; every
    // character of the page is ASCII).
    QByteArray GenerateHTMLBytes(const CMessageReporter &report = CMessageReporter()) const;
    // The applet's bounding rectangle (left, top, right, bottom).
    QRect GetAppletRect() const;
    static QString ColorToHex(int color);
    // The param lines of one menu's items, numbered with nMenu.
    QString GenerateItemParams(const CAppletMenu &menu, int nMenu,
                               const CMessageReporter &report = CMessageReporter()) const;

    // --- Stored forms (store/) ---
    // Reads a project file; a missing file, section or key gives defaults.
    bool LoadProject(const QString &strPath);
    // Loads template nTemplate (0-based) of the template library at strLibraryPath.
    void LoadTemplate(int nTemplate, const QString &strLibraryPath);

    // The main menu; never null and never replaced, only its contents change.
    const std::unique_ptr<CAppletMenu> m_pMainMenu;
};

// The style values of one item state, as the item style pages and the
// renderer see them: the applet's eight, then today's font values.
// bSub selects the sub-menu items; nState is 1..3. From a const
// configuration the fields can only be read.
template <typename Int> struct CItemStyleOf {
    Int *pBKColor, *pFRColor, *pBorderStyle, *pFillStyle;
    Int *pFontName, *pFontSize, *pFontStyle, *pAlign;
    Int *pFontFamily, *pFontWeight, *pFontItalic, *pFontPx;
};
using CItemStyle = CItemStyleOf<int>;
using CConstItemStyle = CItemStyleOf<const int>;
CItemStyle ItemStyleFields(CAppletParameters &params, bool bSub, int nState);
CConstItemStyle ItemStyleFields(const CAppletParameters &params, bool bSub, int nState);
// Gives the fields of `to` the values of `from`.
template <typename From> void AssignItemStyle(const CItemStyle &to, const CItemStyleOf<From> &from)
{
    *to.pBKColor = *from.pBKColor;
    *to.pFRColor = *from.pFRColor;
    *to.pBorderStyle = *from.pBorderStyle;
    *to.pFillStyle = *from.pFillStyle;
    *to.pFontName = *from.pFontName;
    *to.pFontSize = *from.pFontSize;
    *to.pFontStyle = *from.pFontStyle;
    *to.pAlign = *from.pAlign;
    *to.pFontFamily = *from.pFontFamily;
    *to.pFontWeight = *from.pFontWeight;
    *to.pFontItalic = *from.pFontItalic;
    *to.pFontPx = *from.pFontPx;
}

// The values of the main menu's style (bSub false) or the sub menus': the
// applet's seven, then today's look.
template <typename Int> struct CMenuStyleOf {
    Int *pBKColor, *pBKStyle, *pMenuAlign, *pWidth, *pHeight, *pItemGap, *pBorderThick;
    Int *pItemRadius, *pPanelRadius, *pShadow, *pLabelInset, *pArrows, *pFadeIn;
};
using CMenuStyle = CMenuStyleOf<int>;
using CConstMenuStyle = CMenuStyleOf<const int>;
CMenuStyle MenuStyleFields(CAppletParameters &params, bool bSub);
CConstMenuStyle MenuStyleFields(const CAppletParameters &params, bool bSub);
template <typename From> void AssignMenuStyle(const CMenuStyle &to, const CMenuStyleOf<From> &from)
{
    *to.pBKColor = *from.pBKColor;
    *to.pBKStyle = *from.pBKStyle;
    *to.pMenuAlign = *from.pMenuAlign;
    *to.pWidth = *from.pWidth;
    *to.pHeight = *from.pHeight;
    *to.pItemGap = *from.pItemGap;
    *to.pBorderThick = *from.pBorderThick;
    *to.pItemRadius = *from.pItemRadius;
    *to.pPanelRadius = *from.pPanelRadius;
    *to.pShadow = *from.pShadow;
    *to.pLabelInset = *from.pLabelInset;
    *to.pArrows = *from.pArrows;
    *to.pFadeIn = *from.pFadeIn;
}
