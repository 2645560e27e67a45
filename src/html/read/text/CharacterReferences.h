#pragma once

#include <QString>
#include <QStringView>

// Text of a page as a browser reads it out of the markup, so that a value
// read back is the value a visitor's browser hands the menu:
// - line ends become LF (CR LF and CR alone), as a browser's input stream
//   has them, and NUL becomes U+FFFD;
// - character references are decoded: "&#233;", "&#xE9;" and the named
//   ones ("&eacute;", "&amp;"), the longest name of HTML's list that the
//   text starts with. A numeric reference needs no ';'; 0, a surrogate or a
//   number beyond U+10FFFF gives U+FFFD, and 128-159 are read as the
//   Windows-1252 characters of those bytes. A few old names are read
//   without their ';' ("&amp", "&copy"), but in an attribute value not when
//   a letter, a digit or '=' follows ("?a=1&copy=2" stays as written).
// Anything else after '&' is the '&' itself.
enum class EHtmlTextKind { Text, Attribute };
QString DecodeHtmlText(QStringView raw, EHtmlTextKind kind);
QString DecodeHtmlText(const QString &raw, EHtmlTextKind kind);

// The character a browser reads for a byte of a page in Windows-1252
// (which is also what pages declared ISO-8859-1 or ASCII are read as).
char32_t Windows1252Character(unsigned char byte);
