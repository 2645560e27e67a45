#include "store/ImageFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
    // Only '*' and '?' are wildcards, as in a file search; anything else,
    // '[' included, is part of the name.
    const bool wild = name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
    if (!wild && info.isFile())
        return info.absoluteFilePath();

    QString pattern;
    for (const QChar c : name) {
        if (c == QLatin1Char('*'))
            pattern += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            pattern += QLatin1Char('.');
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    pattern = QRegularExpression::anchoredPattern(pattern);

    // Match as a file search would: the name (or pattern) in its folder,
    // exact letter case first, then any letter case; the first by name.
    // Only regular files count (reading a pipe or a device would never end),
    // and no name with a comma: the applet would cut it there.
    // Only names that match are looked at further, so a big folder costs one
    // listing.
    QDir dir = info.absoluteDir();
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Name);
    const QStringList entries = dir.entryList();
    auto usable = [&](const QString &entry) {
        return !entry.contains(QLatin1Char(',')) && QFileInfo(dir.filePath(entry)).isFile();
    };
    for (const auto options : {QRegularExpression::NoPatternOption,
                               QRegularExpression::CaseInsensitiveOption}) {
        const QRegularExpression match(pattern, options);
        for (const QString &entry : entries)
            if (match.match(entry).hasMatch() && usable(entry))
                return dir.filePath(entry);
    }
    return QString();
}

QString CImageLookup::Find(const QString &strStoredPath)
{
    auto it = m_found.constFind(strStoredPath);
    if (it == m_found.constEnd())
        it = m_found.insert(strStoredPath, FindImageFile(strStoredPath));
    return it.value();
}
