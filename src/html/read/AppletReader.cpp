#include "html/read/AppletReader.h"

#include "html/ItemName.h"
#include "html/SiteLinks.h"
#include "html/read/text/CharacterReferences.h"
#include "html/read/text/PageDecoding.h"
#include "html/read/params/ParamFields.h"
#include "html/read/params/ReadNotes.h"
#include "html/read/params/StyleParams.h"
#include "model/menu/AppletMenu.h"
#include "model/config/AppletParameters.h"
#include "model/text/ControlCharacters.h"

#include <QRegularExpression>
#include <QSet>

#include <climits>

namespace {

// The page script's parseInt: blanks, a sign, digits; `fallback` without.
// Digits past the int range give its nearest end.
qint64 ScriptInt(const QString &text, qint64 fallback)
{
    qint64 value = 0;
    return ReadScriptInt(text, qint64(INT_MAX) + 1, &value) ? value : fallback;
}

} // namespace

QString CAppletReader::Kept(QString text)
{
    qsizetype at = FindControlCharacter(text);
    if (at < 0)
        return text;
    for (QChar *c = text.data() + at, *end = text.data() + text.size(); c != end; ++c)
        if (IsControlCharacter(c->unicode()))
            *c = QChar(0xFFFD);
    return text;
}

CAppletReader::CAppletReader(const CAppletScan &scan, const CPageDecoding &decoding, CAppletParameters &params,
                             CReadNotes &notes, CPagePictures &pictures, const QString &strPageFolder)
    : m_scan(scan), m_decoding(decoding), m_params(params), m_notes(notes), m_pictures(pictures),
      m_strPageFolder(strPageFolder)
{
}

QString CAppletReader::Value(QByteArrayView bytes) const
{
    return Kept(DecodeHtmlText(m_decoding.Decode(bytes), EHtmlTextKind::Attribute));
}

bool CAppletReader::Named(const char *name, QString *pValue) const
{
    const auto it = m_scan.named.constFind(QByteArray(name).toLower());
    if (it == m_scan.named.constEnd())
        return false;
    *pValue = Value(*it);
    return true;
}

void CAppletReader::Styles()
{
    for (const CStyleParam &rule : StyleParams()) {
        QString value;
        const QString name = QLatin1String(rule.pName);
        if (!Named(rule.pName, &value)) {
            if (rule.bOptional)
                continue;
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

void CAppletReader::Tree()
{
    QString misc;
    const bool hasMisc = Named("Misc", &misc);
    const QStringList table = misc.split(QLatin1Char(','));
    const QString miscName = QStringLiteral("Misc");
    const qint64 menus = qMin<qint64>(ScriptInt(table.value(0), 0), kMaxParamMenus);
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
            read.insert(subOf[i] * kItemParamStride + j);
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

int CAppletReader::Present(int m, qint64 count) const
{
    const qint64 wanted = qMin<qint64>(count, kMaxStoredMenuItems);
    int n = 0;
    while (n < wanted && m_scan.items.contains(m * kItemParamStride + n))
        ++n;
    return n;
}

bool CAppletReader::IsPlainTable(const QStringList &table, qint64 menus)
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

std::unique_ptr<CAppletMenuItem> CAppletReader::Item(int m, int i)
{
    // The param's name, made only for a note.
    const CParamName param = [m, i] { return QStringLiteral("I%1-%2").arg(m).arg(i); };
    const QString value = Value(m_scan.items.value(m * kItemParamStride + i));
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

QString CAppletReader::Link(const QString &link, const CParamName &param)
{
    if (LinkRunsCode(link)) {
        m_notes.AddFor(param(), QStringLiteral("the link %1 runs code; it is left out").arg(CParamFields::Quoted(link)));
        return QString();
    }
    return SiteLinkFromPage(link, m_strPageFolder);
}

void CAppletReader::SetItem(CAppletMenuItem &item, const CListEntry &entry, const QString &where)
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
    item.m_strLabel = cut(Kept(label), "label");
    item.m_strTarget = cut(Value(entry.target), "target");
    item.m_strLink = Link(cut(Value(entry.link), "link"), [&where] { return where; });
}

void CAppletReader::FromList()
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
