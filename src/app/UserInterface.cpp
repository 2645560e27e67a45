#include "app/UserInterface.h"

#include <QRegularExpression>

CUserInterface::~CUserInterface() = default;

QString ToQtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (desc.isEmpty() && patterns.isEmpty())
            break;
        // "HTML Files(*.htm,*.html)": the patterns shown in the description
        // give way to the real ones, which Qt reads from the last brackets.
        static const QRegularExpression shown(QStringLiteral("\\s*\\([^()]*\\)$"));
        desc.remove(shown);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(desc, patterns.simplified());
    }
    return entries.join(QStringLiteral(";;"));
}

QString ToQtOpenFileFilter(const QString &filter)
{
    QString qtFilter = ToQtFileFilter(filter);
#ifndef Q_OS_WIN
    if (!qtFilter.isEmpty())
        qtFilter += QStringLiteral(";;");
    qtFilter += QStringLiteral("All Files (*)");
#endif
    return qtFilter;
}
