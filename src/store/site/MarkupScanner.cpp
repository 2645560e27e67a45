#include "store/site/MarkupScanner.h"

#include <cstring>

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// True when page[at...] is `word` (lower case) in any letter case.
bool IsWordAt(QByteArrayView page, qsizetype at, QByteArrayView word)
{
    if (at < 0 || at + word.size() > page.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (Lower(page[at + i]) != word[i])
            return false;
    return true;
}

// True when a tag named `name` (lower case) starts at `at`: "<name" or
// "</name" followed by a blank, '/' or '>'.
bool IsTagAt(QByteArrayView page, qsizetype at, QByteArrayView name, bool endTag)
{
    const qsizetype nameAt = at + (endTag ? 2 : 1);
    if (page[at] != '<' || (endTag && (at + 1 >= page.size() || page[at + 1] != '/')))
        return false;
    if (!IsWordAt(page, nameAt, name))
        return false;
    const qsizetype after = nameAt + name.size();
    if (after >= page.size())
        return false;
    const char c = page[after];
    return CMarkupScanner::IsBlank(c) || c == '/' || c == '>';
}

// The next '<' at or after `from`; the page's size when there is none.
qsizetype NextLt(QByteArrayView page, qsizetype from)
{
    if (from >= page.size())
        return page.size();
    const void *found = std::memchr(page.data() + from, '<', size_t(page.size() - from));
    return found ? qsizetype(static_cast<const char *>(found) - page.data()) : page.size();
}

// True when markup starts at the '<' at `at` (else the '<' is text).
bool StartsMarkup(QByteArrayView page, qsizetype at)
{
    if (at + 1 >= page.size())
        return false;
    const char c = page[at + 1];
    if (c == '!' || c == '?' || IsLetter(c))
        return true;
    return c == '/' && at + 2 < page.size();
}

} // namespace

CMarkupScanner::CMarkupScanner(QByteArrayView page) : m_page(page)
{
}

bool CMarkupScanner::IsRawTextElement(QByteArrayView name)
{
    static const char *const kNames[] = {"script", "style",  "textarea", "title",    "xmp",
                                         "iframe", "noembed", "noframes", "plaintext"};
    for (const char *raw : kNames)
        if (name == QByteArrayView(raw))
            return true;
    return false;
}

void CMarkupScanner::Set(EKind kind, qsizetype start, qsizetype end, qsizetype innerStart, qsizetype innerEnd)
{
    m_kind = kind;
    m_nStart = start;
    m_nEnd = end;
    m_nInnerStart = innerStart;
    m_nInnerEnd = innerEnd;
    m_nAt = end;
    if (kind != StartTag && kind != EndTag) {
        m_bSelfClosing = false;
        m_attributes.clear();
        if (kind != RawText)
            m_name.clear();
    }
}

QByteArrayView CMarkupScanner::Attribute(const char *lowerName, bool *found) const
{
    const QByteArrayView wanted(lowerName);
    for (const CAttribute &a : m_attributes) {
        if (a.nNameEnd - a.nNameStart == wanted.size() && IsWordAt(m_page, a.nNameStart, wanted)) {
            if (found)
                *found = true;
            return m_page.sliced(a.nValueStart, a.nValueEnd - a.nValueStart);
        }
    }
    if (found)
        *found = false;
    return QByteArrayView();
}

// The end of a script's text: the '<' of its end tag, or the end of the
// page. A script's text may hold "<!--" ... "<script>" ... "</script>",
// which does not end it: the same states a browser keeps are kept here.
qsizetype CMarkupScanner::ScriptTextEnd(qsizetype from) const
{
    enum { Data, Escaped, DoubleEscaped } state = Data;
    const qsizetype n = m_page.size();
    for (qsizetype i = from; i < n; ++i) {
        const char c = m_page[i];
        if (c == '<') {
            if (state == Data && i + 3 < n && m_page[i + 1] == '!' && m_page[i + 2] == '-' && m_page[i + 3] == '-') {
                state = Escaped;
                ++i; // the "--" may also close at once ("<!-->")
            } else if (IsTagAt(m_page, i, "script", true)) {
                if (state != DoubleEscaped)
                    return i;
                state = Escaped;
                i += 8;
            } else if (state == Escaped && IsTagAt(m_page, i, "script", false)) {
                state = DoubleEscaped;
                i += 7;
            }
        } else if (c == '-' && state != Data && i + 2 < n && m_page[i + 1] == '-' && m_page[i + 2] == '>') {
            state = Data;
            i += 2;
        }
    }
    return n;
}

void CMarkupScanner::ReadRawText()
{
    const QByteArray name = m_rawTextOf;
    m_rawTextOf.clear();
    const qsizetype from = m_nAt;
    qsizetype end = m_page.size();
    if (name == "script") {
        end = ScriptTextEnd(from);
    } else if (name != "plaintext") {
        for (qsizetype lt = NextLt(m_page, from); lt < m_page.size(); lt = NextLt(m_page, lt + 1)) {
            if (IsTagAt(m_page, lt, name, true)) {
                end = lt;
                break;
            }
        }
    }
    m_name = name;
    Set(RawText, from, end, from, end);
}

// A start or end tag whose '<' is at `lt`. A tag that the page ends inside
// is dropped with the rest of the page, as a browser drops it: false.
bool CMarkupScanner::ReadTag(qsizetype lt, bool endTag)
{
    const qsizetype n = m_page.size();
    qsizetype i = lt + (endTag ? 2 : 1);
    const qsizetype nameStart = i;
    while (i < n && !IsBlank(m_page[i]) && m_page[i] != '/' && m_page[i] != '>')
        ++i;
    m_name.resize(i - nameStart);
    for (qsizetype k = nameStart; k < i; ++k)
        m_name[k - nameStart] = Lower(m_page[k]);
    m_attributes.clear();
    m_bSelfClosing = false;

    while (true) {
        while (i < n && IsBlank(m_page[i]))
            ++i;
        if (i >= n)
            break;
        const char c = m_page[i];
        if (c == '>') {
            Set(endTag ? EndTag : StartTag, lt, i + 1, nameStart, nameStart + m_name.size());
            if (!endTag && IsRawTextElement(m_name))
                m_rawTextOf = m_name;
            return true;
        }
        if (c == '/') {
            ++i;
            if (i < n && m_page[i] == '>')
                m_bSelfClosing = true;
            continue;
        }
        // An attribute's name: its first character may be '='.
        CAttribute attribute;
        attribute.nNameStart = i++;
        while (i < n && !IsBlank(m_page[i]) && m_page[i] != '/' && m_page[i] != '>' && m_page[i] != '=')
            ++i;
        attribute.nNameEnd = i;
        qsizetype j = i;
        while (j < n && IsBlank(m_page[j]))
            ++j;
        if (j < n && m_page[j] == '=') {
            i = j + 1;
            while (i < n && IsBlank(m_page[i]))
                ++i;
            attribute.bHasValue = true;
            if (i < n && (m_page[i] == '"' || m_page[i] == '\'')) {
                const char quote = m_page[i];
                const void *close = std::memchr(m_page.data() + i + 1, quote, size_t(n - i - 1));
                if (!close)
                    break;
                attribute.nValueStart = i + 1;
                attribute.nValueEnd = qsizetype(static_cast<const char *>(close) - m_page.data());
                i = attribute.nValueEnd + 1;
            } else {
                attribute.nValueStart = i;
                while (i < n && !IsBlank(m_page[i]) && m_page[i] != '>')
                    ++i;
                attribute.nValueEnd = i;
            }
        } else {
            attribute.nValueStart = attribute.nValueEnd = attribute.nNameEnd;
        }
        if (m_attributes.size() < kMaxAttributes)
            m_attributes.append(attribute);
    }
    // The page ends inside the tag.
    m_attributes.clear();
    m_name.clear();
    m_nAt = n;
    return false;
}

bool CMarkupScanner::Next()
{
    const qsizetype n = m_page.size();
    if (!m_rawTextOf.isEmpty()) {
        ReadRawText();
        if (m_nEnd > m_nStart)
            return true;
    }
    if (m_nAt >= n)
        return false;

    // Text up to the next markup.
    const qsizetype textStart = m_nAt;
    qsizetype lt = NextLt(m_page, textStart);
    while (lt < n && !StartsMarkup(m_page, lt))
        lt = NextLt(m_page, lt + 1);
    if (lt > textStart) {
        Set(Text, textStart, lt, textStart, lt);
        return true;
    }

    const char c = m_page[lt + 1];
    if (c == '!') {
        if (lt + 3 < n && m_page[lt + 2] == '-' && m_page[lt + 3] == '-') {
            // A comment ends at "-->" or "--!>"; "<!-->" and "<!--->" are
            // empty comments.
            const qsizetype inner = lt + 4;
            if (inner < n && m_page[inner] == '>') {
                Set(Comment, lt, inner + 1, inner, inner);
                return true;
            }
            if (inner + 1 < n && m_page[inner] == '-' && m_page[inner + 1] == '>') {
                Set(Comment, lt, inner + 2, inner, inner);
                return true;
            }
            for (qsizetype j = inner; j + 2 < n; ++j) {
                if (m_page[j] != '-' || m_page[j + 1] != '-')
                    continue;
                if (m_page[j + 2] == '>') {
                    Set(Comment, lt, j + 3, inner, j);
                    return true;
                }
                if (m_page[j + 2] == '!' && j + 3 < n && m_page[j + 3] == '>') {
                    Set(Comment, lt, j + 4, inner, j);
                    return true;
                }
            }
            Set(Comment, lt, n, inner, n);
            return true;
        }
        if (m_page.sliced(lt).startsWith("<![CDATA[")) {
            const qsizetype inner = lt + 9;
            for (qsizetype j = inner; j + 2 < n; ++j) {
                if (m_page[j] == ']' && m_page[j + 1] == ']' && m_page[j + 2] == '>') {
                    Set(CData, lt, j + 3, inner, j);
                    return true;
                }
            }
            Set(CData, lt, n, inner, n);
            return true;
        }
    }
    if (c == '/' && IsLetter(m_page[lt + 2]))
        return ReadTag(lt, true);
    if (IsLetter(c))
        return ReadTag(lt, false);
    // "<!...>", "<?...>", "</ ...>": to the next '>'. ("</>" is one.)
    const qsizetype inner = lt + 2;
    const void *close = std::memchr(m_page.data() + inner, '>', size_t(n - inner));
    const qsizetype end = close ? qsizetype(static_cast<const char *>(close) - m_page.data()) : n;
    Set(Declaration, lt, close ? end + 1 : n, inner, end);
    return true;
}
