#include "store/SaveLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <QDeadlineTimer>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

enum class EAttempt { Taken, Held, Failed };

QString HeldReason(const QString &path)
{
    return QStringLiteral("another save of this page is still under way (the lock file %1 is held); "
                          "try again when it has finished")
        .arg(QDir::toNativeSeparators(path));
}

QString FailedReason(const QString &path)
{
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return QStringLiteral("its folder does not exist");
    return QStringLiteral("no file can be created in this folder");
}

#ifndef Q_OS_WIN
// One try: create the lock file exclusively, or open the one that is there,
// and take its file lock without waiting.
EAttempt TryOnce(const QByteArray &path, int *pFd)
{
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST)
        fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT && QFileInfo(QFile::decodeName(path)).dir().exists())
            return EAttempt::Held; // removed in between: try again
        if (errno == ELOOP) {      // a link in its place: never followed
            ::unlink(path.constData());
            return EAttempt::Held;
        }
        return EAttempt::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? EAttempt::Held : EAttempt::Failed;
    }
    // The owner may have removed the file between our open and our lock.
    struct stat opened {}, named {};
    if (::fstat(fd, &opened) != 0 || ::lstat(path.constData(), &named) != 0 || opened.st_dev != named.st_dev
        || opened.st_ino != named.st_ino) {
        ::close(fd);
        return EAttempt::Held;
    }
    // Who holds it, for a person who finds the file.
    const QByteArray owner = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0)
        (void)!::write(fd, owner.constData(), size_t(owner.size()));
    *pFd = fd;
    return EAttempt::Taken;
}
#endif

} // namespace

CSaveLock::CSaveLock(const QString &strPath)
    : m_strPath(strPath)
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
    auto lock = std::make_unique<QLockFile>(m_strPath);
    lock->setStaleLockTime(5000);
    if (!lock->tryLock(nWaitMs)) {
        if (pError)
            *pError = lock->error() == QLockFile::LockFailedError ? HeldReason(m_strPath) : FailedReason(m_strPath);
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
    const QByteArray path = QFile::encodeName(m_strPath);
    QDeadlineTimer deadline(nWaitMs);
    for (;;) {
        switch (TryOnce(path, &m_fd)) {
        case EAttempt::Taken:
            return true;
        case EAttempt::Failed:
            if (pError)
                *pError = FailedReason(m_strPath);
            return false;
        case EAttempt::Held:
            break;
        }
        if (deadline.hasExpired()) {
            if (pError)
                *pError = HeldReason(m_strPath);
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
    ::unlink(QFile::encodeName(m_strPath).constData());
    ::close(m_fd);
    m_fd = -1;
}

#endif
