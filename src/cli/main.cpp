// vantrel-gen: the wizard's page generation and saving from the command line.

#include "cli/CliOutput.h"
#include "cli/ProjectInput.h"
#include "cli/SiteCommand.h"
#include "html/read/PageImport.h"
#include "model/config/AppletParameters.h"
#include "model/text/ControlCharacters.h"
#include "model/config/LookValues.h"
#include "model/text/PageLanguage.h"
#include "model/text/StringTable.h"
#include "render/CurrentItems.h"
#include "render/MenuRenderer.h"
#include "render/SmallMenuLayout.h"
#include "store/files/AtomicFile.h"
#include "store/project/ProjectFile.h"
#include "store/project/TemplateLibrary.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QImage>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kUsage[] =
    "Usage:\n"
    "  vantrel-gen html PROJECT.qdx            print the page text of a saved page's project\n"
    "  vantrel-gen html --template N           print the page text of template N\n"
    "  vantrel-gen save PROJECT.qdx PAGE.htm   save a page as the wizard's Finish does\n"
    "  vantrel-gen save --template N PAGE.htm  save template N as a page\n"
    "  vantrel-gen png PROJECT.qdx OUT.png     draw the menu as the page shows it\n"
    "  vantrel-gen png --template N OUT.png    draw template N's menu\n"
    "  vantrel-gen templates                   list the templates: number and description\n"
    "  vantrel-gen site PROJECT.qdx [PAGE...]  put the menu into your own pages (see below)\n"
    "  vantrel-gen site PROJECT.qdx --remove PAGE  take a page off the list, its menu out\n"
    "  vantrel-gen import PAGE.htm [PROJECT.qdx]  bring back a page's lost project\n"
    "\n"
    "Options:\n"
    "  --library FILE  read this template library instead of Vantrel.qdx in the\n"
    "                  program's folder\n"
    "  --open K        'png': show main item K's sub menu open (K from 0)\n"
    "  --width W       'png': draw the menu as a page W pixels wide shows it: a\n"
    "                  page narrower than the menu, or a phone's (under 600 px)\n"
    "                  where it is too small for a finger, shows its small-screen\n"
    "                  form (with --open K: the list opened, K's sub items\n"
    "                  shown, if it has any)\n"
    "  --current PAGE  'png': show the menu as it stands on PAGE: the items that\n"
    "                  link to PAGE and the main item whose sub menu holds one\n"
    "                  in their Mouse Click look (links are read from the\n"
    "                  project's folder)\n"
    "  --modern        'html', 'save': make a page that works in today's browsers\n"
    "  --classic       'html', 'save': make the applet page alone\n"
    "  --lang TAG      'html', 'save': the language a page for today's browsers\n"
    "                  declares, a tag such as en or en-GB\n"
    "  --description TEXT  'html', 'save': what a page for today's browsers is\n"
    "                  about, for search engines (empty: none)\n"
    "  --force         'import': replace PROJECT.qdx when it is there\n"
    "  -h, --help      show this help\n";

const char kHelp[] =
    "\n"
    "Templates are numbered from 0 in library order, as 'templates' lists them.\n"
    "A page made from a template has the title \"Untitled\" and is centred.\n"
    "\n"
    "'save' writes, into the folder of PAGE.htm: a copy of Glidebar.class from the\n"
    "program's folder, copies of the images the menu names, the page itself, and\n"
    "its project file (PAGE.qdx), from which the wizard can open the page again.\n"
    "Existing files are replaced; the page and the project file are replaced\n"
    "together, whole or not at all.\n"
    "\n"
    "A page follows its project's choice of \"Works in today's browsers\"; a page\n"
    "made from a template is a new menu and works in them. Such a page also lists\n"
    "the menu's links for visitors without scripts and loads glidebar.js, which\n"
    "draws the menu; 'save' copies glidebar.js from the program's folder beside\n"
    "the page, and fails when it cannot. --modern or --classic overrides the\n"
    "choice, and 'save' stores it in the project file: to bring a folder of old\n"
    "pages up to date, save each PAGE.qdx PAGE.htm again with --modern.\n"
    "A page for today's browsers declares its language: the project's, else (a\n"
    "template, a project saved before pages did) the system's; --lang and\n"
    "--description replace the project's, and 'save' stores them.\n"
    "\n"
    "An image that cannot be found is reported on standard error, and the page is\n"
    "made all the same.\n";

// After the part on 'site' (SiteCommand.h).
const char kImportHelp[] =
    "\n"
    "'import' reads the menu back from a page that carries it and writes it as a\n"
    "project file, for a page whose project file is lost: a page saved by the\n"
    "wizard or 'save' (the project goes beside it, PAGE.qdx), or one of your own\n"
    "pages with the menu block of 'site' (the project goes into the site folder,\n"
    "the folder the block's script is in, as menu.qdx or the first free menuN.qdx,\n"
    "and lists that page and every page there and below carrying the same menu).\n"
    "PROJECT.qdx names another place. A project file that is there is never\n"
    "replaced without --force. 'html', 'save', 'png' and 'site' then work on it.\n"
    "Pictures are taken from where the page finds them (beside it, or the site\n"
    "folder); a value that cannot be read keeps its default, and each such value,\n"
    "missing picture or link that runs code (left out) is told on standard error.\n";

const char kExitHelp[] =
    "\n"
    "Exit status:\n"
    "  0  success\n"
    "  1  'save': the page, its project file or glidebar.js could not be written;\n"
    "     \"Save as file failed!\" and the reason go to standard error.\n"
    "     'html': the page text could not be written to standard output.\n"
    "     'png': there is nothing to draw, the picture would be larger than\n"
    "     8192 pixels a side, or OUT.png could not be written.\n"
    "     'site': a page could not be read, has no place for the menu (or two\n"
    "     pairs of markers, or is UTF-16), has a menu changed since the last\n"
    "     update (without --force) or was changed while being saved, or a page or\n"
    "     the project file could not be written; nothing of the save is written.\n"
    "     With --dry-run: the real run would fail. With --remove: PAGE is not\n"
    "     listed or its menu cannot be taken out whole.\n"
    "     'import': PROJECT.qdx is there (without --force), or could not be\n"
    "     written; nothing is written.\n"
    "  2  bad arguments, or a project or library file that does not exist;\n"
    "     'import': a page that does not exist or carries no Glidebar menu\n";

// Ends output to stdout: 0, or the failure code with a message when any of it
// was lost (a full disk, a closed pipe).
int FinishOutput(bool bWritten)
{
    if (std::fflush(stdout) == 0 && bWritten && !std::ferror(stdout))
        return 0;
    std::fputs("vantrel-gen: the output could not be written\n", stderr);
    return kExitFailed;
}

void ReportToStderr(const QString &message)
{
    Print(stderr, message + QLatin1Char('\n'));
}

struct CArguments {
    QStringList positional;
    QString strLibrary;
    bool bHasTemplate = false;
    QString strTemplate;
    bool bHelp = false;
    bool bHasOpen = false;
    QString strOpen;
    bool bHasWidth = false;
    QString strWidth;
    bool bHasCurrent = false;
    QString strCurrent;
    int nModernPage = -1; // 1 --modern, 0 --classic, -1 the project's choice
    bool bHasLang = false;
    QString strLang;
    bool bHasDescription = false;
    QString strDescription;
    bool bForce = false;
};

// The name an option argument gives ("--library=x" and "-library" give
// "library").
QString OptionName(const QString &arg)
{
    const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.left(name.indexOf(QLatin1Char('=')));
}

// Splits the arguments into options and positional arguments; returns an
// error text, empty when they are well formed. An option may come anywhere,
// and its value after '=' or as the next argument; a single dash is a
// positional argument, and a double dash an unknown option.
QString ParseArguments(const QStringList &args, CArguments &out)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption optHelp({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption optLibrary(QStringLiteral("library"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption optTemplate(QStringLiteral("template"), QString(), QStringLiteral("N"));
    const QCommandLineOption optOpen(QStringLiteral("open"), QString(), QStringLiteral("K"));
    const QCommandLineOption optWidth(QStringLiteral("width"), QString(), QStringLiteral("W"));
    const QCommandLineOption optCurrent(QStringLiteral("current"), QString(), QStringLiteral("PAGE"));
    const QCommandLineOption optModern(QStringLiteral("modern"));
    const QCommandLineOption optClassic(QStringLiteral("classic"));
    const QCommandLineOption optLang(QStringLiteral("lang"), QString(), QStringLiteral("TAG"));
    const QCommandLineOption optDescription(QStringLiteral("description"), QString(), QStringLiteral("TEXT"));
    const QCommandLineOption optForce(QStringLiteral("force"));
    const QList<QCommandLineOption> withValue{optLibrary, optTemplate, optOpen,       optWidth,
                                              optCurrent, optLang,     optDescription};
    parser.addOptions({optHelp, optLibrary, optTemplate, optOpen, optWidth, optCurrent, optModern, optClassic,
                       optLang, optDescription, optForce});

    auto takesValue = [&](const QString &arg) {
        const QString name = OptionName(arg);
        return std::any_of(withValue.begin(), withValue.end(),
                           [&](const QCommandLineOption &o) { return o.names().contains(name); });
    };
    // A double dash that is no option's value ends what is parsed.
    int doubleDash = -1;
    for (int i = 1; i < args.size() && doubleDash < 0; ++i) {
        if (args.at(i) == QLatin1String("--"))
            doubleDash = i;
        else if (args.at(i).startsWith(QLatin1Char('-')) && takesValue(args.at(i))
                 && !args.at(i).contains(QLatin1Char('=')))
            ++i;
    }
    if (!parser.parse(doubleDash < 0 ? args : args.mid(0, doubleDash))) {
        // Name the argument at fault: an option we do not know, a value
        // option at the end, or a value given to an option that takes none.
        const QStringList unknown = parser.unknownOptionNames();
        for (int i = 1; i < args.size(); ++i) {
            const QString &arg = args.at(i);
            if (!arg.startsWith(QLatin1Char('-')) || arg.size() < 2)
                continue;
            const QString name = OptionName(arg);
            if (unknown.contains(name))
                return QStringLiteral("unknown option %1").arg(arg);
            if (takesValue(arg) && !arg.contains(QLatin1Char('='))) {
                if (i + 1 >= args.size())
                    return QStringLiteral("--%1 needs a value").arg(name);
                ++i; // the value, whatever it looks like
            } else if (!takesValue(arg) && arg.contains(QLatin1Char('='))) {
                return QStringLiteral("unknown option %1").arg(arg);
            }
        }
        return parser.errorText();
    }
    if (doubleDash >= 0)
        return QStringLiteral("unknown option --");

    out.positional = parser.positionalArguments();
    out.bHelp = parser.isSet(optHelp);
    if (parser.isSet(optLibrary)) {
        out.strLibrary = parser.value(optLibrary);
        if (out.strLibrary.isEmpty())
            return QStringLiteral("--library needs a file name");
    }
    out.bHasTemplate = parser.isSet(optTemplate);
    out.strTemplate = parser.value(optTemplate);
    out.bHasOpen = parser.isSet(optOpen);
    out.strOpen = parser.value(optOpen);
    out.bHasWidth = parser.isSet(optWidth);
    out.bHasCurrent = parser.isSet(optCurrent);
    out.strCurrent = parser.value(optCurrent);
    out.strWidth = parser.value(optWidth);
    if (parser.isSet(optModern) && parser.isSet(optClassic))
        return QStringLiteral("--modern and --classic exclude each other");
    if (parser.isSet(optModern) || parser.isSet(optClassic))
        out.nModernPage = parser.isSet(optModern) ? 1 : 0;
    out.bHasLang = parser.isSet(optLang);
    out.strLang = parser.value(optLang);
    if (out.bHasLang && !IsLanguageTag(out.strLang))
        return QStringLiteral("--lang needs a language tag such as en or en-GB, not \"%1\"").arg(out.strLang);
    out.bHasDescription = parser.isSet(optDescription);
    out.strDescription = parser.value(optDescription);
    if (FindControlCharacter(out.strDescription) >= 0)
        return QStringLiteral("--description cannot hold a control character (such as a line break)");
    out.bForce = parser.isSet(optForce);
    return QString();
}

// Fills params from a project file or a template, as the template page does.
// Returns 0, or the exit code after reporting the problem.
int LoadConfiguration(const CArguments &args, const QString &strLibrary, const QString &strProject,
                      CAppletParameters &params)
{
    if (args.bHasTemplate) {
        bool ok = false;
        const int n = args.strTemplate.toInt(&ok);
        const int count = static_cast<int>(ListTemplates(strLibrary).size());
        if (!ok || n < 0)
            return UsageError(QStringLiteral("--template needs a number from 0, not \"%1\"").arg(args.strTemplate));
        if (n >= count)
            return ContentError(QStringLiteral("there is no template %1: the library %2 has %3")
                                  .arg(n).arg(QDir::toNativeSeparators(strLibrary)).arg(count));
        params.LoadTemplate(n, strLibrary);
        return 0;
    }
    RecoverInterruptedSave(strProject);
    return ReadProjectFile(strProject, params);
}

// 'png': the picture of the menu at the applet's size, every item in its
// Normal style, optionally with one sub menu open.
int WritePicture(const CArguments &args, const CAppletParameters &params, const QString &strProject,
                 const QString &strOut)
{
    CRenderState state;
    if (args.bHasCurrent) {
        // The links are written relative to the project's folder.
        const QString folder = strProject.isEmpty() ? QDir::currentPath() : QFileInfo(strProject).absolutePath();
        state.current = CurrentItems(params, folder, args.strCurrent);
        if (state.current.isEmpty())
            return ContentError(QStringLiteral("no item of the menu links to %1").arg(args.strCurrent));
    }
    int open = -1;
    if (args.bHasOpen) {
        bool ok = false;
        open = args.strOpen.toInt(&ok);
        const int count = params.m_pMainMenu->GetCount();
        if (!ok || open < 0 || open >= count)
            return UsageError(QStringLiteral("--open needs a main item number from 0 to %1, not \"%2\"")
                                  .arg(count - 1).arg(args.strOpen));
    }
    int menuWidth = 0, pageWidth = 0;
    if (args.bHasWidth) {
        bool ok = false;
        const int w = args.strWidth.toInt(&ok);
        if (!ok || w <= 2 * CSmallMenuLayout::kPageMargin || w > CMenuRenderer::kMaxImageSide)
            return UsageError(QStringLiteral("--width needs a page width from %1 to %2 pixels, not \"%3\"")
                                  .arg(2 * CSmallMenuLayout::kPageMargin + 1)
                                  .arg(CMenuRenderer::kMaxImageSide)
                                  .arg(args.strWidth));
        pageWidth = w;
        menuWidth = CSmallMenuLayout::MenuWidth(w);
    }
    const bool small = args.bHasWidth && CMenuLayout::NeedsSmallForm(params, pageWidth);
    if (args.bHasOpen) {
        // The small-screen form opened at an item without a sub menu shows
        // its list alone.
        const bool hasSub = CMenuLayout(params).HasSubMenu(open);
        if (!hasSub && !small)
            return ContentError(QStringLiteral("main item %1 has no sub menu to open").arg(open));
        state.nOpenSubMenu = hasSub ? open : -1;
    }
    const QImage image =
        small ? CMenuRenderer().RenderSmallImage(
                    params, CSmallMenuLayout(params, menuWidth, args.bHasOpen, state.nOpenSubMenu), state.current)
              : CMenuRenderer().RenderImage(params, state, pageWidth);
    if (image.isNull()) {
        const QRect area = CMenuLayout(params).AppletRect();
        Print(stderr, QStringLiteral("vantrel-gen: no picture: the applet area is %1 x %2 pixels "
                                     "(a picture is 1 to %3 pixels a side)\n")
                          .arg(area.width()).arg(area.height()).arg(CMenuRenderer::kMaxImageSide));
        return kExitFailed;
    }
    if (ShowsPageFont(params))
        Print(stderr, QStringLiteral("vantrel-gen: note: the page's own font is drawn in System UI\n"));
    // Encoded first and written whole, so a failure never leaves half a file
    // in place of a good one.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!image.save(&buffer, "PNG") || !WriteFileAtomically(strOut, bytes, &error)) {
        Print(stderr, QStringLiteral("vantrel-gen: cannot write %1%2\n")
                          .arg(QDir::toNativeSeparators(strOut), error.isEmpty() ? QString() : QStringLiteral(": ") + error));
        return kExitFailed;
    }
    return 0;
}

// True when both paths name the same folder.
bool SameFolder(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

// 'import': the menu read from PAGE.htm written as a project file.
int RunImport(const CArguments &args, const QString &strAppDir)
{
    if (args.bHasTemplate || args.bHasOpen || args.bHasWidth || args.bHasCurrent || args.nModernPage >= 0
        || args.bHasLang || args.bHasDescription || !args.strLibrary.isEmpty())
        return UsageError(QStringLiteral("'import' takes PAGE.htm [PROJECT.qdx] and no option but --force"));
    if (args.positional.isEmpty() || args.positional.size() > 2)
        return UsageError(QStringLiteral("'import' takes PAGE.htm [PROJECT.qdx]"));
    const QString page = args.positional.at(0);
    const QString given = args.positional.value(1);
    if (page.isEmpty())
        return UsageError(QStringLiteral("the page needs a file name"));
    if (args.positional.size() == 2 && !given.endsWith(QLatin1String(".qdx"), Qt::CaseInsensitive))
        return UsageError(QStringLiteral("the project file needs a name ending in .qdx, not \"%1\"").arg(given));
    const QString shownPage = QDir::toNativeSeparators(page);
    if (!QFileInfo::exists(page))
        return ContentError(QStringLiteral("no such page: %1").arg(shownPage));

    CAppletParameters params;
    CPageImport import;
    QString error;
    if (!ImportPage(page, params, &import, &error))
        return ContentError(QStringLiteral("cannot read the page %1").arg(error));
    if (import.read.found == CPageRead::EFound::Nothing)
        return ContentError(QStringLiteral("%1 carries no Glidebar menu (no applet of %2), so there is no menu to read")
                                .arg(shownPage, LoadString(StringId::AppletClass)));

    const QString project = given.isEmpty() ? import.strProjectPath : QFileInfo(given).absoluteFilePath();
    const QString shownProject = QDir::toNativeSeparators(project);
    QStringList notes = import.read.notes;
    // Site pages are named from the project's folder: only a project in the
    // site folder can list them.
    if (import.read.found == CPageRead::EFound::SitePage
        && !SameFolder(QFileInfo(project).absolutePath(), import.read.strSiteFolder)) {
        params.m_SitePages.clear();
        notes.append(QStringLiteral("%1 is not in the site folder %2, so it lists no site pages")
                         .arg(shownProject, QDir::toNativeSeparators(import.read.strSiteFolder)));
    }
    const QFileInfo there(project);
    if (!args.bForce && (there.exists() || there.isSymLink())) {
        Print(stderr, QStringLiteral("vantrel-gen: %1 is there already; nothing was written (run again with --force "
                                     "to replace it)\n")
                          .arg(shownProject));
        return kExitFailed;
    }
    if (!SaveProjectFile(project, params, strAppDir, args.bForce, &error)) {
        Print(stderr, QStringLiteral("vantrel-gen: the project file was not written: %1\n").arg(error));
        return kExitFailed;
    }
    for (const QString &note : notes)
        ReportToStderr(note);
    QString said = QStringLiteral("Read the menu of %1 into %2.").arg(shownPage, shownProject);
    const qsizetype sitePages = params.m_SitePages.size();
    if (sitePages > 0)
        said += sitePages == 1 ? QStringLiteral(" It lists 1 site page.")
                               : QStringLiteral(" It lists %1 site pages.").arg(sitePages);
    return FinishOutput(Print(stdout, said + QLatin1Char('\n')));
}

// Drawing needs fonts, so 'png' runs a GUI application; it needs no display.
bool WantsPicture(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "png") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    std::unique_ptr<QTemporaryDir> runtimeDir; // made 0700, removed after the application
    std::unique_ptr<QCoreApplication> application;
    if (WantsPicture(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Drawing asks Qt for a per-user runtime folder; where none is set
        // (cron, CI, containers) a private one of this run's serves, rather
        // than a warning on every run.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtimeDir = std::make_unique<QTemporaryDir>();
            if (runtimeDir->isValid())
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir->path()));
        }
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
#ifdef Q_OS_WIN
    // The page text goes out byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
#endif

    // 'site' takes options of its own.
    if (IsSiteCommand(QCoreApplication::arguments()))
        return RunSiteCommand(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());

    CArguments args;
    const QString error = ParseArguments(QCoreApplication::arguments(), args);
    if (!error.isEmpty())
        return UsageError(error);
    if (args.bHelp) {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        std::fputs(kSiteHelp, stdout);
        std::fputs(kImportHelp, stdout);
        std::fputs(kExitHelp, stdout);
        return 0;
    }
    if (args.positional.isEmpty())
        return UsageError(QStringLiteral("no command given"));

    const QString appDir = QCoreApplication::applicationDirPath();
    if (args.positional.constFirst() == QLatin1String("import")) {
        args.positional.removeFirst();
        return RunImport(args, appDir);
    }
    if (args.bForce)
        return UsageError(QStringLiteral("--force is only for 'import' and 'site'"));
    QString library = args.strLibrary;
    if (library.isEmpty()) {
        // Like the wizard: a missing library offers the one template "Blank".
        library = QDir(appDir).filePath(LoadString(StringId::TemplateLibrary));
    } else if (!QFileInfo(library).isFile()) {
        return ContentError(QStringLiteral("no such library file: %1").arg(QDir::toNativeSeparators(library)));
    }

    const QString command = args.positional.takeFirst();
    if (command == QLatin1String("templates")) {
        if (!args.positional.isEmpty() || args.bHasTemplate || args.bHasOpen || args.bHasWidth
            || args.bHasCurrent || args.nModernPage >= 0 || args.bHasLang || args.bHasDescription)
            return UsageError(QStringLiteral("'templates' takes no further arguments"));
        // Each line starts with the number --template takes.
        bool written = true;
        int n = 0;
        for (const QString &description : ListTemplates(library))
            written = Print(stdout, QStringLiteral("%1  %2\n").arg(n++).arg(description)) && written;
        return FinishOutput(written);
    }

    const bool save = command == QLatin1String("save");
    const bool png = command == QLatin1String("png");
    if (!save && !png && command != QLatin1String("html"))
        return UsageError(QStringLiteral("unknown command %1").arg(command));
    if (args.bHasOpen && !png)
        return UsageError(QStringLiteral("--open is only for 'png'"));
    if (args.bHasWidth && !png)
        return UsageError(QStringLiteral("--width is only for 'png'"));
    if (args.bHasCurrent && !png)
        return UsageError(QStringLiteral("--current is only for 'png'"));
    if (args.nModernPage >= 0 && png)
        return UsageError(QStringLiteral("--modern and --classic are only for 'html' and 'save'"));
    if ((args.bHasLang || args.bHasDescription) && png)
        return UsageError(QStringLiteral("--lang and --description are only for 'html' and 'save'"));
    const int wanted = (save || png ? 2 : 1) - (args.bHasTemplate ? 1 : 0);
    if (args.positional.size() != wanted) {
        if (png)
            return UsageError(args.bHasTemplate ? QStringLiteral("'png --template N' takes OUT.png")
                                                : QStringLiteral("'png' takes PROJECT.qdx OUT.png"));
        return UsageError(args.bHasTemplate
                              ? QStringLiteral("'%1 --template N' takes %2").arg(command, save ? "PAGE.htm" : "nothing more")
                              : QStringLiteral("'%1' takes %2").arg(command, save ? "PROJECT.qdx PAGE.htm" : "PROJECT.qdx"));
    }

    CAppletParameters params;
    const QString project = args.bHasTemplate ? QString() : args.positional.takeFirst();
    if (const int code = LoadConfiguration(args, library, project, params))
        return code;
    if (png)
        return WritePicture(args, params, project, args.positional.takeFirst());
    if (args.nModernPage >= 0)
        params.m_ModernPage = args.nModernPage;
    if (args.bHasLang)
        params.m_PageLang = args.strLang;
    if (args.bHasDescription)
        params.m_PageDescription = args.strDescription;

    // The page as the bytes printed and saved, encoded once.
    const QByteArray html = params.GenerateHTMLBytes(ReportToStderr);
    if (!save) {
        return FinishOutput(Print(stdout, html));
    }

    const QString page = args.positional.takeFirst();
    if (page.isEmpty())
        return UsageError(QStringLiteral("the page needs a file name"));
    QString reason;
    const QString folder = QFileInfo(page).path();
    if (!SavePageBytes(page, folder, params, html, appDir, &reason)) {
        std::fputs("Save as file failed!\n", stderr);
        Print(stderr, reason + QLatin1Char('\n'));
        return kExitFailed;
    }
    return 0;
}
