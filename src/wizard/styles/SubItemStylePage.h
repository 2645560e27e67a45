#pragma once

#include "wizard/styles/ItemStylePageBase.h"

// Page 6: the look of sub-menu items in each state (the m_si... fields).
class CSubItemStylePage : public CItemStylePageBase {
    Q_OBJECT
public:
    explicit CSubItemStylePage(CWizardHost &host, QWidget *parent = nullptr);
};
