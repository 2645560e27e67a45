#pragma once

#include "wizard/pages/WizardPage.h"

class QPushButton;

// The first page: greets the user, makes the sheet's bold heading font, and
// offers the sample page, the browser options and the about box.
class CWelcomePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CWelcomePage(CWizardHost &host, QWidget *parent = nullptr);
    bool OnSetActive() override;

    QPushButton *m_btnViewSample = nullptr;
    QPushButton *m_btnOptions = nullptr;
    QPushButton *m_btnAbout = nullptr;

private:
    void BuildControls() override;
    void OnAbout();
    void OnOptions();
    void OnViewSample();
};
