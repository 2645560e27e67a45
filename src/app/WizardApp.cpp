#include "app/WizardApp.h"

#include "app/PreviewLauncher.h"
#include "app/QtUserInterface.h"
#include "model/text/StringTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {
// Only to check that one exists at a time; everything that uses the
// application is handed it.
CWizardApp *g_pApp = nullptr;
}

CWizardApp::CWizardApp()
{
    Q_ASSERT(!g_pApp);
    g_pApp = this;
    // The pictures are compiled into a static library; nothing else would
    // pull them into the program.
    Q_INIT_RESOURCE(vantrel);
}

CWizardApp::~CWizardApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWizardApp::InitInstance()
{
    m_strAppDir = QDir::cleanPath(QCoreApplication::applicationDirPath());
    while (m_strAppDir.size() > 1 && m_strAppDir.endsWith(QLatin1Char('/')))
        m_strAppDir.chop(1);
    ReadSettings();
}

void CWizardApp::ReadSettings()
{
    auto settings = OpenUserSettings();
    settings->beginGroup(LoadString(StringId::SettingsSection));
    // A value that is not a number (edited by hand) counts as missing.
    bool isNumber = false;
    m_bUseDefaultBrowser = settings->value(LoadString(StringId::UseDefault), 1).toInt(&isNumber);
    if (!isNumber)
        m_bUseDefaultBrowser = 1;
    m_strBrowserPath = settings->value(LoadString(StringId::SpecifyBrowser), QString()).toString();
    settings->endGroup();
}

void CWizardApp::WriteBrowserSettings()
{
    auto settings = OpenUserSettings();
    settings->beginGroup(LoadString(StringId::SettingsSection));
    settings->setValue(LoadString(StringId::UseDefault), m_bUseDefaultBrowser ? 1 : 0);
    settings->setValue(LoadString(StringId::SpecifyBrowser),
                       m_bUseDefaultBrowser ? QString() : m_strBrowserPath);
    settings->endGroup();
    settings->sync();
}

CUserInterface &CWizardApp::Ui()
{
    if (!m_pUi)
        m_pUi = std::make_unique<CQtUserInterface>();
    return *m_pUi;
}

void CWizardApp::SetUserInterface(std::unique_ptr<CUserInterface> ui)
{
    m_pUi = std::move(ui);
}

QString CWizardApp::AppFilePath(const QString &relative) const
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(m_strAppDir).filePath(rel);
}

QString CWizardApp::TemplateLibraryPath() const
{
    return AppFilePath(LoadString(StringId::TemplateLibrary));
}

void CWizardApp::OpenInBrowser(const QString &strPath, QWidget *owner)
{
    ::OpenInBrowser(*this, strPath, owner);
}

void CWizardApp::PreviewPage(const QString &strHTML, QWidget *owner)
{
    ::PreviewPage(*this, strHTML, owner);
}

void CWizardApp::ClearScratchFolder()
{
    ::ClearScratchFolder(*this);
}

void CWizardApp::ShowFocusFromTheStart(QWidget &window)
{
    ::ShowFocusFromTheStart(window);
}
