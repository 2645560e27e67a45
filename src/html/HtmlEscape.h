#pragma once

#include <QString>
#include <QStringView>

// Appends `text` so that it reads back as the same characters inside HTML
// text or a double-quoted attribute, using ASCII only: & < > " become
// &amp; &lt; &gt; &quot;, tab and every character beyond ASCII become
// decimal character references (a surrogate pair as its one code point).
// What has no character, or would not reach the applet intact, is written
// as U+FFFD: a lone surrogate and the other control characters
// (model/ControlCharacters.h; browsers read &#128;-&#159; as Windows-1252).
void AppendHtmlEscaped(QString &out, const QString &text);

inline QString HtmlEscaped(const QString &text)
{
    QString out;
    AppendHtmlEscaped(out, text);
    return out;
}

// The most bytes one UTF-16 unit takes once escaped ("&#65533;").
constexpr qsizetype kEscapedBytesPerChar = 8;

// Writes `text` escaped as above at pOut, which has room for
// kEscapedBytesPerChar bytes per unit of the text; returns the end.
char *WriteHtmlEscaped(char *pOut, QStringView text);
