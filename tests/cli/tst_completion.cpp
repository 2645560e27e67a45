#include "ProgramRun.h"
#include "TestFiles.h"
#include "store/project/TemplateLibrary.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

// The bash completion of vantrel-gen, run by bash as it runs it after a Tab:
// the words of the line in COMP_WORDS (cut at "=" as bash cuts them), the
// one being completed in COMP_CWORD, the answers read from COMPREPLY.
class TestCompletion : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void completes_data();
    void completes();

private:
    QTemporaryDir m_dir;
};

namespace {

// A library of its own for --library: two templates.
const QByteArray kLibrary = "[TEMPLATE]\r\nTemplateKey=One,Two\r\n[One]\r\nDescription=First\r\n"
                            "[Two]\r\nDescription=Second\r\n";

// The answers to the line, sorted; the line's last word is the one being
// completed (a line ending in a blank completes an empty word).
QStringList Complete(const QString &folder, const QString &line)
{
    QStringList words = line.split(QLatin1Char(' '));
    QString script = QStringLiteral("source \"$1\"; COMP_WORDS=(");
    for (qsizetype i = 0; i < words.size(); ++i)
        script += QStringLiteral(" \"${%1}\"").arg(i + 2);
    script += QStringLiteral(" ); COMP_CWORD=%1; _vantrel_gen; printf '%s\\n' \"${COMPREPLY[@]}\"").arg(words.size() - 1);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // "vantrel-gen" is the one just built.
    env.insert(QStringLiteral("PATH"), QStringLiteral(VANTREL_BIN_DIR ":") + env.value(QStringLiteral("PATH")));
    const CRun run = RunProgram(QStringLiteral("bash"),
                                QStringList{QStringLiteral("-c"), script, QStringLiteral("bash"),
                                            QStringLiteral(VANTREL_SOURCE_DIR "/res/bash-completion/vantrel-gen")}
                                    + words,
                                folder, env);
    if (run.exitCode != 0)
        return {QStringLiteral("(bash failed: %1)").arg(QString::fromUtf8(run.err))};
    QStringList answers = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    answers.sort();
    return answers;
}

} // namespace

void TestCompletion::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QDir dir(m_dir.path());
    for (const char *name : {"menu.qdx", "OLD.QDX", "menu.htm", "index.html", "picture.png", "notes.txt"})
        QVERIFY(WriteFileBytes(dir.filePath(QLatin1String(name)), "x"));
    QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("lib/two.qdx")), kLibrary));
}

void TestCompletion::completes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("answers");

    const QStringList qdx{"OLD.QDX", "lib", "menu.qdx"};
    const QStringList pages{"index.html", "lib", "menu.htm"};
    QTest::newRow("commands") << "vantrel-gen " << QStringList{"html", "import", "png", "save", "site", "templates"};
    QTest::newRow("a command begun") << "vantrel-gen s" << QStringList{"save", "site"};
    QTest::newRow("options of no command") << "vantrel-gen --c"
                                           << QStringList{"--classic", "--current"};
    QTest::newRow("options of site") << "vantrel-gen site menu.qdx --" << QStringList{"--dry-run", "--force", "--remove"};
    QTest::newRow("options of png") << "vantrel-gen png menu.qdx out.png --"
                                    << QStringList{"--current", "--library", "--open", "--template", "--width"};
    QTest::newRow("options of import") << "vantrel-gen import menu.htm -" << QStringList{"--force"};
    QTest::newRow("options of html") << "vantrel-gen html menu.qdx --"
                                     << QStringList{"--classic", "--description", "--lang", "--library",
                                                    "--modern", "--template"};

    // The numbers of the library beside the program, as it lists them.
    const qsizetype count = ListTemplates(QStringLiteral(VANTREL_BIN_DIR "/Vantrel.qdx")).size();
    QVERIFY2(count > 1, "the library beside vantrel-gen was not found");
    QStringList all, fromOne;
    for (qsizetype i = 0; i < count; ++i) {
        all << QString::number(i);
        if (all.constLast().startsWith(QLatin1Char('1')))
            fromOne << all.constLast();
    }
    all.sort();
    QTest::newRow("templates of the library") << "vantrel-gen save --template " << all;
    QTest::newRow("after --template=") << "vantrel-gen html --template = " << all;
    QTest::newRow("templates begun") << "vantrel-gen png --template 1" << fromOne;
    QTest::newRow("templates of --library") << "vantrel-gen --library lib/two.qdx html --template "
                                            << QStringList{"0", "1"};
    QTest::newRow("templates of --library=") << "vantrel-gen html --library = lib/two.qdx --template "
                                             << QStringList{"0", "1"};
    QTest::newRow("no template of a missing library") << "vantrel-gen --library nothing.qdx html --template "
                                                      << QStringList();

    // Files by what the command takes where the cursor is.
    QTest::newRow("html: a project") << "vantrel-gen html " << qdx;
    QTest::newRow("save: a project") << "vantrel-gen save " << qdx;
    QTest::newRow("save: then a page") << "vantrel-gen save menu.qdx " << pages;
    QTest::newRow("save --template: a page") << "vantrel-gen save --template 3 " << pages;
    QTest::newRow("save: nothing more") << "vantrel-gen save menu.qdx menu.htm " << QStringList();
    QTest::newRow("png: then a picture") << "vantrel-gen png menu.qdx " << QStringList{"lib", "picture.png"};
    QTest::newRow("png --open K: then a picture") << "vantrel-gen png --open 1 menu.qdx " << QStringList{"lib", "picture.png"};
    QTest::newRow("site: pages after the project") << "vantrel-gen site menu.qdx index.html " << pages;
    QTest::newRow("site --remove: a page") << "vantrel-gen site menu.qdx --remove " << pages;
    QTest::newRow("import: a page") << "vantrel-gen import " << pages;
    QTest::newRow("import: then a project") << "vantrel-gen import menu.htm " << qdx;
    QTest::newRow("--library: a library") << "vantrel-gen --library " << qdx;
    QTest::newRow("--current: a page") << "vantrel-gen png menu.qdx o.png --current m" << QStringList{"menu.htm"};
    QTest::newRow("--width: a number") << "vantrel-gen png menu.qdx o.png --width " << QStringList();
    QTest::newRow("--lang: a tag") << "vantrel-gen save menu.qdx --lang " << QStringList();
    QTest::newRow("a page after --description TEXT")
        << "vantrel-gen save menu.qdx --description About " << pages;
    QTest::newRow("templates: nothing") << "vantrel-gen templates " << QStringList();
}

void TestCompletion::completes()
{
    QFETCH(QString, line);
    QFETCH(QStringList, answers);
    QCOMPARE(Complete(m_dir.path(), line), answers);
}

QTEST_MAIN(TestCompletion)
#include "tst_completion.moc"
