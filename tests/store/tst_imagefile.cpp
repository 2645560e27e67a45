#include "TestFiles.h"
#include "store/ImageFile.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestImageFile : public QObject {
    Q_OBJECT
private slots:
    void findsStoredImages_data();
    void findsStoredImages();
};

void TestImageFile::findsStoredImages_data()
{
    QTest::addColumn<QString>("stored");  // relative to a folder holding the files made below
    QTest::addColumn<QString>("expected"); // file name found, "" for none
    QTest::newRow("exact") << "Logo.GIF" << "Logo.GIF";
    QTest::newRow("other letter case") << "logo.gif" << "Logo.GIF";
    QTest::newRow("wildcard") << "*.jpg" << "b.jpg";
    QTest::newRow("wildcard any case") << "LOGO.*" << "Logo.GIF";
    QTest::newRow("one-letter wildcard") << "?.jpg" << "b.jpg";
    // Brackets are part of the name, not a set of letters.
    QTest::newRow("bracket") << "img[1].gif" << "img[1].gif";
    QTest::newRow("bracket any case") << "IMG[1].GIF" << "img[1].gif";
    QTest::newRow("bracket and wildcard") << "*[1].*" << "img[1].gif";
    QTest::newRow("bracket not a set") << "img1.gif" << "";
    // Other characters are themselves too, also beside a wildcard.
    QTest::newRow("plus and parenthesis") << "a+b*" << "a+b (1).png";
    QTest::newRow("plus is not repetition") << "aa+b*" << "";
    // A name the applet would cut at its comma is no match.
    QTest::newRow("comma in the found name") << "we*.png" << "";
#ifdef Q_OS_UNIX
    // Nor is anything but a regular file: reading a pipe never ends.
    QTest::newRow("pipe by name") << "pipe.gif" << "";
    QTest::newRow("pipe by wildcard") << "pip*" << "";
#endif
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
    QVERIFY(WriteFileBytes(dir.filePath("img[1].gif"), "i"));
    QVERIFY(WriteFileBytes(dir.filePath("a+b (1).png"), "p"));
    QVERIFY(WriteFileBytes(dir.filePath("aab.png"), "p"));
    QVERIFY(WriteFileBytes(dir.filePath("we ird,name.png"), "p"));
#ifdef Q_OS_UNIX
    QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.gif")).constData(), 0600) == 0);
#endif
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
