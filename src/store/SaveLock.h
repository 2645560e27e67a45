#pragma once

#include <QString>

#include <memory>

class QLockFile;

// A lock file that serialises the processes (and threads) changing one set
// of files. The file is created exclusively (O_EXCL, never through a link)
// and, while the lock is held, carries a file lock (flock) on its open file,
// which the system drops when its process ends, however it ends.
//
// A lock file that nobody holds (its owner was killed) is taken over at
// once, whatever it holds or however old it is; a held one never is.
// Unlock() removes the file. A waiter that opened a file its owner has
// since removed notices that the path no longer names it and tries again.
// On Windows QLockFile does the same work with the process id it writes.
class CSaveLock {
public:
    explicit CSaveLock(const QString &strPath);
    ~CSaveLock();
    CSaveLock(const CSaveLock &) = delete;
    CSaveLock &operator=(const CSaveLock &) = delete;

    // Takes the lock, waiting up to nWaitMs while another holds it. False,
    // with the reason in *pError, when it is held still or cannot be made.
    bool Lock(int nWaitMs, QString *pError = nullptr);
    bool IsLocked() const;
    void Unlock();

private:
    QString m_strPath;
#ifdef Q_OS_WIN
    std::unique_ptr<QLockFile> m_pLock;
#else
    int m_fd = -1;
#endif
};
