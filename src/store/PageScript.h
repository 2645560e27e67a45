#pragma once

#include <QString>

class CAppletParameters;

// A page that works in today's browsers loads the menu script from its own
// folder. Copies the script from the program folder strAppDir into
// strFolder, the folder of the page strPagePath, when the configuration's
// page needs it, whole or not at all. Returns true when it was copied or is
// not needed; false, with the file, the reason and the page that needs it in
// *pError, when it could not be copied.
bool CopyPageScriptFor(const CAppletParameters &params, const QString &strAppDir,
                       const QString &strFolder, const QString &strPagePath,
                       QString *pError = nullptr);
// The same for a page that needs the script whatever its configuration says
// (a site page).
bool CopyPageScript(const QString &strAppDir, const QString &strFolder, const QString &strPagePath,
                    QString *pError = nullptr);
