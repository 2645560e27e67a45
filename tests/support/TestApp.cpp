#include "TestApp.h"

#include "wizard/dialogs/FileDialogs.h"

#include <QStandardPaths>

CTestApp::CTestApp()
{
    // Keeps the tests' settings away from the user's own.
    QStandardPaths::setTestModeEnabled(true);
    // File dialogs start where the test says, not where an earlier one left them.
    ForgetFolders();
    auto scripted = std::make_unique<CScriptedUi>();
    ui = scripted.get();
    app.SetUserInterface(std::move(scripted));
    app.m_strAppDir = QStringLiteral(VANTREL_BIN_DIR);
}

CTestApp::~CTestApp()
{
    CloseSheet();
}

CMenuWizardSheet &CTestApp::OpenSheet()
{
    CloseSheet();
    sheet = std::make_unique<CMenuWizardSheet>(app);
    app.m_pWizardSheet = sheet.get();
    sheet->show();
    return *sheet;
}

void CTestApp::CloseSheet()
{
    if (sheet) {
        sheet.reset();
        app.m_pWizardSheet = nullptr;
    }
}
