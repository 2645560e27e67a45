#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole of a file (empty when missing).
QByteArray ReadFileBytes(const QString &path);
// Writes a file, creating its folder; returns false on failure.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);
