#pragma once

#include "wizard/pages/WizardPage.h"

class CColorButton;
class CSpinButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// Page 3: the HTML page's title and alignment, whether it works in today's
// browsers (and then its language and description), the applet's background
// colour and image, and where the menu sits inside the applet. Loads its
// values from the configuration each time it is shown; stores them on Back
// and Next only.
class CGeneralPage : public CWizardPage {
    Q_OBJECT
public:
    explicit CGeneralPage(CWizardHost &host, QWidget *parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnWizardBack() override;
    bool OnWizardNext() override;
    void ApplyShownValues(CAppletParameters &params) const override;
    bool StoreShownValues() override { return Store(); }

    // Controls (object names are the control ids).
    CColorButton *m_btnBKColor = nullptr; // 1015
    CSpinButton *m_spinY = nullptr;       // 1023
    CSpinButton *m_spinX = nullptr;       // 1020
    QComboBox *m_cbAlign = nullptr;       // 1014
    QLineEdit *m_editTitle = nullptr;     // 1013
    QLineEdit *m_editXPos = nullptr;      // 1019
    QLineEdit *m_editYPos = nullptr;      // 1021
    QLineEdit *m_editBKImage = nullptr;   // 1017
    QPushButton *m_btnBrowse = nullptr;   // 1007
    QCheckBox *m_chkModernPage = nullptr; // "modernPage"
    QLineEdit *m_editLang = nullptr;        // "pageLang"
    QLineEdit *m_editDescription = nullptr; // "pageDescription"

    // The page's values as last exchanged with the controls.
    int m_nAlign = -1;
    QString m_strTitle;
    int m_nXPos = 0;
    int m_nYPos = 0;
    QString m_strBKImage;
    int m_nModernPage = 0;
    QString m_strLang;
    QString m_strDescription;

private slots:
    void OnBrowseImage();
    void OnChooseColor();

private:
    void BuildControls() override;
    void DoDataExchange(CDataExchange &dx) override;
    // Reads the controls and copies the page's values into the configuration.
    bool Store();
    // Refuses a title, description or image path holding a control character.
    bool CheckTexts();
    // The language and description belong to a page for today's browsers:
    // their boxes take input while it is chosen.
    void EnableTodaysPage(bool bOn);
};
