#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole of a file (empty when missing).
QByteArray ReadFileBytes(const QString &path);
// Writes a file, creating its folder; returns false on failure.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);
// The start of a PNG file followed by `tail`: a picture by its content, as
// saves check it, with bytes of the test's own choosing.
QByteArray PngBytes(const QByteArray &tail);
