#pragma once

#include "wizard/styles/ItemStylePageBase.h"

// Page 5: the look of main-menu items in each state (the m_mi... fields).
class CItemStylePage : public CItemStylePageBase {
    Q_OBJECT
public:
    explicit CItemStylePage(CWizardHost &host, QWidget *parent = nullptr);
};
