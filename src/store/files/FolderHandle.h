#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// A folder the user chose, resolved once and then trusted, and the files
// below it reached without following links. Every path given to it is
// relative to that folder, with '/' between folders, and stays inside it
// (no empty, "." or ".." part). Each folder on the way is opened as a
// folder and never through a link (openat with O_NOFOLLOW, one part at a
// time), so a link anywhere below the chosen folder, or one put there while
// a change runs, can never lead a write, rename or removal outside it. The
// last part of a path is never followed either: a link there is reported.
//
// Errors are whole sentences that start with the full path of the file they
// are about ("/site/sub: is a symbolic link ..."), for messages as they are.
// On Windows the same checks are made on canonical paths.
class CFolderHandle {
public:
    CFolderHandle() = default;
    ~CFolderHandle();
    CFolderHandle(const CFolderHandle &) = delete;
    CFolderHandle &operator=(const CFolderHandle &) = delete;

    // Resolves strFolder (links in the path to it are the user's choice) and
    // opens it. False, with the reason, when it is not a folder.
    bool Open(const QString &strFolder, QString *pError = nullptr);
    bool IsOpen() const { return !m_strPath.isEmpty(); }
    // The resolved folder.
    QString Path() const { return m_strPath; }
    // The open folder, for the few that work on it with the system's own
    // calls (the lock); -1 on Windows.
    int Descriptor() const { return m_fd; }
    // The full path of a relative one, as messages show it.
    QString FullPath(const QString &strRelative) const;

    // True for a relative path this class accepts.
    static bool IsInside(const QString &strRelative);

    enum class EKind { Missing, File, Link, Folder, Other };
    struct CEntry {
        EKind kind = EKind::Missing;
        qint64 nSize = 0;
        qint64 nModified = 0; // ms since 1970 UTC
        int nLinks = 0;       // hard links to the file
        int nMode = 0;        // permission bits
        quint64 nDevice = 0;
        quint64 nInode = 0;
    };
    // What is at the path, the last part not followed. False (with the
    // reason) only when a folder on the way cannot be reached.
    bool Look(const QString &strRelative, CEntry *pEntry, QString *pError = nullptr) const;

    // Reads a regular file whole; a link, folder or special file is refused.
    bool ReadFile(const QString &strRelative, QByteArray *pBytes, CEntry *pEntry = nullptr,
                  QString *pError = nullptr) const;

    // Creates a new file exclusively (never over anything that is there),
    // open for writing, with the mode bits `nMode` less the umask. Returns
    // its descriptor, which the caller closes, or -1.
    int CreateNew(const QString &strRelative, int nMode, QString *pError = nullptr) const;
    // Opens an existing regular file for reading and writing, never through
    // a link; -1 when it is not one.
    int OpenExisting(const QString &strRelative, bool bWrite, QString *pError = nullptr) const;

    // Renames within the folder, replacing a file (or link, not followed)
    // at strTo.
    bool Rename(const QString &strFrom, const QString &strTo, QString *pError = nullptr) const;
    // Gives a file a second name; false when it cannot (nothing is made).
    bool Link(const QString &strFrom, const QString &strTo) const;
    // Removes a file or a link, never a folder nor what a link points to;
    // true when nothing is left at the path.
    bool Remove(const QString &strRelative) const;
    // Makes the renames and removals in a folder ("" for the chosen one)
    // durable.
    void FlushFolder(const QString &strRelativeFolder) const;
    // Makes everything written to the file systems of these folders durable
    // at once where the system can; false when each file has to be flushed.
    bool SyncFileSystems(const QStringList &relativeFolders) const;

    // The folder part of a relative path ("" for none) and its last part.
    static QString FolderOf(const QString &strRelative);
    static QString NameOf(const QString &strRelative);

private:
    // The descriptor of a folder below the chosen one, opened part by part
    // without following links, and kept for this handle's life.
    int Folder(const QString &strRelativeFolder, QString *pError) const;
    // The descriptor of the folder `strRelative` lies in; -1, with why,
    // for a path outside the chosen folder.
    int FolderHolding(const QString &strRelative, QString *pError) const;
    QString Refused(const QString &strRelative, const QString &strReason) const;
    // Looks the path up: true for a regular file, else false with why.
    bool LookForFile(const QString &strRelative, QString *pError) const;

    QString m_strPath;
    int m_fd = -1;
    mutable QHash<QString, int> m_folders;
};
