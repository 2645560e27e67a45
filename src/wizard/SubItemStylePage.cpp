#include "wizard/SubItemStylePage.h"

CSubItemStylePage::CSubItemStylePage(QWidget *parent)
    : CWizardPage(138, QStringLiteral("Set Sub Menu Item Style"), 135, parent)
{
}
