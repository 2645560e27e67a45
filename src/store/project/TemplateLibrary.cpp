#include "store/project/TemplateLibrary.h"

#include "model/config/AppletParameters.h"
#include "store/ini/IniFile.h"
#include "store/project/StoredConfig.h"

QStringList ListTemplates(const QString &strLibraryPath)
{
    CIniFile ini;
    ini.Load(strLibraryPath);
    return ListTemplatesFromIni(ini);
}

void CAppletParameters::LoadTemplate(int nTemplate, const QString &strLibraryPath)
{
    CIniFile ini;
    ini.Load(strLibraryPath);
    LoadTemplateFromIni(*this, nTemplate, ini);
}
