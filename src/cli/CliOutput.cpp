#include "cli/CliOutput.h"

bool Print(std::FILE *stream, const QByteArray &bytes)
{
    const auto size = static_cast<size_t>(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stream) == size;
}

bool Print(std::FILE *stream, const QString &text)
{
    return Print(stream, text.toUtf8());
}

int UsageError(const QString &message)
{
    Print(stderr, QStringLiteral("vantrel-gen: %1\nTry 'vantrel-gen --help'.\n").arg(message));
    return kExitUsage;
}

int ContentError(const QString &message)
{
    Print(stderr, QStringLiteral("vantrel-gen: %1\n").arg(message));
    return kExitUsage;
}
