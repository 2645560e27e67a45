#include "store/SitePageText.h"

#include <QCryptographicHash>

#include <cstring>

namespace {

constexpr qsizetype kBeginLength = sizeof kMenuMarkerBegin - 1;
constexpr qsizetype kEndLength = sizeof kMenuMarkerEnd - 1;

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// True when page[at...] starts with `word` in any letter case.
bool StartsWithNoCase(const QByteArray &page, qsizetype at, const char *word)
{
    const qsizetype n = qsizetype(std::strlen(word));
    if (at < 0 || at + n > page.size())
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (Lower(page[at + i]) != word[i])
            return false;
    return true;
}

qsizetype IndexOfNoCase(const QByteArray &page, const char *word, qsizetype from)
{
    for (qsizetype at = from; at < page.size(); ++at)
        if (StartsWithNoCase(page, at, word))
            return at;
    return -1;
}

// The end of the tag starting at `at` (just past its '>'), quoted values
// skipped; -1 when it does not end.
qsizetype TagEnd(const QByteArray &page, qsizetype at)
{
    char quote = 0;
    for (qsizetype i = at + 1; i < page.size(); ++i) {
        const char c = page[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return -1;
}

// One start tag met while walking the page.
struct CTag {
    qsizetype nStart = -1; // its '<'
    qsizetype nEnd = -1;   // past its '>'
};

// Walks the page's markup from the start: comments, and the text of scripts
// and style sheets, are passed over, so a tag name written there is not
// taken for a tag. Calls visit(name, tag) for every start tag (name in lower
// case) until it returns true; returns that tag, or a tag with nStart -1.
template <class Visit>
CTag WalkTags(const QByteArray &page, Visit visit)
{
    qsizetype at = 0;
    while ((at = page.indexOf('<', at)) >= 0) {
        if (page.mid(at, 4) == "<!--") {
            const qsizetype end = page.indexOf("-->", at + 4);
            if (end < 0)
                break;
            at = end + 3;
            continue;
        }
        qsizetype nameEnd = at + 1;
        while (nameEnd < page.size()
               && ((page[nameEnd] >= 'a' && page[nameEnd] <= 'z') || (page[nameEnd] >= 'A' && page[nameEnd] <= 'Z')
                   || (page[nameEnd] >= '0' && page[nameEnd] <= '9')))
            ++nameEnd;
        if (nameEnd == at + 1) {
            ++at;
            continue;
        }
        QByteArray name = page.mid(at + 1, nameEnd - at - 1).toLower();
        const qsizetype end = TagEnd(page, at);
        if (end < 0)
            break;
        CTag tag{at, end};
        if (visit(name, tag))
            return tag;
        at = end;
        if (name == "script" || name == "style") {
            const qsizetype close = IndexOfNoCase(page, name == "script" ? "</script" : "</style", at);
            if (close < 0)
                break;
            at = close;
        }
    }
    return CTag();
}

// The first start tag of a name.
CTag FindTag(const QByteArray &page, const char *wanted)
{
    return WalkTags(page, [&](const QByteArray &name, const CTag &) { return name == wanted; });
}

// The value of attribute `attr` (lower case) in the text of a start tag,
// lower case; empty when it has none. The attributes are read one by one,
// so a name inside another attribute's value is not taken for one.
QByteArray AttributeValue(const QByteArray &tag, const char *attr)
{
    const QByteArray lower = tag.toLower();
    const qsizetype n = lower.size();
    qsizetype i = 1;
    while (i < n && !IsSpace(lower[i]) && lower[i] != '>' && lower[i] != '/')
        ++i; // the tag's name
    while (i < n) {
        while (i < n && (IsSpace(lower[i]) || lower[i] == '/'))
            ++i;
        if (i >= n || lower[i] == '>')
            break;
        const qsizetype nameStart = i;
        while (i < n && !IsSpace(lower[i]) && lower[i] != '=' && lower[i] != '>' && lower[i] != '/')
            ++i;
        const QByteArray name = lower.mid(nameStart, i - nameStart);
        while (i < n && IsSpace(lower[i]))
            ++i;
        QByteArray value;
        if (i < n && lower[i] == '=') {
            ++i;
            while (i < n && IsSpace(lower[i]))
                ++i;
            if (i < n && (lower[i] == '"' || lower[i] == '\'')) {
                const char quote = lower[i++];
                const qsizetype end = lower.indexOf(quote, i);
                value = lower.mid(i, (end < 0 ? n : end) - i);
                i = end < 0 ? n : end + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !IsSpace(lower[i]) && lower[i] != '>')
                    ++i;
                value = lower.mid(valueStart, i - valueStart);
            }
        }
        if (name == attr)
            return value.trimmed();
    }
    return QByteArray();
}

// True when the page has a <meta name="viewport"> of its own.
bool HasViewport(const QByteArray &page)
{
    return WalkTags(page, [&](const QByteArray &name, const CTag &tag) {
               return name == "meta"
                      && AttributeValue(page.mid(tag.nStart, tag.nEnd - tag.nStart), "name") == "viewport";
           }).nStart >= 0;
}

// True when the marker starting at `at` stands alone on its line (blanks
// around it allowed).
bool AloneOnLine(const QByteArray &page, qsizetype at, qsizetype length)
{
    for (qsizetype i = at - 1; i >= 0 && page[i] != '\n' && page[i] != '\r'; --i)
        if (page[i] != ' ' && page[i] != '\t')
            return false;
    for (qsizetype i = at + length; i < page.size() && page[i] != '\n' && page[i] != '\r'; ++i)
        if (page[i] != ' ' && page[i] != '\t')
            return false;
    return true;
}

} // namespace

QString SitePageStateText(ESitePageState state)
{
    switch (state) {
    case ESitePageState::Add:
        return QStringLiteral("menu will be added");
    case ESitePageState::Update:
        return QStringLiteral("menu will be updated");
    case ESitePageState::ChangedSince:
        return QStringLiteral("changed since the last update");
    case ESitePageState::NoPlace:
        break;
    }
    return QStringLiteral("no place found");
}

QByteArray PageLineEnd(const QByteArray &page)
{
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page[i] == '\n')
            return QByteArrayLiteral("\n");
        if (page[i] == '\r')
            return i + 1 < page.size() && page[i + 1] == '\n' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\r");
    }
    return QByteArrayLiteral("\r\n");
}

QByteArray PageCharset(const QByteArray &page)
{
    if (page.startsWith("\xEF\xBB\xBF"))
        return "utf-8";
    if (page.startsWith("\xFF\xFE"))
        return "utf-16le";
    if (page.startsWith("\xFE\xFF"))
        return "utf-16be";
    QByteArray charset;
    WalkTags(page, [&](const QByteArray &name, const CTag &tag) {
        if (name == "body")
            return true;
        if (name != "meta")
            return false;
        const QByteArray text = page.mid(tag.nStart, tag.nEnd - tag.nStart);
        charset = AttributeValue(text, "charset");
        if (charset.isEmpty() && AttributeValue(text, "http-equiv") == "content-type") {
            const QByteArray content = AttributeValue(text, "content");
            const qsizetype at = content.indexOf("charset");
            if (at >= 0) {
                qsizetype i = at + 7;
                while (i < content.size() && (IsSpace(content[i]) || content[i] == '='))
                    ++i;
                qsizetype end = i;
                while (end < content.size() && content[end] != ';' && !IsSpace(content[end]))
                    ++end;
                charset = content.mid(i, end - i);
                charset.replace('"', "").replace('\'', "");
            }
        }
        return !charset.isEmpty();
    });
    return charset;
}

bool PageKeepsAscii(const QByteArray &page)
{
    // UTF-32 little endian starts like UTF-16's mark; both are out.
    if (page.startsWith(QByteArrayView("\x00\x00\xFE\xFF", 4)))
        return false;
    const QByteArray charset = PageCharset(page);
    return !charset.startsWith("utf-16") && !charset.startsWith("utf-32") && charset != "utf-7"
           && charset != "unicode" && !charset.startsWith("ucs-");
}

QByteArray ContentHash(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex();
}

CMenuPlace FindMenuPlace(const QByteArray &page)
{
    CMenuPlace place;
    if (!PageKeepsAscii(page))
        return place;
    // A pair: an end marker and the last begin marker before it (and after
    // the end marker before that), the first such pair in the page; so a
    // stray marker never swallows the page between it and a pair.
    qsizetype end = -1;
    qsizetype after = 0;
    for (qsizetype at = page.indexOf(kMenuMarkerEnd); at >= 0; at = page.indexOf(kMenuMarkerEnd, at + 1)) {
        if (end < 0)
            end = at;
        const qsizetype begin = at < kBeginLength ? -1 : page.lastIndexOf(kMenuMarkerBegin, at - kBeginLength);
        if (begin >= after) {
            place.kind = CMenuPlace::Between;
            place.nBegin = begin + kBeginLength;
            place.nEnd = at;
            return place;
        }
        after = at + kEndLength;
    }
    // The author's marker: a begin marker on a line of its own, with no end
    // marker after it.
    for (qsizetype at = page.indexOf(kMenuMarkerBegin); at >= 0; at = page.indexOf(kMenuMarkerBegin, at + 1)) {
        if (AloneOnLine(page, at, kBeginLength)) {
            place.kind = CMenuPlace::AfterMarker;
            place.nBegin = at + kBeginLength;
            return place;
        }
    }
    const CTag body = FindTag(page, "body");
    if (body.nStart >= 0) {
        place.kind = CMenuPlace::AfterBody;
        place.nBegin = body.nEnd;
        return place;
    }
    // A page Vantrel saved whole (no body tag): its menu applet's lines, and
    // the script line right before them, become the marked menu; whatever
    // else the author put on the page stays.
    const CTag applet = WalkTags(page, [&](const QByteArray &name, const CTag &tag) {
        if (name != "applet")
            return false;
        const QByteArray code = AttributeValue(page.mid(tag.nStart, tag.nEnd - tag.nStart), "code");
        return code == "glidebar.class" || code.endsWith("/glidebar.class");
    });
    const qsizetype close = applet.nStart < 0 ? -1 : page.toLower().indexOf("</applet>", applet.nEnd);
    if (close < 0)
        return place;
    qsizetype from = page.lastIndexOf('\n', applet.nStart - 1) + 1;
    if (page.mid(from, applet.nStart - from).trimmed().isEmpty()) {
        // The script line before it, when it is the menu script's alone.
        const qsizetype prev = from >= 1 ? page.lastIndexOf('\n', from - 2) + 1 : -1;
        if (prev >= 0) {
            const QByteArray line = page.mid(prev, from - prev).trimmed().toLower();
            if (line.startsWith("<script") && line.endsWith("</script>") && line.contains("glidebar.js"))
                from = prev;
        }
    } else {
        from = applet.nStart;
    }
    qsizetype to = close + qsizetype(sizeof("</applet>") - 1);
    const QByteArray eol = PageLineEnd(page);
    if (page.mid(to, eol.size()) == eol)
        to += eol.size();
    place.kind = CMenuPlace::Applet;
    place.nBegin = from;
    place.nEnd = to;
    return place;
}

ESitePageState SitePageState(const QByteArray &page, const QByteArray &lastMenuHash)
{
    const CMenuPlace place = FindMenuPlace(page);
    switch (place.kind) {
    case CMenuPlace::None:
        return ESitePageState::NoPlace;
    case CMenuPlace::AfterMarker:
    case CMenuPlace::AfterBody:
    case CMenuPlace::Applet:
        return ESitePageState::Add;
    case CMenuPlace::Between:
        break;
    }
    if (!lastMenuHash.isEmpty()
        && ContentHash(page.mid(place.nBegin, place.nEnd - place.nBegin)) != lastMenuHash)
        return ESitePageState::ChangedSince;
    return ESitePageState::Update;
}

bool PutMenuIntoPage(const QByteArray &page, const QByteArray &block, QByteArray *pOut,
                     QByteArray *pMenuHash)
{
    const CMenuPlace place = FindMenuPlace(page);
    if (place.kind == CMenuPlace::None)
        return false;
    const QByteArray eol = PageLineEnd(page);

    // The viewport line goes after the <head> tag, else before the <body>
    // tag, else after the <html> tag; a page with none of them gets none.
    qsizetype viewportAt = -1;
    QByteArray viewport;
    if (!HasViewport(page)) {
        if (const CTag head = FindTag(page, "head"); head.nStart >= 0) {
            // A line of its own: after the head tag's line end, or between
            // the tag and what follows it on its line.
            if (page.mid(head.nEnd, eol.size()) == eol) {
                viewportAt = head.nEnd + eol.size();
                viewport = kViewportLine + eol;
            } else {
                viewportAt = head.nEnd;
                viewport = eol + kViewportLine + eol;
            }
        } else if (const CTag body = FindTag(page, "body"); body.nStart >= 0) {
            viewportAt = body.nStart;
            viewport = kViewportLine + eol;
        } else if (const CTag html = FindTag(page, "html"); html.nStart >= 0) {
            viewportAt = html.nEnd;
            viewport = eol + kViewportLine;
        }
    }

    // The pieces of the new page, in order: [from, to) of the old page or
    // new text.
    QByteArray menu;
    qsizetype cutFrom = place.nBegin;
    qsizetype cutTo = place.nBegin;
    switch (place.kind) {
    case CMenuPlace::Between:
        menu = block;
        cutTo = place.nEnd;
        break;
    case CMenuPlace::AfterMarker:
        menu = block + kMenuMarkerEnd;
        break;
    case CMenuPlace::AfterBody:
        menu = eol + kMenuMarkerBegin + block + kMenuMarkerEnd;
        break;
    case CMenuPlace::Applet:
        menu = kMenuMarkerBegin + block + kMenuMarkerEnd + eol;
        cutTo = place.nEnd;
        break;
    case CMenuPlace::None:
        break;
    }

    QByteArray out;
    out.reserve(page.size() + menu.size() + viewport.size() - (cutTo - cutFrom));
    // The viewport goes into the head, which comes before the menu's place
    // in any page that has both; where it would not, it is left out rather
    // than put inside the markers.
    const bool viewportFirst = viewportAt >= 0 && viewportAt <= cutFrom;
    if (viewportFirst) {
        out.append(page.constData(), viewportAt);
        out.append(viewport);
        out.append(page.constData() + viewportAt, cutFrom - viewportAt);
    } else {
        out.append(page.constData(), cutFrom);
    }
    out.append(menu);
    if (viewportAt > cutTo) {
        out.append(page.constData() + cutTo, viewportAt - cutTo);
        out.append(viewport);
        out.append(page.constData() + viewportAt, page.size() - viewportAt);
    } else {
        out.append(page.constData() + cutTo, page.size() - cutTo);
    }
    *pOut = out;
    if (pMenuHash)
        *pMenuHash = ContentHash(block);
    return true;
}
