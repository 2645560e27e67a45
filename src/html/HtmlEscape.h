#pragma once

#include <QString>

// Appends `text` so that it reads back as the same characters inside HTML
// text or a double-quoted attribute, using ASCII only: & < > " become
// &amp; &lt; &gt; &quot;, control characters and every character beyond
// ASCII become decimal character references (a surrogate pair as its one
// code point; a lone surrogate, which has no character, as U+FFFD).
void AppendHtmlEscaped(QString &out, const QString &text);

inline QString HtmlEscaped(const QString &text)
{
    QString out;
    AppendHtmlEscaped(out, text);
    return out;
}
