#include "store/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Unbuffered, so that a short write shows in write()'s result instead of
// being lost in a later flush.
bool OpenForWriting(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool WriteAll(QFileDevice &file, const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 written = file.write(data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

QString WriteError(const QSaveFile &file)
{
    return file.error() != QFileDevice::NoError ? file.errorString()
                                                : QStringLiteral("not all of the file could be written");
}

} // namespace

bool WriteFileAtomically(const QString &strPath, const QByteArray &bytes, QString *pError)
{
    return WriteFilesAtomically({{strPath, bytes}}, nullptr, pError);
}

bool WriteFilesAtomically(const QList<CFileContent> &files, QString *pFailedPath, QString *pError)
{
    std::vector<std::unique_ptr<QSaveFile>> open;
    auto fail = [&](const QString &path, const QString &reason) {
        if (pFailedPath)
            *pFailedPath = path;
        if (pError)
            *pError = reason;
        for (auto &file : open)
            file->cancelWriting();
        return false;
    };
    for (const CFileContent &content : files) {
        open.push_back(std::make_unique<QSaveFile>(content.strPath));
        QSaveFile &file = *open.back();
        if (!OpenForWriting(file))
            return fail(content.strPath, file.errorString());
        if (!WriteAll(file, content.bytes.constData(), content.bytes.size()))
            return fail(content.strPath, WriteError(file));
    }
    for (std::size_t i = 0; i < open.size(); ++i) {
        if (!open[i]->commit())
            return fail(files[qsizetype(i)].strPath, open[i]->errorString());
    }
    return true;
}

bool CopyFileAtomically(const QString &strSource, const QString &strTarget)
{
    // Only a regular file (or a link to one) is copied: reading a pipe or a
    // device could block or never end.
    const QFileInfo source(strSource);
    const QFileInfo target(strTarget);
    if (!source.isFile())
        return false;
    if (target.exists() && target.canonicalFilePath() == source.canonicalFilePath())
        return true;
    QFile in(strSource);
    if (!in.open(QIODevice::ReadOnly))
        return false;
#ifndef Q_OS_WIN
    // What was opened is checked too, and its mode taken from it: the copy
    // gets the source's permission bits exactly, never wider.
    struct stat st {};
    if (::fstat(in.handle(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
#endif

    // A new temporary file (created exclusively, so never through a link)
    // renamed over the target: a link at the target is replaced, not followed.
    QTemporaryFile out(QDir(target.absolutePath()).filePath(QLatin1Char('.') + target.fileName()
                                                           + QStringLiteral(".XXXXXX")));
    if (!out.open())
        return false;
#ifndef Q_OS_WIN
    if (::fchmod(out.handle(), st.st_mode & 0777) != 0)
        return false;
#else
    out.setPermissions(source.permissions());
#endif
    static constexpr qint64 kChunk = 64 * 1024;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), kChunk);
        if (got == 0)
            break;
        if (got < 0 || !WriteAll(out, buffer.constData(), got))
            return false;
    }
    if (!out.flush() || !FlushToDisk(out))
        return false;
    out.close();
    if (!RenameOver(out.fileName(), strTarget))
        return false;
    out.setAutoRemove(false);
    return true;
}

bool WriteAllBytes(QFileDevice &file, const char *data, qint64 size)
{
    return WriteAll(file, data, size);
}

bool RenameOver(const QString &strFrom, const QString &strTo, QString *pError)
{
#ifdef Q_OS_WIN
    const QString from = QDir::toNativeSeparators(strFrom);
    const QString to = QDir::toNativeSeparators(strTo);
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()), reinterpret_cast<const wchar_t *>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (pError)
        *pError = QStringLiteral("cannot be replaced (error %1)").arg(GetLastError());
    return false;
#else
    if (::rename(QFile::encodeName(strFrom).constData(), QFile::encodeName(strTo).constData()) == 0)
        return true;
    if (pError)
        *pError = QString::fromLocal8Bit(std::strerror(errno));
    return false;
#endif
}

bool FlushToDisk(QFileDevice &file)
{
#ifdef Q_OS_WIN
    Q_UNUSED(file);
    return true;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

void FlushFolder(const QString &strFolder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(strFolder);
#else
    const int fd = ::open(QFile::encodeName(strFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#endif
}
