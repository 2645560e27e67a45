#pragma once

#include "wizard/WizardPage.h"

class CHTMLPage : public CWizardPage {
    Q_OBJECT
public:
    explicit CHTMLPage(QWidget *parent = nullptr);
    bool OnSetActive() override;
};
