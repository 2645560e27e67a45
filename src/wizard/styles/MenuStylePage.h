#pragma once

#include "wizard/pages/WizardPage.h"

class CColorButton;
class CStatusLine;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Page 4: the style of the main menu or of the sub menus (one style for all
// sub menus). One set of controls shows the menu chosen by the two radio
// buttons; switching stores the shown values into the menu that was shown
// and loads the other.
class CMenuStylePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CMenuStylePage(CWizardHost &host, QWidget *parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnWizardBack() override;
    bool OnWizardNext() override;
    void ApplyShownValues(CAppletParameters &params) const override;
    bool StoreShownValues() override { return !StoreMenuStyle(m_nMenu); }

    // Reads the controls (with the checks) and copies the page's values into
    // the main menu's fields (nMenu 0) or the sub menus' (1); any other
    // nMenu copies nothing. Returns the box whose check failed, or null.
    QLineEdit *StoreMenuStyle(int nMenu);
    // Shows the values of the menu m_nMenu names.
    void LoadMenuStyle();

    // Controls (object names are the control ids).
    QRadioButton *m_rbMainMenu = nullptr;   // 1044
    QRadioButton *m_rbSubMenu = nullptr;    // 1013
    CColorButton *m_btnBKColor = nullptr;   // 1015
    QRadioButton *m_rbVertical = nullptr;   // 1053
    QRadioButton *m_rbHorizontal = nullptr; // 1012
    QLineEdit *m_editItemWidth = nullptr;   // 1027
    QLineEdit *m_editItemHeight = nullptr;  // 1028
    QLineEdit *m_editBorderThick = nullptr; // 1030
    QLineEdit *m_editItemGap = nullptr;     // 1029
    QComboBox *m_cbBKStyle = nullptr;       // 1064
    // Today's look, shown by pages for today's browsers.
    QLineEdit *m_editItemRadius = nullptr;  // "itemRadius"
    QLineEdit *m_editPanelRadius = nullptr; // "panelRadius"
    QLineEdit *m_editLabelInset = nullptr;  // "labelInset"
    QComboBox *m_cbShadow = nullptr;        // "shadow"
    QCheckBox *m_chkArrows = nullptr;       // "arrows": main menu only
    QCheckBox *m_chkFadeIn = nullptr;       // "fadeIn": sub menus only
    // "Copy to Sub Menu" while the main menu is shown, "Copy to Main Menu"
    // while the sub menus are: the shown values go to the other menu, as
    // one undo step.
    QPushButton *m_btnCopyToMenu = nullptr;
    // Confirms a copy ("Copied to the sub menu.").
    CStatusLine *m_lblStatus = nullptr;

    // The page's values as last exchanged with the controls.
    int m_nItemWidth = 0;
    int m_nItemHeight = 0;
    int m_nBorderThick = 0;
    int m_nItemGap = 0;
    int m_nMenuAlign = -1;
    int m_nBKStyle = -1;
    int m_nItemRadius = 0;
    int m_nPanelRadius = 0;
    int m_nLabelInset = 2; // as shown: the classic room is 2
    int m_nShadow = -1;
    int m_nArrows = 0;
    int m_nFadeIn = 0;
    // The menu shown: 0 the main menu, 1 the sub menus.
    int m_nMenu = -1;

private slots:
    void OnMainMenu();
    void OnSubMenu();
    void OnCopyToOtherMenu();

private:
    void BuildControls() override;
    void DoDataExchange(CDataExchange &dx) override;
    // Stores into the menu that was shown, then shows the one now chosen.
    void SwitchMenu(int nStoreInto);
    // The copy button names the menu not shown; the arrows are the main
    // menu's, fading in the sub menus'.
    void UpdateCopyButton();

    QButtonGroup *m_groupMenu = nullptr;
    QButtonGroup *m_groupAlign = nullptr;
};
