#pragma once

#include "wizard/WizardPage.h"

class CMenuStylePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CMenuStylePage(QWidget *parent = nullptr);
};
