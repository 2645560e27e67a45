#include "ProgramRun.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The manual pages tell what the programs' --help tells: the same commands,
// options and exit codes, each given an entry of its own on the page; and
// man reads them without a warning.
class TestManPage : public QObject {
    Q_OBJECT
private slots:
    void manualPageFollowsHelp_data();
    void manualPageFollowsHelp();
    void manReadsThePageCleanly_data();
    void manReadsThePageCleanly();
};

namespace {

// What a program's help or manual page names.
struct CNamed {
    QSet<QString> commands;
    QSet<QString> options;
    QSet<QString> exitCodes;
};

// An option as written: "-h", "--dry-run" (a dash inside a word is none).
const QRegularExpression kOption(QStringLiteral("(?<![\\w-])(--[a-z][a-z-]*[a-z]|-[a-z])(?![\\w-])"));

QSet<QString> OptionsIn(const QString &text)
{
    QSet<QString> found;
    for (const QRegularExpressionMatch &m : kOption.globalMatch(text))
        found.insert(m.captured(1));
    return found;
}

// The help: command lines "  vantrel-gen NAME ...", options anywhere, and
// the codes listed under "Exit status:" (or given on its line).
CNamed ReadHelp(const QString &program, const QString &help)
{
    CNamed named;
    named.options = OptionsIn(help);
    const QRegularExpression commandLine(QStringLiteral("^\\s+%1 ([a-z]+)").arg(QRegularExpression::escape(program)));
    bool exitPart = false;
    for (const QString &line : help.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch command = commandLine.match(line);
        if (command.hasMatch())
            named.commands.insert(command.captured(1));
        if (line.startsWith(QLatin1String("Exit status:"))) {
            exitPart = true;
            for (const QRegularExpressionMatch &m : QRegularExpression(QStringLiteral("\\b(\\d+)\\b")).globalMatch(line))
                named.exitCodes.insert(m.captured(1));
            continue;
        }
        const QRegularExpressionMatch code = QRegularExpression(QStringLiteral("^  (\\d+)  ")).match(line);
        if (exitPart && code.hasMatch())
            named.exitCodes.insert(code.captured(1));
    }
    return named;
}

// The text of a line of the page, its font changes and escapes taken out.
QString PlainText(QString line)
{
    static const QRegularExpression macro(QStringLiteral("^\\.[A-Z]{1,2}\\s*"));
    static const QRegularExpression font(QStringLiteral("\\\\f(\\[[^\\]]*\\]|\\(..|.)"));
    line.remove(macro);
    line.remove(font);
    line.replace(QLatin1String("\\-"), QLatin1String("-"));
    line.remove(QLatin1String("\\&"));
    line.remove(QLatin1String("\\%"));
    line.remove(QLatin1Char('"'));
    return line;
}

// The page: the entries (the tag lines after .TP or .TQ) of the sections
// COMMANDS, OPTIONS and EXIT STATUS. Prose elsewhere counts for nothing.
CNamed ReadManPage(const QString &page)
{
    CNamed named;
    QString section;
    bool tagNext = false;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String(".SH "))) {
            section = PlainText(line).trimmed();
            continue;
        }
        if (line == QLatin1String(".TP") || line == QLatin1String(".TQ")) {
            tagNext = true;
            continue;
        }
        if (!tagNext)
            continue;
        tagNext = false;
        const QString tag = PlainText(line).trimmed();
        if (section == QLatin1String("COMMANDS"))
            named.commands.insert(tag.section(QLatin1Char(' '), 0, 0));
        else if (section == QLatin1String("OPTIONS"))
            named.options.unite(OptionsIn(tag));
        else if (section == QLatin1String("EXIT STATUS"))
            named.exitCodes.insert(tag);
    }
    return named;
}

QString Listed(QSet<QString> set)
{
    QStringList list = set.values();
    list.sort();
    return list.join(QLatin1Char(' '));
}

QString ManPagePath(const QString &name)
{
    return QStringLiteral(VANTREL_SOURCE_DIR "/res/man/%1.1").arg(name);
}

} // namespace

void TestManPage::manualPageFollowsHelp_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("name"); // as typed, and the manual page's name
    // Commands the manual page tells before --help does, so that they are
    // documented the day they land; once --help has one, it leaves this list.
    QTest::addColumn<QStringList>("ahead");
    QTest::newRow("vantrel-gen") << QStringLiteral("vantrel-gen") << QStringLiteral("vantrel-gen")
                                 << QStringList{QStringLiteral("import")};
    QTest::newRow("vantrel") << QStringLiteral("Vantrel") << QStringLiteral("vantrel") << QStringList();
}

void TestManPage::manualPageFollowsHelp()
{
    QFETCH(QString, executable);
    QFETCH(QString, name);
    QFETCH(QStringList, ahead);

    const CRun run = RunProgram(QStringLiteral(VANTREL_BIN_DIR "/") + executable, {QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    const CNamed help = ReadHelp(name, QString::fromUtf8(run.out));
    QFile file(ManPagePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    CNamed man = ReadManPage(QString::fromUtf8(file.readAll()));

    for (const QString &command : ahead) {
        QVERIFY2(!help.commands.contains(command),
                 qPrintable(QStringLiteral("--help now tells '%1': take it off the list of commands ahead").arg(command)));
        QVERIFY2(man.commands.remove(command), qPrintable(command));
    }
    QVERIFY(!help.options.isEmpty());
    QVERIFY(!help.exitCodes.isEmpty());
    const auto compare = [](const char *what, const QSet<QString> &inHelp, const QSet<QString> &inMan) {
        return QStringLiteral("%1 in --help only: [%2]; in the manual page only: [%3]")
            .arg(QLatin1String(what), Listed(inHelp - inMan), Listed(inMan - inHelp));
    };
    QVERIFY2(help.commands == man.commands, qPrintable(compare("commands", help.commands, man.commands)));
    QVERIFY2(help.options == man.options, qPrintable(compare("options", help.options, man.options)));
    QVERIFY2(help.exitCodes == man.exitCodes, qPrintable(compare("exit codes", help.exitCodes, man.exitCodes)));
}

void TestManPage::manReadsThePageCleanly_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("vantrel") << QStringLiteral("vantrel");
    QTest::newRow("vantrel-gen") << QStringLiteral("vantrel-gen");
}

void TestManPage::manReadsThePageCleanly()
{
    QFETCH(QString, name);
    // As Debian's checks read a manual page: every warning of groff shown.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("MANROFFSEQ"), QString());
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    const CRun run = RunProgram(QStringLiteral("man"),
                                {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                                 QStringLiteral("-l"), QStringLiteral("-Tutf8"), QStringLiteral("-Z"), ManPagePath(name)},
                                QString(), env);
    QVERIFY2(run.exitCode == 0, "man (man-db) did not run");
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QVERIFY(run.out.contains("SYNOPSIS"));
}

QTEST_MAIN(TestManPage)
#include "tst_manpage.moc"
