#include "html/PageText.h"

#include "html/HtmlEscape.h"

#include <algorithm>

CPageText::CPageText(qsizetype nExpected)
{
    m_bytes.resize(std::max<qsizetype>(nExpected, 64));
    m_p = m_bytes.data();
    m_end = m_p + m_bytes.size();
}

void CPageText::Grow(qsizetype n)
{
    const qsizetype used = m_p - m_bytes.data();
    m_bytes.resize(std::max(2 * m_bytes.size(), used + n));
    m_p = m_bytes.data() + used;
    m_end = m_bytes.data() + m_bytes.size();
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
            return;
        }
        m_p[i] = static_cast<char>(s[i]);
    }
    m_p += n;
}

void CPageText::PutNumber(qint64 nValue)
{
    char digits[20];
    char *d = digits + sizeof digits;
    // The magnitude as unsigned, so that the smallest value has one too.
    quint64 magnitude = nValue < 0 ? 0 - static_cast<quint64>(nValue) : static_cast<quint64>(nValue);
    do {
        *--d = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    Room(21);
    if (nValue < 0)
        *m_p++ = '-';
    const qsizetype count = digits + sizeof digits - d;
    std::memcpy(m_p, d, static_cast<size_t>(count));
    m_p += count;
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
    m_bytes.resize(m_p - m_bytes.data());
    m_p = m_end = nullptr;
    return std::move(m_bytes);
}
