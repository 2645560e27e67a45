#include "model/text/PageLanguage.h"

#include <QtTest>

class TestPageLanguage : public QObject {
    Q_OBJECT
private slots:
    void languageTags_data();
    void languageTags();
    void systemLanguageIsATag();
};

void TestPageLanguage::languageTags_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("valid");
    QTest::newRow("language") << "en" << true;
    QTest::newRow("three letters") << "haw" << true;
    QTest::newRow("region") << "en-GB" << true;
    QTest::newRow("numeric region") << "es-419" << true;
    QTest::newRow("script and region") << "sr-Latn-RS" << true;
    QTest::newRow("variant") << "de-CH-1996" << true;
    QTest::newRow("private use") << "en-x-mine" << true;
    QTest::newRow("35 characters") << "en-" + QString(8, 'a') + "-" + QString(8, 'b') + "-" + QString(8, 'c') + "-abcde" << true;
    QTest::newRow("36 characters") << "en-" + QString(8, 'a') + "-" + QString(8, 'b') + "-" + QString(8, 'c') + "-abcdef" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("one letter") << "e" << false;
    QTest::newRow("four letters") << "engl" << false;
    QTest::newRow("underscore") << "en_GB" << false;
    QTest::newRow("digit first") << "1en" << false;
    QTest::newRow("subtag too long") << "en-abcdefghi" << false;
    QTest::newRow("trailing hyphen") << "en-" << false;
    QTest::newRow("two hyphens") << "en--GB" << false;
    QTest::newRow("blank") << "en GB" << false;
    QTest::newRow("markup") << "en\"><b>" << false;
    QTest::newRow("letter beyond ASCII") << QString::fromUtf8("\u00e9n") << false;
}

void TestPageLanguage::languageTags()
{
    QFETCH(QString, tag);
    QFETCH(bool, valid);
    QCOMPARE(IsLanguageTag(tag), valid);
}

// Whatever the locale (the C locale names no language), new menus get a tag.
void TestPageLanguage::systemLanguageIsATag()
{
    QVERIFY2(IsLanguageTag(SystemPageLanguage()), qPrintable(SystemPageLanguage()));
}

QTEST_GUILESS_MAIN(TestPageLanguage)
#include "tst_pagelanguage.moc"
