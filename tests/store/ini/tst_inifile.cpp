#include "TestFiles.h"
#include "store/ini/GetField.h"
#include "store/ini/IniFile.h"

#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void readsAsWindowsDoes_data();
    void readsAsWindowsDoes();
    void namesBeyondAsciiFoldCase_data();
    void namesBeyondAsciiFoldCase();
    void decodesText_data();
    void decodesText();
    void lineEnds_data();
    void lineEnds();
    void writesPlainCrLfUtf8();
    void valuesReadBackExactly_data();
    void valuesReadBackExactly();
    void lineBreakCannotStartAKey();
    void loadsFileAndSavesWhole();
    void getField_data();
    void getField();
};

// A file as Windows writes and people edit it: CR LF, names in other letter
// case, blanks, duplicates, comments, quotes, keys before any section.
static const char kWindowsFile[] =
    "loose=before any section\r\n"
    "; a comment line\r\n"
    "[General]\r\n"
    "Title=first\r\n"
    "TITLE=second\r\n"
    "  Spaced Key  \t=  \t padded value \t \r\n"
    "#hash=not a comment\r\n"
    "; hidden=commented out\r\n"
    "no equals sign here\r\n"
    "Quoted=\"in quotes\"\r\n"
    "Single=' single '\r\n"
    "Mixed=\"left only'\r\n"
    "Twice=\"\"two pairs\"\"\r\n"
    "OneQuote=\"\r\n"
    "Empty=\r\n"
    "Equals=a=b=c\r\n"
    "Long=" "0123456789012345678901234567890123456789012345678901234567890123456789"
    "0123456789012345678901234567890123456789012345678901234567890123456789"
    "0123456789012345678901234567890123456789012345678901234567890123456789"
    "0123456789012345678901234567890123456789012345678901234567890123456789\r\n"
    "\r\n"
    "[  Other Section\t]\r\n"
    "k=other\r\n"
    "[Broken\r\n"
    "k2=after a broken header\r\n"
    "[general]\r\n"
    "Title=from the duplicate section\r\n"
    "Extra=only in the duplicate section\r\n";

void TestIniFile::readsAsWindowsDoes_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<missing>" when the default comes back

    const QString missing = QStringLiteral("<missing>");
    QTest::newRow("first key wins") << "General" << "title" << "first";
    QTest::newRow("section letter case") << "GENERAL" << "Title" << "first";
    QTest::newRow("blanks trimmed") << "General" << "spaced key" << "padded value";
    QTest::newRow("name asked with blanks") << " General " << " Spaced Key\t" << "padded value";
    QTest::newRow("hash is no comment") << "General" << "#hash" << "not a comment";
    QTest::newRow("semicolon is a comment") << "General" << "; hidden" << missing;
    QTest::newRow("line without equals") << "General" << "no equals sign here" << missing;
    QTest::newRow("double quotes removed") << "General" << "Quoted" << "in quotes";
    QTest::newRow("single quotes removed") << "General" << "Single" << " single ";
    QTest::newRow("unmatched quotes kept") << "General" << "Mixed" << "\"left only'";
    QTest::newRow("one pair removed") << "General" << "Twice" << "\"two pairs\"";
    QTest::newRow("lone quote kept") << "General" << "OneQuote" << "\"";
    QTest::newRow("empty value") << "General" << "Empty" << "";
    QTest::newRow("first equals splits") << "General" << "Equals" << "a=b=c";
    QTest::newRow("read whole") << "General" << "Long" << QString("0123456789").repeated(28);
    QTest::newRow("section name trimmed") << "other section" << "K" << "other";
    QTest::newRow("duplicate section ignored") << "General" << "Extra" << missing;
    QTest::newRow("keys before a section") << "" << "loose" << missing;
    QTest::newRow("broken header is no section") << "Broken" << "k2" << missing;
    QTest::newRow("broken header keeps section") << "other section" << "k2" << "after a broken header";
    QTest::newRow("missing section") << "Nowhere" << "Title" << missing;
}

void TestIniFile::readsAsWindowsDoes()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    CIniFile ini;
    ini.Parse(QByteArray(kWindowsFile));
    QCOMPARE(ini.Value(section, key, QStringLiteral("<missing>")), expected);
    QCOMPARE(ini.Contains(section, key), expected != QLatin1String("<missing>"));
}

void TestIniFile::decodesText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString text = QStringLiteral("Caf\u00e9 \u20ac\u201c\u2122");
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : QStringLiteral("[S]\r\nk=") + text)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    QTest::newRow("UTF-16LE") << utf16 << text;
    QTest::newRow("UTF-8") << QByteArray("[S]\nk=") + text.toUtf8() << text;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[S]\nk=") + text.toUtf8() << text;
    QTest::newRow("Windows-1252") << QByteArray("[S]\nk=Caf\xE9 \x80\x93\x99") << QStringLiteral("Caf\u00e9 \u20ac\u201c\u2122");
    QTest::newRow("invalid UTF-8 is 1252") << QByteArray("[S]\nk=\xC3\xA9\xE9") << QStringLiteral("\u00c3\u00a9\u00e9");
    QTest::newRow("overlong UTF-8 is 1252") << QByteArray("[S]\nk=\xC0\xAF") << QStringLiteral("\u00c0\u00af");
    QTest::newRow("cut UTF-8 is 1252") << QByteArray("[S]\nk=\xE2\x82") << QStringLiteral("\u00e2\u201a");
    QTest::newRow("lone surrogate replaced") << QByteArray("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xD8x\0", 18)
                                             << QStringLiteral("\ufffdx");
}

void TestIniFile::decodesText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    CIniFile ini;
    ini.Parse(bytes);
    QCOMPARE(ini.Value("s", "K"), expected);
}

void TestIniFile::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR LF") << QByteArray("[A]\r\nx=1\r\n[B]\r\nx=2\r\n");
    QTest::newRow("LF") << QByteArray("[A]\nx=1\n[B]\nx=2");
    QTest::newRow("CR") << QByteArray("[A]\rx=1\r[B]\rx=2\r");
    QTest::newRow("mixed, blank lines") << QByteArray("\r\n[A]\n\nx=1\r\r[B]\r\n\r\nx=2\n");
}

void TestIniFile::lineEnds()
{
    QFETCH(QByteArray, bytes);
    CIniFile ini;
    ini.Parse(bytes);
    QCOMPARE(ini.Value("A", "x"), QStringLiteral("1"));
    QCOMPARE(ini.Value("B", "x"), QStringLiteral("2"));
}

// Names beyond ASCII compare by their case-folded forms, which may be ASCII
// (the Kelvin sign folds to "k"), whichever side of the lookup they are on.
void TestIniFile::namesBeyondAsciiFoldCase_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString missing = QStringLiteral("<missing>");
    QTest::newRow("accented section") << QStringLiteral("CAF\u00c9") << "x" << "1";
    QTest::newRow("first of a folded name wins") << QStringLiteral("caf\u00e9") << "x" << "1";
    QTest::newRow("stored Kelvin sign, asked k") << QStringLiteral("Caf\u00e9") << "key" << "kelvin";
    QTest::newRow("stored k, asked Kelvin sign") << QStringLiteral("Caf\u00e9") << QStringLiteral("\u212Aey2") << "plain";
    QTest::newRow("Greek letter case") << QStringLiteral("\u03a3\u039f\u03a6\u0399\u0391") << QStringLiteral("\u03b1") << "alpha";
    QTest::newRow("no accent is another name") << "Cafe" << "x" << missing;
}

void TestIniFile::namesBeyondAsciiFoldCase()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    CIniFile ini;
    ini.Parse(QStringLiteral("[Caf\u00e9]\r\nx=1\r\n\u212Aey=kelvin\r\nKEY2=plain\r\n"
                             "[CAF\u00c9]\r\nx=2\r\n[\u03c3\u03bf\u03c6\u03b9\u03b1]\r\n\u0391=alpha\r\n")
                  .toUtf8());
    QCOMPARE(ini.Value(section, key, QStringLiteral("<missing>")), expected);
    QCOMPARE(ini.Section(section).Value(key, QStringLiteral("<missing>")), expected);
}

void TestIniFile::writesPlainCrLfUtf8()
{
    CIniFile ini;
    ini.SetValue("Second", "z", "1");
    ini.AddSection("Empty");
    ini.SetValue("Second", "a", "caf\u00e9");
    ini.SetValue("First", "k", "v");
    ini.SetValue("second", "Z", "replaced"); // same key in other letter case keeps its place
    QCOMPARE(ini.ToBytes(), QByteArray("[Second]\r\nz=replaced\r\na=caf\xC3\xA9\r\n"
                                       "\r\n[Empty]\r\n"
                                       "\r\n[First]\r\nk=v\r\n"));
}

void TestIniFile::valuesReadBackExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("written"); // what follows "k=" in the file
    QTest::newRow("plain") << "a b" << "a b";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("leading blank") << " a" << "\" a\"";
    QTest::newRow("trailing tab") << "a\t" << "\"a\t\"";
    QTest::newRow("only blanks") << "  " << "\"  \"";
    QTest::newRow("in double quotes") << "\"a\"" << "\"\"a\"\"";
    QTest::newRow("in single quotes") << "'a'" << "\"'a'\"";
    QTest::newRow("quote pair only") << "\"\"" << "\"\"\"\"";
    QTest::newRow("unmatched quotes") << "\"a'" << "\"a'";
    QTest::newRow("inner quotes") << "a \"b\" c" << "a \"b\" c";
    QTest::newRow("lone quote") << "\"" << "\"";
    QTest::newRow("semicolon and brackets") << ";[x]=y" << ";[x]=y";
    QTest::newRow("non-ASCII") << "\u00e9\u4e2d\U0001F600" << "\u00e9\u4e2d\U0001F600";
}

void TestIniFile::valuesReadBackExactly()
{
    QFETCH(QString, value);
    QFETCH(QString, written);
    CIniFile ini;
    ini.SetValue("S", "k", value);
    const QByteArray bytes = ini.ToBytes();
    QCOMPARE(bytes, QByteArray("[S]\r\nk=") + written.toUtf8() + "\r\n");
    CIniFile back;
    back.Parse(bytes);
    QCOMPARE(back.Value("S", "k", "<missing>"), value);
}

void TestIniFile::lineBreakCannotStartAKey()
{
    CIniFile ini;
    ini.SetValue("S", "k", "a\r\n[T]\r\nx=injected");
    ini.SetValue("S", "after", "1");
    CIniFile back;
    back.Parse(ini.ToBytes());
    QCOMPARE(back.Value("S", "k"), QStringLiteral("a  [T]  x=injected"));
    QCOMPARE(back.Value("S", "after"), QStringLiteral("1"));
    QVERIFY(!back.Contains("T", "x"));
}

void TestIniFile::loadsFileAndSavesWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    CIniFile ini;
    QVERIFY(!ini.Load(path)); // missing: empty, every lookup gives its default
    QCOMPARE(ini.Value("S", "k", "def"), QStringLiteral("def"));

    ini.SetValue("S", "k", "v");
    QString error;
    QVERIFY(ini.Save(path, &error));
    CIniFile back;
    QVERIFY(back.Load(path));
    QCOMPARE(back.Value("S", "k"), QStringLiteral("v"));

    // A folder that is a regular file cannot take the file; the reason is given.
    QVERIFY(!ini.Save(dir.filePath("a.ini/b.ini"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadFileBytes(path), QByteArray("[S]\r\nk=v\r\n"));
}

void TestIniFile::getField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << "a,b,c" << 0 << "," << "a";
    QTest::newRow("middle") << "a,b,c" << 1 << "," << "b";
    QTest::newRow("last without comma") << "a,b,c" << 2 << "," << "c";
    QTest::newRow("past the end") << "a,b,c" << 3 << "," << "";
    QTest::newRow("last with comma") << "a,b,c," << 2 << "," << "c";
    QTest::newRow("after trailing comma") << "a,b,c," << 3 << "," << "";
    QTest::newRow("empty between commas") << "a,,b" << 1 << "," << "";
    QTest::newRow("after empty field") << "a,,b" << 2 << "," << "b";
    QTest::newRow("empty text") << "" << 0 << "," << "";
    QTest::newRow("no delimiter") << "abc" << 0 << "," << "abc";
    QTest::newRow("no delimiter, field 1") << "abc" << 1 << "," << "";
    QTest::newRow("negative") << "a,b" << -1 << "," << "";
    QTest::newRow("leading comma") << ",a" << 0 << "," << "";
    QTest::newRow("blanks kept") << " a , b " << 1 << "," << " b ";
    QTest::newRow("longer delimiter") << "a--b--c" << 1 << "--" << "b";
    QTest::newRow("empty delimiter") << "a,b" << 0 << "" << "";
    QTest::newRow("huge n") << "a,b" << INT_MAX << "," << "";
}

void TestIniFile::getField()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, delimiter);
    QFETCH(QString, expected);
    QCOMPARE(GetField(text, n, delimiter), expected);
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
