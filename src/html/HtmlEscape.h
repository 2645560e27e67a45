#pragma once

#include <QString>
#include <QStringView>

#include <string>

// Appends `text` so that it reads back as the same characters inside HTML
// text or a double-quoted attribute, using ASCII only: & < > " become
// &amp; &lt; &gt; &quot;, tab and every character beyond ASCII become
// decimal character references (a surrogate pair as its one code point).
// What has no character, or would not reach the applet intact, is written
// as U+FFFD: a lone surrogate and the other control characters
// (model/text/ControlCharacters.h; browsers read &#128;-&#159; as Windows-1252).
void AppendHtmlEscaped(std::string &out, QStringView text);

QString HtmlEscaped(const QString &text);
