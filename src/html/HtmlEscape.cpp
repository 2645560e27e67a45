#include "html/HtmlEscape.h"

#include "model/ControlCharacters.h"

namespace {

void AppendReference(QString &out, char32_t code)
{
    out += QLatin1String("&#");
    out += QString::number(static_cast<uint>(code));
    out += QLatin1Char(';');
}

bool NeedsEscape(char16_t c)
{
    return c < 0x20 || c >= 0x7F || c == u'&' || c == u'<' || c == u'>' || c == u'"';
}

} // namespace

void AppendHtmlEscaped(QString &out, const QString &text)
{
    const QChar *const begin = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // Copy the run of characters that stand for themselves in one go.
        qsizetype run = i;
        while (run < n && !NeedsEscape(begin[run].unicode()))
            ++run;
        if (run > i) {
            out.append(begin + i, run - i);
            i = run;
            if (i == n)
                break;
        }
        const char16_t c = begin[i].unicode();
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
            if (QChar::isHighSurrogate(c) && i + 1 < n && begin[i + 1].isLowSurrogate()) {
                AppendReference(out, QChar::surrogateToUcs4(c, begin[i + 1].unicode()));
                ++i;
            } else if (QChar::isSurrogate(c) || IsControlCharacter(c)) {
                // A lone surrogate is no character; a control character
                // (only a hand-made project file brings one) would reach the
                // applet changed, or not at all: both become the replacement
                // character.
                AppendReference(out, 0xFFFD);
            } else {
                // Tab and everything beyond ASCII by its code point.
                AppendReference(out, c);
            }
        }
        ++i;
    }
}
