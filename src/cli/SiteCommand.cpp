#include "cli/SiteCommand.h"

#include "cli/CliOutput.h"

#include "html/SiteBlock.h"
#include "model/AppletParameters.h"
#include "store/FileSet.h"
#include "store/IniFile.h"
#include "store/ProjectFile.h"
#include "store/SiteUpdate.h"
#include "store/StoredConfig.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

const char kSiteHelp[] =
    "\n"
    "'site' puts the menu of PROJECT.qdx into each PAGE (or, with no PAGE, into\n"
    "every page the project lists; a PAGE named joins the list). The site folder\n"
    "is the project's folder; each page is in it or in a folder below it. The menu\n"
    "goes between the lines <!-- Vantrel menu --> and <!-- /Vantrel menu -->:\n"
    "in a page without them, at a line <!-- Vantrel menu --> of the page's own\n"
    "or right after its <body> tag. Everything else on the page stays as it is,\n"
    "but for the viewport line put into a head that has none. Relative links are\n"
    "rewritten for each page's folder; glidebar.js, Glidebar.class and the images\n"
    "are copied into the site folder. The pages and the project file are replaced\n"
    "together, whole or not at all; a page changed by another program meanwhile\n"
    "stops the save.\n"
    "  --dry-run  list each page and what would happen to it; write nothing\n"
    "  --force    also replace a menu changed by hand since the last update\n";

bool IsSiteCommand(const QStringList &args)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        // Help is the whole program's.
        if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))
            || args.contains(QLatin1String("-help")))
            return false;
        if (args[i] == QLatin1String("--"))
            return false;
        if (!args[i].startsWith(QLatin1Char('-')) || args[i] == QLatin1String("-"))
            return args[i] == QLatin1String("site");
    }
    return false;
}

int RunSiteCommand(const QStringList &args, const QString &strAppDir)
{
    bool dryRun = false;
    bool force = false;
    bool commandSeen = false;
    bool optionsEnded = false;
    QStringList positional;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            if (commandSeen)
                positional.append(arg);
            commandSeen = true;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--dry-run") || arg == QLatin1String("-dry-run")) {
            dryRun = true;
        } else if (arg == QLatin1String("--force") || arg == QLatin1String("-force")) {
            force = true;
        } else {
            return UsageError(QStringLiteral("unknown option %1 for 'site'").arg(arg));
        }
    }
    if (positional.isEmpty())
        return UsageError(QStringLiteral("'site' takes PROJECT.qdx [PAGE...]"));

    // The project, read as the other commands read it.
    const QString project = positional.takeFirst();
    const QString shown = QDir::toNativeSeparators(project);
    // A dry run writes and deletes nothing, so it leaves an interrupted
    // update as it is and says so.
    if (!dryRun)
        RecoverInterruptedSave(project);
    else if (CFileSet::HasInterruptedChange(project))
        Print(stdout, QStringLiteral("An interrupted update of %1 is waiting to be finished: the next update or "
                                     "save finishes or undoes it.\n")
                          .arg(shown));
    if (!QFileInfo(project).isFile())
        return ContentError(QStringLiteral("no such project file: %1").arg(shown));
    CIniFile ini;
    if (!ini.Load(project))
        return ContentError(QStringLiteral("cannot read the project file %1").arg(shown));
    if (!HoldsProjectValues(ini))
        return ContentError(QStringLiteral("%1 is not a project file: it holds none of a project's values").arg(shown));
    CAppletParameters params;
    LoadProjectFromIni(params, ini);

    CSiteUpdate site(project, params);
    QString error;
    if (!site.Choose(positional, &error))
        return ContentError(error);
    if (site.Pages().isEmpty())
        return ContentError(QStringLiteral("%1 lists no site pages: name the pages to put the menu into").arg(shown));
    site.Read();

    if (dryRun) {
        for (const CSiteUpdate::CPage &page : site.Pages()) {
            const QString state = page.strError.isEmpty() ? SitePageStateText(page.state) : page.strError;
            Print(stdout, QStringLiteral("%1: %2\n").arg(QDir::toNativeSeparators(page.strPath), state));
        }
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : kExitFailed;
    }

    // Missing images and links that run code are told once, not once per
    // page.
    const CSiteBlockMaker makeBlock =
        SiteBlockMaker(params, [](const QString &message) { Print(stderr, message + QLatin1Char('\n')); });
    if (!site.Save(makeBlock, strAppDir, force, &error)) {
        std::fputs("Save as file failed!\n", stderr);
        Print(stderr, error + QLatin1Char('\n'));
        return kExitFailed;
    }
    return 0;
}
