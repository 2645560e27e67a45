#include "store/files/SaveLock.h"

#include "store/files/FolderHandle.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QThread>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

enum class EAttempt { Taken, Held, Again, Failed };

QString HeldReason(const QString &path)
{
    return QStringLiteral("another save of this page is still under way (the lock file %1 is held); "
                          "try again when it has finished")
        .arg(path);
}

#ifndef Q_OS_WIN
// The largest lock file of ours: a process number and a line end.
constexpr off_t kMaxLockSize = 24;

// True when the open file is one a lock of ours left: one name, empty or a
// process number.
bool LooksLikeOurs(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 || st.st_size > kMaxLockSize)
        return false;
    char bytes[kMaxLockSize + 1];
    const ssize_t got = ::pread(fd, bytes, sizeof bytes, 0);
    if (got < 0 || got > kMaxLockSize)
        return false;
    for (ssize_t i = 0; i < got; ++i)
        if (!(bytes[i] >= '0' && bytes[i] <= '9') && bytes[i] != '\n')
            return false;
    return true;
}

// True while the name in `folder` still names the open file.
bool StillNamed(int folder, const QByteArray &name, int fd)
{
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::fstatat(folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
           && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// One try: create the lock file afresh and lock it, or look at the one
// that is there and, when nobody holds it and it is ours, remove it.
EAttempt TryOnce(int folder, const QByteArray &name, int *pFd, QString *pReason)
{
    int fd = ::openat(folder, name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) {
        // Another process may have opened the new file and locked it first;
        // it then takes it for a killed owner's and makes its own.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !StillNamed(folder, name, fd)) {
            ::close(fd);
            return EAttempt::Held;
        }
        // Who holds it, for a person who finds the file.
        const QByteArray owner = QByteArray::number(qint64(::getpid())) + '\n';
        (void)!::write(fd, owner.constData(), size_t(owner.size()));
        *pFd = fd;
        return EAttempt::Taken;
    }
    if (errno != EEXIST) {
        *pReason = QString::fromLocal8Bit(std::strerror(errno));
        return EAttempt::Failed;
    }
    fd = ::openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return EAttempt::Again; // removed in between
        *pReason = errno == ELOOP
                       ? QStringLiteral("is a symbolic link, which Vantrel does not follow in the site folder")
                       : QString::fromLocal8Bit(std::strerror(errno));
        return EAttempt::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        *pReason = QStringLiteral("is not a lock file of Vantrel's; move it away and try again");
        return EAttempt::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (!held)
            *pReason = QString::fromLocal8Bit(std::strerror(errno));
        return held ? EAttempt::Held : EAttempt::Failed;
    }
    if (!StillNamed(folder, name, fd)) {
        ::close(fd);
        return EAttempt::Again;
    }
    if (!LooksLikeOurs(fd)) {
        ::close(fd);
        *pReason = QStringLiteral("is not a lock file of Vantrel's; move it away and try again");
        return EAttempt::Failed;
    }
    // A killed owner's: removed while we hold its file lock, so that no one
    // else takes it meanwhile; the next try makes a new one.
    const bool removed = ::unlinkat(folder, name.constData(), 0) == 0;
    ::close(fd);
    if (!removed) {
        *pReason = QString::fromLocal8Bit(std::strerror(errno));
        return EAttempt::Failed;
    }
    return EAttempt::Again;
}
#endif

} // namespace

CSaveLock::CSaveLock(const CFolderHandle &folder, const QString &strName)
    : m_folder(folder),
      m_strName(strName)
{
}

CSaveLock::~CSaveLock()
{
    Unlock();
}

#ifdef Q_OS_WIN

bool CSaveLock::Lock(int nWaitMs, QString *pError)
{
    if (m_pLock)
        return true;
    m_bHeld = false;
    const QString path = m_folder.FullPath(m_strName);
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(5000);
    if (!lock->tryLock(nWaitMs)) {
        m_bHeld = lock->error() == QLockFile::LockFailedError;
        if (pError)
            *pError = m_bHeld ? HeldReason(path) : QStringLiteral("%1: no file can be created in this folder").arg(path);
        return false;
    }
    m_pLock = std::move(lock);
    return true;
}

bool CSaveLock::IsLocked() const
{
    return m_pLock != nullptr;
}

void CSaveLock::Unlock()
{
    m_pLock.reset();
}

#else

bool CSaveLock::Lock(int nWaitMs, QString *pError)
{
    if (m_fd >= 0)
        return true;
    m_bHeld = false;
    // The folder is reached through the handle: the lock file is made in
    // the folder that was chosen, whatever its path names meanwhile.
    QString reason;
    const int folder = m_folder.Descriptor();
    const QByteArray name = QFile::encodeName(m_strName);
    QDeadlineTimer deadline(nWaitMs);
    for (int again = 0;;) {
        switch (TryOnce(folder, name, &m_fd, &reason)) {
        case EAttempt::Taken:
            return true;
        case EAttempt::Failed:
            if (pError)
                *pError = QStringLiteral("%1: %2").arg(m_folder.FullPath(m_strName), reason);
            return false;
        case EAttempt::Again:
            // A killed owner's file was removed, or the file changed under
            // us: try at once, a bounded number of times.
            if (++again < 100)
                continue;
            break;
        case EAttempt::Held:
            break;
        }
        if (deadline.hasExpired()) {
            m_bHeld = true;
            if (pError)
                *pError = HeldReason(m_folder.FullPath(m_strName));
            return false;
        }
        QThread::msleep(unsigned(qBound(qint64(1), deadline.remainingTime(), qint64(20))));
    }
}

bool CSaveLock::IsLocked() const
{
    return m_fd >= 0;
}

void CSaveLock::Unlock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that no one takes a file that is going.
    m_folder.Remove(m_strName);
    ::close(m_fd);
    m_fd = -1;
}

#endif
