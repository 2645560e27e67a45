#include "html/read/text/CharacterReferences.h"

#include "html/read/text/NamedReferences.h"

#include <algorithm>
#include <array>

namespace {

// Bytes 0x80-0x9F of Windows-1252; the five it leaves undefined stand for
// themselves.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsAsciiAlnum(char16_t c)
{
    return IsAsciiDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

int HexValue(char16_t c)
{
    if (IsAsciiDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

void AppendCodePoint(QString &out, char32_t code)
{
    if (code > 0xFFFF) {
        out += QChar(QChar::highSurrogate(code));
        out += QChar(QChar::lowSurrogate(code));
    } else {
        out += QChar(char16_t(code));
    }
}

// A numeric reference at text[at] ("&#"): its length, and the character in
// *pCode; 0 when no digit follows (then it is no reference).
qsizetype NumericReference(QStringView text, qsizetype at, char32_t *pCode)
{
    qsizetype i = at + 2;
    const bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
    if (hex)
        ++i;
    const qsizetype digitsStart = i;
    // Past U+10FFFF the value only has to stay known to be too large.
    quint32 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexValue(text[i].unicode())
                              : (IsAsciiDigit(text[i].unicode()) ? text[i].unicode() - u'0' : -1);
        if (digit < 0)
            break;
        value = std::min<quint32>(value * (hex ? 16 : 10) + quint32(digit), 0x110000);
    }
    if (i == digitsStart)
        return 0;
    if (i < text.size() && text[i] == u';')
        ++i;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        *pCode = 0xFFFD;
    else if (value >= 0x80 && value <= 0x9F)
        *pCode = kWindows1252High[value - 0x80];
    else
        *pCode = value;
    return i - at;
}

// The longest named reference that text[from...] starts with (no '&'):
// null when none. The range of names sharing the prefix read so far
// narrows with each character, so a long run of letters costs little.
const CNamedReference *LongestNamedReference(QStringView text, qsizetype from)
{
    // The names of each first letter, found once.
    struct CRange {
        const CNamedReference *lo, *hi;
    };
    static const auto byFirst = [] {
        std::array<CRange, 128> ranges{};
        for (const CNamedReference *r = NamedReferencesBegin(); r != NamedReferencesEnd(); ++r) {
            CRange &range = ranges[size_t(r->pName[0]) & 0x7F];
            if (!range.lo)
                range.lo = r;
            range.hi = r + 1;
        }
        return ranges;
    }();
    if (from >= text.size() || text[from].unicode() >= 128)
        return nullptr;
    const CRange &first = byFirst[text[from].unicode()];
    if (!first.lo)
        return nullptr;
    const CNamedReference *lo = first.lo;
    const CNamedReference *hi = first.hi;
    const CNamedReference *best = nullptr;
    for (qsizetype k = 1; k < kLongestReferenceName && from + k < text.size(); ++k) {
        const char16_t c16 = text[from + k].unicode();
        if (!IsAsciiAlnum(c16) && c16 != u';')
            break;
        const char c = char(c16);
        lo = std::partition_point(lo, hi, [k, c](const CNamedReference &r) { return r.pName[k] < c; });
        hi = std::partition_point(lo, hi, [k, c](const CNamedReference &r) { return r.pName[k] == c; });
        if (lo == hi)
            break;
        // The name of exactly this length sorts first among those sharing it.
        if (lo->pName[k + 1] == '\0')
            best = lo;
        if (c == ';')
            break;
    }
    return best;
}

qsizetype NameLength(const CNamedReference &r)
{
    qsizetype n = 0;
    while (r.pName[n])
        ++n;
    return n;
}

} // namespace

char32_t Windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kWindows1252High[byte - 0x80] : char32_t(byte);
}

QString DecodeHtmlText(const QString &raw, EHtmlTextKind kind)
{
    // Most values hold nothing to decode: the same text, not a copy.
    for (const QChar c : raw)
        if (c == u'&' || c == u'\r' || c == u'\0')
            return DecodeHtmlText(QStringView(raw), kind);
    return raw;
}

QString DecodeHtmlText(QStringView raw, EHtmlTextKind kind)
{
    QString out;
    out.reserve(raw.size());
    const qsizetype n = raw.size();
    qsizetype i = 0;
    while (i < n) {
        // The run of characters that stand for themselves.
        qsizetype end = i;
        while (end < n && raw[end] != u'&' && raw[end] != u'\r' && raw[end] != u'\0')
            ++end;
        out += raw.sliced(i, end - i);
        i = end;
        if (i == n)
            break;
        const char16_t c = raw[i].unicode();
        if (c == u'\r') {
            out += QLatin1Char('\n');
            i += i + 1 < n && raw[i + 1] == u'\n' ? 2 : 1;
            continue;
        }
        if (c == u'\0') {
            out += QChar(0xFFFD);
            ++i;
            continue;
        }
        // '&'
        if (i + 1 < n && raw[i + 1] == u'#') {
            char32_t code = 0;
            if (const qsizetype length = NumericReference(raw, i, &code)) {
                AppendCodePoint(out, code);
                i += length;
                continue;
            }
        } else if (const CNamedReference *ref = LongestNamedReference(raw, i + 1)) {
            const qsizetype length = NameLength(*ref);
            const qsizetype after = i + 1 + length;
            const bool bare = ref->pName[length - 1] != ';';
            const bool heldBack = kind == EHtmlTextKind::Attribute && bare && after < n
                                  && (IsAsciiAlnum(raw[after].unicode()) || raw[after] == u'=');
            if (!heldBack) {
                AppendCodePoint(out, ref->first);
                if (ref->second)
                    AppendCodePoint(out, ref->second);
                i = after;
                continue;
            }
        }
        out += QLatin1Char('&');
        ++i;
    }
    return out;
}
