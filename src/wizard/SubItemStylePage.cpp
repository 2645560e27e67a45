#include "wizard/SubItemStylePage.h"

CSubItemStylePage::CSubItemStylePage(QWidget *parent)
    : CItemStylePageBase(true, 138, 135,
                         {"Set Sub Menu Item Style",
                          "Now,You can specify sub menu item style for each item status.",
                          "Sub Menu Item Style"},
                         parent)
{
}
