#include "wizard/MenuStylePage.h"

CMenuStylePage::CMenuStylePage(QWidget *parent)
    : CWizardPage(134, QStringLiteral("Set Menu Style"), 133, parent)
{
}
