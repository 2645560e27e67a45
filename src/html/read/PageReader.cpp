#include "html/read/PageReader.h"

#include "html/ItemName.h"
#include "html/PageLinks.h"
#include "html/SiteLinks.h"
#include "html/read/CharacterReferences.h"
#include "html/read/PageDecoding.h"
#include "html/read/ParamFields.h"
#include "html/read/ReadNotes.h"
#include "html/read/StyleParams.h"
#include "model/PageLanguage.h"
#include "model/StringTable.h"
#include "store/FolderHandle.h"
#include "store/MarkupScanner.h"
#include "store/PictureFile.h"
#include "store/SitePageText.h"
#include "store/StoredConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Item params are kept by menu and item number: menu * kItemStride + item.
constexpr int kItemStride = kMaxStoredMenuItems;
// Menus a Misc table may count, root included (as the page script reads it).
constexpr int kMaxMenus = kMaxStoredMenuItems + 1;
// Names of params told by name when they are of no use; the rest counted.
constexpr int kNamedUnknown = 5;

// A value of the page: its bytes, and whether it is there at all.
struct CRaw {
    QByteArrayView bytes;
    bool bThere = false;
};

// One entry of the link list a page for today's browsers carries, as the
// page's bytes: decoded only when the list is read (the params give no item).
struct CListEntry {
    QList<QByteArrayView> label; // the pieces of text of its link or span
    QByteArrayView link;
    QByteArrayView target;
    QList<CListEntry> subs;
};

// What one pass over the page found.
struct CScan {
    qsizetype nAppletStart = -1;
    CRaw width, height;
    CRaw title;
    // What a page for today's browsers says of itself: the language of its
    // <html> tag, the content of its description.
    CRaw lang, description;
    bool bParagraph = false; // a <p> open where the applet starts
    CRaw align;
    CRaw scriptBefore, scriptAfter; // the menu script's path nearest before it, first after it
    CRaw code;
    // The params: by lower-case name (the first of a name counts, as in the
    // page script) and the items by number.
    QHash<QByteArray, QByteArrayView> named;
    QHash<int, QByteArrayView> items;
    qsizetype nDuplicates = 0;
    QStringList unknownNames;
    qsizetype nUnknown = 0;
    qsizetype nItemsBeyond = 0; // item params past the bounds
    qsizetype nSecondApplets = 0;
    // The link list.
    bool bList = false;
    CRaw listName;
    QList<CListEntry> list;
    bool bDeepList = false;
};

// True when a tag's name (lower case) is `name`.
template <size_t N> bool Is(const QByteArray &tagName, const char (&name)[N])
{
    return tagName.size() == qsizetype(N - 1) && std::memcmp(tagName.constData(), name, N - 1) == 0;
}

bool NamesMenuScript(QByteArrayView src)
{
    const QByteArray name = src.trimmed().toByteArray().toLower();
    const QByteArray script = LoadString(StringId::PageScript).toLatin1().toLower();
    return name == script || name.endsWith('/' + script) || name.endsWith('\\' + script);
}

// A number as the writer writes it ("%d", not negative); past kMaxMenus
// it only has to stay known to be too large.
bool PlainCount(QByteArrayView digits, qint64 *pValue)
{
    if (digits.isEmpty() || (digits.size() > 1 && digits[0] == '0'))
        return false;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = qMin<qint64>(value * 10 + (c - '0'), kMaxMenus * qint64(kItemStride));
    }
    *pValue = value;
    return true;
}

// "I<menu>-<item>" in either case, both numbers as the writer writes them:
// the key an item param has in the page script ('i' + m + '-' + n).
bool ItemNumbers(QByteArrayView name, qint64 *pMenu, qint64 *pItem)
{
    if (name.size() < 4 || (name[0] != 'i' && name[0] != 'I'))
        return false;
    const qsizetype dash = name.indexOf('-');
    return dash > 0 && PlainCount(name.sliced(1, dash - 1), pMenu) && PlainCount(name.sliced(dash + 1), pItem);
}

bool HasClass(QByteArrayView classes, const char *wanted)
{
    for (const QByteArray &one : classes.toByteArray().simplified().split(' '))
        if (one == wanted)
            return true;
    return false;
}

// The page folder's path to the site folder ("../../"), from the block's
// script or class file path: the number of folders up, -1 when the path
// leads elsewhere.
int FoldersUp(const QString &path, const QString &file)
{
    QString prefix = path.trimmed();
    prefix.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!prefix.endsWith(file, Qt::CaseInsensitive))
        return -1;
    prefix.chop(file.size());
    int up = 0;
    for (const QString &part : prefix.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            ++up;
        else if (part != QLatin1String("."))
            return -1;
    }
    if (prefix.startsWith(QLatin1Char('/')))
        return -1;
    return up;
}

// Reads the page once.
class CScanner {
public:
    CScanner(const QByteArray &page, const CPageDecoding &decoding) : m_page(page), m_decoding(decoding) {}

    CScan Run()
    {
        CMarkupScanner scan(m_page);
        while (scan.Next()) {
            // The title's text comes right after its start tag; an empty
            // title has none.
            const bool titleText = m_bTitleText;
            m_bTitleText = false;
            switch (scan.Kind()) {
            case CMarkupScanner::StartTag:
                if (Is(scan.Name(), "title") && !m_scan.title.bThere) {
                    m_scan.title.bThere = true;
                    m_bTitleText = true;
                }
                StartTag(scan);
                break;
            case CMarkupScanner::EndTag:
                EndTag(scan);
                break;
            case CMarkupScanner::RawText:
                if (titleText && Is(scan.Name(), "title"))
                    m_scan.title.bytes = scan.Inner();
                break;
            case CMarkupScanner::Text:
                if (m_where == Inside && m_nList > 0 && m_bInEntry && m_pEntry)
                    m_pEntry->label.append(scan.Inner());
                break;
            default:
                break;
            }
        }
        return m_scan;
    }

private:
    enum EWhere { Before, Inside, After };

    void StartTag(const CMarkupScanner &scan)
    {
        const QByteArray &name = scan.Name();
        if (Is(name, "applet") && IsMenuAppletCode(AttributeText(scan, "code"))) {
            if (m_where != Before) {
                ++m_scan.nSecondApplets;
                return;
            }
            m_where = Inside;
            m_scan.nAppletStart = scan.Start();
            m_scan.width.bytes = scan.Attribute("width", &m_scan.width.bThere);
            m_scan.height.bytes = scan.Attribute("height", &m_scan.height.bThere);
            m_scan.code = {scan.Attribute("code"), true};
            m_scan.bParagraph = m_bParagraph;
            m_scan.align = m_align;
            return;
        }
        if (Is(name, "script")) {
            bool there = false;
            const QByteArrayView src = scan.Attribute("src", &there);
            if (there && NamesMenuScript(src.contains('&') ? AttributeText(scan, "src") : src)) {
                if (m_where == Before)
                    m_scan.scriptBefore = {src, true};
                else if (!m_scan.scriptAfter.bThere)
                    m_scan.scriptAfter = {src, true};
            }
            return;
        }
        if (m_where == Before) {
            if (Is(name, "html") && !m_scan.lang.bThere)
                m_scan.lang.bytes = scan.Attribute("lang", &m_scan.lang.bThere);
            if (Is(name, "meta") && !m_scan.description.bThere
                && AttributeText(scan, "name").trimmed().toLower() == "description")
                m_scan.description.bytes = scan.Attribute("content", &m_scan.description.bThere);
            if (Is(name, "p")) {
                m_bParagraph = true;
                m_align.bytes = scan.Attribute("align", &m_align.bThere);
            }
            return;
        }
        if (m_where != Inside)
            return;
        if (Is(name, "param")) {
            Param(scan);
            return;
        }
        ListStart(scan);
    }

    // An attribute's value with its character references read, as bytes
    // of ASCII names are compared ("Glidebar&#46;class").
    QByteArray AttributeText(const CMarkupScanner &scan, const char *name) const
    {
        const QByteArrayView raw = scan.Attribute(name);
        if (!raw.contains('&'))
            return raw.toByteArray();
        return DecodeHtmlText(m_decoding.Decode(raw), EHtmlTextKind::Attribute).toUtf8();
    }

    void EndTag(const CMarkupScanner &scan)
    {
        const QByteArray &name = scan.Name();
        if (m_where == Before) {
            if (Is(name, "p"))
                m_bParagraph = false;
            return;
        }
        if (m_where != Inside)
            return;
        if (Is(name, "applet")) {
            m_where = After;
            return;
        }
        if (m_nList == 0)
            return;
        if (Is(name, "nav")) {
            --m_nList;
        } else if (Is(name, "ul")) {
            m_nDepth = qMax(0, m_nDepth - 1);
            m_pEntry = nullptr;
            m_bInEntry = false;
        } else if (m_bInEntry && name == m_entryTag) {
            m_bInEntry = false;
        }
    }

    void Param(const CMarkupScanner &scan)
    {
        bool there = false;
        QByteArrayView nameBytes = scan.Attribute("name", &there);
        if (!there)
            return; // the page script skips a param without a name
        QByteArray decoded;
        if (nameBytes.contains('&')) {
            decoded = DecodeHtmlText(m_decoding.Decode(nameBytes), EHtmlTextKind::Attribute).toUtf8();
            nameBytes = decoded;
        }
        const QByteArrayView value = scan.Attribute("value");
        qint64 menu = 0, item = 0;
        if (ItemNumbers(nameBytes, &menu, &item)) {
            if (menu >= kMaxMenus || item >= kMaxStoredMenuItems) {
                ++m_scan.nItemsBeyond;
                return;
            }
            const int key = int(menu) * kItemStride + int(item);
            if (m_scan.items.contains(key))
                ++m_scan.nDuplicates;
            else
                m_scan.items.insert(key, value);
            return;
        }
        const QByteArray lower = nameBytes.toByteArray().toLower();
        if (!KnownNames().contains(lower)) {
            if (m_scan.unknownNames.size() < kNamedUnknown)
                m_scan.unknownNames.append(CParamFields::Quoted(QString::fromUtf8(lower)));
            ++m_scan.nUnknown;
            return;
        }
        if (m_scan.named.contains(lower))
            ++m_scan.nDuplicates;
        else
            m_scan.named.insert(lower, value);
    }

    // The link list: <nav class="glidebar-links"><ul><li><a>...</a><ul>...
    void ListStart(const CMarkupScanner &scan)
    {
        const QByteArray &name = scan.Name();
        if (Is(name, "nav")) {
            if (m_nList > 0) {
                ++m_nList;
            } else if (!m_scan.bList && HasClass(scan.Attribute("class"), "glidebar-links")) {
                m_nList = 1;
                m_scan.bList = true;
                m_scan.listName.bytes = scan.Attribute("aria-label", &m_scan.listName.bThere);
            }
            return;
        }
        if (m_nList == 0)
            return;
        if (Is(name, "ul")) {
            ++m_nDepth;
        } else if (Is(name, "li")) {
            m_bInEntry = false;
            m_bEntryTaken = false;
            m_pEntry = nullptr;
            if (m_nDepth == 1) {
                m_scan.list.append(CListEntry());
                m_pEntry = &m_scan.list.last();
            } else if (m_nDepth == 2 && !m_scan.list.isEmpty()) {
                m_scan.list.last().subs.append(CListEntry());
                m_pEntry = &m_scan.list.last().subs.last();
            } else if (m_nDepth > 2) {
                m_scan.bDeepList = true;
            }
        } else if ((Is(name, "a") || Is(name, "span")) && m_pEntry && !m_bEntryTaken) {
            m_bEntryTaken = true;
            m_bInEntry = !scan.SelfClosing();
            m_entryTag = name;
            if (Is(name, "a")) {
                m_pEntry->link = scan.Attribute("href");
                m_pEntry->target = scan.Attribute("target");
            }
        }
    }

    static const QSet<QByteArray> &KnownNames()
    {
        static const QSet<QByteArray> names = [] {
            QSet<QByteArray> set{"apbkimg", "notice", "misc"};
            for (const CStyleParam &param : StyleParams())
                set.insert(QByteArray(param.pName).toLower());
            return set;
        }();
        return names;
    }

    const QByteArray &m_page;
    const CPageDecoding &m_decoding;
    CScan m_scan;
    EWhere m_where = Before;
    bool m_bParagraph = false;
    CRaw m_align;
    bool m_bTitleText = false;
    // The link list: nav elements open (1 and more inside the list), lists
    // open in it, and the entry being read. Entries are kept in QLists that
    // grow only at their ends after the entry in hand is done with.
    int m_nList = 0;
    int m_nDepth = 0;
    CListEntry *m_pEntry = nullptr;
    bool m_bInEntry = false;
    bool m_bEntryTaken = false;
    QByteArray m_entryTag;
};

// The name of a param, made when a note needs it.
using CParamName = std::function<QString()>;

// Where the pictures a page names are: relative to the page's folder, and
// only within the folder the page's links may reach (the page's own, or the
// site folder).
class CPictures {
public:
    CPictures(const QString &strPageFolder, const QString &strRoot) : m_strPageFolder(strPageFolder)
    {
        m_strRoot = QDir::cleanPath(strRoot);
        const QString canonical = QFileInfo(m_strRoot).canonicalFilePath();
        m_strCanonicalRoot = canonical.isEmpty() ? m_strRoot : canonical;
    }

    // The path to keep for the picture `name` that `param` names; empty
    // when it cannot be taken. Each problem told once per name.
    QString Find(const QString &name, const CParamName &param, CReadNotes &notes)
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

private:
    static bool Within(const QString &path, const QString &folder)
    {
        return path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    }

    QString Look(const QString &name, const CParamName &paramName, CReadNotes &notes)
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

    QString m_strPageFolder;
    QString m_strRoot;
    QString m_strCanonicalRoot;
    QHash<QString, QString> m_found;
};

// The page script's parseInt: blanks, a sign, digits; `fallback` without.
// Digits past the int range give its nearest end.
qint64 ScriptInt(const QString &text, qint64 fallback)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    const qsizetype digits = i;
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = qMin<qint64>(value * 10 + (text[i].unicode() - u'0'), qint64(INT_MAX) + 1);
    if (i == digits)
        return fallback;
    return negative ? -value : value;
}

// Builds the configuration from what the scan found.
class CBuilder {
public:
    CBuilder(const CScan &scan, const CPageDecoding &decoding, CAppletParameters &params, CReadNotes &notes,
             CPictures &pictures, const QString &strPageFolder)
        : m_scan(scan), m_decoding(decoding), m_params(params), m_notes(notes), m_pictures(pictures),
          m_strPageFolder(strPageFolder)
    {
    }

    QString Value(QByteArrayView bytes) const
    {
        return DecodeHtmlText(m_decoding.Decode(bytes), EHtmlTextKind::Attribute);
    }

    bool Named(const char *name, QString *pValue) const
    {
        const auto it = m_scan.named.constFind(QByteArray(name).toLower());
        if (it == m_scan.named.constEnd())
            return false;
        *pValue = Value(*it);
        return true;
    }

    void Styles()
    {
        for (const CStyleParam &rule : StyleParams()) {
            QString value;
            const QString name = QLatin1String(rule.pName);
            if (!Named(rule.pName, &value)) {
                m_notes.AddFor(name, QStringLiteral("the page has no such param; its values keep their defaults"));
                continue;
            }
            CParamFields fields(name, value, m_notes);
            rule.pRead(fields, m_params);
        }
        QString image;
        if (Named("ApBKImg", &image))
            m_params.m_appBKImagePath = m_pictures.Find(image, [] { return QStringLiteral("ApBKImg"); }, m_notes);
        else
            m_notes.AddFor(QStringLiteral("ApBKImg"), QStringLiteral("the page has no such param; no picture kept"));
    }

    // The menu tree by the Misc table, as the page script reads it; the link
    // list where the params give no item.
    void Tree()
    {
        QString misc;
        const bool hasMisc = Named("Misc", &misc);
        const QStringList table = misc.split(QLatin1Char(','));
        const QString miscName = QStringLiteral("Misc");
        const qint64 menus = qMin<qint64>(ScriptInt(table.value(0), 0), kMaxMenus);
        QList<qint64> counts;
        for (qint64 m = 0; m < menus; ++m)
            counts.append(qMax<qint64>(ScriptInt(table.value(1 + m), 0), 0));
        if (!hasMisc)
            m_notes.AddFor(miscName, QStringLiteral("the page has no such param; the main menu is read as far as its "
                                                    "item params go, without sub menus"));
        else if (menus < 1)
            m_notes.AddFor(miscName, QStringLiteral("%1 counts no menus; the main menu is read as far as its item "
                                                    "params go, without sub menus")
                                         .arg(CParamFields::Quoted(misc)));
        else if (!IsPlainTable(table, menus))
            m_notes.AddFor(miscName, QStringLiteral("%1 is not written as the wizard writes it; it is read as the "
                                                    "page script reads it")
                                         .arg(CParamFields::Quoted(misc)));
        if (menus < 1)
            counts = {kMaxStoredMenuItems};

        const int rootCount = Present(0, counts[0]);
        if (counts[0] > kMaxStoredMenuItems)
            m_notes.AddFor(miscName, QStringLiteral("the main menu is given %1 items; at most %2 are read")
                                         .arg(counts[0]).arg(kMaxStoredMenuItems));
        else if (menus >= 1 && rootCount < counts[0])
            m_notes.AddFor(miscName, QStringLiteral("the main menu is given %1 items, and the page has params for "
                                                    "the first %2")
                                         .arg(counts[0]).arg(rootCount));

        // Sub menus: pairs of a main item and a sub menu number after the
        // counts; the first pair of a main item counts.
        QList<int> subOf(rootCount, 0);   // sub menu number of each main item, 0 none
        QList<int> subCount(rootCount, 0);
        QSet<qint64> attached;
        static const QRegularExpression pair(QStringLiteral("^(\\d+)-(\\d+)$"));
        for (qsizetype i = 1 + qMax<qint64>(menus, 0); i < table.size(); ++i) {
            const QString &field = table[i];
            const QRegularExpressionMatch match = pair.match(field);
            if (!match.hasMatch()) {
                if (!field.isEmpty())
                    m_notes.AddFor(miscName, QStringLiteral("%1 is not a main item and a sub menu number; it is ignored")
                                                 .arg(CParamFields::Quoted(field)));
                continue;
            }
            const qint64 owner = ScriptInt(match.captured(1), -1);
            const qint64 k = ScriptInt(match.captured(2), -1);
            if (owner < 0 || owner >= rootCount) {
                m_notes.AddFor(miscName, QStringLiteral("%1 names main item %2, which the menu does not have; it is "
                                                        "ignored")
                                             .arg(CParamFields::Quoted(field), match.captured(1)));
                continue;
            }
            if (subOf[owner] != 0) {
                m_notes.AddFor(miscName, QStringLiteral("%1: main item %2 has a sub menu already; it is ignored")
                                             .arg(CParamFields::Quoted(field)).arg(owner));
                continue;
            }
            if (k < 1 || k >= counts.size()) {
                m_notes.AddFor(miscName, QStringLiteral("%1 names sub menu %2, which the table does not count; it is "
                                                        "ignored")
                                             .arg(CParamFields::Quoted(field), match.captured(2)));
                continue;
            }
            attached.insert(k);
            const int n = Present(int(k), counts[k]);
            if (counts[k] > kMaxStoredMenuItems)
                m_notes.AddFor(miscName, QStringLiteral("sub menu %1 is given %2 items; at most %3 are read")
                                             .arg(k).arg(counts[k]).arg(kMaxStoredMenuItems));
            else if (n > 0 && n < counts[k])
                m_notes.AddFor(miscName, QStringLiteral("sub menu %1 is given %2 items, and the page has params for "
                                                        "the first %3")
                                             .arg(k).arg(counts[k]).arg(n));
            if (n == 0) {
                m_notes.AddFor(miscName, QStringLiteral("sub menu %1 of main item %2 has no items, which a project "
                                                        "file cannot hold; it is left out")
                                             .arg(k).arg(owner));
                continue;
            }
            subOf[owner] = int(k);
            subCount[owner] = n;
        }
        for (qsizetype k = 1; k < counts.size(); ++k)
            if (!attached.contains(k))
                m_notes.AddFor(miscName, QStringLiteral("sub menu %1 is counted, but no main item owns it; it is "
                                                        "left out")
                                             .arg(k));

        if (rootCount == 0) {
            if (const qsizetype unread = m_scan.items.size() + m_scan.nItemsBeyond)
                m_notes.Add(QStringLiteral("%1 item params belong to no menu of the Misc table; they are ignored")
                                .arg(unread));
            if (!m_scan.list.isEmpty()) {
                m_notes.Add(QStringLiteral("The applet's params give the menu no items; it is read from the page's "
                                           "list of links"));
                FromList();
                return;
            }
            m_notes.Add(QStringLiteral("The menu has no items, which a project file cannot hold; it gets four new "
                                       "items"));
            return;
        }

        // The items are made as read, each menu showing its first.
        CAppletMenu &root = *m_params.m_pMainMenu;
        root.m_items.clear();
        root.m_items.reserve(size_t(rootCount));
        for (int i = 0; i < rootCount; ++i) {
            root.m_items.push_back(Item(0, i));
            if (subOf[i] == 0)
                continue;
            auto sub = std::make_unique<CAppletMenu>(0);
            sub->m_items.reserve(size_t(subCount[i]));
            for (int j = 0; j < subCount[i]; ++j)
                sub->m_items.push_back(Item(subOf[i], j));
            sub->m_nCurrent = 0;
            root.m_items.back()->m_pSubMenu = std::move(sub);
        }
        root.m_nCurrent = 0;
        // Item params no menu reads (a sub menu used twice counts once).
        QSet<int> read;
        for (int i = 0; i < rootCount; ++i) {
            read.insert(i);
            for (int j = 0; j < subCount[i]; ++j)
                read.insert(subOf[i] * kItemStride + j);
        }
        qsizetype unread = m_scan.nItemsBeyond;
        for (auto it = m_scan.items.constBegin(); it != m_scan.items.constEnd(); ++it)
            unread += read.contains(it.key()) ? 0 : 1;
        if (unread > 0)
            m_notes.Add(QStringLiteral("%1 item params belong to no menu of the Misc table; they are ignored").arg(unread));
        if (m_scan.bDeepList)
            m_notes.Add(QStringLiteral("The page's list of links has sub menus below the first level, which the "
                                       "menu cannot hold; they are ignored"));
    }

private:
    // The number of item params menu m has from 0 on, up to `count` (and
    // the bound).
    int Present(int m, qint64 count) const
    {
        const qint64 wanted = qMin<qint64>(count, kMaxStoredMenuItems);
        int n = 0;
        while (n < wanted && m_scan.items.contains(m * kItemStride + n))
            ++n;
        return n;
    }

    // True when the table reads "%d," fields as the writer writes them.
    static bool IsPlainTable(const QStringList &table, qint64 menus)
    {
        static const QRegularExpression plainPair(QStringLiteral("^(0|[1-9]\\d*)-[1-9]\\d*$"));
        for (qsizetype i = 0; i + 1 < table.size(); ++i) {
            qint64 v = 0;
            if (i <= menus ? !CParamFields::PlainNumber(table[i], 0, INT_MAX, &v)
                           : !plainPair.match(table[i]).hasMatch())
                return false;
        }
        return table.last().isEmpty();
    }

    // A new item from the param of item i of menu m.
    std::unique_ptr<CAppletMenuItem> Item(int m, int i)
    {
        // The param's name, made only for a note.
        const CParamName param = [m, i] { return QStringLiteral("I%1-%2").arg(m).arg(i); };
        const QString value = Value(m_scan.items.value(m * kItemStride + i));
        // Label, picture, target, link: the page script's four fields.
        QStringView fields[4];
        qsizetype start = 0;
        for (QStringView &field : fields) {
            const qsizetype comma = start <= value.size() ? value.indexOf(QLatin1Char(','), start) : -1;
            const qsizetype end = comma < 0 ? value.size() : comma;
            if (start <= value.size())
                field = QStringView(value).mid(start, end - start);
            start = end + 1;
        }
        if (start <= value.size())
            m_notes.AddFor(param(), QStringLiteral("what follows its fourth comma is dropped: %1")
                                        .arg(CParamFields::Quoted(value.mid(start))));
        auto item = std::make_unique<CAppletMenuItem>(fields[0].toString(), QString(), fields[2].toString());
        item->m_strImage = m_pictures.Find(fields[1].toString(), param, m_notes);
        item->m_strLink = Link(fields[3].toString(), param);
        return item;
    }

    QString Link(const QString &link, const CParamName &param)
    {
        if (LinkRunsCode(link)) {
            m_notes.AddFor(param(), QStringLiteral("the link %1 runs code; it is left out").arg(CParamFields::Quoted(link)));
            return QString();
        }
        return SiteLinkFromPage(link, m_strPageFolder);
    }

    // An item of the link list. Its texts cannot carry a comma (the item's
    // param and the project file cut at commas): each is cut at its first.
    void SetItem(CAppletMenuItem &item, const CListEntry &entry, const QString &where)
    {
        const auto cut = [&](const QString &text, const char *what) {
            const qsizetype comma = text.indexOf(QLatin1Char(','));
            if (comma < 0)
                return text;
            m_notes.AddFor(where, QStringLiteral("the %1 %2 holds a comma, which an item cannot carry; what follows "
                                                 "it is dropped")
                                      .arg(QLatin1String(what), CParamFields::Quoted(text)));
            return text.left(comma);
        };
        QString label;
        for (const QByteArrayView piece : entry.label)
            label += DecodeHtmlText(m_decoding.Decode(piece), EHtmlTextKind::Text);
        item.m_strLabel = cut(label, "label");
        item.m_strTarget = cut(Value(entry.target), "target");
        item.m_strLink = Link(cut(Value(entry.link), "link"), [&where] { return where; });
    }

    void FromList()
    {
        CAppletMenu &root = *m_params.m_pMainMenu;
        root.SetItemCount(int(qMin<qsizetype>(m_scan.list.size(), kMaxStoredMenuItems)), 0);
        if (m_scan.list.size() > kMaxStoredMenuItems)
            m_notes.Add(QStringLiteral("The list of links has %1 items; at most %2 are read")
                            .arg(m_scan.list.size()).arg(kMaxStoredMenuItems));
        for (int i = 0; i < root.GetCount(); ++i) {
            const CListEntry &entry = m_scan.list[i];
            const QString where = QStringLiteral("list item %1").arg(i + 1);
            CAppletMenuItem &item = *root.GetItem(i);
            SetItem(item, entry, where);
            if (entry.subs.isEmpty())
                continue;
            CAppletMenu &sub = *item.GetSubMenu();
            sub.SetItemCount(int(qMin<qsizetype>(entry.subs.size(), kMaxStoredMenuItems)), 0);
            sub.m_nCurrent = 0;
            for (int j = 0; j < sub.GetCount(); ++j)
                SetItem(*sub.GetItem(j), entry.subs[j], QStringLiteral("%1.%2").arg(where).arg(j + 1));
        }
        root.m_nCurrent = 0;
        if (m_scan.bDeepList)
            m_notes.Add(QStringLiteral("The list of links has sub menus below the first level, which the menu "
                                       "cannot hold; they are ignored"));
    }

    const CScan &m_scan;
    const CPageDecoding &m_decoding;
    CAppletParameters &m_params;
    CReadNotes &m_notes;
    CPictures &m_pictures;
    QString m_strPageFolder;
};

void ResetToDefaults(CAppletParameters &params)
{
    static_cast<CAppletValues &>(params) = CAppletValues();
    params.m_pMainMenu->SetItemCount(4, 0);
    params.m_pMainMenu->m_nCurrent = 0;
}

} // namespace

CPageReader::CPageReader(const QByteArray &page, const QString &strPagePath)
    : m_page(page), m_ascii(CPageDecoding::AsciiCompatible(page)), m_strPagePath(strPagePath)
{
}

bool CPageReader::Read(CAppletParameters &params, CPageRead *pRead)
{
    // A page taken for UTF-16 by the zero bytes of its start alone may be
    // a page of bytes with zeros in it: read as it is when read so it
    // carries no menu.
    return ReadBytes(m_ascii, params, pRead)
           || (m_ascii.constData() != m_page.constData() && ReadBytes(m_page, params, pRead));
}

bool CPageReader::ReadBytes(const QByteArray &page, CAppletParameters &params, CPageRead *pRead)
{
    CPageRead read;
    CReadNotes notes;
    ResetToDefaults(params);
    const CPageDecoding decoding(page);
    const CScan scan = CScanner(page, decoding).Run();
    if (scan.nAppletStart < 0) {
        if (pRead)
            *pRead = read;
        return false;
    }
    if (!decoding.Problem().isEmpty())
        notes.Add(QStringLiteral("The page's charset: %1").arg(decoding.Problem()));

    // A site page: the applet lies between the menu markers. Its script
    // (else its class file) is named from the site folder.
    const QFileInfo pageInfo(m_strPagePath);
    const QString canonical = pageInfo.canonicalFilePath();
    const QString pageFolder = QFileInfo(canonical.isEmpty() ? pageInfo.absoluteFilePath() : canonical).absolutePath();
    // (A page without the end marker's words has no pair of markers: it is
    // not read again for them.)
    const CMenuPlace place = page.contains("/Vantrel menu") ? FindMenuPlace(page) : CMenuPlace();
    const bool sitePage =
        place.kind == CMenuPlace::Between && scan.nAppletStart >= place.nBegin && scan.nAppletStart < place.nEnd;
    read.found = sitePage ? CPageRead::EFound::SitePage : CPageRead::EFound::Page;
    QString siteFolder = pageFolder;
    QString pageInSite;
    if (sitePage) {
        const CRaw script = scan.scriptBefore.bThere ? scan.scriptBefore : scan.scriptAfter;
        const QString scriptName = LoadString(StringId::PageScript);
        const QString classFile = LoadString(StringId::AppletClass);
        const auto text = [&decoding](QByteArrayView bytes) {
            return DecodeHtmlText(decoding.Decode(bytes), EHtmlTextKind::Attribute);
        };
        int up = script.bThere ? FoldersUp(text(script.bytes), scriptName) : -1;
        if (up < 0)
            up = FoldersUp(text(scan.code.bytes), classFile);
        const QStringList parts = pageFolder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (up < 0 || up > parts.size()) {
            notes.Add(QStringLiteral("The menu block's script is not in a folder above the page; the page's own "
                                     "folder is taken as the site folder"));
            up = 0;
        }
        pageInSite = parts.mid(parts.size() - up).join(QLatin1Char('/'));
        for (int i = 0; i < up; ++i)
            siteFolder = QFileInfo(siteFolder).absolutePath();
        read.strSiteFolder = siteFolder;
        read.strPageFolder = pageInSite;
    }

    // The page's own values: its title (a site page's is its menu's
    // landmark name), the paragraph's alignment, the script line.
    if (sitePage && scan.listName.bThere) {
        const QString name = DecodeHtmlText(decoding.Decode(scan.listName.bytes), EHtmlTextKind::Attribute);
        params.m_HTMLTitle = name == MenuLandmarkName(QString()) ? QStringLiteral("Untitled") : name;
    } else if (scan.title.bThere) {
        params.m_HTMLTitle = DecodeHtmlText(decoding.Decode(scan.title.bytes), EHtmlTextKind::Text);
    } else if (!sitePage) {
        notes.Add(QStringLiteral("The page has no title; \"Untitled\" is kept"));
    }
    if (!sitePage) {
        if (!scan.bParagraph) {
            notes.Add(QStringLiteral("The applet is in no paragraph that aligns it; Center is kept"));
        } else {
            CParamFields align(QStringLiteral("The paragraph's alignment"),
                               DecodeHtmlText(decoding.Decode(scan.align.bytes), EHtmlTextKind::Attribute), notes);
            if (scan.align.bThere)
                align.Code(0, QStringLiteral("the code"), StringRange::PageAlign, &params.m_Align);
            else
                notes.Add(QStringLiteral("The applet's paragraph has no alignment; Center is kept"));
        }
    }
    params.m_ModernPage = scan.scriptBefore.bThere || scan.scriptAfter.bThere ? 1 : 0;
    // Its language and description (an author's own page has its own).
    if (!sitePage && scan.lang.bThere) {
        const QString lang = DecodeHtmlText(decoding.Decode(scan.lang.bytes), EHtmlTextKind::Attribute).trimmed();
        if (IsLanguageTag(lang))
            params.m_PageLang = lang;
        else
            notes.Add(QStringLiteral("The page's language \"%1\" is no language tag; the system's, %2, is kept")
                          .arg(lang, params.m_PageLang));
    }
    if (!sitePage && scan.description.bThere)
        params.m_PageDescription =
            DecodeHtmlText(decoding.Decode(scan.description.bytes), EHtmlTextKind::Attribute).trimmed();

    CPictures pictures(pageFolder, siteFolder);
    CBuilder builder(scan, decoding, params, notes, pictures, pageInSite);
    builder.Styles();
    builder.Tree();

    if (scan.nSecondApplets > 0)
        notes.Add(QStringLiteral("The page carries %1 more Glidebar applet%2; only the first is read")
                      .arg(scan.nSecondApplets)
                      .arg(scan.nSecondApplets == 1 ? QString() : QStringLiteral("s")));
    if (scan.nDuplicates > 0)
        notes.Add(QStringLiteral("%1 params repeat a name given before; the first of each name is read, as in the "
                                 "page script")
                      .arg(scan.nDuplicates));
    if (scan.nUnknown > 0)
        notes.Add(QStringLiteral("%1 params of no use to the menu are ignored: %2%3")
                      .arg(scan.nUnknown)
                      .arg(scan.unknownNames.join(QStringLiteral(", ")),
                           scan.nUnknown > scan.unknownNames.size() ? QStringLiteral(", ...") : QString()));

    // The applet's size follows from the menu; a page that gives another
    // one is written again with the menu's.
    qint64 width = 0, height = 0;
    const QRect rect = params.GetAppletRect();
    if (scan.width.bThere && scan.height.bThere
        && CParamFields::PlainNumber(decoding.Decode(scan.width.bytes).trimmed(), 0, INT_MAX, &width)
        && CParamFields::PlainNumber(decoding.Decode(scan.height.bytes).trimmed(), 0, INT_MAX, &height)
        && (width != rect.width() || height != rect.height()))
        notes.Add(QStringLiteral("The applet is %1 x %2 pixels on the page; its menu makes it %3 x %4, as a page "
                                 "written again has it")
                      .arg(width).arg(height).arg(rect.width()).arg(rect.height()));

    read.notes = notes.Lines();
    if (pRead)
        *pRead = read;
    return true;
}

bool CPageReader::ReadPageFile(const QString &strPath, QByteArray *pBytes, QString *pError)
{
    pBytes->clear();
    const QFileInfo info(strPath);
    const QString shown = QDir::toNativeSeparators(strPath);
    // A link to the page is the user's choice: it is followed here, once;
    // what it leads to is read without following another.
    const QString real = info.canonicalFilePath();
    if (real.isEmpty()) {
        if (pError)
            *pError = QStringLiteral("%1: no such file").arg(shown);
        return false;
    }
    CFolderHandle folder;
    if (!folder.Open(QFileInfo(real).absolutePath(), pError))
        return false;
    return folder.ReadFile(QFileInfo(real).fileName(), pBytes, nullptr, pError);
}
