#include "html/SiteLinks.h"

#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "model/config/AppletParameters.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QUrl>

namespace {

// The folders of a page's folder, without empty and "." parts.
QStringList FolderParts(const QString &folder)
{
    QStringList parts;
    for (const QString &part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        if (part != QLatin1String("."))
            parts.append(part);
    return parts;
}

// "a/./b/../c" as its parts ["a", "c"]; ".." parts that lead above the
// start stay at the front. `trailing` tells whether the path ended in a
// folder ("a/", "a/.", "a/..").
QStringList NormalPath(const QString &path, bool *trailing)
{
    const QStringList raw = path.split(QLatin1Char('/'));
    *trailing = !raw.isEmpty()
                && (raw.last().isEmpty() || raw.last() == QLatin1String(".")
                    || raw.last() == QLatin1String(".."));
    QStringList parts;
    for (const QString &part : raw) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..") && !parts.isEmpty() && parts.last() != QLatin1String(".."))
            parts.removeLast();
        else
            parts.append(part);
    }
    return parts;
}

} // namespace

bool IsPageRelativeLink(const QString &link)
{
    if (link.isEmpty())
        return false;
    const QChar first = link.at(0);
    if (first == QLatin1Char('/') || first == QLatin1Char('\\') || first == QLatin1Char('#')
        || first == QLatin1Char('?'))
        return false;
    // A scheme: a letter, then letters, digits, '+', '-' or '.', then ':'
    // before any '/', '?' or '#'.
    if (first.isLetter() && first.unicode() < 0x80) {
        for (qsizetype i = 1; i < link.size(); ++i) {
            const char16_t c = link.at(i).unicode();
            if (c == u':')
                return false;
            const bool schemeChar = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
                                    || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
            if (!schemeChar)
                break;
        }
    }
    return true;
}

QString SiteFolderPrefix(const QString &pageFolder)
{
    QString prefix;
    for (qsizetype i = FolderParts(pageFolder).size(); i > 0; --i)
        prefix += QLatin1String("../");
    return prefix;
}

namespace {

// The page's folder in parts when `link` changes for a page in it: a
// page-relative link and a page below the site's folder. Empty when the
// link stays as it is.
QStringList FolderForLink(const QString &link, const QString &pageFolder)
{
    if (pageFolder.isEmpty() || !IsPageRelativeLink(link))
        return {};
    return FolderParts(pageFolder);
}

// Where a link's path ends: at its query or fragment, else at its end.
qsizetype PathEnd(const QString &link)
{
    qsizetype end = link.size();
    for (QChar c : {QLatin1Char('?'), QLatin1Char('#')}) {
        const qsizetype at = link.indexOf(c);
        if (at >= 0 && at < end)
            end = at;
    }
    return end;
}

// Path parts joined with "/", ending in "/" when `trailing`; "./" for none.
QString JoinedPath(const QStringList &parts, bool trailing)
{
    QString path = parts.join(QLatin1Char('/'));
    if (trailing && !path.isEmpty())
        path += QLatin1Char('/');
    if (path.isEmpty())
        path = QStringLiteral("./");
    return path;
}

} // namespace

QString SiteLinkForPage(const QString &link, const QString &pageFolder)
{
    const QStringList folder = FolderForLink(link, pageFolder);
    if (folder.isEmpty())
        return link;

    // The path, then what follows it (query, fragment) unchanged.
    const qsizetype end = PathEnd(link);
    const QString suffix = link.mid(end);
    bool trailing = false;
    const QStringList target = NormalPath(link.left(end), &trailing);

    // Up from the page's folder to where the two paths part, then down.
    qsizetype common = 0;
    while (common < folder.size() && common < target.size() && folder[common] == target[common])
        ++common;
    // The last part of a file's path is the file, not a folder to share.
    if (!trailing && common == target.size() && common > 0)
        --common;
    QStringList parts;
    for (qsizetype i = common; i < folder.size(); ++i)
        parts.append(QStringLiteral(".."));
    for (qsizetype i = common; i < target.size(); ++i)
        parts.append(target[i]);
    return JoinedPath(parts, trailing) + suffix;
}

QString SiteLinkFromPage(const QString &link, const QString &pageFolder)
{
    const QStringList folder = FolderForLink(link, pageFolder);
    if (folder.isEmpty())
        return link;
    const qsizetype end = PathEnd(link);
    bool trailing = false;
    const QStringList parts = NormalPath(folder.join(QLatin1Char('/')) + QLatin1Char('/') + link.left(end), &trailing);
    return JoinedPath(parts, trailing) + link.mid(end);
}

QStringList MissingSiteLinks(const CAppletParameters &p, const QString &strSiteFolder)
{
    QStringList missing;
    QSet<QString> seen;
    const QDir site(strSiteFolder);
    const auto check = [&](const QString &written) {
        const QString link = written.trimmed();
        if (!IsPageRelativeLink(link) || seen.contains(link))
            return;
        seen.insert(link);
        qsizetype end = link.size();
        for (const QChar c : {QLatin1Char('?'), QLatin1Char('#')}) {
            const qsizetype at = link.indexOf(c);
            if (at >= 0 && at < end)
                end = at;
        }
        const QString path = QUrl::fromPercentEncoding(link.left(end).toUtf8());
        if (path.isEmpty() || !QFileInfo::exists(site.filePath(path)))
            missing.append(link);
    };
    p.m_pMainMenu->ForEachItem([&](const CAppletMenuItem &item, int, int) { check(item.m_strLink); });
    return missing;
}

QString MissingSiteLinkWarning(const QString &link)
{
    return QStringLiteral("Warning: the menu links to %1, which is not in the site folder").arg(link);
}
