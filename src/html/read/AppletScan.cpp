#include "html/read/AppletScan.h"

#include "html/read/text/CharacterReferences.h"
#include "html/read/text/PageDecoding.h"
#include "html/read/params/ParamFields.h"
#include "html/read/params/StyleParams.h"
#include "model/text/StringTable.h"
#include "store/site/MarkupScanner.h"
#include "store/site/SitePageText.h"

#include <cstring>

namespace {

// Names of params told by name when they are of no use; the rest counted.
constexpr int kNamedUnknown = 5;

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

// A number as the writer writes it ("%d", not negative); past kMaxParamMenus
// it only has to stay known to be too large.
bool PlainCount(QByteArrayView digits, qint64 *pValue)
{
    if (digits.isEmpty() || (digits.size() > 1 && digits[0] == '0'))
        return false;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = qMin<qint64>(value * 10 + (c - '0'), kMaxParamMenus * qint64(kItemParamStride));
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

} // namespace

CAppletScanner::CAppletScanner(const QByteArray &page, const CPageDecoding &decoding)
    : m_page(page), m_decoding(decoding)
{
}

CAppletScan CAppletScanner::Run()
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

void CAppletScanner::StartTag(const CMarkupScanner &scan)
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

QByteArray CAppletScanner::AttributeText(const CMarkupScanner &scan, const char *name) const
{
    const QByteArrayView raw = scan.Attribute(name);
    if (!raw.contains('&'))
        return raw.toByteArray();
    return DecodeHtmlText(m_decoding.Decode(raw), EHtmlTextKind::Attribute).toUtf8();
}

void CAppletScanner::EndTag(const CMarkupScanner &scan)
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

void CAppletScanner::Param(const CMarkupScanner &scan)
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
        if (menu >= kMaxParamMenus || item >= kMaxStoredMenuItems) {
            ++m_scan.nItemsBeyond;
            return;
        }
        const int key = int(menu) * kItemParamStride + int(item);
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

void CAppletScanner::ListStart(const CMarkupScanner &scan)
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

const QSet<QByteArray> &CAppletScanner::KnownNames()
{
    static const QSet<QByteArray> names = [] {
        QSet<QByteArray> set{"apbkimg", "notice", "misc"};
        for (const CStyleParam &param : StyleParams())
            set.insert(QByteArray(param.pName).toLower());
        return set;
    }();
    return names;
}
