#include "html/read/PageImport.h"

#include "model/config/AppletParameters.h"
#include "model/config/UndoHistory.h"
#include "store/files/FolderHandle.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectFile.h"
#include "store/project/SitePageKeys.h"
#include "store/site/SitePageText.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// Pages larger than this are passed over when looking for the site's pages.
constexpr qint64 kMaxSitePageBytes = 64 * 1024 * 1024;

bool Taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// "menu.qdx", else "menu2.qdx", ...: the first whose project file and pages
// are all free.
QString FreeProjectPath(const QString &strFolder)
{
    const QDir folder(strFolder);
    for (int n = 1; n < 100; ++n) {
        const QString base = n == 1 ? QStringLiteral("menu") : QStringLiteral("menu%1").arg(n);
        if (!Taken(folder.filePath(base + QStringLiteral(".qdx"))) && !Taken(folder.filePath(base + QStringLiteral(".htm")))
            && !Taken(folder.filePath(base + QStringLiteral(".html"))))
            return folder.filePath(base + QStringLiteral(".qdx"));
    }
    return folder.filePath(QStringLiteral("menu.qdx"));
}

// A path the project file can record: no control character, no backslash.
bool Recordable(const QString &path)
{
    for (const QChar c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('\\'))
            return false;
    return true;
}

// The project files of the site folder that list the page at strSitePath
// among their site pages: the project may not be lost, only named otherwise.
QStringList ProjectsListing(const QString &strSiteFolder, const QString &strSitePath)
{
    constexpr int kMaxProjectsLooked = 100;
    QStringList found;
    const QDir folder(strSiteFolder);
    const QStringList projects =
        folder.entryList({QStringLiteral("*.qdx")}, QDir::Files | QDir::NoSymLinks, QDir::Name).mid(0, kMaxProjectsLooked);
    for (const QString &name : projects) {
        CIniFile ini;
        if (!ini.Load(folder.filePath(name)))
            continue;
        for (const CSitePage &page : ReadSitePages(ini))
            if (page.strPath == strSitePath) {
                found.append(name);
                break;
            }
    }
    return found;
}

} // namespace

bool ImportPage(const QString &strPagePath, CAppletParameters &params, CPageImport *pImport, QString *pError)
{
    CPageImport import;
    QByteArray bytes;
    if (!CPageReader::ReadPageFile(strPagePath, &bytes, pError))
        return false;
    const QString page = QFileInfo(strPagePath).absoluteFilePath();
    CPageReader(bytes, page).Read(params, &import.read);
    switch (import.read.found) {
    case CPageRead::EFound::Nothing:
        break;
    case CPageRead::EFound::Page:
        import.strProjectPath = ProjectPathFor(page);
        import.strPagePath = page;
        break;
    case CPageRead::EFound::SitePage: {
        import.strProjectPath = FreeProjectPath(import.read.strSiteFolder);
        const QString base = import.strProjectPath.left(import.strProjectPath.size() - 4);
        import.strPagePath = base + QStringLiteral(".htm");
        params.m_SitePages = PagesCarryingMenu(params, import.read.strSiteFolder, page, &import.read.notes);
        if (!params.m_SitePages.isEmpty())
            for (const QString &project : ProjectsListing(import.read.strSiteFolder, params.m_SitePages[0].strPath))
                import.read.notes.append(QStringLiteral("The project file %1 in the site folder lists this page as "
                                                        "a site page: it may be the project looked for")
                                             .arg(project));
        break;
    }
    }
    if (pImport)
        *pImport = import;
    return true;
}

CSitePageList PagesCarryingMenu(const CAppletParameters &params, const QString &strSiteFolder,
                                const QString &strPagePath, QStringList *pNotes)
{
    auto note = [pNotes](const QString &text) {
        if (pNotes)
            pNotes->append(text);
    };
    CSitePageList pages;
    CFolderHandle site;
    if (!site.Open(strSiteFolder))
        return pages;
    const QDir root(site.Path());
    const QFileInfo pageInfo(strPagePath);
    const QString canonicalPage = pageInfo.canonicalFilePath();
    const QString ownPath = root.relativeFilePath(canonicalPage.isEmpty() ? pageInfo.absoluteFilePath() : canonicalPage);
    if (CFolderHandle::IsInside(ownPath) && Recordable(ownPath)) {
        CSitePage own;
        own.strPath = ownPath;
        pages.append(own);
    } else {
        note(QStringLiteral("The page's path in the site folder cannot be recorded; it is not listed as a site page"));
    }

    QStringList found;
    QDirIterator it(root.path(), {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    int looked = 0;
    while (it.hasNext()) {
        const QString relative = root.relativeFilePath(it.next());
        if (relative == ownPath)
            continue;
        if (++looked > kMaxSitePagesLooked) {
            note(QStringLiteral("The site folder holds more than %1 pages; the others were not looked at")
                     .arg(kMaxSitePagesLooked));
            break;
        }
        if (!CFolderHandle::IsInside(relative))
            continue;
        CFolderHandle::CEntry entry;
        if (!site.Look(relative, &entry) || entry.kind != CFolderHandle::EKind::File)
            continue;
        if (entry.nSize > kMaxSitePageBytes) {
            note(QStringLiteral("%1 is larger than %2 MB; it was not looked at")
                     .arg(relative).arg(kMaxSitePageBytes / (1024 * 1024)));
            continue;
        }
        QByteArray bytes;
        if (!site.ReadFile(relative, &bytes) || FindMenuPlace(bytes).kind != CMenuPlace::Between)
            continue;
        CAppletParameters other;
        CPageRead read;
        if (!CPageReader(bytes, root.filePath(relative)).Read(other, &read) || read.found != CPageRead::EFound::SitePage
            || QDir::cleanPath(read.strSiteFolder) != QDir::cleanPath(root.path()) || !CUndoHistory::SameContent(other, params))
            continue;
        if (!Recordable(relative)) {
            note(QStringLiteral("%1 carries the menu, but its name cannot be recorded; it is not listed").arg(relative));
            continue;
        }
        found.append(relative);
    }
    found.sort();
    for (const QString &path : found) {
        CSitePage page;
        page.strPath = path;
        pages.append(page);
    }
    return pages;
}
