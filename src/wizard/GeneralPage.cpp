#include "wizard/GeneralPage.h"

CGeneralPage::CGeneralPage(QWidget *parent)
    : CWizardPage(133, QStringLiteral("Set General Parameters"), 132, parent)
{
}
