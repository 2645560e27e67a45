#include "html/ItemName.h"

#include "model/menu/AppletMenuItem.h"

#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace {

// "team_members" -> "Team members", "aboutUs" -> "About Us": the words of a
// file name, separated, the first capitalised.
QString Words(const QString &name)
{
    QString words;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == '-' || c == '_' || c == '.' || c == '+' || c.isSpace()) {
            words += ' ';
            continue;
        }
        if (c.isUpper() && i > 0 && name.at(i - 1).isLower())
            words += ' ';
        words += c;
    }
    words = words.simplified();
    if (!words.isEmpty())
        words[0] = words.at(0).toUpper();
    return words;
}

QString StripExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.left(dot) : name;
}

QString NameFromLink(const QString &link)
{
    const QUrl url(link);
    QStringList segments = url.path(QUrl::FullyDecoded).split('/', Qt::SkipEmptyParts);
    // A folder's index page is named after the folder.
    while (!segments.isEmpty()) {
        const QString base = StripExtension(segments.last());
        if (base.compare(QLatin1String("index"), Qt::CaseInsensitive) != 0
            && base.compare(QLatin1String("default"), Qt::CaseInsensitive) != 0)
            return Words(base);
        segments.removeLast();
    }
    return url.host();
}

} // namespace

bool LinkRunsCode(const QString &link)
{
    // Every such scheme ends in ':'; a path has none to end.
    if (!link.contains(QLatin1Char(':')))
        return false;
    qsizetype start = 0;
    while (start < link.size() && link.at(start).unicode() <= 0x20)
        ++start;
    for (const char *scheme : {"javascript:", "vbscript:", "data:"}) {
        // The scheme's letters in order, tabs and line breaks between them
        // passed over as browsers pass them over.
        const char *want = scheme;
        for (qsizetype i = start; *want && i < link.size(); ++i) {
            const char16_t c = link.at(i).unicode();
            if (c == u'\t' || c == u'\n' || c == u'\r')
                continue;
            const char16_t lower = c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
            if (lower != char16_t(*want))
                break;
            ++want;
        }
        if (!*want)
            return true;
    }
    return false;
}

QString ReadableItemName(const CAppletMenuItem &item)
{
    if (!item.m_strLabel.isEmpty())
        return item.m_strLabel;
    if (!item.m_strLink.isEmpty() && !LinkRunsCode(item.m_strLink)) {
        const QString name = NameFromLink(item.m_strLink);
        if (!name.isEmpty())
            return name;
    }
    if (!item.m_strImage.isEmpty())
        return Words(StripExtension(QFileInfo(QString(item.m_strImage).replace('\\', '/')).fileName()));
    return QString();
}
