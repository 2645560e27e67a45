#include "html/read/PagePictures.h"

#include "html/SiteLinks.h"
#include "html/read/params/ParamFields.h"
#include "html/read/params/ReadNotes.h"
#include "store/files/PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

CPagePictures::CPagePictures(const QString &strPageFolder, const QString &strRoot)
    : m_strPageFolder(strPageFolder)
{
    m_strRoot = QDir::cleanPath(strRoot);
    const QString canonical = QFileInfo(m_strRoot).canonicalFilePath();
    m_strCanonicalRoot = canonical.isEmpty() ? m_strRoot : canonical;
}

QString CPagePictures::Find(const QString &name, const CParamName &param, CReadNotes &notes)
{
    if (name.isEmpty())
        return QString();
    const auto known = m_found.constFind(name);
    if (known != m_found.constEnd())
        return *known;
    const QString found = Look(name, param, notes);
    m_found.insert(name, found);
    return found;
}

bool CPagePictures::Within(const QString &path, const QString &folder)
{
    return path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

QString CPagePictures::Look(const QString &name, const CParamName &paramName, CReadNotes &notes)
{
    const QString param = paramName();
    const QString quoted = CParamFields::Quoted(name);
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!IsPageRelativeLink(relative)) {
        notes.AddFor(param, QStringLiteral("the picture %1 is not a file beside the page; it is left out").arg(quoted));
        return QString();
    }
    if (relative.contains(QLatin1Char('*')) || relative.contains(QLatin1Char('?'))) {
        notes.AddFor(param, QStringLiteral("the picture %1 has a wildcard in its name; it is left out").arg(quoted));
        return QString();
    }
    QString path = QDir::cleanPath(m_strPageFolder + QLatin1Char('/') + relative);
    if (!QFileInfo::exists(path) && relative.contains(QLatin1Char('%'))) {
        // As a browser reads the link.
        const QString decoded = QDir::cleanPath(
            m_strPageFolder + QLatin1Char('/') + QUrl::fromPercentEncoding(relative.toUtf8()));
        if (QFileInfo::exists(decoded))
            path = decoded;
    }
    const QString shown = QDir::toNativeSeparators(path);
    const QString where = m_strRoot == QDir::cleanPath(m_strPageFolder) ? QStringLiteral("the page's folder")
                                                                          : QStringLiteral("the site folder");
    if (!Within(path, m_strRoot)) {
        notes.AddFor(param, QStringLiteral("the picture %1 lies outside %2; it is left out").arg(quoted, where));
        return QString();
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        notes.AddFor(param, QStringLiteral("the picture %1 is missing (looked for at %2); it is kept by that "
                                           "name and left off the page until it is there")
                                .arg(quoted, shown));
        return path;
    }
    if (!Within(info.canonicalFilePath(), m_strCanonicalRoot)) {
        notes.AddFor(param, QStringLiteral("the picture %1 is a link to a file outside %2; it is left out")
                                .arg(quoted, where));
        return QString();
    }
    if (!info.isFile()) {
        notes.AddFor(param, QStringLiteral("the picture %1 is not a file; it is left out").arg(quoted));
        return QString();
    }
    if (!IsPictureFile(path))
        notes.AddFor(param, QStringLiteral("the picture %1 is not a picture by its content; a save leaves it out")
                                .arg(quoted));
    return path;
}
