#include "html/PageText.h"

#include "html/HtmlEscape.h"

#include <charconv>

void CPageText::PutText(const QString &text)
{
    m_bytes += text.toStdString();
}

void CPageText::PutNumber(qint64 value)
{
    char digits[24];
    m_bytes.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void CPageText::PutColor(int color)
{
    static const char hex[] = "0123456789abcdef";
    for (int byte = 0; byte < 3; ++byte) {
        const unsigned v = (unsigned(color) >> (8 * byte)) & 0xFFu;
        m_bytes += hex[v >> 4];
        m_bytes += hex[v & 0xFu];
    }
}

void CPageText::PutEscaped(QStringView text)
{
    AppendHtmlEscaped(m_bytes, text);
}
