#include "store/project/ProjectFile.h"

#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"
#include "store/files/AtomicFile.h"
#include "store/files/FileSet.h"
#include "store/ini/IniFile.h"
#include "store/beside/BesideFiles.h"
#include "store/project/SitePageKeys.h"
#include "store/project/StoredConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// How long a save or a load waits for another save of the same page.
constexpr int kLockWaitMs = 10 * 1000;

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

QString PagePathFor(const QString &strProjectPath)
{
    const QString base = ProjectPathFor(strProjectPath).chopped(4);
    const QString htm = base + QStringLiteral(".htm");
    const QString html = base + QStringLiteral(".html");
    return !QFileInfo(htm).isFile() && QFileInfo(html).isFile() ? html : htm;
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

    // The script a page for today's browsers loads, the class file and the
    // pictures, checked before anything is written: a copy that would take
    // the name of the page or its project file refuses the save.
    CBesideFiles beside;
    if (!CollectBesideFiles(params, strAppDir, strFolder, params.m_ModernPage != 0, strPath,
                            {QFileInfo(strPath).fileName(), QFileInfo(projectPath).fileName()}, &beside, pError))
        return false;

    // The page, its project file (always a fresh one, so no key of an
    // earlier save stays) and the copies replaced as one change: see
    // CFileSet for what holds when the save is interrupted or another save
    // of the same page runs at the same time. The set is named after the
    // project file, which pages of one base name (menu.htm, menu.html)
    // share.
    QList<CFileContent> files{{strPath, html}, {projectPath, ProjectIniFor(params).ToBytes()}};
    files += beside.files;
    // As a site update replaces its pages (SiteUpdate.cpp), but the message
    // differs: a page's save names the file only when the error does not.
    QString failedPath;
    QString error;
    CFileSet set(projectPath);
    if (!set.Replace(files, kLockWaitMs, &failedPath, &error)) {
        if (pError)
            *pError = error.startsWith(QDir::toNativeSeparators(failedPath)) ? error : Reason(failedPath, error);
        return false;
    }
    if (pBeside)
        *pBeside = beside.names;
    return true;
}

bool SaveProjectFile(const QString &strProjectPath, const CAppletParameters &params, const QString &strAppDir,
                     bool bReplace, QString *pError)
{
    const QFileInfo info(strProjectPath);
    QString refusal;
    if (SameFile(strProjectPath, QDir(strAppDir).filePath(LoadString(StringId::TemplateLibrary))))
        refusal = QStringLiteral("it would replace the template library; choose another name or folder");
    else if (!info.absoluteDir().exists())
        refusal = QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(info.absolutePath()));
    if (!refusal.isEmpty()) {
        if (pError)
            *pError = Reason(strProjectPath, refusal);
        return false;
    }
    CFileContent file(info.absoluteFilePath(), ProjectIniFor(params).ToBytes());
    file.bMustBeNew = !bReplace;
    QString failedPath;
    QString error;
    CFileSet set(info.absoluteFilePath());
    if (!set.Replace({file}, kLockWaitMs, &failedPath, &error)) {
        if (pError)
            *pError = error.startsWith(QDir::toNativeSeparators(failedPath)) ? error : Reason(failedPath, error);
        return false;
    }
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
