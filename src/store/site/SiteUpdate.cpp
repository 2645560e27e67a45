#include "store/site/SiteUpdate.h"

#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"
#include "store/files/AtomicFile.h"
#include "store/files/FileSet.h"
#include "store/beside/BesideFiles.h"
#include "store/project/ProjectFile.h"
#include "store/project/StoredConfig.h"
#include "store/ini/IniFile.h"

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

// A name the project file and the change's journal can hold: no control
// character (they end lines and fields) and no backslash.
bool HoldableName(const QString &path)
{
    for (const QChar c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('\\'))
            return false;
    return true;
}

QString UnholdableReason(const QString &shown)
{
    return QStringLiteral("%1: a page name with a control character or a backslash cannot be kept in the "
                          "project file; rename the page")
        .arg(shown);
}

QString ConcurrentReason(const QString &project)
{
    return QStringLiteral("%1: another update of this project is running (or ran since this one read the "
                          "pages); try again when it has finished")
        .arg(Shown(project));
}

} // namespace

CSiteUpdate::CSiteUpdate(const QString &strProjectPath, CAppletParameters &params)
    : m_strProjectPath(strProjectPath),
      m_strSiteFolder(QDir::cleanPath(QFileInfo(strProjectPath).absolutePath())),
      m_params(params)
{
    m_folder.Open(m_strSiteFolder, &m_strFolderError);
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
            if (!HoldableName(page.strPath)) {
                if (pError)
                    *pError = UnholdableReason(page.strPath);
                m_pages.clear();
                return false;
            }
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
        if (!HoldableName(QDir::fromNativeSeparators(path))
            || !HoldableName(QFileInfo(path).fileName())) {
            errors.append(UnholdableReason(Shown(path)));
            continue;
        }
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
        page.bytes.clear();
        page.strError.clear();
        // Read through the site folder's handle: a page that is a link, or
        // lies in a folder that is one, is refused by name.
        CFolderHandle::CEntry entry;
        QString error;
        if (!m_folder.IsOpen()) {
            page.strError = m_strFolderError;
        } else if (m_folder.ReadFile(page.strPath, &page.bytes, &entry, &error)) {
            page.nModified = entry.nModified;
        } else {
            // The reason alone when it is about the page itself.
            const QString own = m_folder.FullPath(page.strPath) + QStringLiteral(": ");
            page.strError = error.startsWith(own) ? error.mid(own.size()) : error;
        }
        page.state = page.strError.isEmpty() ? SitePageState(page.bytes, lastMenu.value(page.strPath))
                                             : ESitePageState::NoPlace;
    }
    CFolderHandle::CEntry entry;
    m_bProjectRead = m_folder.IsOpen()
                     && m_folder.ReadFile(QFileInfo(m_strProjectPath).fileName(), &m_projectBytes, &entry);
    m_nProjectModified = entry.nModified;
}

const CSitePage *CSiteUpdate::Record(const QString &strPath) const
{
    for (const CSitePage &record : m_params.m_SitePages)
        if (record.strPath == strPath)
            return &record;
    return nullptr;
}

bool CSiteUpdate::PageAfterUpdate(const CPage &page, const CSiteBlockMaker &makeBlock, QByteArray *pOut,
                                  QByteArray *pMenuHash, int *pAdded) const
{
    if (!page.strError.isEmpty() || !SitePageCanTakeMenu(page.state))
        return false;
    const QByteArray block = makeBlock(FolderOf(page.strPath), PageLineEnd(page.bytes));
    return PutMenuIntoPage(page.bytes, block, pOut, pMenuHash, pAdded);
}

bool CSiteUpdate::IsUpToDate(const CPage &page, const CSiteBlockMaker &makeBlock) const
{
    QByteArray updated;
    return PageAfterUpdate(page, makeBlock, &updated) && updated == page.bytes;
}

bool CSiteUpdate::PageAfterRemoval(const CPage &page, QByteArray *pOut) const
{
    if (!page.strError.isEmpty())
        return false;
    const CSitePage *record = Record(page.strPath);
    return TakeMenuOutOfPage(page.bytes, record ? record->nAdded : kAddedUnknown, pOut);
}

bool CSiteUpdate::Save(const CSiteBlockMaker &makeBlock, const QString &strAppDir, bool bOverwriteChanged,
                       QString *pError)
{
    m_nUpdated = 0;
    m_nUpToDate = 0;
    QStringList errors;
    for (const CPage &page : m_pages) {
        if (!page.strError.isEmpty())
            errors.append(QStringLiteral("%1: %2").arg(Shown(page.strFullPath), page.strError));
        else if (page.state == ESitePageState::NoPlace)
            errors.append(QStringLiteral("%1: %2 (no menu markers and no <body> tag)")
                              .arg(Shown(page.strFullPath), SitePageStateText(page.state)));
        else if (!SitePageCanTakeMenu(page.state))
            errors.append(QStringLiteral("%1: %2").arg(Shown(page.strFullPath), SitePageStateText(page.state)));
        else if (page.state == ESitePageState::ChangedSince && !bOverwriteChanged && !IsUpToDate(page, makeBlock))
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
    // holds it. A page already up to date is not written.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    CSitePageList records = m_params.m_SitePages;
    QList<CFileContent> files;
    files.reserve(m_pages.size() + 1);
    qsizetype updated = 0;
    for (const CPage &page : m_pages) {
        QByteArray bytes;
        QByteArray menuHash;
        int added = 0;
        const CMenuPlace place = FindMenuPlace(page.bytes);
        if (!PageAfterUpdate(page, makeBlock, &bytes, &menuHash, &added)) {
            if (pError)
                *pError = QStringLiteral("%1: %2").arg(Shown(page.strFullPath),
                                                      SitePageStateText(ESitePageState::NoPlace));
            return false;
        }
        const bool upToDate = bytes == page.bytes;
        if (!upToDate) {
            CFileContent file(page.strFullPath, bytes);
            file.bMustBeUnchanged = true;
            file.readBytes = page.bytes;
            file.nReadModified = page.nModified;
            file.nSetModified = now;
            files.append(file);
            ++updated;
        }

        CSitePage record;
        record.strPath = page.strPath;
        record.nSize = bytes.size();
        record.nModified = upToDate ? page.nModified : now;
        record.pageHash = ContentHash(bytes);
        record.menuHash = menuHash;
        // Markers that were there already keep what was known of them (a
        // page never updated: nothing was added there); a menu put in
        // afresh is known whole.
        const CSitePage *before = Record(page.strPath);
        if (place.kind != CMenuPlace::Between || !before || before->nSize < 0)
            record.nAdded = added;
        else
            record.nAdded = before->nAdded < 0 ? before->nAdded : before->nAdded | added;
        qsizetype at = 0;
        while (at < records.size() && records[at].strPath != page.strPath)
            ++at;
        if (at < records.size())
            records[at] = record;
        else
            records.append(record);
    }

    // The script the block loads, the class file and the pictures, into the
    // site folder once for all pages, as parts of the same change; a copy
    // that would take the name of a page in the site folder or of the
    // project file refuses the update before anything is written.
    QStringList taken{QFileInfo(m_strProjectPath).fileName()};
    for (const CPage &page : m_pages)
        if (FolderOf(page.strPath).isEmpty())
            taken.append(page.strPath);
    CBesideFiles beside;
    if (!CollectBesideFiles(m_params, strAppDir, m_strSiteFolder, true, m_pages.first().strFullPath, taken, &beside,
                            pError))
        return false;

    // The script, the class file and the pictures are part of the same change.
    files += beside.files;
    if (!Commit(files, records, pError))
        return false;
    m_nUpdated = updated;
    m_nUpToDate = m_pages.size() - updated;
    return true;
}

bool CSiteUpdate::Commit(QList<CFileContent> files, const CSitePageList &records, QString *pError)
{
    const CSitePageList before = m_params.m_SitePages;
    m_params.m_SitePages = records;
    // The project file first: when it was changed since Read(), another
    // update ran, and that is what the message tells.
    CFileContent project(m_strProjectPath, ProjectIniFor(m_params).ToBytes());
    project.bMustBeUnchanged = m_bProjectRead;
    project.readBytes = m_projectBytes;
    project.nReadModified = m_nProjectModified;
    files.prepend(project);

    QString failedPath;
    QString error;
    CFileSet set(m_strProjectPath);
    if (!set.Replace(files, kLockWaitMs, &failedPath, &error)) {
        m_params.m_SitePages = before;
        if (pError) {
            if (set.WasBusy() || (failedPath == m_strProjectPath && error == QLatin1String(CFileSet::kChangedSinceRead)))
                *pError = ConcurrentReason(m_strProjectPath);
            else if (error.startsWith(Shown(failedPath) + QLatin1Char(':')))
                *pError = error;
            else
                *pError = QStringLiteral("%1: %2").arg(Shown(failedPath), error);
        }
        return false;
    }
    return true;
}

bool CSiteUpdate::Remove(const QStringList &pagePaths, bool bTakeMenuOut, bool bOverwriteChanged, QString *pError)
{
    m_nUpdated = 0;
    m_nUpToDate = 0;
    if (!Choose(pagePaths, pError))
        return false;
    QStringList errors;
    for (const CPage &page : m_pages)
        if (!Record(page.strPath))
            errors.append(QStringLiteral("%1: not a site page of %2").arg(Shown(page.strFullPath),
                                                                          Shown(m_strProjectPath)));
    if (m_pages.isEmpty())
        errors.append(QStringLiteral("name the pages to take off the list"));
    if (!errors.isEmpty()) {
        if (pError)
            *pError = errors.join(QLatin1Char('\n'));
        return false;
    }
    Read();

    QList<CFileContent> files;
    if (bTakeMenuOut)
        files = MenuRemovals(bOverwriteChanged, &errors);
    if (!errors.isEmpty()) {
        if (pError)
            *pError = errors.join(QLatin1Char('\n'));
        return false;
    }

    CSitePageList records;
    for (const CSitePage &record : m_params.m_SitePages) {
        bool removed = false;
        for (const CPage &page : m_pages)
            removed = removed || page.strPath == record.strPath;
        if (!removed)
            records.append(record);
    }
    const qsizetype changed = files.size();
    if (!Commit(files, records, pError))
        return false;
    m_nUpdated = changed;
    return true;
}

QList<CFileContent> CSiteUpdate::MenuRemovals(bool bOverwriteChanged, QStringList *pErrors) const
{
    QList<CFileContent> files;
    QStringList &errors = *pErrors;
    for (const CPage &page : m_pages) {
        // A missing page, or one without a menu, only leaves the list.
        if (!page.strError.isEmpty() || page.state == ESitePageState::Add
            || page.state == ESitePageState::NoPlace)
            continue;
        if (page.state == ESitePageState::ChangedSince && !bOverwriteChanged) {
            errors.append(QStringLiteral("%1: %2").arg(Shown(page.strFullPath), SitePageStateText(page.state)));
            continue;
        }
        QByteArray bytes;
        if (!PageAfterRemoval(page, &bytes)) {
            errors.append(QStringLiteral("%1: %2").arg(Shown(page.strFullPath), SitePageStateText(page.state)));
            continue;
        }
        CFileContent file(page.strFullPath, bytes);
        file.bMustBeUnchanged = true;
        file.readBytes = page.bytes;
        file.nReadModified = page.nModified;
        files.append(file);
    }
    return files;
}

bool CSiteUpdate::TakeMenusOut(const QStringList &pagePaths, QString *pError)
{
    m_nUpdated = 0;
    m_nUpToDate = 0;
    if (!Choose(pagePaths, pError))
        return false;
    Read();
    QStringList errors;
    const QList<CFileContent> files = MenuRemovals(true, &errors);
    if (!errors.isEmpty()) {
        if (pError)
            *pError = errors.join(QLatin1Char('\n'));
        return false;
    }
    if (files.isEmpty())
        return true;
    QString failedPath;
    QString error;
    CFileSet set(m_strProjectPath);
    if (!set.Replace(files, kLockWaitMs, &failedPath, &error)) {
        if (pError)
            *pError = QStringLiteral("%1: %2").arg(Shown(failedPath), error);
        return false;
    }
    m_nUpdated = files.size();
    return true;
}
