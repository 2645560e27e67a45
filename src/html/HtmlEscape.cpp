#include "html/HtmlEscape.h"

#include "model/text/ControlCharacters.h"

namespace {

// "&#" code ";"
void AppendReference(std::string &out, char32_t code)
{
    out += "&#";
    out += std::to_string(unsigned(code));
    out += ';';
}

bool StandsForItself(char16_t c)
{
    return c >= 0x20 && c < 0x7F && c != u'&' && c != u'<' && c != u'>' && c != u'"';
}

} // namespace

void AppendHtmlEscaped(std::string &out, QStringView text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // The run of characters that stand for themselves, copied in one go.
        qsizetype end = i;
        while (end < n && StandsForItself(text[end].unicode()))
            ++end;
        const size_t at = out.size();
        out.resize(at + size_t(end - i));
        for (char *p = out.data() + at; i < end; ++i)
            *p++ = char(text[i].unicode());
        if (i == n)
            break;

        const char16_t c = text[i++].unicode();
        switch (c) {
        case u'&':
            out += "&amp;";
            break;
        case u'<':
            out += "&lt;";
            break;
        case u'>':
            out += "&gt;";
            break;
        case u'"':
            out += "&quot;";
            break;
        default:
            if (QChar::isHighSurrogate(c) && i < n && text[i].isLowSurrogate()) {
                AppendReference(out, QChar::surrogateToUcs4(c, text[i++].unicode()));
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
    }
}

QString HtmlEscaped(const QString &text)
{
    std::string out;
    AppendHtmlEscaped(out, text);
    return QString::fromStdString(out);
}
