#pragma once

#include <QString>
#include <QStringView>

// The language a page for today's browsers declares on its <html> line, as
// a language tag (BCP 47): a primary language of two or three letters (or
// five to eight), then subtags of one to eight letters or digits, each after
// a hyphen ("en", "en-GB", "sr-Latn-RS", "de-CH-1996"). At most 35
// characters, the length every conforming reader must keep.
bool IsLanguageTag(QStringView strTag);

// The language of the system's locale as a tag ("en-GB" for en_GB), which
// new menus take; "en" where the locale names none (the C locale).
QString SystemPageLanguage();
