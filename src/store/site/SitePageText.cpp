#include "store/site/SitePageText.h"

#include "store/site/MarkupScanner.h"

#include <QCryptographicHash>

namespace {

// A tag found in the page: [nStart, nEnd), nStart -1 when there is none.
struct CTag {
    qsizetype nStart = -1;
    qsizetype nEnd = -1;
};

// What the site update needs to know of a page, read in one pass of the
// markup scanner.
struct CPageOutline {
    qsizetype nPairs = 0;
    CTag pairBegin, pairEnd; // the first pair of markers
    CTag loneBegin;          // the first begin marker alone on its line
    CTag html, head, body;   // the first tags of these names
    CTag applet;             // the first applet of the menu's class
    CTag appletEnd;          // its end tag
    CTag viewport;           // the first <meta name="viewport">
    QByteArray charset;      // declared by a <meta> before <body>, lower case
};

// A comment's text stripped of blanks is the marker's.
bool IsMarker(QByteArrayView inner, const char *text)
{
    return inner.trimmed() == QByteArrayView(text);
}

// The charset named in a Content-Type value ("text/html; charset=x").
QByteArray CharsetOfContentType(QByteArrayView value)
{
    const QByteArray content = value.toByteArray().toLower();
    const qsizetype at = content.indexOf("charset");
    if (at < 0)
        return QByteArray();
    qsizetype i = at + 7;
    while (i < content.size() && (CMarkupScanner::IsBlank(content[i]) || content[i] == '='))
        ++i;
    qsizetype end = i;
    while (end < content.size() && content[end] != ';' && !CMarkupScanner::IsBlank(content[end]))
        ++end;
    QByteArray charset = content.mid(i, end - i);
    charset.replace('"', "").replace('\'', "");
    return charset;
}

// True when the bytes at [at, at + length) stand alone on their line
// (blanks around them allowed). Each side stops at the first other byte.
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

CPageOutline Outline(const QByteArray &page)
{
    CPageOutline outline;
    CTag pending; // the last begin marker not closed yet
    bool charsetSettled = false;
    CMarkupScanner scan(page);
    while (scan.Next()) {
        const CTag here{scan.Start(), scan.End()};
        switch (scan.Kind()) {
        case CMarkupScanner::Comment:
            if (IsMarker(scan.Inner(), "Vantrel menu")) {
                pending = here;
                if (outline.loneBegin.nStart < 0 && AloneOnLine(page, here.nStart, here.nEnd - here.nStart))
                    outline.loneBegin = here;
            } else if (IsMarker(scan.Inner(), "/Vantrel menu") && pending.nStart >= 0) {
                if (outline.nPairs++ == 0) {
                    outline.pairBegin = pending;
                    outline.pairEnd = here;
                }
                pending = CTag();
            }
            break;
        case CMarkupScanner::StartTag: {
            const QByteArray &name = scan.Name();
            if (name == "body") {
                if (outline.body.nStart < 0)
                    outline.body = here;
                charsetSettled = true;
            } else if (name == "head") {
                if (outline.head.nStart < 0)
                    outline.head = here;
            } else if (name == "html") {
                if (outline.html.nStart < 0)
                    outline.html = here;
            } else if (name == "meta") {
                if (outline.viewport.nStart < 0
                    && scan.Attribute("name").trimmed().compare("viewport", Qt::CaseInsensitive) == 0)
                    outline.viewport = here;
                if (!charsetSettled) {
                    outline.charset = scan.Attribute("charset").trimmed().toByteArray().toLower();
                    if (outline.charset.isEmpty()
                        && scan.Attribute("http-equiv").trimmed().compare("content-type", Qt::CaseInsensitive) == 0)
                        outline.charset = CharsetOfContentType(scan.Attribute("content"));
                    charsetSettled = !outline.charset.isEmpty();
                }
            } else if (name == "applet" && outline.applet.nStart < 0) {
                if (IsMenuAppletCode(scan.Attribute("code")))
                    outline.applet = here;
            }
            break;
        }
        case CMarkupScanner::EndTag:
            if (scan.Name() == "applet" && outline.applet.nStart >= 0 && outline.appletEnd.nStart < 0)
                outline.appletEnd = here;
            break;
        default:
            break;
        }
    }
    return outline;
}

// The encoding's code unit by the zero bytes of the page's first bytes:
// ASCII text in UTF-16 has a zero in every second byte, in UTF-32 three in
// every four.
int UnitWidthByZeros(const QByteArray &page)
{
    const qsizetype n = qMin<qsizetype>(page.size(), 512) / 4 * 4;
    if (n < 4)
        return 1;
    qsizetype zeros[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < n; ++i)
        if (page[i] == '\0')
            ++zeros[i % 4];
    const qsizetype quads = n / 4;
    const auto most = [quads](qsizetype count) { return count * 10 >= quads * 9; };
    if ((most(zeros[1]) && most(zeros[2]) && most(zeros[3])) || (most(zeros[0]) && most(zeros[1]) && most(zeros[2])))
        return 4;
    const auto half = [quads](qsizetype count) { return count * 10 >= quads * 2 * 7; };
    if (half(zeros[1] + zeros[3]) || half(zeros[0] + zeros[2]))
        return 2;
    return 1;
}

// True when the page has the line end `eol` at `at`.
bool LineEndAt(const QByteArray &page, qsizetype at, const QByteArray &eol)
{
    return at >= 0 && at + eol.size() <= page.size() && QByteArrayView(page).sliced(at, eol.size()) == eol;
}

} // namespace

bool IsMenuAppletCode(QByteArrayView code)
{
    const QByteArray name = code.trimmed().toByteArray().toLower();
    return name == "glidebar.class" || name.endsWith("/glidebar.class") || name.endsWith("\\glidebar.class");
}

QString SitePageStateText(ESitePageState state)
{
    switch (state) {
    case ESitePageState::Add:
        return QStringLiteral("menu will be added");
    case ESitePageState::Update:
        return QStringLiteral("menu will be updated");
    case ESitePageState::ChangedSince:
        return QStringLiteral("changed since the last update");
    case ESitePageState::Doubled:
        return QStringLiteral("has more than one pair of menu markers; keep one pair to add the menu");
    case ESitePageState::Utf16:
        return QStringLiteral("is UTF-16; save it as UTF-8 to add the menu");
    case ESitePageState::Utf32:
        return QStringLiteral("is UTF-32; save it as UTF-8 to add the menu");
    case ESitePageState::NoPlace:
        break;
    }
    return QStringLiteral("no place found");
}

bool SitePageCanTakeMenu(ESitePageState state)
{
    return state == ESitePageState::Add || state == ESitePageState::Update || state == ESitePageState::ChangedSince;
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

namespace {

// The charset by byte-order mark, else (when bDeclared) as the outline found
// it declared.
QByteArray CharsetOf(const QByteArray &page, const CPageOutline *outline, bool bDeclared = true)
{
    if (page.startsWith("\xEF\xBB\xBF"))
        return "utf-8";
    if (page.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)))
        return "utf-32le";
    if (page.startsWith("\xFF\xFE"))
        return "utf-16le";
    if (page.startsWith("\xFE\xFF"))
        return "utf-16be";
    if (page.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)))
        return "utf-32be";
    if (!bDeclared)
        return QByteArray();
    return outline ? outline->charset : Outline(page).charset;
}

int UnitWidth(const QByteArray &page, const CPageOutline *outline)
{
    const QByteArray charset = CharsetOf(page, outline);
    if (charset.startsWith("utf-32") || charset.startsWith("ucs-4"))
        return 4;
    if (charset.startsWith("utf-16") || charset.startsWith("ucs-2") || charset == "unicode")
        return 2;
    return UnitWidthByZeros(page);
}

bool KeepsAscii(const QByteArray &page, const CPageOutline &outline)
{
    return UnitWidth(page, &outline) == 1 && CharsetOf(page, &outline) != "utf-7";
}

} // namespace

QByteArray PageCharset(const QByteArray &page)
{
    return CharsetOf(page, nullptr);
}

int PageCodeUnitWidthOfBytes(const QByteArray &page)
{
    const QByteArray bom = CharsetOf(page, nullptr, false);
    if (bom.startsWith("utf-32"))
        return 4;
    if (bom.startsWith("utf-16"))
        return 2;
    return UnitWidthByZeros(page);
}

int PageCodeUnitWidth(const QByteArray &page)
{
    return UnitWidth(page, nullptr);
}

bool PageKeepsAscii(const QByteArray &page)
{
    return KeepsAscii(page, Outline(page));
}

QByteArray ContentHash(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex();
}

namespace {

CMenuPlace PlaceIn(const QByteArray &page, const CPageOutline &outline)
{
    CMenuPlace place;
    if (outline.nPairs > 1) {
        place.kind = CMenuPlace::Doubled;
        return place;
    }
    if (outline.nPairs == 1) {
        place.kind = CMenuPlace::Between;
        place.nBegin = outline.pairBegin.nEnd;
        place.nEnd = outline.pairEnd.nStart;
        return place;
    }
    if (outline.loneBegin.nStart >= 0) {
        place.kind = CMenuPlace::AfterMarker;
        place.nBegin = outline.loneBegin.nEnd;
        return place;
    }
    if (outline.body.nStart >= 0) {
        place.kind = CMenuPlace::AfterBody;
        place.nBegin = outline.body.nEnd;
        return place;
    }
    // A page Vantrel saved whole (no body tag): its menu applet's lines, and
    // the script line right before them, become the marked menu; whatever
    // else the author put on the page stays.
    if (outline.applet.nStart < 0 || outline.appletEnd.nStart < 0)
        return place;
    const CTag &applet = outline.applet;
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
    qsizetype to = outline.appletEnd.nEnd;
    const QByteArray eol = PageLineEnd(page);
    if (LineEndAt(page, to, eol))
        to += eol.size();
    place.kind = CMenuPlace::Applet;
    place.nBegin = from;
    place.nEnd = to;
    return place;
}

} // namespace

CMenuPlace FindMenuPlace(const QByteArray &page)
{
    const CPageOutline outline = Outline(page);
    if (!KeepsAscii(page, outline))
        return CMenuPlace();
    return PlaceIn(page, outline);
}

ESitePageState SitePageState(const QByteArray &page, const QByteArray &lastMenuHash)
{
    const CPageOutline outline = Outline(page);
    switch (UnitWidth(page, &outline)) {
    case 2:
        return ESitePageState::Utf16;
    case 4:
        return ESitePageState::Utf32;
    default:
        break;
    }
    const CMenuPlace place = KeepsAscii(page, outline) ? PlaceIn(page, outline) : CMenuPlace();
    switch (place.kind) {
    case CMenuPlace::None:
        return ESitePageState::NoPlace;
    case CMenuPlace::Doubled:
        return ESitePageState::Doubled;
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
                     QByteArray *pMenuHash, int *pAdded)
{
    const CPageOutline outline = Outline(page);
    if (!KeepsAscii(page, outline))
        return false;
    const CMenuPlace place = PlaceIn(page, outline);
    if (place.kind == CMenuPlace::None || place.kind == CMenuPlace::Doubled)
        return false;
    const QByteArray eol = PageLineEnd(page);
    int added = 0;

    // The viewport line goes after the <head> tag, else before the <body>
    // tag, else after the <html> tag; a page with none of them gets none.
    // It is one piece with at most one line end of its own: a line of its
    // own where the tag ends its line, else the line end before it.
    qsizetype viewportAt = -1;
    QByteArray viewport;
    if (outline.viewport.nStart < 0) {
        const CTag after = outline.head.nStart >= 0 ? outline.head : outline.body.nStart >= 0 ? CTag() : outline.html;
        if (after.nStart >= 0) {
            if (LineEndAt(page, after.nEnd, eol)) {
                viewportAt = after.nEnd + eol.size();
                viewport = kViewportLine + eol;
            } else {
                viewportAt = after.nEnd;
                viewport = eol + kViewportLine;
            }
        } else if (outline.body.nStart >= 0) {
            viewportAt = outline.body.nStart;
            viewport = kViewportLine + eol;
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
        added |= kAddedEndMarker;
        break;
    case CMenuPlace::AfterBody:
        menu = kMenuMarkerBegin + block + kMenuMarkerEnd;
        added |= kAddedBeginMarker | kAddedEndMarker;
        break;
    case CMenuPlace::Applet:
        menu = kMenuMarkerBegin + block + kMenuMarkerEnd + eol;
        cutTo = place.nEnd;
        added |= kAddedBeginMarker | kAddedEndMarker | kAddedLineEnd;
        break;
    case CMenuPlace::None:
    case CMenuPlace::Doubled:
        break;
    }

    QByteArray out;
    out.reserve(page.size() + menu.size() + viewport.size() - (cutTo - cutFrom));
    // The viewport goes into the head, which comes before the menu's place
    // in any page that has both; where it would not, it is left out rather
    // than put inside the markers.
    const bool viewportFirst = viewportAt >= 0 && viewportAt <= cutFrom;
    const bool viewportLast = viewportAt > cutTo;
    if (viewportFirst) {
        out.append(page.constData(), viewportAt);
        out.append(viewport);
        out.append(page.constData() + viewportAt, cutFrom - viewportAt);
    } else {
        out.append(page.constData(), cutFrom);
    }
    out.append(menu);
    if (viewportLast) {
        out.append(page.constData() + cutTo, viewportAt - cutTo);
        out.append(viewport);
        out.append(page.constData() + viewportAt, page.size() - viewportAt);
    } else {
        out.append(page.constData() + cutTo, page.size() - cutTo);
    }
    if (viewportFirst || viewportLast)
        added |= kAddedViewport;
    *pOut = out;
    if (pMenuHash)
        *pMenuHash = ContentHash(block);
    if (pAdded)
        *pAdded = added;
    return true;
}

bool TakeMenuOutOfPage(const QByteArray &page, int added, QByteArray *pOut)
{
    const CPageOutline outline = Outline(page);
    if (!KeepsAscii(page, outline) || outline.nPairs != 1)
        return false;
    if (added == kAddedUnknown) {
        added = kAddedBeginMarker | kAddedEndMarker;
        if (outline.viewport.nStart >= 0
            && QByteArrayView(page).sliced(outline.viewport.nStart, outline.viewport.nEnd - outline.viewport.nStart)
                   == QByteArrayView(kViewportLine))
            added |= kAddedViewport;
    }
    // [cutFrom, cutTo) goes: the text between the markers and the markers
    // the updates added.
    const qsizetype cutFrom = added & kAddedBeginMarker ? outline.pairBegin.nStart : outline.pairBegin.nEnd;
    qsizetype cutTo = added & kAddedEndMarker ? outline.pairEnd.nEnd : outline.pairEnd.nStart;
    const QByteArray eol = PageLineEnd(page);
    if ((added & kAddedLineEnd) && LineEndAt(page, cutTo, eol))
        cutTo += eol.size();

    // The viewport line, with the one line end inserted with it: before it
    // where there is one, else after it.
    qsizetype viewFrom = -1;
    qsizetype viewTo = -1;
    if ((added & kAddedViewport) && outline.viewport.nStart >= 0
        && QByteArrayView(page).sliced(outline.viewport.nStart, outline.viewport.nEnd - outline.viewport.nStart)
               == QByteArrayView(kViewportLine)) {
        viewFrom = outline.viewport.nStart;
        viewTo = outline.viewport.nEnd;
        if (LineEndAt(page, viewFrom - eol.size(), eol))
            viewFrom -= eol.size();
        else if (LineEndAt(page, viewTo, eol))
            viewTo += eol.size();
        if (viewTo > cutFrom && viewFrom < cutTo)
            viewFrom = viewTo = -1; // inside the menu, gone with it
    }

    QByteArray out;
    out.reserve(page.size());
    qsizetype at = 0;
    const auto cut = [&](qsizetype from, qsizetype to) {
        out.append(page.constData() + at, from - at);
        at = to;
    };
    if (viewFrom >= 0 && viewFrom < cutFrom) {
        cut(viewFrom, viewTo);
        cut(cutFrom, cutTo);
    } else {
        cut(cutFrom, cutTo);
        if (viewFrom >= 0)
            cut(viewFrom, viewTo);
    }
    out.append(page.constData() + at, page.size() - at);
    *pOut = out;
    return true;
}
