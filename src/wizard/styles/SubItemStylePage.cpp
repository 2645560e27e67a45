#include "wizard/styles/SubItemStylePage.h"

// The item style page for sub menus: the shared base with the sub menus'
// ids and texts, as the main menu's page has its own (ItemStylePage.cpp).
CSubItemStylePage::CSubItemStylePage(CWizardHost &host, QWidget *parent)
    : CItemStylePageBase(host, true, 138, 135,
                         {"Set Sub Menu Item Style",
                          "Now,You can specify sub menu item style for each item status.",
                          "Sub Menu Item Style"},
                         parent)
{
}
