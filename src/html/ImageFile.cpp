#include "html/ImageFile.h"

#include <QDir>
#include <QFileInfo>

QString FindImageFile(const QString &strStoredPath)
{
    if (strStoredPath.isEmpty())
        return QString();
    QString path = strStoredPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty())
        return QString();
    const bool wild = name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))
                      || name.contains(QLatin1Char('['));
    if (!wild && info.isFile())
        return info.absoluteFilePath();

    // Match as a file search would: the name (or pattern) in its folder,
    // exact letter case first, then any letter case.
    const QDir::Filters files = QDir::Files | QDir::Hidden | QDir::System;
    for (const QDir::Filters caseFlag : {QDir::Filters(QDir::CaseSensitive), QDir::Filters()}) {
        QDir dir = info.absoluteDir();
        dir.setNameFilters({name});
        dir.setFilter(files | caseFlag);
        dir.setSorting(QDir::Name);
        const QStringList matches = dir.entryList();
        if (!matches.isEmpty())
            return dir.filePath(matches.constFirst());
    }
    return QString();
}
