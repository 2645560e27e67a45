#include "wizard/ItemStylePage.h"

CItemStylePage::CItemStylePage(QWidget *parent)
    : CWizardPage(135, QStringLiteral("Set Main Menu Item Style"), 134, parent)
{
}
