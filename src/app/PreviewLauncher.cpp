#include "app/PreviewLauncher.h"

#include "app/WizardApp.h"

void OpenInBrowser(const QString &strPath)
{
    CWizardApp *app = CWizardApp::Get();
    if (app->m_bUseDefaultBrowser)
        app->Ui().OpenDocument(strPath);
    else
        app->Ui().StartProgram(app->m_strBrowserPath, {strPath}, QString());
}
