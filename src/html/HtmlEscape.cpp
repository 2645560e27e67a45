#include "html/HtmlEscape.h"

#include "model/ControlCharacters.h"

#include <QByteArray>
#include <QtAlgorithms>

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VANTREL_ESCAPE_SSE2 1
#endif

namespace {

// True for the ASCII characters that stand for themselves.
struct CPlainAscii {
    bool plain[128] = {};
    constexpr CPlainAscii()
    {
        for (int c = 0x20; c < 0x7F; ++c)
            plain[c] = c != '&' && c != '<' && c != '>' && c != '"';
    }
};
constexpr CPlainAscii kPlainAscii;

template <size_t N>
char *Put(char *out, const char (&text)[N])
{
    std::memcpy(out, text, N - 1);
    return out + N - 1;
}

// "&#" code ";"
char *PutReference(char *out, char32_t code)
{
    char digits[8];
    char *d = digits + sizeof digits;
    do {
        *--d = static_cast<char>('0' + code % 10);
        code /= 10;
    } while (code);
    out = Put(out, "&#");
    const size_t count = static_cast<size_t>(digits + sizeof digits - d);
    std::memcpy(out, d, count);
    out += count;
    *out++ = ';';
    return out;
}

#ifdef VANTREL_ESCAPE_SSE2
// Of the units in v, those that do not stand for themselves: two bits each in
// the result, lowest unit first.
unsigned SpecialUnits(__m128i v)
{
    // Signed compares: units from 0x8000 up read as negative, below 0x20.
    __m128i special = _mm_or_si128(_mm_cmplt_epi16(v, _mm_set1_epi16(0x20)),
                                   _mm_cmpgt_epi16(v, _mm_set1_epi16(0x7E)));
    for (short c : {'&', '<', '>', '"'})
        special = _mm_or_si128(special, _mm_cmpeq_epi16(v, _mm_set1_epi16(c)));
    return static_cast<unsigned>(_mm_movemask_epi8(special));
}

// Writes the 8 units at p as bytes (all 8 bytes, whatever they are); returns
// which of them need escaping (SpecialUnits).
unsigned PutBlock8(char *out, const char16_t *p)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(v, v));
    return SpecialUnits(v);
}

// The same for the 4 units at p.
unsigned PutBlock4(char *out, const char16_t *p)
{
    const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(p));
    const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(v, v));
    std::memcpy(out, &bytes, 4);
    return SpecialUnits(v) & 0xFFu;
}
#endif

} // namespace

char *WriteHtmlEscaped(char *out, QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
#ifdef VANTREL_ESCAPE_SSE2
        // Runs that need no escaping (the usual case) go 8 or 4 units at a
        // time. There is room for 8 bytes per unit, so a block always fits,
        // and it is written whole: bytes past the first unit to escape are
        // written over afterwards.
        const ptrdiff_t left = end - p;
        if (left >= 4) {
            const int size = left >= 8 ? 8 : 4;
            const unsigned special = size == 8 ? PutBlock8(out, p) : PutBlock4(out, p);
            if (special != 0) {
                const int plain = qCountTrailingZeroBits(special) / 2;
                out += plain;
                p += plain;
            } else {
                out += size;
                p += size;
                // Fewer units than a block left: the last block's worth,
                // overlapping the block just written, whose units all stood
                // for themselves.
                const ptrdiff_t rest = end - p;
                if (rest > 0 && rest < size) {
                    char *const back = out - (size - rest);
                    const unsigned tail = size == 8 ? PutBlock8(back, end - 8) : PutBlock4(back, end - 4);
                    // (It wrote the overlapped units' bytes again, as they were.)
                    if (tail == 0) {
                        out += rest;
                        p = end;
                    }
                }
                continue;
            }
        }
#endif
        const char16_t c = *p++;
        if (c < 0x80 && kPlainAscii.plain[c]) {
            *out++ = static_cast<char>(c);
            continue;
        }
        switch (c) {
        case u'&':
            out = Put(out, "&amp;");
            break;
        case u'<':
            out = Put(out, "&lt;");
            break;
        case u'>':
            out = Put(out, "&gt;");
            break;
        case u'"':
            out = Put(out, "&quot;");
            break;
        default:
            if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p)) {
                out = PutReference(out, QChar::surrogateToUcs4(c, *p));
                ++p;
            } else if (QChar::isSurrogate(c) || IsControlCharacter(c)) {
                // A lone surrogate is no character; a control character
                // (only a hand-made project file brings one) would reach the
                // applet changed, or not at all: both become the replacement
                // character.
                out = PutReference(out, 0xFFFD);
            } else {
                // Tab and everything beyond ASCII by its code point.
                out = PutReference(out, c);
            }
        }
    }
    return out;
}

void AppendHtmlEscaped(QString &out, const QString &text)
{
    QByteArray bytes(kEscapedBytesPerChar * text.size(), Qt::Uninitialized);
    const char *end = WriteHtmlEscaped(bytes.data(), text);
    out += QLatin1String(bytes.constData(), end - bytes.constData());
}
