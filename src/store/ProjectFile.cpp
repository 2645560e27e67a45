#include "store/ProjectFile.h"

#include "html/ImageFile.h"
#include "model/AppletParameters.h"
#include "model/StringTable.h"
#include "store/AtomicFile.h"
#include "store/IniFile.h"
#include "store/PageScript.h"
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

// True when both paths name the same file, existing or not.
bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    const Qt::CaseSensitivity cs =
#ifdef Q_OS_WIN
        Qt::CaseInsensitive;
#else
        Qt::CaseSensitive;
#endif
    return QDir::cleanPath(fa.absoluteFilePath()).compare(QDir::cleanPath(fb.absoluteFilePath()), cs) == 0;
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
    // The project file goes beside the page under the page's name; refused
    // before anything is written when that would replace the page itself or
    // the program's template library.
    const QString projectPath = ProjectPathFor(strPath);
    QString refusal;
    if (SameFile(projectPath, strPath))
        refusal = QStringLiteral("the page and its project file would be the same file; "
                                 "choose a name ending in .htm or .html");
    else if (SameFile(projectPath, QDir(strAppDir).filePath(LoadString(StringId::TemplateLibrary))))
        refusal = QStringLiteral("its project file would replace the template library; "
                                 "choose another name or folder");
    if (!refusal.isEmpty()) {
        if (pError)
            *pError = Reason(strPath, refusal);
        return false;
    }

    // The script a page for today's browsers loads; the page needs it, so a
    // failed copy fails the save before anything else is written.
    if (!CopyPageScriptFor(params, strAppDir, strFolder, strPath, pError))
        return false;

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

    // The page and its project file (always a fresh one, so no key of an
    // earlier save stays), each whole; neither is replaced unless both can be.
    QString failedPath;
    QString error;
    if (!WriteFilesAtomically({{strPath, strHTML.toUtf8()}, {projectPath, ProjectIniFor(params).ToBytes()}},
                              &failedPath, &error)) {
        if (pError)
            *pError = Reason(failedPath, error);
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
