#pragma once

#include "app/UserInterface.h"

#include <QString>

class CAppletParameters;
class CMenuWizardSheet;
class QWidget;

// What the wizard's pages, dialogs and helpers use of the program: the one
// configuration, the dialog/launch seam, the program's files and the browser
// choice. The application implements it and hands it to the sheet, which
// hands it on to whatever it makes.
class CWizardHost {
public:
    virtual ~CWizardHost() = default;

    // The configuration being edited (owned by the application).
    virtual CAppletParameters &Params() = 0;
    // The seam for dialogs and launches.
    virtual CUserInterface &Ui() = 0;

    // The program folder, and a file in it given with "\" or "/" separators.
    virtual QString AppDir() const = 0;
    virtual QString AppFilePath(const QString &relative) const = 0;
    virtual QString TemplateLibraryPath() const = 0;

    // The browser that shows previews: the default one, or the program at
    // BrowserPath().
    virtual bool UsesDefaultBrowser() const = 0;
    virtual QString BrowserPath() const = 0;
    virtual void SetBrowser(bool bUseDefault, const QString &strPath) = 0;
    // Keeps the browser choice in the per-user settings.
    virtual void WriteBrowserSettings() = 0;

    // The sheet that runs the wizard, while it runs (null otherwise).
    virtual void SetWizardSheet(CMenuWizardSheet *sheet) = 0;

    // Opens an existing document in the chosen browser; a browser that
    // cannot be started is reported in a message box owned by `owner`.
    virtual void OpenInBrowser(const QString &strPath, QWidget *owner) = 0;
    // Writes the page text (with its beside files and project file) into
    // the scratch folder as the preview page and opens it in the browser.
    virtual void PreviewPage(const QString &strHTML, QWidget *owner) = 0;
    // Deletes the previews written so far.
    virtual void ClearScratchFolder() = 0;
    // Makes focus frames visible from the moment `window` opens, as in the
    // program's own dialogs.
    virtual void ShowFocusFromTheStart(QWidget &window) = 0;
};
