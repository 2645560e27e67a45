#include "store/ProjectFile.h"

#include "html/ImageFile.h"
#include "model/AppletParameters.h"
#include "model/StringTable.h"
#include "store/AtomicFile.h"
#include "store/IniFile.h"
#include "store/StoredConfig.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Copies a file into a folder under its own name, replacing what is there
// only once the copy is complete. A failed copy is not an error of the save.
void CopyInto(const QString &strSource, const QString &strFolder)
{
    CopyFileAtomically(strSource, QDir(strFolder).filePath(QFileInfo(strSource).fileName()));
}

void CopyImage(const QString &strStored, const QString &strFolder)
{
    if (strStored.isEmpty())
        return;
    const QString found = FindImageFile(strStored);
    if (!found.isEmpty())
        CopyInto(found, strFolder);
}

QString Reason(const QString &strPath, const QString &strError)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), strError);
}

} // namespace

QString ProjectPathFor(const QString &strHTMLPath)
{
    const QString name = QFileInfo(strHTMLPath).fileName();
    const QString folderPart = strHTMLPath.left(strHTMLPath.size() - name.size());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return folderPart + (dot < 0 ? name : name.left(dot)) + QStringLiteral(".qdx");
}

bool SavePage(const QString &strPath, const QString &strFolder, const CAppletParameters &params,
              const QString &strHTML, const QString &strAppDir, QString *pError)
{
    // The class file and the images; a failed copy is not an error.
    CopyInto(QDir(strAppDir).filePath(LoadString(StringId::AppletClass)), strFolder);
    CopyImage(params.m_appBKImagePath, strFolder);
    const CAppletMenu &menu = *params.m_pMainMenu;
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CAppletMenuItem &item = *menu.GetItem(i);
        CopyImage(item.m_strImage, strFolder);
        if (item.m_pSubMenu) {
            for (int j = 0; j < item.m_pSubMenu->GetCount(); ++j)
                CopyImage(item.m_pSubMenu->GetItem(j)->m_strImage, strFolder);
        }
    }

    // The page, written whole or not at all.
    QString error;
    if (!WriteFileAtomically(strPath, strHTML.toUtf8(), &error)) {
        if (pError)
            *pError = Reason(strPath, error);
        return false;
    }

    // The project file, always a fresh one, so no key of an earlier save stays.
    const QString projectPath = ProjectPathFor(strPath);
    if (!ProjectIniFor(params).Save(projectPath, &error)) {
        if (pError)
            *pError = Reason(projectPath, error);
        return false;
    }
    return true;
}

bool CAppletParameters::LoadProject(const QString &strPath)
{
    CIniFile ini;
    ini.Load(strPath);
    LoadProjectFromIni(*this, ini);
    return true;
}
