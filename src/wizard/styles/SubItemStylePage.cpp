#include "wizard/styles/SubItemStylePage.h"

CSubItemStylePage::CSubItemStylePage(CWizardHost &host, QWidget *parent)
    : CItemStylePageBase(host, true, 138, 135,
                         {"Set Sub Menu Item Style",
                          "Now,You can specify sub menu item style for each item status.",
                          "Sub Menu Item Style"},
                         parent)
{
}
