#include "wizard/styles/ItemStylePage.h"

CItemStylePage::CItemStylePage(CWizardHost &host, QWidget *parent)
    : CItemStylePageBase(host, false, 135, 134,
                         {"Set Main Menu Item Style",
                          "Now,You can specify main menu item style for each item status.",
                          "Main Menu Item Style"},
                         parent)
{
}
