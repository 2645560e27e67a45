#include "store/files/AtomicFile.h"

#include <QSaveFile>

#include <memory>
#include <vector>

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
