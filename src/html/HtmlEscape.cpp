#include "html/HtmlEscape.h"

namespace {

void AppendReference(QString &out, char32_t code)
{
    out += QLatin1String("&#");
    out += QString::number(static_cast<uint>(code));
    out += QLatin1Char(';');
}

} // namespace

void AppendHtmlEscaped(QString &out, const QString &text)
{
    const QChar *const begin = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = begin[i].unicode();
        if (c < 0x80) {
            switch (c) {
            case u'&':
                out += QLatin1String("&amp;");
                break;
            case u'<':
                out += QLatin1String("&lt;");
                break;
            case u'>':
                out += QLatin1String("&gt;");
                break;
            case u'"':
                out += QLatin1String("&quot;");
                break;
            default:
                // Control characters would break the page's line structure.
                if (c < 0x20 || c == 0x7F)
                    AppendReference(out, c);
                else
                    out += QChar(c);
            }
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && begin[i + 1].isLowSurrogate()) {
            AppendReference(out, QChar::surrogateToUcs4(c, begin[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            AppendReference(out, 0xFFFD);
        } else {
            AppendReference(out, c);
        }
    }
}
