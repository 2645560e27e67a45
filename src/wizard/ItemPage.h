#pragma once

#include "wizard/WizardPage.h"

class CItemPage : public CWizardPage {
    Q_OBJECT
public:
    explicit CItemPage(QWidget *parent = nullptr);
    bool OnSetActive() override;
};
