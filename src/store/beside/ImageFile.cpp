#include "store/beside/ImageFile.h"

#include "store/files/PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

QString FindImageFile(const QString &strStoredPath, bool *pNotPicture)
{
    if (pNotPicture)
        *pNotPicture = false;
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
    bool matched = false;
    auto picture = [&](const QString &file) {
        matched = true;
        const bool is = IsPictureFile(file);
        if (pNotPicture)
            *pNotPicture = !is;
        return is;
    };
    if (!wild && info.isFile())
        return picture(info.absoluteFilePath()) ? info.absoluteFilePath() : QString();

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
    // and no name with a comma: the applet would cut it there. Of those, the
    // first that is a picture.
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
            if (match.match(entry).hasMatch() && usable(entry) && picture(dir.filePath(entry)))
                return dir.filePath(entry);
    }
    if (pNotPicture)
        *pNotPicture = matched;
    return QString();
}

QString CImageLookup::Find(const QString &strStoredPath, bool *pNotPicture)
{
    auto it = m_found.constFind(strStoredPath);
    if (it == m_found.constEnd()) {
        CFound found;
        found.strPath = FindImageFile(strStoredPath, &found.bNotPicture);
        it = m_found.insert(strStoredPath, found);
    }
    if (pNotPicture)
        *pNotPicture = it.value().bNotPicture;
    return it.value().strPath;
}
