#pragma once

#include <QString>

#include <memory>

class CFolderHandle;
class QLockFile;

// A lock file that serialises the processes (and threads) changing one set
// of files. The file is always created afresh (O_CREAT | O_EXCL, never
// through a link) and, while the lock is held, carries a file lock (flock)
// on its open file, which the system drops when its process ends, however
// it ends.
//
// A lock file that nobody holds (its owner was killed) is taken over at
// once, whatever its age: it is removed and a new one is made, so nothing
// is ever written into a file that was there. Only a file that looks like
// one of ours is taken over: a regular file with one name, empty or holding
// a process number. A link, a file with other names (a hard link to a file
// elsewhere) or with other content is refused by name and left as it is.
// Unlock() removes the file. A waiter that opened a file its owner has
// since removed notices that the path no longer names it and tries again.
// On Windows QLockFile does the same work with the process id it writes.
class CSaveLock {
public:
    // The lock file strName in the folder `folder` (kept open by the caller
    // for the lock's life).
    CSaveLock(const CFolderHandle &folder, const QString &strName);
    ~CSaveLock();
    CSaveLock(const CSaveLock &) = delete;
    CSaveLock &operator=(const CSaveLock &) = delete;

    // Takes the lock, waiting up to nWaitMs while another holds it. False,
    // with the reason in *pError, when it is held still or cannot be made.
    bool Lock(int nWaitMs, QString *pError = nullptr);
    bool IsLocked() const;
    // True after Lock() gave up because another holder kept the lock.
    bool WasHeld() const { return m_bHeld; }
    void Unlock();

private:
    const CFolderHandle &m_folder;
    QString m_strName;
    bool m_bHeld = false;
#ifdef Q_OS_WIN
    std::unique_ptr<QLockFile> m_pLock;
#else
    int m_fd = -1;
#endif
};
