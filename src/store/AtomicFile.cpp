#include "store/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Unbuffered, so that a short write shows in write()'s result instead of
// being lost in a later flush.
bool OpenForWriting(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool WriteAll(QSaveFile &file, const char *data, qint64 size)
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
    QSaveFile file(strPath);
    if (!OpenForWriting(file)) {
        if (pError)
            *pError = file.errorString();
        return false;
    }
    if (!WriteAll(file, bytes.constData(), bytes.size())) {
        if (pError)
            *pError = WriteError(file);
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        if (pError)
            *pError = file.errorString();
        return false;
    }
    return true;
}

bool CopyFileAtomically(const QString &strSource, const QString &strTarget)
{
    const QFileInfo source(strSource);
    const QFileInfo target(strTarget);
    if (!source.isFile())
        return false;
    if (target.exists() && target.canonicalFilePath() == source.canonicalFilePath())
        return true;
    QFile in(strSource);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(strTarget);
    if (!OpenForWriting(out))
        return false;
    static constexpr qint64 kChunk = 64 * 1024;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), kChunk);
        if (got == 0)
            break;
        if (got < 0 || !WriteAll(out, buffer.constData(), got)) {
            out.cancelWriting();
            out.commit();
            return false;
        }
    }
    return out.commit();
}
