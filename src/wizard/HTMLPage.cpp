#include "wizard/HTMLPage.h"

CHTMLPage::CHTMLPage(QWidget *parent)
    : CWizardPage(137, QStringLiteral("Congratulations,You just finished the work!"), 137, parent)
{
}

bool CHTMLPage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return CWizardPage::OnSetActive();
}
