#include "store/SiteUpdate.h"

#include "model/AppletParameters.h"
#include "model/StringTable.h"
#include "store/AtomicFile.h"
#include "store/FileSet.h"
#include "store/PageScript.h"
#include "store/ProjectFile.h"
#include "store/StoredConfig.h"
#include "store/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// How long a save waits for another save of the same project.
constexpr int kLockWaitMs = 10 * 1000;

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString FolderOf(const QString &sitePath)
{
    const qsizetype slash = sitePath.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : sitePath.left(slash);
}

} // namespace

CSiteUpdate::CSiteUpdate(const QString &strProjectPath, CAppletParameters &params)
    : m_strProjectPath(strProjectPath),
      m_strSiteFolder(QDir::cleanPath(QFileInfo(strProjectPath).absolutePath())),
      m_params(params)
{
}

QString CSiteUpdate::SitePath(const QString &strPagePath) const
{
    const QString relative = QDir(m_strSiteFolder).relativeFilePath(QFileInfo(strPagePath).absoluteFilePath());
    const QString clean = QDir::cleanPath(relative);
    if (clean.isEmpty() || clean == QLatin1String(".") || clean.startsWith(QLatin1String("../"))
        || clean == QLatin1String("..") || QDir::isAbsolutePath(clean))
        return QString();
    return clean;
}

bool CSiteUpdate::Choose(const QStringList &pagePaths, QString *pError)
{
    m_pages.clear();
    const QDir site(m_strSiteFolder);
    if (pagePaths.isEmpty()) {
        for (const CSitePage &page : m_params.m_SitePages) {
            // A hand-edited list may name a page outside the site.
            if (SitePath(site.filePath(page.strPath)) != page.strPath) {
                if (pError)
                    *pError = QStringLiteral("%1: the site page %2 is not in the site folder %3")
                                  .arg(Shown(m_strProjectPath), page.strPath, Shown(m_strSiteFolder));
                m_pages.clear();
                return false;
            }
            CPage chosen;
            chosen.strPath = page.strPath;
            chosen.strFullPath = site.filePath(page.strPath);
            m_pages.append(chosen);
        }
        return true;
    }
    QStringList errors;
    for (const QString &path : pagePaths) {
        const QString sitePath = SitePath(path);
        if (sitePath.isNull()) {
            errors.append(QStringLiteral("%1: not in the site folder %2").arg(Shown(path), Shown(m_strSiteFolder)));
            continue;
        }
        bool listed = false;
        for (const CPage &page : m_pages)
            listed = listed || page.strPath == sitePath;
        if (listed)
            continue;
        CPage chosen;
        chosen.strPath = sitePath;
        chosen.strFullPath = site.filePath(sitePath);
        m_pages.append(chosen);
    }
    if (!errors.isEmpty()) {
        m_pages.clear();
        if (pError)
            *pError = errors.join(QLatin1Char('\n'));
        return false;
    }
    return true;
}

void CSiteUpdate::Read()
{
    QHash<QString, QByteArray> lastMenu;
    for (const CSitePage &page : m_params.m_SitePages)
        lastMenu.insert(page.strPath, page.menuHash);
    for (CPage &page : m_pages) {
        QFile in(page.strFullPath);
        const QFileInfo info(page.strFullPath);
        page.bytes.clear();
        page.strError.clear();
        if (!info.isFile()) {
            page.strError = info.exists() ? QStringLiteral("not a file") : QStringLiteral("no such file");
        } else if (!in.open(QIODevice::ReadOnly)) {
            page.strError = in.errorString();
        } else {
            // The time first: a change made while the page is read then
            // shows as a changed time when it is checked before the save.
            page.nModified = info.lastModified().toMSecsSinceEpoch();
            page.bytes = in.readAll();
            if (in.error() != QFileDevice::NoError)
                page.strError = in.errorString();
        }
        page.state = page.strError.isEmpty() ? SitePageState(page.bytes, lastMenu.value(page.strPath))
                                             : ESitePageState::NoPlace;
    }
}

bool CSiteUpdate::Save(const CSiteBlockMaker &makeBlock, const QString &strAppDir, bool bOverwriteChanged,
                       QString *pError)
{
    QStringList errors;
    for (const CPage &page : m_pages) {
        if (!page.strError.isEmpty())
            errors.append(QStringLiteral("%1: %2").arg(Shown(page.strFullPath), page.strError));
        else if (page.state == ESitePageState::NoPlace)
            errors.append(QStringLiteral("%1: %2 (no menu markers and no <body> tag)")
                              .arg(Shown(page.strFullPath), SitePageStateText(page.state)));
        else if (page.state == ESitePageState::ChangedSince && !bOverwriteChanged)
            errors.append(QStringLiteral("%1: %2").arg(Shown(page.strFullPath), SitePageStateText(page.state)));
    }
    if (m_pages.isEmpty())
        errors.append(QStringLiteral("%1: the project lists no site pages").arg(Shown(m_strProjectPath)));
    if (!errors.isEmpty()) {
        if (pError)
            *pError = errors.join(QLatin1Char('\n'));
        return false;
    }

    // The new pages and what the project file records of each. Their
    // modification time is set as they are written, so that the record
    // holds it.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    CSitePageList records = m_params.m_SitePages;
    QList<CFileContent> files;
    files.reserve(m_pages.size() + 1);
    for (const CPage &page : m_pages) {
        QByteArray updated;
        QByteArray menuHash;
        const QByteArray block = makeBlock(FolderOf(page.strPath), PageLineEnd(page.bytes));
        if (!PutMenuIntoPage(page.bytes, block, &updated, &menuHash)) {
            if (pError)
                *pError = QStringLiteral("%1: %2").arg(Shown(page.strFullPath),
                                                      SitePageStateText(ESitePageState::NoPlace));
            return false;
        }
        CFileContent file(page.strFullPath, updated);
        file.bMustBeUnchanged = true;
        file.readBytes = page.bytes;
        file.nReadModified = page.nModified;
        file.nSetModified = now;
        files.append(file);

        CSitePage record;
        record.strPath = page.strPath;
        record.nSize = updated.size();
        record.nModified = now;
        record.pageHash = ContentHash(updated);
        record.menuHash = menuHash;
        qsizetype at = 0;
        while (at < records.size() && records[at].strPath != page.strPath)
            ++at;
        if (at < records.size())
            records[at] = record;
        else
            records.append(record);
    }

    // The script the block loads, then the class file and the images, into
    // the site folder once for all pages. The script is needed; a failed
    // copy of the others is not an error, as for a saved page.
    if (!CopyPageScript(strAppDir, m_strSiteFolder, m_pages.first().strFullPath, pError))
        return false;
    CopyFileAtomically(QDir(strAppDir).filePath(LoadString(StringId::AppletClass)),
                       QDir(m_strSiteFolder).filePath(LoadString(StringId::AppletClass)));
    for (const QString &image : ImageFilesToCopy(m_params))
        CopyFileAtomically(image, QDir(m_strSiteFolder).filePath(QFileInfo(image).fileName()));

    const CSitePageList before = m_params.m_SitePages;
    m_params.m_SitePages = records;
    files.append(CFileContent(m_strProjectPath, ProjectIniFor(m_params).ToBytes()));

    QString failedPath;
    QString error;
    CFileSet set(m_strProjectPath);
    if (!set.Replace(files, kLockWaitMs, &failedPath, &error)) {
        m_params.m_SitePages = before;
        if (pError)
            *pError = QStringLiteral("%1: %2").arg(Shown(failedPath), error);
        return false;
    }
    return true;
}
