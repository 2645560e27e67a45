#pragma once

#include "wizard/WizardPage.h"

class CItemStylePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CItemStylePage(QWidget *parent = nullptr);
};
