#pragma once

#include <QString>

// Characters a text cannot carry to the menu applet: the control characters
// other than tab (U+0000-U+0008, U+000A-U+001F, U+007F-U+009F). The page
// declares no encoding, so a browser reads &#128;-&#159; as Windows-1252
// characters and &#0; as U+FFFD; line breaks and the other controls do not
// survive a param value or a project file line either.
constexpr bool IsControlCharacter(char32_t c)
{
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

// The position of the first such character in `text`, or -1 when it has none.
qsizetype FindControlCharacter(const QString &text);
