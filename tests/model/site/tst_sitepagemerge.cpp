#include "model/site/SitePageMerge.h"

#include <QtTest>

// A page record: the path and, standing for what an update records of it,
// the menu hash (a, b, ... tell records apart).
static CSitePage Page(const QString &path, const QByteArray &menu = "a")
{
    CSitePage page;
    page.strPath = path;
    page.nSize = 10;
    page.menuHash = menu;
    return page;
}

// Lists written as "x.html:a y.html:b": path and menu hash.
static CSitePageList List(const QString &text)
{
    CSitePageList pages;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(QLatin1Char(':'));
        pages.append(Page(parts[0], parts.value(1, QStringLiteral("a")).toLatin1()));
    }
    return pages;
}

class TestSitePageMerge : public QObject {
    Q_OBJECT
private slots:
    void merge_data();
    void merge();
};

void TestSitePageMerge::merge_data()
{
    QTest::addColumn<QString>("onFile");
    QTest::addColumn<QString>("here");
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("merged");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QStringList>("conflicts");

    const QStringList none;
    QTest::newRow("nothing changed") << "x.html y.html" << "x.html y.html" << "x.html y.html" << "x.html y.html"
                                     << none << none << none;
    QTest::newRow("added there, kept") << "x.html" << "x.html" << "x.html y.html:b" << "x.html y.html:b"
                                       << QStringList{"y.html"} << none << none;
    QTest::newRow("removed there, stays removed") << "x.html y.html" << "x.html y.html" << "x.html"
                                                  << "x.html" << none << QStringList{"y.html"} << none;
    QTest::newRow("added here, kept") << "x.html" << "x.html z.html" << "x.html" << "x.html z.html" << none
                                      << none << none;
    QTest::newRow("removed here, stays removed") << "x.html y.html" << "x.html" << "x.html y.html" << "x.html"
                                                 << none << none << none;
    QTest::newRow("both sides add and remove") << "x.html y.html" << "x.html z.html" << "y.html w.html"
                                               << "z.html w.html" << QStringList{"w.html"}
                                               << QStringList{"x.html"} << none;
    QTest::newRow("updated there: its new record") << "x.html:a" << "x.html:a" << "x.html:b" << "x.html:b"
                                                   << none << none << none;
    QTest::newRow("changed here only: this record") << "x.html:a" << "x.html:c" << "x.html:a" << "x.html:c"
                                                     << none << none << none;
    QTest::newRow("added on both sides: the file's record") << "" << "x.html:a" << "x.html:b" << "x.html:b"
                                                             << none << none << none;
    QTest::newRow("removed here, updated there") << "x.html:a y.html:a" << "x.html:a" << "x.html:a y.html:b"
                                                 << "x.html:a" << none << none
                                                 << QStringList{"y.html: removed here, updated by another program"};
    QTest::newRow("removed there, changed here") << "x.html:a y.html:a" << "x.html:a y.html:c" << "x.html:a"
                                                 << "x.html:a" << none << QStringList{"y.html"}
                                                 << QStringList{"y.html: removed by another program, changed here"};
    QTest::newRow("removed on both sides") << "x.html y.html" << "x.html" << "x.html" << "x.html" << none << none
                                           << none;
    QTest::newRow("nothing read before") << "" << "" << "x.html y.html" << "x.html y.html"
                                         << QStringList{"x.html", "y.html"} << none << none;
}

void TestSitePageMerge::merge()
{
    QFETCH(QString, onFile);
    QFETCH(QString, here);
    QFETCH(QString, now);
    QFETCH(QString, merged);
    QFETCH(QStringList, added);
    QFETCH(QStringList, removed);
    QFETCH(QStringList, conflicts);

    const CSitePageMerge m = MergeSitePages(List(onFile), List(here), List(now));
    QCOMPARE(m.pages, List(merged));
    QCOMPARE(m.added, added);
    QCOMPARE(m.removed, removed);
    QCOMPARE(m.conflicts, conflicts);
}

QTEST_APPLESS_MAIN(TestSitePageMerge)
#include "tst_sitepagemerge.moc"
