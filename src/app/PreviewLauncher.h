#pragma once

#include <QString>

class CWizardHost;
class QWidget;

// Each function uses the program folder, the browser choice and the dialog
// seam of `host`.

// Opens an existing document in the chosen browser: the default one, or the
// user's program with the document path as its one argument. A browser that
// cannot be started is reported in a message box owned by `owner`.
void OpenInBrowser(CWizardHost &host, const QString &strPath, QWidget *owner = nullptr);

// Writes the page text (with class file, images and project file) into the
// scratch folder as the preview page and opens it in the chosen browser.
// Links found directly in the scratch folder are removed first; a scratch
// folder that cannot be used is reported and nothing is opened.
void PreviewPage(CWizardHost &host, const QString &strHTML, QWidget *owner = nullptr);

// A file of this name in the program folder marks an installed copy (from
// the package or `cmake --install`): its previews never go into the program
// folder, even for a user who may write there (root).
inline constexpr char kInstalledMarker[] = "installed";

// The folder previews are written to: "tmp" in the program folder, or a
// per-user folder when that one cannot be used (an installed copy, not
// writable, a link, or another user's). Empty, with the reason in
// *pRefusal, when the per-user folder is a link or another user's. Previews
// create it owner-only.
QString ScratchFolder(const CWizardHost &host, QString *pRefusal = nullptr);

// Deletes the files in the scratch folder, then the folder if it is empty.
void ClearScratchFolder(const CWizardHost &host);
