#pragma once

#include "wizard/WizardPage.h"

// The first page: greets the user and makes the sheet's bold heading font.
class CWelcomePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CWelcomePage(QWidget *parent = nullptr);
    bool OnInitDialog() override;
    bool OnSetActive() override;
};
