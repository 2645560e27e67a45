#include "wizard/ItemPage.h"

CItemPage::CItemPage(QWidget *parent)
    : CWizardPage(136, QStringLiteral("Insert Items Into Menu"), 0, parent)
{
}

bool CItemPage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CWizardPage::OnSetActive();
}
