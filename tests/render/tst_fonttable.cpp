#include "model/AppletParameters.h"
#include "model/StringTable.h"
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

QTEST_MAIN(TestFontTable)
#include "tst_fonttable.moc"
