#include "app/StartArguments.h"

#include <QFileInfo>

CStartArguments ParseStartArguments(const QStringList &args)
{
    CStartArguments result;
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            files.append(arg);
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            result.bHelp = true;
        } else if (arg == QLatin1String("-v") || arg == QLatin1String("--version")) {
            result.bVersion = true;
        } else if (result.strError.isEmpty()) {
            result.strError = QStringLiteral("unknown option %1").arg(arg);
        }
    }
    if (result.strError.isEmpty() && files.size() > 1)
        result.strError = QStringLiteral("one file at most, not %1").arg(files.size());
    else if (result.strError.isEmpty() && files.size() == 1 && !files[0].isEmpty())
        result.strFile = QFileInfo(files[0]).absoluteFilePath();
    return result;
}

QString StartUsage()
{
    return QStringLiteral(
        "Usage: vantrel [FILE]\n"
        "Starts the Vantrel wizard, which builds a web page with a Glidebar menu.\n"
        "FILE, a page saved by Vantrel (.htm, .html) or its project file (.qdx),\n"
        "opens with its menu loaded.\n"
        "\n"
        "Options:\n"
        "  -h, --help     show this help\n"
        "  -v, --version  show the version\n"
        "Qt's own options, such as -platform NAME or -style NAME, are taken too.\n"
        "\n"
        "Exit status: 0, or 2 for bad arguments.\n");
}
