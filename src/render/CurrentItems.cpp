#include "render/CurrentItems.h"

#include "model/config/AppletParameters.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace {

// An address with a scheme of two letters or more ("C:" is a drive).
bool HasScheme(const QString &text)
{
    const QUrl url(text);
    return url.isValid() && url.scheme().size() > 1;
}

// What two addresses of the same page have in common, or "" for one that
// names a place within a page.
QString PageKey(const QUrl &url)
{
    if (!url.isValid() || url.hasFragment())
        return QString();
    static const QRegularExpression index(QStringLiteral("/(index|default)\\.html?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString path = url.path(QUrl::FullyDecoded);
    path.replace(index, QStringLiteral("/"));
    return url.scheme().toLower() + QLatin1Char(' ') + url.host().toLower() + QLatin1Char(' ')
           + QString::number(url.port()) + QLatin1Char(' ') + path + QLatin1Char('?') + url.query();
}

QUrl PageUrl(const QString &page)
{
    if (HasScheme(page))
        return QUrl(page);
    return QUrl::fromLocalFile(QDir::cleanPath(QDir::current().absoluteFilePath(page)));
}

} // namespace

QList<CItemRef> CurrentItems(const CAppletParameters &params, const QString &strMenuFolder, const QString &strPage)
{
    QList<CItemRef> found;
    const QString page = PageKey(PageUrl(strPage));
    if (page.isEmpty())
        return found;
    const QUrl base = QUrl::fromLocalFile(QDir(QDir::current().absoluteFilePath(strMenuFolder)).absolutePath()
                                          + QLatin1Char('/'));
    auto matches = [&](const QString &link) {
        const QString trimmed = link.trimmed();
        if (trimmed.isEmpty())
            return false;
        const QUrl url = HasScheme(trimmed) ? QUrl(trimmed) : base.resolved(QUrl(trimmed));
        return PageKey(url) == page;
    };
    params.m_pMainMenu->ForEachItem([&](const CAppletMenuItem &item, int i, int j) {
        if (matches(item.m_strLink))
            found.append({i, j});
    });
    return found;
}
