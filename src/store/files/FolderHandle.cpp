#include "store/files/FolderHandle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

const char kLinkReason[] = "is a symbolic link, which Vantrel does not follow in the site folder";

// Why what is at a path cannot be opened as a regular file.
QString NotAFileReason(CFolderHandle::EKind kind)
{
    switch (kind) {
    case CFolderHandle::EKind::Missing:
        return QStringLiteral("no such file");
    case CFolderHandle::EKind::Link:
        return QLatin1String(kLinkReason);
    case CFolderHandle::EKind::Folder:
        return QStringLiteral("is a folder");
    default:
        return QStringLiteral("is not a regular file");
    }
}

#ifndef Q_OS_WIN
// An entry as the system describes it.
void EntryFromStat(const struct stat &st, CFolderHandle::CEntry *pEntry)
{
    using EKind = CFolderHandle::EKind;
    pEntry->kind = S_ISREG(st.st_mode)   ? EKind::File
                   : S_ISLNK(st.st_mode) ? EKind::Link
                   : S_ISDIR(st.st_mode) ? EKind::Folder
                                         : EKind::Other;
    pEntry->nSize = st.st_size;
    pEntry->nModified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    pEntry->nLinks = int(st.st_nlink);
    pEntry->nMode = int(st.st_mode & 07777);
    pEntry->nDevice = quint64(st.st_dev);
    pEntry->nInode = quint64(st.st_ino);
}
#endif

} // namespace

CFolderHandle::~CFolderHandle()
{
#ifndef Q_OS_WIN
    for (int fd : qAsConst(m_folders))
        if (fd != m_fd)
            ::close(fd);
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

bool CFolderHandle::IsInside(const QString &strRelative)
{
    if (strRelative.isEmpty() || strRelative.contains(QLatin1Char('\\')))
        return false;
    for (const QString &part : strRelative.split(QLatin1Char('/')))
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return true;
}

QString CFolderHandle::FolderOf(const QString &strRelative)
{
    const qsizetype slash = strRelative.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QLatin1String("") : strRelative.left(slash);
}

QString CFolderHandle::NameOf(const QString &strRelative)
{
    return strRelative.mid(strRelative.lastIndexOf(QLatin1Char('/')) + 1);
}

QString CFolderHandle::FullPath(const QString &strRelative) const
{
    return QDir::toNativeSeparators(strRelative.isEmpty() ? m_strPath : m_strPath + QLatin1Char('/') + strRelative);
}

int CFolderHandle::FolderHolding(const QString &strRelative, QString *pError) const
{
    if (!IsInside(strRelative)) {
        if (pError)
            *pError = Refused(strRelative, QStringLiteral("is not inside the folder %1").arg(m_strPath));
        return -1;
    }
    return Folder(FolderOf(strRelative), pError);
}

bool CFolderHandle::LookForFile(const QString &strRelative, QString *pError) const
{
    CEntry entry;
    if (!Look(strRelative, &entry, pError))
        return false;
    if (entry.kind == EKind::File)
        return true;
    if (pError)
        *pError = Refused(strRelative, NotAFileReason(entry.kind));
    return false;
}

QString CFolderHandle::Refused(const QString &strRelative, const QString &strReason) const
{
    return QStringLiteral("%1: %2").arg(FullPath(strRelative), strReason);
}

bool CFolderHandle::Open(const QString &strFolder, QString *pError)
{
    const QFileInfo info(strFolder);
    const QString resolved = info.canonicalFilePath();
    if (resolved.isEmpty() || !QFileInfo(resolved).isDir()) {
        if (pError)
            *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strFolder),
                                                   info.exists() ? QStringLiteral("is not a folder")
                                                                 : QStringLiteral("no such folder"));
        return false;
    }
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(resolved).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (pError)
            *pError = QStringLiteral("%1: %2").arg(resolved, SystemReason(errno));
        return false;
    }
    m_fd = fd;
    m_folders.insert(QLatin1String(""), fd);
#endif
    m_strPath = resolved;
    return true;
}

#ifndef Q_OS_WIN

int CFolderHandle::Folder(const QString &strRelativeFolder, QString *pError) const
{
    const auto known = m_folders.constFind(strRelativeFolder);
    if (known != m_folders.constEnd())
        return known.value();
    const int parent = FolderHolding(strRelativeFolder, pError);
    if (parent < 0)
        return -1;
    const QByteArray name = QFile::encodeName(NameOf(strRelativeFolder));
    const int fd = ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (pError) {
            struct stat st {};
            if (::fstatat(parent, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
                *pError = Refused(strRelativeFolder, QLatin1String(kLinkReason));
            else if (error == ENOENT)
                *pError = Refused(strRelativeFolder, QStringLiteral("no such folder"));
            else if (error == ENOTDIR)
                *pError = Refused(strRelativeFolder, QStringLiteral("is not a folder"));
            else
                *pError = Refused(strRelativeFolder, SystemReason(error));
        }
        return -1;
    }
    m_folders.insert(strRelativeFolder, fd);
    return fd;
}

bool CFolderHandle::Look(const QString &strRelative, CEntry *pEntry, QString *pError) const
{
    *pEntry = CEntry();
    const int folder = FolderHolding(strRelative, pError);
    if (folder < 0)
        return false;
    struct stat st {};
    if (::fstatat(folder, QFile::encodeName(NameOf(strRelative)).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return true;
        if (pError)
            *pError = Refused(strRelative, SystemReason(errno));
        return false;
    }
    EntryFromStat(st, pEntry);
    return true;
}

int CFolderHandle::OpenExisting(const QString &strRelative, bool bWrite, QString *pError) const
{
    if (!LookForFile(strRelative, pError))
        return -1;
    const int folder = Folder(FolderOf(strRelative), pError);
    // O_NONBLOCK: what is there now may have become a pipe since it was
    // looked at; it is checked again on the open descriptor.
    const int fd = ::openat(folder, QFile::encodeName(NameOf(strRelative)).constData(),
                            (bWrite ? O_RDWR : O_RDONLY) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = fd < 0 && errno == ELOOP ? -1 : errno;
        if (fd >= 0)
            ::close(fd);
        if (pError)
            *pError = Refused(strRelative, error == -1 ? QLatin1String(kLinkReason)
                                           : fd >= 0   ? QStringLiteral("is not a regular file")
                                                       : SystemReason(error));
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool CFolderHandle::ReadFile(const QString &strRelative, QByteArray *pBytes, CEntry *pEntry, QString *pError) const
{
    pBytes->clear();
    const int fd = OpenExisting(strRelative, false, pError);
    if (fd < 0)
        return false;
    // The time and size of what was opened, taken before it is read: a
    // change made while it is read then shows when it is checked again.
    struct stat st {};
    ::fstat(fd, &st);
    if (pEntry)
        EntryFromStat(st, pEntry); // a regular file: OpenExisting made sure
    QByteArray bytes;
    bytes.reserve(qsizetype(qMax<off_t>(st.st_size, 0)) + 1);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            if (pError)
                *pError = Refused(strRelative, SystemReason(errno));
            ::close(fd);
            return false;
        }
        bytes.append(buffer, qsizetype(got));
    }
    ::close(fd);
    *pBytes = bytes;
    return true;
}

int CFolderHandle::CreateNew(const QString &strRelative, int nMode, QString *pError) const
{
    const int folder = FolderHolding(strRelative, pError);
    if (folder < 0)
        return -1;
    const int fd = ::openat(folder, QFile::encodeName(NameOf(strRelative)).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode_t(nMode));
    if (fd < 0 && pError)
        *pError = Refused(strRelative, errno == EEXIST ? QStringLiteral("a file of this name is in the way")
                                                       : SystemReason(errno));
    return fd;
}

bool CFolderHandle::Rename(const QString &strFrom, const QString &strTo, QString *pError) const
{
    const int from = Folder(FolderOf(strFrom), pError);
    const int to = from < 0 ? -1 : Folder(FolderOf(strTo), pError);
    if (to < 0)
        return false;
    if (::renameat(from, QFile::encodeName(NameOf(strFrom)).constData(), to,
                   QFile::encodeName(NameOf(strTo)).constData())
        == 0)
        return true;
    if (pError)
        *pError = Refused(strTo, SystemReason(errno));
    return false;
}

bool CFolderHandle::Link(const QString &strFrom, const QString &strTo) const
{
    const int from = Folder(FolderOf(strFrom), nullptr);
    const int to = from < 0 ? -1 : Folder(FolderOf(strTo), nullptr);
    return to >= 0
           && ::linkat(from, QFile::encodeName(NameOf(strFrom)).constData(), to,
                       QFile::encodeName(NameOf(strTo)).constData(), 0)
                  == 0;
}

bool CFolderHandle::Remove(const QString &strRelative) const
{
    if (!IsInside(strRelative))
        return false;
    const int folder = Folder(FolderOf(strRelative), nullptr);
    if (folder < 0)
        return false;
    // unlinkat without AT_REMOVEDIR removes no folder and never follows.
    return ::unlinkat(folder, QFile::encodeName(NameOf(strRelative)).constData(), 0) == 0 || errno == ENOENT;
}

void CFolderHandle::FlushFolder(const QString &strRelativeFolder) const
{
    const int folder = Folder(strRelativeFolder, nullptr);
    if (folder >= 0)
        ::fsync(folder);
}

bool CFolderHandle::SyncFileSystems(const QStringList &relativeFolders) const
{
#ifdef Q_OS_LINUX
    QList<quint64> done;
    for (const QString &relative : relativeFolders) {
        const int folder = Folder(relative, nullptr);
        struct stat st {};
        if (folder < 0 || ::fstat(folder, &st) != 0)
            return false;
        if (done.contains(quint64(st.st_dev)))
            continue;
        if (::syncfs(folder) != 0)
            return false;
        done.append(quint64(st.st_dev));
    }
    return true;
#else
    Q_UNUSED(relativeFolders);
    return false;
#endif
}

#else // Q_OS_WIN: the same checks on canonical paths, part by part.

int CFolderHandle::Folder(const QString &strRelativeFolder, QString *pError) const
{
    QString path = m_strPath;
    for (const QString &part : strRelativeFolder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        const QFileInfo info(path);
        QString relative = path.mid(m_strPath.size() + 1);
        if (info.isSymLink() || info.isJunction()) {
            if (pError)
                *pError = Refused(relative, QLatin1String(kLinkReason));
            return -1;
        }
        if (!info.isDir()) {
            if (pError)
                *pError = Refused(relative, info.exists() ? QStringLiteral("is not a folder")
                                                          : QStringLiteral("no such folder"));
            return -1;
        }
    }
    return 0;
}

bool CFolderHandle::Look(const QString &strRelative, CEntry *pEntry, QString *pError) const
{
    *pEntry = CEntry();
    if (!IsInside(strRelative) || Folder(FolderOf(strRelative), pError) < 0)
        return false;
    const QFileInfo info(m_strPath + QLatin1Char('/') + strRelative);
    if (!info.exists() && !info.isSymLink())
        return true;
    pEntry->kind = info.isSymLink() || info.isJunction() ? EKind::Link
                   : info.isFile()                       ? EKind::File
                   : info.isDir()                        ? EKind::Folder
                                                         : EKind::Other;
    pEntry->nSize = info.size();
    pEntry->nModified = info.lastModified().toMSecsSinceEpoch();
    pEntry->nLinks = 1;
    pEntry->nMode = 0666;
    return true;
}

int CFolderHandle::OpenExisting(const QString &strRelative, bool bWrite, QString *pError) const
{
    if (!LookForFile(strRelative, pError))
        return -1;
    const int fd = ::_wopen(reinterpret_cast<const wchar_t *>(FullPath(strRelative).utf16()),
                            (bWrite ? _O_RDWR : _O_RDONLY) | _O_BINARY);
    if (fd < 0 && pError)
        *pError = Refused(strRelative, SystemReason(errno));
    return fd;
}

bool CFolderHandle::ReadFile(const QString &strRelative, QByteArray *pBytes, CEntry *pEntry, QString *pError) const
{
    pBytes->clear();
    CEntry entry;
    if (!Look(strRelative, &entry, pError))
        return false;
    if (pEntry)
        *pEntry = entry;
    if (entry.kind != EKind::File) {
        if (pError)
            *pError = Refused(strRelative, NotAFileReason(entry.kind));
        return false;
    }
    QFile in(FullPath(strRelative));
    if (!in.open(QIODevice::ReadOnly)) {
        if (pError)
            *pError = Refused(strRelative, in.errorString());
        return false;
    }
    *pBytes = in.readAll();
    return true;
}

int CFolderHandle::CreateNew(const QString &strRelative, int nMode, QString *pError) const
{
    if (!IsInside(strRelative) || Folder(FolderOf(strRelative), pError) < 0)
        return -1;
    const int fd = ::_wopen(reinterpret_cast<const wchar_t *>(FullPath(strRelative).utf16()),
                            _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, (nMode & 0200) ? _S_IREAD | _S_IWRITE : _S_IREAD);
    if (fd < 0 && pError)
        *pError = Refused(strRelative, SystemReason(errno));
    return fd;
}

bool CFolderHandle::Rename(const QString &strFrom, const QString &strTo, QString *pError) const
{
    if (Folder(FolderOf(strFrom), pError) < 0 || Folder(FolderOf(strTo), pError) < 0)
        return false;
    const QString from = FullPath(strFrom);
    const QString to = FullPath(strTo);
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()), reinterpret_cast<const wchar_t *>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (pError)
        *pError = Refused(strTo, QStringLiteral("cannot be replaced (error %1)").arg(GetLastError()));
    return false;
}

bool CFolderHandle::Link(const QString &, const QString &) const
{
    return false;
}

bool CFolderHandle::Remove(const QString &strRelative) const
{
    CEntry entry;
    if (!Look(strRelative, &entry, nullptr))
        return false;
    return entry.kind == EKind::Missing || (entry.kind != EKind::Folder && QFile::remove(FullPath(strRelative)));
}

void CFolderHandle::FlushFolder(const QString &) const {}

bool CFolderHandle::SyncFileSystems(const QStringList &) const
{
    return false;
}

#endif
