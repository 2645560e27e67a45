#include "store/TemplateLibrary.h"

#include "model/AppletParameters.h"
#include "store/IniFile.h"
#include "store/StoredConfig.h"

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
