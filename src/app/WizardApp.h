#pragma once

#include "app/UserInterface.h"
#include "app/WizardHost.h"
#include "model/config/AppletParameters.h"
#include "store/ini/UserSettings.h"

#include <QString>
#include <memory>

class CMenuWizardSheet;

// The program's root: the program folder, the browser setting, the one
// configuration, and the wizard sheet while it runs. Exactly one exists at a
// time; the wizard gets it as its CWizardHost and hands it on.
class CWizardApp : public CWizardHost {
public:
    CWizardApp();
    ~CWizardApp() override;
    CWizardApp(const CWizardApp &) = delete;
    CWizardApp &operator=(const CWizardApp &) = delete;

    // Start-up: the program folder, then the settings. The start-up code
    // runs the wizard after it (CMenuWizardSheet::RunModal).
    void InitInstance();
    // Reads "Use Default" and "Specify Browser" from the per-user settings.
    void ReadSettings();
    // Writes the browser choice: "Use Default" first, then "Specify Browser".
    void WriteBrowserSettings() override;

    // The seam for dialogs and launches (the real one unless a test set another).
    CUserInterface &Ui() override;
    void SetUserInterface(std::unique_ptr<CUserInterface> ui);

    // A file of the program folder, given with "\" or "/" separators as the
    // string table holds them ("Sample\Samples.html").
    QString AppFilePath(const QString &relative) const override;
    QString TemplateLibraryPath() const override;

    CAppletParameters &Params() override { return m_params; }
    QString AppDir() const override { return m_strAppDir; }
    bool UsesDefaultBrowser() const override { return m_bUseDefaultBrowser != 0; }
    QString BrowserPath() const override { return m_strBrowserPath; }
    void SetBrowser(bool bUseDefault, const QString &strPath) override
    {
        m_bUseDefaultBrowser = bUseDefault ? 1 : 0;
        m_strBrowserPath = strPath;
    }
    void SetWizardSheet(CMenuWizardSheet *sheet) override { m_pWizardSheet = sheet; }

    // The browser and the scratch folder (app/PreviewLauncher.h) and the
    // focus frames of the real dialogs (app/QtUserInterface.h).
    void OpenInBrowser(const QString &strPath, QWidget *owner) override;
    void PreviewPage(const QString &strHTML, QWidget *owner) override;
    void ClearScratchFolder() override;
    void ShowFocusFromTheStart(QWidget &window) override;

    QString m_strAppDir;
    // The wizard sheet while it runs (set by whoever runs it).
    CMenuWizardSheet *m_pWizardSheet = nullptr;
    int m_bUseDefaultBrowser = 1;
    QString m_strBrowserPath;
    CAppletParameters m_params;

private:
    std::unique_ptr<CUserInterface> m_pUi;
};
