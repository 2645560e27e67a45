#include "store/site/MarkupScanner.h"

#include <QtTest>

namespace {

// The pieces the scanner hands over, one per '|': T text, S start tag, E end
// tag, C comment, X CDATA, D declaration, R raw text; tags as name, '/'
// when self-closing, [attr=value,...]; the rest with what they hold.
QByteArray Pieces(const QByteArray &page)
{
    QByteArrayList pieces;
    CMarkupScanner scan(page);
    qsizetype last = 0;
    while (scan.Next()) {
        // Pieces follow each other without gaps or overlaps.
        if (scan.Start() < last)
            return "overlap at " + QByteArray::number(scan.Start());
        last = scan.End();
        QByteArray piece;
        switch (scan.Kind()) {
        case CMarkupScanner::Text:
            piece = "T:" + scan.Inner().toByteArray();
            break;
        case CMarkupScanner::StartTag:
        case CMarkupScanner::EndTag: {
            piece = (scan.Kind() == CMarkupScanner::StartTag ? "S:" : "E:") + scan.Name();
            if (scan.SelfClosing())
                piece += '/';
            QByteArrayList attributes;
            for (const CMarkupScanner::CAttribute &a : scan.Attributes()) {
                QByteArray text = page.mid(a.nNameStart, a.nNameEnd - a.nNameStart);
                if (a.bHasValue)
                    text += '=' + page.mid(a.nValueStart, a.nValueEnd - a.nValueStart);
                attributes.append(text);
            }
            if (!attributes.isEmpty())
                piece += '[' + attributes.join(',') + ']';
            break;
        }
        case CMarkupScanner::Comment:
            piece = "C:" + scan.Inner().toByteArray();
            break;
        case CMarkupScanner::CData:
            piece = "X:" + scan.Inner().toByteArray();
            break;
        case CMarkupScanner::Declaration:
            piece = "D:" + scan.Inner().toByteArray();
            break;
        case CMarkupScanner::RawText:
            piece = "R:" + scan.Name() + ':' + scan.Inner().toByteArray();
            break;
        }
        pieces.append(piece);
    }
    return pieces.join('|');
}

} // namespace

class TestMarkupScanner : public QObject {
    Q_OBJECT
private slots:
    void pieces_data();
    void pieces();
    void attributeLookup();
};

void TestMarkupScanner::pieces_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("pieces");

    QTest::newRow("text and tags") << QByteArray("<P Class=\"a\">x</p>") << QByteArray("S:p[Class=a]|T:x|E:p");
    QTest::newRow("attribute forms")
        << QByteArray("<a href=x.html target='_top' hidden data-v = \"a>b\" title=\"<!-- m -->\">")
        << QByteArray("S:a[href=x.html,target=_top,hidden,data-v=a>b,title=<!-- m -->]");
    QTest::newRow("self-closing") << QByteArray("<br/><img src=a.png />") << QByteArray("S:br/|S:img/[src=a.png]");
    QTest::newRow("quote in a name, '=' first") << QByteArray("<p \"x\"=1 =y>") << QByteArray("S:p[\"x\"=1,=y]");
    QTest::newRow("end tag attributes") << QByteArray("</div class='a>b'>") << QByteArray("E:div[class=a>b]");
    QTest::newRow("a '<' that starts nothing") << QByteArray("a < b <3 </") << QByteArray("T:a < b <3 </");
    QTest::newRow("comment holding a tag") << QByteArray("<!-- <body> -->x") << QByteArray("C: <body> |T:x");
    QTest::newRow("comment inside a comment")
        << QByteArray("<!-- a <!-- m --> b -->") << QByteArray("C: a <!-- m |T: b -->");
    QTest::newRow("empty comments") << QByteArray("<!---->1<!-->2<!--->3") << QByteArray("C:|T:1|C:|T:2|C:|T:3");
    QTest::newRow("comment closed by --!>") << QByteArray("<!-- a --!>b") << QByteArray("C: a |T:b");
    QTest::newRow("comment to the end") << QByteArray("<p><!-- open <body>") << QByteArray("S:p|C: open <body>");
    QTest::newRow("dashes before the close") << QByteArray("<!-- a --->") << QByteArray("C: a -");
    QTest::newRow("CDATA") << QByteArray("<![CDATA[<!-- m --><body>]]>x") << QByteArray("X:<!-- m --><body>|T:x");
    QTest::newRow("CDATA to the end") << QByteArray("<![CDATA[<body>") << QByteArray("X:<body>");
    QTest::newRow("doctype") << QByteArray("<!DOCTYPE html>\n") << QByteArray("D:DOCTYPE html|T:\n");
    QTest::newRow("processing instruction") << QByteArray("<?xml v=\"1\"?><a>")
                                            << QByteArray("D:xml v=\"1\"?|S:a");
    QTest::newRow("bogus end tags") << QByteArray("</>x</ <!-- m -->") << QByteArray("D:|T:x|D: <!-- m --");
    QTest::newRow("unclosed tag is dropped") << QByteArray("<p>x<a href=\"y>") << QByteArray("S:p|T:x");
    QTest::newRow("unclosed tag at the end") << QByteArray("<p>x<div") << QByteArray("S:p|T:x");

    // Raw-text elements: nothing inside is markup, up to their own end tag
    // in any letter case, followed by a blank, '/' or '>'.
    for (const char *name : {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"}) {
        const QByteArray n(name);
        const QByteArray inner = "a=\"<!-- m -->\"<body></" + n + "x><![CDATA[";
        QTest::newRow(name) << "<" + n.toUpper() + " id=1>" + inner + "</" + n + " ><p>"
                            << "S:" + n + "[id=1]|R:" + n + ":" + inner + "|E:" + n + "|S:p";
    }
    QTest::newRow("empty script") << QByteArray("<script></script>") << QByteArray("S:script|E:script");
    QTest::newRow("self-closing script still holds text")
        << QByteArray("<script/><body></script>") << QByteArray("S:script/|R:script:<body>|E:script");
    QTest::newRow("script to the end") << QByteArray("<script>if (a<b) x") << QByteArray("S:script|R:script:if (a<b) x");
    QTest::newRow("script's escaped text")
        << QByteArray("<script><!--<script>x</script>--></script><b>")
        << QByteArray("S:script|R:script:<!--<script>x</script>-->|E:script|S:b");
    QTest::newRow("script's escaped text closed by its end tag")
        << QByteArray("<script><!-- x </script><b>") << QByteArray("S:script|R:script:<!-- x |E:script|S:b");
    QTest::newRow("script's <!--> closes at once")
        << QByteArray("<script><!--><script></script><b>")
        << QByteArray("S:script|R:script:<!--><script>|E:script|S:b");
    QTest::newRow("plaintext to the end")
        << QByteArray("<plaintext></plaintext><body>") << QByteArray("S:plaintext|R:plaintext:</plaintext><body>");
}

void TestMarkupScanner::pieces()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, pieces);
    QCOMPARE(Pieces(page), pieces);
}

void TestMarkupScanner::attributeLookup()
{
    const QByteArray page("<META Name=' viewport ' CONTENT=\"w\" name=second empty=''>");
    CMarkupScanner scan(page);
    QVERIFY(scan.Next());
    bool found = false;
    QCOMPARE(scan.Attribute("name", &found).toByteArray(), QByteArray(" viewport "));
    QVERIFY(found);
    QCOMPARE(scan.Attribute("content").toByteArray(), QByteArray("w"));
    QVERIFY(scan.Attribute("empty", &found).isEmpty());
    QVERIFY(found);
    QVERIFY(scan.Attribute("charset", &found).isEmpty());
    QVERIFY(!found);
    QVERIFY(!scan.Next());

    // A tag with very many attributes keeps its first ones and is read to
    // its end all the same.
    QByteArray many = "<p";
    for (int i = 0; i < 1000; ++i)
        many += " a" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\"";
    many += "><b>";
    CMarkupScanner manyScan(many);
    QVERIFY(manyScan.Next());
    QCOMPARE(manyScan.Attributes().size(), CMarkupScanner::kMaxAttributes);
    QCOMPARE(manyScan.Attribute("a255").toByteArray(), QByteArray("255"));
    QVERIFY(manyScan.Next());
    QCOMPARE(manyScan.Name(), QByteArray("b"));
}

QTEST_APPLESS_MAIN(TestMarkupScanner)
#include "tst_markupscanner.moc"
