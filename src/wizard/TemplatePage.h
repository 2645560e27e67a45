#pragma once

#include "wizard/WizardPage.h"

class CTemplatePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CTemplatePage(QWidget *parent = nullptr);
    bool OnSetActive() override;
};
