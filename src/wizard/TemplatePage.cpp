#include "wizard/TemplatePage.h"

CTemplatePage::CTemplatePage(QWidget *parent)
    : CWizardPage(132, QStringLiteral("Select a Template to Start Work"), 131, parent)
{
}

bool CTemplatePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CWizardPage::OnSetActive();
}
