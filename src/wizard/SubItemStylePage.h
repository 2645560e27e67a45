#pragma once

#include "wizard/WizardPage.h"

class CSubItemStylePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CSubItemStylePage(QWidget *parent = nullptr);
};
