#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The installed fonts that stand for the applet's three font names and for
// System UI. The pictures drawn here and the page script (res/glidebar.js,
// which holds the same tables) both take the first family of the list that
// is installed, then the generic family, so a page and its picture show the
// same font.
struct CFontFamilies {
    QChar code;           // the font's code on the page: 't', 'h', 'c', 's'
    QStringList families; // most wanted first
    QString generic;      // the CSS generic family: "serif", "sans-serif", "monospace", "system-ui"
    QFont::StyleHint hint; // the same generic family for QFont
};

// nFontName: 0 TimesRoman, 1 Helvetica, 2 Courier; any other value is
// Helvetica, as on the page.
const CFontFamilies &FontFamilies(int nFontName);

// System UI, the platform's interface font: the one named list of families
// the pictures and the page script choose from (the page script's
// SYSTEM_UI_FAMILIES), ending in the generic family system-ui. Pictures
// also draw the page's own font with it.
const CFontFamilies &SystemUiFamilies();

// The first family of the list that is installed; empty when none is.
QString FirstInstalledFamily(const CFontFamilies &families);

// The weight a browser draws `weight` with in `family` (CSS font matching:
// from 400 to 500 the nearest above up to 500, then below, then above 500;
// above 500 the nearest above, then below), among the faces of the wanted
// slant when the family has any. `weight` itself when the family is unknown.
int NearestFaceWeight(const QString &family, int weight, bool italic);
