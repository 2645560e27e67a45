#include "model/text/StringTable.h"

#include <QHash>

namespace {

const QHash<int, QString> &Table()
{
    static const QHash<int, QString> table = [] {
        QHash<int, QString> t;
        t.insert(103, QStringLiteral("Wizard"));
        t.insert(104, QStringLiteral("Sample\\Samples.html"));
        t.insert(105, QStringLiteral("Vantrel.qdx"));
        t.insert(106, QStringLiteral("~Vantrel.htm"));
        t.insert(107, QStringLiteral("Glidebar.class"));
        t.insert(108, QStringLiteral("Web Browser"));
        t.insert(109, QStringLiteral("Use Default"));
        t.insert(110, QStringLiteral("Specify Browser"));
        t.insert(111, QStringLiteral("glidebar.js"));
        auto fill = [&t](const CStringRange &r, std::initializer_list<const char *> texts) {
            int id = r.base;
            for (const char *s : texts)
                t.insert(id++, QString::fromLatin1(s));
            Q_ASSERT(id == r.base + r.count);
        };
        fill(StringRange::PageAlign, {"Center", "Left", "Right"});
        fill(StringRange::FontName, {"t", "h", "c"});
        fill(StringRange::FontStyle, {"p", "b", "i"});
        fill(StringRange::ItemAlign, {"ll", "lc", "lr", "cl", "cc", "cr", "rl", "rc", "rr"});
        fill(StringRange::MenuAlign, {"v", "h"});
        fill(StringRange::TargetFrame, {"_self", "_parent", "_top", "_blank"});
        fill(StringRange::Section, {"General", "Main Menu Style", "Sub Menu Style",
                                    "Main Item Style1", "Main Item Style2", "Main Item Style3",
                                    "Sub Item Style1", "Sub Item Style2", "Sub Item Style3",
                                    "Item", "Menu Relation", "Looks"});
        fill(StringRange::MenuBkStyle, {"01", "02", "11", "12"});
        fill(StringRange::FontSize, {"9", "12", "14", "16", "18", "20", "22", "24", "26", "28",
                                     "36", "48", "72"});
        return t;
    }();
    return table;
}

} // namespace

QString LoadString(int id)
{
    return Table().value(id);
}

QString LoadString(const CStringRange &range, int index)
{
    if (index < 0 || index >= range.count)
        return QString();
    return LoadString(range.base + index);
}
