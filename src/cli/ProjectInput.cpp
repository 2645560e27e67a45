#include "cli/ProjectInput.h"

#include "cli/CliOutput.h"
#include "store/ini/IniFile.h"
#include "store/project/StoredConfig.h"

#include <QDir>
#include <QFileInfo>

int ReadProjectFile(const QString &strProject, CAppletParameters &params)
{
    const QString shown = QDir::toNativeSeparators(strProject);
    if (!QFileInfo(strProject).isFile())
        return ContentError(QStringLiteral("no such project file: %1").arg(shown));
    CIniFile ini;
    if (!ini.Load(strProject))
        return ContentError(QStringLiteral("cannot read the project file %1").arg(shown));
    if (!HoldsProjectValues(ini))
        return ContentError(QStringLiteral("%1 is not a project file: it holds none of a project's values").arg(shown));
    LoadProjectFromIni(params, ini);
    return 0;
}
