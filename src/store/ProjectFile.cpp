#include "store/ProjectFile.h"

#include "model/AppletParameters.h"
#include "model/StringTable.h"
#include "store/AtomicFile.h"
#include "store/FileSet.h"
#include "store/ImageFile.h"
#include "store/IniFile.h"
#include "store/PageScript.h"
#include "store/SitePageKeys.h"
#include "store/StoredConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// How long a save or a load waits for another save of the same page.
constexpr int kLockWaitMs = 10 * 1000;

// Copies a file into a folder under its own name, replacing what is there
// only once the copy is complete. A failed copy is not an error of the save.
// Adds the name to *pBeside when the copy is in the folder afterwards.
void CopyInto(const QString &strSource, const QString &strFolder, QStringList *pBeside)
{
    const QString name = QFileInfo(strSource).fileName();
    if (CopyFileAtomically(strSource, QDir(strFolder).filePath(name)))
        pBeside->append(name);
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

QStringList ImageFilesToCopy(const CAppletParameters &params)
{
    CImageLookup images;
    QStringList files;
    QSet<QString> seen;
    auto add = [&](const QString &strStored) {
        if (strStored.isEmpty())
            return;
        const QString found = images.Find(strStored);
        if (found.isEmpty())
            return;
        const QString key = QFileInfo(found).canonicalFilePath();
        if (!seen.contains(key)) {
            seen.insert(key);
            files.append(found);
        }
    };
    add(params.m_appBKImagePath);
    const CAppletMenu &menu = *params.m_pMainMenu;
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CAppletMenuItem &item = *menu.GetItem(i);
        add(item.m_strImage);
        if (item.m_pSubMenu) {
            for (int j = 0; j < item.m_pSubMenu->GetCount(); ++j)
                add(item.m_pSubMenu->GetItem(j)->m_strImage);
        }
    }
    return files;
}

QString ProjectPathFor(const QString &strHTMLPath)
{
    const QString name = QFileInfo(strHTMLPath).fileName();
    const QString folderPart = strHTMLPath.left(strHTMLPath.size() - name.size());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return folderPart + (dot < 0 ? name : name.left(dot)) + QStringLiteral(".qdx");
}

void RecoverInterruptedSave(const QString &strProjectPath)
{
    // Taking the lock of the page's file set finishes or undoes what an
    // interrupted save left (see CFileSet).
    CFileSet files(strProjectPath);
    files.Lock(kLockWaitMs);
}

bool ReadProjectSitePages(const QString &strProjectPath, CSitePageList *pPages)
{
    if (!QFileInfo(strProjectPath).isFile())
        return false;
    RecoverInterruptedSave(strProjectPath);
    CIniFile ini;
    if (!ini.Load(strProjectPath))
        return false;
    *pPages = ReadSitePages(ini);
    return true;
}

bool SavePage(const QString &strPath, const QString &strFolder, const CAppletParameters &params,
              const QString &strHTML, const QString &strAppDir, QString *pError, QStringList *pBeside)
{
    return SavePageBytes(strPath, strFolder, params, strHTML.toUtf8(), strAppDir, pError, pBeside);
}

bool SavePageBytes(const QString &strPath, const QString &strFolder, const CAppletParameters &params,
                   const QByteArray &html, const QString &strAppDir, QString *pError, QStringList *pBeside)
{
    QStringList beside;
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

    // Said plainly before any file is tried: each copy would fail with
    // "No such file or directory" under a name the user never gave.
    if (!QFileInfo(strFolder).isDir()) {
        if (pError)
            *pError = Reason(strPath, QStringLiteral("the folder %1 %2")
                                          .arg(QDir::toNativeSeparators(strFolder),
                                               QFileInfo::exists(strFolder) ? QStringLiteral("is not a folder")
                                                                            : QStringLiteral("does not exist")));
        return false;
    }

    // The script a page for today's browsers loads; the page needs it, so a
    // failed copy fails the save before anything else is written.
    if (!CopyPageScriptFor(params, strAppDir, strFolder, strPath, pError))
        return false;

    // The class file and the images; a failed copy is not an error.
    if (params.m_ModernPage)
        beside.append(LoadString(StringId::PageScript));
    CopyInto(QDir(strAppDir).filePath(LoadString(StringId::AppletClass)), strFolder, &beside);
    for (const QString &image : ImageFilesToCopy(params))
        CopyInto(image, strFolder, &beside);

    // The page and its project file (always a fresh one, so no key of an
    // earlier save stays) replaced as one change: see CFileSet for what
    // holds when the save is interrupted or another save of the same page
    // runs at the same time. The set is named after the project file, which
    // pages of one base name (menu.htm, menu.html) share.
    QString failedPath;
    QString error;
    CFileSet files(projectPath);
    if (!files.Replace({{strPath, html}, {projectPath, ProjectIniFor(params).ToBytes()}},
                       kLockWaitMs, &failedPath, &error)) {
        if (pError)
            *pError = Reason(failedPath, error);
        return false;
    }
    if (pBeside)
        *pBeside = beside;
    return true;
}

bool CAppletParameters::LoadProject(const QString &strPath)
{
    RecoverInterruptedSave(strPath);
    CIniFile ini;
    ini.Load(strPath);
    LoadProjectFromIni(*this, ini);
    return true;
}
