#pragma once

#include "wizard/pages/WizardPage.h"

class CColorButton;
class CStatusLine;
class CContrastLabel;
struct CItemFont;
class QButtonGroup;
class QLabel;
class QComboBox;
class QPushButton;
class QRadioButton;

// The look of menu items in each of their three states (Normal, Mouse Move,
// Mouse Click): the main-menu items' style set or the sub-menu items'. One
// set of controls shows the state chosen by the three radio buttons;
// switching stores the shown values into the state that was shown and loads
// the other. The font is chosen in CItemFontDialog.
class CItemStylePageBase : public CWizardPage {
    Q_OBJECT
public:
    struct Texts {
        const char *heading;
        const char *intro;
        const char *group;
    };
    // bSub: edit the sub-menu items' fields instead of the main-menu items'.
    CItemStylePageBase(CWizardHost &host, bool bSub, int nDialogId, int nBitmap, const Texts &texts,
                       QWidget *parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnWizardBack() override;
    bool OnWizardNext() override;
    void ApplyShownValues(CAppletParameters &params) const override;
    bool StoreShownValues() override;

    // Reads the controls and copies the page's values into the fields of
    // state nState + 1 (nothing for a state outside 0..2).
    void StoreState(int nState);
    // Shows the values of the state m_nState names.
    void LoadState();

    bool IsSub() const { return m_bSub; }

    // Controls (object names are the control ids).
    QRadioButton *m_rbNormal = nullptr;      // 1032
    QRadioButton *m_rbMouseMove = nullptr;   // 1068
    QRadioButton *m_rbMouseClick = nullptr;  // 1010
    CColorButton *m_btnBKColor = nullptr;    // 1046
    CColorButton *m_btnFRColor = nullptr;    // 1016
    QRadioButton *m_rbPlain = nullptr;       // 1048
    QRadioButton *m_rbRaised = nullptr;      // 1012
    QRadioButton *m_rbSunken = nullptr;      // 1013
    QComboBox *m_cbFillStyle = nullptr;      // 1045
    QComboBox *m_cbImageAlign = nullptr;     // 1072
    QComboBox *m_cbTextAlign = nullptr;      // 1036
    QPushButton *m_btnFont = nullptr;        // 1069
    // The font of the state on show, in words ("System UI, 15 px, Semibold").
    QLabel *m_lblFont = nullptr;
    // Copy the shown state's values to the other two states, or to the same
    // state of the other menu's items ("Copy to Sub Menu" on the main-menu
    // page, "Copy to Main Menu" on the sub-menu page). Each is one undo step.
    QPushButton *m_btnCopyToStates = nullptr;
    QPushButton *m_btnCopyToMenu = nullptr;
    // Confirms a copy ("Copied to the other states.").
    CStatusLine *m_lblStatus = nullptr;
    // The text's contrast in the state on show, following every edit.
    CContrastLabel *m_contrast = nullptr;

    // The page's values; the state shown is m_nState (0 Normal, 1 Mouse
    // Move, 2 Mouse Click). The font is chosen in the font dialog: the
    // stored values as they are, the applet's and today's.
    int m_nState = -1;
    int m_nBorderStyle = -1;
    int m_nFillStyle = -1;
    int m_nImageAlign = -1;
    int m_nTextAlign = -1;
    int m_nFontName = 0;
    int m_nFontSize = 0;
    int m_nFontStyle = 0;
    int m_nFontFamily = 0;
    int m_nFontWeight = 0;
    int m_nFontItalic = 0;
    int m_nFontPx = 0;

private slots:
    void OnState(int nState);
    void OnFont();
    void OnCopyToOtherStates();
    void OnCopyToOtherMenu();
    void UpdateContrast();

private:
    void BuildControls() override;
    // The font the page's values give, as the page on show draws it; with
    // bClassic, as the applet's values alone give it.
    CItemFont ShownFont() const;
    CItemFont ShownFont(bool bClassic) const;
    // The font line and the Font button's description follow the values.
    void UpdateFontLine();
    void DoDataExchange(CDataExchange &dx) override;

    const bool m_bSub;
    const Texts m_texts;
    QButtonGroup *m_groupState = nullptr;
    QButtonGroup *m_groupBorder = nullptr;
};
