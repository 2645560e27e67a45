#include "store/project/SitePageKeys.h"

#include "store/ini/IniFile.h"

#include <QStringList>

namespace {

QString Key(const char *name, qsizetype n)
{
    return QLatin1String(name) + QString::number(n);
}

// A stored number; anything else gives `fallback`.
qint64 ReadNumber(const CIniFile::CSectionReader &section, const QString &key, qint64 fallback)
{
    bool ok = false;
    const qint64 value = section.ValueView(key).trimmed().toLongLong(&ok);
    return ok ? value : fallback;
}

// A stored hash: 64 hexadecimal digits, else none.
QByteArray ReadHash(const CIniFile::CSectionReader &section, const QString &key)
{
    const QByteArray hash = section.ValueView(key).trimmed().toLatin1().toLower();
    if (hash.size() != 64)
        return QByteArray();
    for (char c : hash)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return QByteArray();
    return hash;
}

// The words of Added<n>, one per flag of CSitePage::nAdded.
const struct {
    int nFlag;
    const char *word;
} kAddedWords[] = {{1, "begin"}, {2, "end"}, {4, "viewport"}, {8, "line-end"}};

int ReadAdded(const CIniFile::CSectionReader &section, const QString &key)
{
    if (!section.Contains(key))
        return -1;
    int added = 0;
    const QStringList words = section.Value(key).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        bool known = word == QLatin1String("none");
        for (const auto &flag : kAddedWords) {
            if (word == QLatin1String(flag.word)) {
                added |= flag.nFlag;
                known = true;
            }
        }
        if (!known)
            return -1;
    }
    return added;
}

QString AddedText(int added)
{
    QStringList words;
    for (const auto &flag : kAddedWords)
        if (added & flag.nFlag)
            words.append(QLatin1String(flag.word));
    return words.isEmpty() ? QStringLiteral("none") : words.join(QLatin1Char(' '));
}

} // namespace

QString SitePagesSection()
{
    return QStringLiteral("Site Pages");
}

CSitePageList ReadSitePages(const CIniFile &ini)
{
    CSitePageList pages;
    const CIniFile::CSectionReader section = ini.Section(SitePagesSection());
    for (qsizetype n = 1;; ++n) {
        const QString pathKey = Key("Page", n);
        if (!section.Contains(pathKey))
            break;
        CSitePage page;
        page.strPath = section.Value(pathKey);
        page.nSize = ReadNumber(section, Key("Size", n), -1);
        page.nModified = ReadNumber(section, Key("Time", n), 0);
        page.pageHash = ReadHash(section, Key("PageHash", n));
        page.menuHash = ReadHash(section, Key("MenuHash", n));
        page.nAdded = ReadAdded(section, Key("Added", n));
        pages.append(page);
    }
    return pages;
}

void WriteSitePages(CIniFile &ini, const CSitePageList &pages)
{
    if (pages.isEmpty())
        return;
    const QString section = SitePagesSection();
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const CSitePage &page = pages[i];
        const qsizetype n = i + 1;
        ini.SetValue(section, Key("Page", n), page.strPath);
        ini.SetValue(section, Key("Size", n), QString::number(page.nSize));
        ini.SetValue(section, Key("Time", n), QString::number(page.nModified));
        ini.SetValue(section, Key("PageHash", n), QString::fromLatin1(page.pageHash));
        ini.SetValue(section, Key("MenuHash", n), QString::fromLatin1(page.menuHash));
        if (page.nAdded >= 0)
            ini.SetValue(section, Key("Added", n), AddedText(page.nAdded));
    }
}
