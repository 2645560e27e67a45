#include "html/PageText.h"

#include "html/HtmlEscape.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VANTREL_PAGETEXT_SSE2 1
#endif

namespace {

// The small buffer of a large page or of Form::Text: well inside the
// first-level cache, large enough that handing it on is a long straight run.
constexpr qsizetype kBufferBytes = 16 * 1024;

// From this expected size on, the page is handed on past the caches: it
// would not stay in them anyway, and the memory it goes to need not be read
// in first.
constexpr qsizetype kStreamedBytes = 1024 * 1024;

bool IsAligned16(const void *p)
{
    return (reinterpret_cast<std::uintptr_t>(p) & 15) == 0;
}

// Copies n bytes from pIn to pOut past the caches.
void CopyStreamed(char *pOut, const char *pIn, qsizetype n)
{
#ifdef VANTREL_PAGETEXT_SSE2
    while (n > 0 && !IsAligned16(pOut)) {
        *pOut++ = *pIn++;
        --n;
    }
    for (; n >= 16; n -= 16, pIn += 16, pOut += 16)
        _mm_stream_si128(reinterpret_cast<__m128i *>(pOut),
                         _mm_loadu_si128(reinterpret_cast<const __m128i *>(pIn)));
#endif
    std::memcpy(pOut, pIn, static_cast<size_t>(n));
}

// Widens n ASCII bytes from pIn to UTF-16 at pOut (past the caches:
// bStream).
void Widen(char16_t *pOut, const char *pIn, qsizetype n, bool bStream)
{
#ifdef VANTREL_PAGETEXT_SSE2
    const __m128i zero = _mm_setzero_si128();
    if (bStream) {
        while (n > 0 && !IsAligned16(pOut)) {
            *pOut++ = static_cast<unsigned char>(*pIn++);
            --n;
        }
        for (; n >= 16; n -= 16, pIn += 16, pOut += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pIn));
            _mm_stream_si128(reinterpret_cast<__m128i *>(pOut), _mm_unpacklo_epi8(v, zero));
            _mm_stream_si128(reinterpret_cast<__m128i *>(pOut + 8), _mm_unpackhi_epi8(v, zero));
        }
    } else {
        for (; n >= 16; n -= 16, pIn += 16, pOut += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pIn));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(pOut), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(pOut + 8), _mm_unpackhi_epi8(v, zero));
        }
    }
#else
    Q_UNUSED(bStream);
#endif
    for (qsizetype i = 0; i < n; ++i)
        pOut[i] = static_cast<unsigned char>(pIn[i]);
}

} // namespace

CPageText::CPageText(qsizetype nExpected, Form form)
    : m_bText(form == Form::Text)
{
    nExpected = std::max<qsizetype>(nExpected, 64);
#ifdef VANTREL_PAGETEXT_SSE2
    m_bStream = nExpected >= kStreamedBytes;
#endif
    m_bBuffered = m_bText || m_bStream;
    if (m_bText)
        m_text.reserve(nExpected);
    else if (m_bBuffered)
        m_bytes.reserve(nExpected);
    m_buffer.resize(m_bBuffered ? std::min(nExpected, kBufferBytes) : nExpected);
    m_p = m_buffer.data();
    m_end = m_p + m_buffer.size();
}

void CPageText::Grow(qsizetype n)
{
    const qsizetype used = m_p - m_buffer.data();
    if (m_bBuffered) {
        Flush();
        if (m_buffer.size() >= n)
            return;
        m_buffer.resize(std::max(n, kBufferBytes));
    } else {
        m_buffer.resize(std::max(2 * m_buffer.size(), used + n));
    }
    m_p = m_buffer.data() + (m_bBuffered ? 0 : used);
    m_end = m_buffer.data() + m_buffer.size();
}

void CPageText::Flush()
{
    const char *const begin = m_buffer.constData();
    const qsizetype used = m_p - begin;
    if (!m_bText) {
        const qsizetype at = m_bytes.size();
        m_bytes.resize(at + used);
        CopyStreamed(m_bytes.data() + at, begin, used);
    } else if (m_bUtf8) {
        m_text += QString::fromUtf8(begin, used);
    } else {
        // ASCII: widened as it is.
        const qsizetype at = m_text.size();
        m_text.resize(at + used);
        Widen(reinterpret_cast<char16_t *>(m_text.data()) + at, begin, used, m_bStream);
    }
    m_bUtf8 = false;
    m_p = m_buffer.data();
}

void CPageText::PutText(const QString &strText)
{
    const qsizetype n = strText.size();
    const char16_t *s = QStringView(strText).utf16();
    Room(n);
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] >= 0x80) {
            // Not plain ASCII after all: written as UTF-8, as a saved page
            // holds it.
            const QByteArray utf8 = strText.toUtf8();
            Put(utf8.constData(), utf8.size());
            m_bUtf8 = true;
            return;
        }
        m_p[i] = static_cast<char>(s[i]);
    }
    m_p += n;
}

namespace {

// "00", "01", ... "99".
struct CDigitPairs {
    char digits[200] = {};
    constexpr CDigitPairs()
    {
        for (int i = 0; i < 100; ++i) {
            digits[2 * i] = static_cast<char>('0' + i / 10);
            digits[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr CDigitPairs kDigitPairs;

char *PutPair(char *pOut, quint64 nBelow100)
{
    std::memcpy(pOut, kDigitPairs.digits + 2 * nBelow100, 2);
    return pOut + 2;
}

} // namespace

char *CPageText::WriteNumber(char *pOut, qint64 nValue)
{
    // The magnitude as unsigned, so that the smallest value has one too.
    quint64 magnitude = nValue < 0 ? 0 - static_cast<quint64>(nValue) : static_cast<quint64>(nValue);
    if (nValue < 0)
        *pOut++ = '-';
    // Item numbers, counts and sizes are mostly below 1000: written straight
    // away; longer numbers are counted first, then written from the end.
    if (magnitude < 10) {
        *pOut++ = static_cast<char>('0' + magnitude);
        return pOut;
    }
    if (magnitude < 100)
        return PutPair(pOut, magnitude);
    if (magnitude < 1000) {
        *pOut++ = static_cast<char>('0' + magnitude / 100);
        return PutPair(pOut, magnitude % 100);
    }
    int count = 4;
    for (quint64 rest = magnitude / 10000; rest; rest /= 10)
        ++count;
    char *d = pOut + count;
    do {
        *--d = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    return pOut + count;
}

void CPageText::PutNumber(qint64 nValue)
{
    Room(20);
    m_p = WriteNumber(m_p, nValue);
}

char *CPageText::WriteColor(char *pOut, int nColor)
{
    static const char hex[] = "0123456789abcdef";
    const unsigned c = static_cast<unsigned>(nColor);
    for (int byte = 0; byte < 3; ++byte) {
        const unsigned v = (c >> (8 * byte)) & 0xFFu;
        *pOut++ = hex[v >> 4];
        *pOut++ = hex[v & 0xFu];
    }
    return pOut;
}

void CPageText::PutColor(int nColor)
{
    Room(6);
    m_p = WriteColor(m_p, nColor);
}

void CPageText::PutEscaped(QStringView text)
{
    Room(kEscapedBytesPerChar * text.size());
    m_p = WriteHtmlEscaped(m_p, text);
}

QByteArray CPageText::Take()
{
    Q_ASSERT(!m_bText);
    if (!m_bBuffered) {
        m_buffer.resize(m_p - m_buffer.data());
        m_p = m_end = nullptr;
        return std::move(m_buffer);
    }
    Finish();
    return std::move(m_bytes);
}

QString CPageText::TakeText()
{
    Q_ASSERT(m_bText);
    Finish();
    return std::move(m_text);
}

void CPageText::Finish()
{
    Flush();
#ifdef VANTREL_PAGETEXT_SSE2
    if (m_bStream)
        _mm_sfence(); // the stores past the caches done before the page is handed on
#endif
    m_buffer = QByteArray();
    m_p = m_end = nullptr;
}
