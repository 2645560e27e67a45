#pragma once

#include <QByteArray>
#include <QString>

// Whether a file is a picture, told by its content alone (never by its
// name): PNG, GIF, JPEG, WebP, BMP and ICO by their signatures; SVG as an
// XML document whose root element is svg, after an optional UTF-8
// byte-order mark, XML declaration, comments and blanks, and with no
// DOCTYPE (which could pull in other files or expand entities).

// How much of a file's start is read to tell it.
constexpr qsizetype kPictureHeadSize = 64 * 1024;

// True when `head`, the start of a file (up to kPictureHeadSize bytes, or
// the whole file when shorter), is a picture's.
bool IsPictureContent(const QByteArray &head);

// True when the file at strPath is a regular file (a link to one counts)
// whose content is a picture.
bool IsPictureFile(const QString &strPath);
