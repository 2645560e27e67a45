#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The installed fonts that stand for the applet's three font names. The
// pictures drawn here and the page script (res/glidebar.js, which holds the
// same table) both take the first family of the list that is installed, then
// the generic family, so a page and its picture show the same font.
struct CFontFamilies {
    QChar code;           // the font name's code on the page: 't', 'h', 'c'
    QStringList families; // most wanted first
    QString generic;      // the CSS generic family: "serif", "sans-serif", "monospace"
    QFont::StyleHint hint; // the same generic family for QFont
};

// nFontName: 0 TimesRoman, 1 Helvetica, 2 Courier; any other value is
// Helvetica, as on the page.
const CFontFamilies &FontFamilies(int nFontName);
