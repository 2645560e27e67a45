#pragma once

#include "store/files/FolderHandle.h"
#include "model/site/SitePage.h"
#include "store/site/SitePageText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class CAppletParameters;
struct CFileContent;

// The text between the markers for a page in `pageFolder` (relative to the
// site folder) whose lines end in `eol` (html/SiteBlock.h makes it).
using CSiteBlockMaker = std::function<QByteArray(const QString &pageFolder, const QByteArray &eol)>;

// Puts the menu into the author's own pages of a site (the project's folder
// and the folders below it) and keeps it up to date there: the pages are
// read, their states told, then every page, the project file with what it
// records of each page, and the script, class file and pictures copied into
// the site folder are replaced as one change (CFileSet). The site folder is
// resolved once; pages and folders below it are read and written without
// following links (a link is refused by name).
class CSiteUpdate {
public:
    // One page as it was read.
    struct CPage {
        QString strPath;     // relative to the site folder, '/' between folders
        QString strFullPath; // as the file system is asked for it
        ESitePageState state = ESitePageState::NoPlace;
        QByteArray bytes;
        qint64 nModified = 0; // ms since 1970 UTC
        QString strError;     // why it could not be read; empty when it was
    };

    CSiteUpdate(const QString &strProjectPath, CAppletParameters &params);

    QString SiteFolder() const { return m_strSiteFolder; }
    // The path of a page relative to the site folder, or a null text when it
    // is not in the site folder or below it.
    QString SitePath(const QString &strPagePath) const;

    // Chooses the pages to update: `pagePaths` (file names as the user gave
    // them), which join the project's list where they are not on it yet, or
    // every page of the list when none are given. False, with the reason,
    // for a page outside the site folder, and for a name with a control
    // character or a backslash, which the project file cannot keep.
    bool Choose(const QStringList &pagePaths, QString *pError);
    // Reads the chosen pages and tells each one's state; also reads the
    // project file as it is now, so that an update made meanwhile by
    // another program stops this one's save.
    void Read();
    const QList<CPage> &Pages() const { return m_pages; }

    // Writes the chosen pages and the project file as one change. Refused,
    // with nothing written, while a page could not be read or has no place
    // for the menu, or (unless bOverwriteChanged) has a menu changed since the
    // last update; also when a page was changed by someone else since Read()
    // (checked as the last step before the change commits), or another
    // update of the project runs or ran since then ("another update of this
    // project is running"). On failure *pError holds one line per reason.
    // A page the update would leave byte for byte as it is (its menu up to
    // date) is not written; the project file still records it.
    bool Save(const CSiteBlockMaker &makeBlock, const QString &strAppDir, bool bOverwriteChanged,
              QString *pError);
    // After Save(): how many pages it wrote, and how many it left as they
    // were, up to date.
    qsizetype UpdatedCount() const { return m_nUpdated; }
    qsizetype UpToDateCount() const { return m_nUpToDate; }

    // The page as Save() would write it (false: it has no place for the
    // menu); *pMenuHash and *pAdded as PutMenuIntoPage gives them.
    bool PageAfterUpdate(const CPage &page, const CSiteBlockMaker &makeBlock, QByteArray *pOut,
                         QByteArray *pMenuHash = nullptr, int *pAdded = nullptr) const;
    // True when Save() would leave the page as it is.
    bool IsUpToDate(const CPage &page, const CSiteBlockMaker &makeBlock) const;

    // Takes the pages at `pagePaths` off the project's list and, with
    // bTakeMenuOut, their menus out of them: the text between the markers and
    // what the updates added (the markers, the viewport line), so that each
    // page is as it was before its first update. A page without a menu, or
    // missing, only leaves the list. Refused, with nothing written, for a
    // page not on the list, and for a page whose menu cannot be taken out as
    // a whole (its markers doubled, its menu changed by hand, unless
    // bOverwriteChanged). Chooses and reads the pages itself.
    bool Remove(const QStringList &pagePaths, bool bTakeMenuOut, bool bOverwriteChanged, QString *pError);
    // Takes the menus out of the pages at `pagePaths` as Remove() does, even
    // a menu changed by hand, and writes those pages alone: the project
    // file, and its list, are left to the next save.
    bool TakeMenusOut(const QStringList &pagePaths, QString *pError);
    // The page with its menu taken out as Remove() would write it; false
    // when it holds no menu to take out.
    bool PageAfterRemoval(const CPage &page, QByteArray *pOut) const;

    // What the project file records of the page at `strPath` (relative to
    // the site folder); null when it is not on the list.
    const CSitePage *Record(const QString &strPath) const;

private:
    // The pages read whose menus are to be taken out, as new contents;
    // problems in *pErrors.
    QList<CFileContent> MenuRemovals(bool bOverwriteChanged, QStringList *pErrors) const;
    // Replaces `files` and the project file with `records` as its list, as
    // one change.
    bool Commit(QList<CFileContent> files, const CSitePageList &records, QString *pError);

    QString m_strProjectPath;
    QString m_strSiteFolder;
    CFolderHandle m_folder;
    QString m_strFolderError; // why the site folder cannot be opened
    // The project file as Read() found it.
    bool m_bProjectRead = false;
    QByteArray m_projectBytes;
    qint64 m_nProjectModified = 0;
    CAppletParameters &m_params;
    QList<CPage> m_pages;
    qsizetype m_nUpdated = 0;
    qsizetype m_nUpToDate = 0;
};
