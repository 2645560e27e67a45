#include "TestApp.h"
#include "html/ImageFile.h"

#include <QtTest>

class TestImageFile : public QObject {
    Q_OBJECT
private slots:
    void findsStoredImages_data();
    void findsStoredImages();
};

void TestImageFile::findsStoredImages_data()
{
    QTest::addColumn<QString>("stored");  // relative to a folder holding Logo.GIF and b.jpg
    QTest::addColumn<QString>("expected"); // file name found, "" for none
    QTest::newRow("exact") << "Logo.GIF" << "Logo.GIF";
    QTest::newRow("other letter case") << "logo.gif" << "Logo.GIF";
    QTest::newRow("wildcard") << "*.jpg" << "b.jpg";
    QTest::newRow("wildcard any case") << "LOGO.*" << "Logo.GIF";
    QTest::newRow("missing") << "none.gif" << "";
    QTest::newRow("empty") << "" << "";
}

void TestImageFile::findsStoredImages()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("Logo.GIF"), "g"));
    QVERIFY(WriteFileBytes(dir.filePath("b.jpg"), "j"));
    QString path = stored.isEmpty() ? QString() : dir.path() + "/" + stored;
    // Stored paths written on Windows use backslashes.
    if (QTest::currentDataTag() == QByteArray("other letter case"))
        path.replace('/', '\\');
    const QString found = FindImageFile(path);
    if (expected.isEmpty())
        QVERIFY(found.isEmpty());
    else
        QCOMPARE(found, dir.filePath(expected));
}

QTEST_APPLESS_MAIN(TestImageFile)
#include "tst_imagefile.moc"
