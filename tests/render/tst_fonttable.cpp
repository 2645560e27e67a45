#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"
#include "render/FontTable.h"
#include "render/MenuRenderer.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRegularExpression>
#include <QtTest>

// The pictures and the page script choose fonts from one table: the copy in
// glidebar.js must say what the program's says, and the pictures must take
// the first family of it that is installed.
class TestFontTable : public QObject {
    Q_OBJECT
private slots:
    void scriptHoldsTheSameTable();
    void picturesTakeTheFirstInstalledFamily_data();
    void picturesTakeTheFirstInstalledFamily();
    void scriptHoldsTheSameSystemUiList();
    void systemUiAndThePagesFontDrawnFromTheList_data();
    void systemUiAndThePagesFontDrawnFromTheList();
    void weightsAsABrowserMatchesThem();
};

namespace {

struct CScriptEntry {
    QStringList families;
    QString generic;
};

// The FONT_FAMILIES table of glidebar.js, by code letter.
QMap<QString, CScriptEntry> ReadScriptTable(QString *pError)
{
    QFile file(QStringLiteral(VANTREL_SOURCE_DIR "/res/glidebar.js"));
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = file.errorString();
        return {};
    }
    const QString text = QString::fromUtf8(file.readAll());
    const int start = text.indexOf(QLatin1String("const FONT_FAMILIES = {"));
    const int end = text.indexOf(QLatin1String("};"), start);
    if (start < 0 || end < 0) {
        *pError = QStringLiteral("no FONT_FAMILIES table");
        return {};
    }
    static const QRegularExpression line(
        QStringLiteral(R"(^\s*(\w+): \{ families: \[([^\]]*)\], generic: '([^']*)' \},$)"),
        QRegularExpression::MultilineOption);
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    QMap<QString, CScriptEntry> table;
    auto lines = line.globalMatch(text.mid(start, end - start));
    while (lines.hasNext()) {
        const auto m = lines.next();
        CScriptEntry entry;
        auto names = quoted.globalMatch(m.captured(2));
        while (names.hasNext())
            entry.families << names.next().captured(1);
        entry.generic = m.captured(3);
        table.insert(m.captured(1), entry);
    }
    return table;
}

QString ScriptText(QString *pError)
{
    QFile file(QStringLiteral(VANTREL_SOURCE_DIR "/res/glidebar.js"));
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = file.errorString();
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace

void TestFontTable::scriptHoldsTheSameTable()
{
    QString error;
    const QMap<QString, CScriptEntry> script = ReadScriptTable(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(script.size(), 3);
    for (int name = 0; name < 3; ++name) {
        const CFontFamilies &ours = FontFamilies(name);
        const QString code = LoadString(StringRange::FontName, name);
        QCOMPARE(QString(ours.code), code);
        QVERIFY2(script.contains(code), qPrintable(code));
        QCOMPARE(script[code].families, ours.families);
        QCOMPARE(script[code].generic, ours.generic);
    }
}

void TestFontTable::picturesTakeTheFirstInstalledFamily_data()
{
    QTest::addColumn<int>("name");
    QTest::newRow("TimesRoman") << 0;
    QTest::newRow("Helvetica") << 1;
    QTest::newRow("Courier") << 2;
    QTest::newRow("outside the list: Helvetica") << 7;
}

void TestFontTable::picturesTakeTheFirstInstalledFamily()
{
    QFETCH(int, name);
    const CFontFamilies &table = FontFamilies(name);
    QString first;
    for (const QString &family : table.families) {
        if (QFontDatabase::hasFamily(family)) {
            first = family;
            break;
        }
    }
    if (first.isEmpty())
        QSKIP("none of the table's families is installed");
    CAppletParameters p;
    p.m_miFontName1 = name;
    QCOMPARE(QFontInfo(CMenuRenderer::ItemFont(p, false, 1)).family(), first);
}

// The one list of System UI families: the script's SYSTEM_UI_FAMILIES says
// what the program's says.
void TestFontTable::scriptHoldsTheSameSystemUiList()
{
    QString error;
    const QString text = ScriptText(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    static const QRegularExpression table(
        QStringLiteral(R"(const SYSTEM_UI_FAMILIES = \{ families: \[([^\]]*)\], generic: '([^']*)' \};)"));
    const QRegularExpressionMatch m = table.match(text);
    QVERIFY2(m.hasMatch(), "no SYSTEM_UI_FAMILIES list in glidebar.js");
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    QStringList families;
    for (auto names = quoted.globalMatch(m.captured(1)); names.hasNext();)
        families << names.next().captured(1);
    QCOMPARE(families, SystemUiFamilies().families);
    QCOMPARE(m.captured(2), SystemUiFamilies().generic);
    QCOMPARE(SystemUiFamilies().code, QChar(u's'));
}

void TestFontTable::systemUiAndThePagesFontDrawnFromTheList_data()
{
    QTest::addColumn<int>("family");
    QTest::newRow("System UI") << 1;
    QTest::newRow("page's font") << 2;
}

void TestFontTable::systemUiAndThePagesFontDrawnFromTheList()
{
    QFETCH(int, family);
    const QString first = FirstInstalledFamily(SystemUiFamilies());
    if (first.isEmpty())
        QSKIP("none of the System UI families is installed");
    CAppletParameters p;
    p.m_ModernPage = 1;
    p.m_siFontFamily3 = family;
    QCOMPARE(QFontInfo(CMenuRenderer::ItemFont(p, true, 3)).family(), first);
    // On a page for the applet alone, the applet's Helvetica.
    p.m_ModernPage = 0;
    QCOMPARE(QFontInfo(CMenuRenderer::ItemFont(p, true, 3)).family(), FirstInstalledFamily(FontFamilies(1)));
}

// CSS font matching: from 400 to 500 the nearest face up to 500, then
// below, then above; above 500 the nearest face above, then below; a
// family without a bold face is made bold by the browser for 600 and up.
void TestFontTable::weightsAsABrowserMatchesThem()
{
    QString rich;
    for (const QString &family : QFontDatabase::families()) {
        QList<int> weights;
        for (const QString &style : QFontDatabase::styles(family))
            if (!QFontDatabase::italic(family, style))
                weights << QFontDatabase::weight(family, style);
        if (weights.contains(400) && weights.contains(700) && !weights.contains(500) && !weights.contains(600)) {
            rich = family;
            break;
        }
    }
    if (rich.isEmpty())
        QSKIP("no family with Regular and Bold faces only");
    QCOMPARE(NearestFaceWeight(rich, 500, false), 400);
    QCOMPARE(NearestFaceWeight(rich, 600, false), 700);
    QCOMPARE(NearestFaceWeight(rich, 400, false), 400);
    QCOMPARE(NearestFaceWeight(QStringLiteral("No Such Family Here"), 600, false), 600);
}

QTEST_MAIN(TestFontTable)
#include "tst_fonttable.moc"
