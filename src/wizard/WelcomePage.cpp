#include "wizard/WelcomePage.h"

#include "wizard/MenuWizardSheet.h"

#include <QLabel>

CWelcomePage::CWelcomePage(QWidget *parent)
    : CWizardPage(104, QStringLiteral("Welcome to the Vantrel!"), 130, parent)
{
}

bool CWelcomePage::OnInitDialog()
{
    // The heading's own font made bold becomes every page's heading font.
    if (CMenuWizardSheet *sheet = Sheet()) {
        QFont font = m_staticTitle->font();
        font.setWeight(QFont::Bold);
        sheet->m_fontTitle = font;
    }
    ApplyTitleFont();
    return true;
}

bool CWelcomePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
    return CWizardPage::OnSetActive();
}
