#include "render/FontTable.h"

#include <QFontDatabase>

#include <algorithm>
#include <vector>

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

const CFontFamilies &SystemUiFamilies()
{
    // Windows, Android, GNOME, Ubuntu, KDE and most other desktops, then
    // the fonts every Linux system has; macOS and iOS have none of these
    // and take their own through system-ui.
    static const CFontFamilies kSystemUi = {
        QLatin1Char('s'),
        {QStringLiteral("Segoe UI"), QStringLiteral("Roboto"), QStringLiteral("Cantarell"),
         QStringLiteral("Ubuntu"), QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans"),
         QStringLiteral("DejaVu Sans")},
        QStringLiteral("system-ui"), QFont::SansSerif};
    return kSystemUi;
}

QString FirstInstalledFamily(const CFontFamilies &families)
{
    for (const QString &family : families.families)
        if (QFontDatabase::hasFamily(family))
            return family;
    return QString();
}

int NearestFaceWeight(const QString &family, int weight, bool italic)
{
    if (family.isEmpty() || !QFontDatabase::hasFamily(family))
        return weight;
    std::vector<int> slanted, all;
    for (const QString &style : QFontDatabase::styles(family)) {
        const int w = QFontDatabase::weight(family, style);
        if (w <= 0)
            continue;
        all.push_back(w);
        if (QFontDatabase::italic(family, style) == italic)
            slanted.push_back(w);
    }
    const std::vector<int> &faces = slanted.empty() ? all : slanted;
    if (faces.empty())
        return weight;
    // The candidates in the order CSS tries them; the first present wins.
    auto best = [&](auto inFirst, auto inSecond, bool firstAscending, bool secondAscending) {
        auto pick = [&](auto accept, bool ascending) {
            int found = -1;
            for (int w : faces)
                if (accept(w) && (found < 0 || (ascending ? w < found : w > found)))
                    found = w;
            return found;
        };
        int w = pick(inFirst, firstAscending);
        if (w < 0)
            w = pick(inSecond, secondAscending);
        return w;
    };
    int found = -1;
    if (weight >= 400 && weight <= 500) {
        found = best([&](int w) { return w >= weight && w <= 500; }, [&](int w) { return w < weight; }, true, false);
        if (found < 0)
            found = best([](int w) { return w > 500; }, [](int) { return false; }, true, true);
    } else if (weight < 400) {
        found = best([&](int w) { return w <= weight; }, [&](int w) { return w > weight; }, false, true);
    } else {
        found = best([&](int w) { return w >= weight; }, [&](int w) { return w < weight; }, true, false);
    }
    if (found < 0)
        return weight;
    // Browsers make a bold of their own where a family has none: so does Qt
    // when asked for the weight itself.
    if (weight >= 600 && found < 600)
        return weight;
    return found;
}
