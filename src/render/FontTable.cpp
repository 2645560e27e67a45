#include "render/FontTable.h"

const CFontFamilies &FontFamilies(int nFontName)
{
    static const CFontFamilies kTable[3] = {
        {QLatin1Char('t'),
         {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
          QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")},
         QStringLiteral("serif"), QFont::Serif},
        {QLatin1Char('h'),
         {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
          QStringLiteral("DejaVu Sans")},
         QStringLiteral("sans-serif"), QFont::SansSerif},
        {QLatin1Char('c'),
         {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
          QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")},
         QStringLiteral("monospace"), QFont::Monospace},
    };
    return kTable[(nFontName >= 0 && nFontName <= 2) ? nFontName : 1];
}
