#pragma once

#include "wizard/WizardPage.h"

class CGeneralPage : public CWizardPage {
    Q_OBJECT
public:
    explicit CGeneralPage(QWidget *parent = nullptr);
};
