#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QByteArray ReadFileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray PngBytes(const QByteArray &tail)
{
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + tail;
}
