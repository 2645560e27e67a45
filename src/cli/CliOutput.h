#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// What every vantrel-gen command writes and how it ends.
constexpr int kExitFailed = 1; // a save, a picture or the output failed
constexpr int kExitUsage = 2;  // bad arguments, or files that cannot answer

// False when not every byte could be written.
bool Print(std::FILE *stream, const QByteArray &bytes);
bool Print(std::FILE *stream, const QString &text);

// A mistake in how the command was called: the message and where to read more.
int UsageError(const QString &message);
// A well-formed call the files cannot answer (no such project, template or
// sub menu): the message alone.
int ContentError(const QString &message);
