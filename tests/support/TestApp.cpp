#include "TestApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

CTestApp::CTestApp()
{
    // Keeps the tests' settings away from the user's own.
    QStandardPaths::setTestModeEnabled(true);
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
    sheet = std::make_unique<CMenuWizardSheet>(nullptr);
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

QByteArray ReadFileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}
