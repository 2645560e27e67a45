#include "app/StartArguments.h"

#include <QDir>
#include <QtTest>

// The wizard's command line: `vantrel [FILE]`, help and version.
class TestStartArguments : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
};

void TestStartArguments::parses_data()
{
    QTest::addColumn<QStringList>("args"); // after the program's name
    QTest::addColumn<QString>("file");     // "" none; relative to the current folder
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");

    QTest::newRow("nothing") << QStringList() << "" << "" << false << false;
    QTest::newRow("a page, made absolute") << QStringList{"site/menu.htm"} << "site/menu.htm" << "" << false << false;
    QTest::newRow("an absolute project") << QStringList{"/srv/site/menu.qdx"} << "/srv/site/menu.qdx" << "" << false
                                         << false;
    QTest::newRow("a file named like an option, after --") << QStringList{"--", "-menu.htm"} << "-menu.htm" << ""
                                                           << false << false;
    QTest::newRow("an unknown option") << QStringList{"--open", "menu.htm"} << "" << "unknown option --open" << false
                                       << false;
    QTest::newRow("two files") << QStringList{"a.htm", "b.htm"} << "" << "one file at most, not 2" << false << false;
    QTest::newRow("help") << QStringList{"--help"} << "" << "" << true << false;
    // Asked for before Qt has taken its own options.
    QTest::newRow("help among Qt's options") << QStringList{"-platform", "offscreen", "-h"} << ""
                                             << "unknown option -platform" << true << false;
    QTest::newRow("version") << QStringList{"-v"} << "" << "" << false << true;
}

void TestStartArguments::parses()
{
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(bool, help);
    QFETCH(bool, version);
    const CStartArguments parsed = ParseStartArguments(QStringList{QStringLiteral("vantrel")} + args);
    QCOMPARE(parsed.strFile, file.isEmpty() ? QString() : QDir::current().absoluteFilePath(file));
    QCOMPARE(parsed.strError, error);
    QCOMPARE(parsed.bHelp, help);
    QCOMPARE(parsed.bVersion, version);
}

QTEST_MAIN(TestStartArguments)
#include "tst_startarguments.moc"
