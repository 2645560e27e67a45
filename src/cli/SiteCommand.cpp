#include "cli/SiteCommand.h"

#include "cli/CliOutput.h"
#include "cli/ProjectInput.h"

#include "html/SiteBlock.h"
#include "html/SiteLinks.h"
#include "model/config/AppletParameters.h"
#include "store/files/FileSet.h"
#include "store/project/ProjectFile.h"
#include "store/site/SiteUpdate.h"

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
    "A page already up to date is left as it is. The run ends with a line such\n"
    "as \"Updated 28 pages, 3 up to date.\" A menu link to a file that is not in\n"
    "the site folder is reported as a warning; the pages are written all the same.\n"
    "  --dry-run      list each page and what would happen to it (\"up to date\"\n"
    "                 where nothing would change); write nothing; exit 1 where\n"
    "                 the real run would fail\n"
    "  --force        also replace a menu changed by hand since the last update\n"
    "  --remove PAGE  take PAGE off the project's list and take its menu out of\n"
    "                 it: every line Vantrel added to it (the menu between and\n"
    "                 with the markers Vantrel put there, the viewport line), so\n"
    "                 that it is as it was before; may be given more than once\n";

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

namespace {

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Why the update would be refused for a page, as the command tells it;
// empty when it would not.
QString PageProblem(const CSiteUpdate &site, const CSiteUpdate::CPage &page, const CSiteBlockMaker &makeBlock,
                    bool force)
{
    if (!page.strError.isEmpty())
        return page.strError;
    if (page.state == ESitePageState::NoPlace)
        return SitePageStateText(page.state) + QStringLiteral(" (no menu markers and no <body> tag)");
    if (!SitePageCanTakeMenu(page.state))
        return SitePageStateText(page.state);
    if (page.state == ESitePageState::ChangedSince && !force && !site.IsUpToDate(page, makeBlock))
        return QStringLiteral("the menu was changed by hand since the last update; "
                              "run again with --force to replace it");
    return QString();
}

bool Flushed()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

int RunRemove(CSiteUpdate &site, const QStringList &pages, bool dryRun, bool force)
{
    QString error;
    if (dryRun) {
        if (!site.Choose(pages, &error))
            return ContentError(error);
        site.Read();
        int code = 0;
        for (const CSiteUpdate::CPage &page : site.Pages()) {
            QString what;
            QByteArray bytes;
            if (!site.Record(page.strPath)) {
                what = QStringLiteral("not a site page of this project");
                code = kExitFailed;
            } else if (!page.strError.isEmpty() || page.state == ESitePageState::Add
                       || page.state == ESitePageState::NoPlace) {
                what = QStringLiteral("leaves the list; no menu to take out");
            } else if (page.state == ESitePageState::ChangedSince && !force) {
                what = QStringLiteral("the menu was changed by hand since the last update; "
                                      "run again with --force to take it out");
                code = kExitFailed;
            } else if (!site.PageAfterRemoval(page, &bytes)) {
                what = SitePageStateText(page.state);
                code = kExitFailed;
            } else {
                what = QStringLiteral("menu will be taken out");
            }
            Print(stdout, QStringLiteral("%1: %2\n").arg(Shown(page.strPath), what));
        }
        return Flushed() ? code : kExitFailed;
    }
    if (!site.Remove(pages, true, force, &error)) {
        std::fputs("Save as file failed!\n", stderr);
        if (!force && error.contains(SitePageStateText(ESitePageState::ChangedSince)))
            error += QStringLiteral("\nRun again with --force to take out a menu changed by hand.");
        Print(stderr, error + QLatin1Char('\n'));
        return kExitFailed;
    }
    const qsizetype n = site.Pages().size();
    Print(stdout, QStringLiteral("Removed %1 %2 from the list, took the menu out of %3.\n")
                      .arg(n)
                      .arg(n == 1 ? QStringLiteral("page") : QStringLiteral("pages"))
                      .arg(site.UpdatedCount()));
    return Flushed() ? 0 : kExitFailed;
}

} // namespace

int RunSiteCommand(const QStringList &args, const QString &strAppDir)
{
    bool dryRun = false;
    bool force = false;
    bool commandSeen = false;
    bool optionsEnded = false;
    QStringList positional;
    QStringList removed;
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
        } else if (arg == QLatin1String("--remove") || arg == QLatin1String("-remove")) {
            if (i + 1 >= args.size())
                return UsageError(QStringLiteral("--remove takes the PAGE to take off the list"));
            removed.append(args[++i]);
        } else if (arg.startsWith(QLatin1String("--remove="))) {
            removed.append(arg.mid(9));
        } else {
            return UsageError(QStringLiteral("unknown option %1 for 'site'").arg(arg));
        }
    }
    if (positional.isEmpty())
        return UsageError(QStringLiteral("'site' takes PROJECT.qdx [PAGE...]"));
    if (!removed.isEmpty() && positional.size() > 1)
        return UsageError(QStringLiteral("'site' takes either PAGE... to update or --remove PAGE, not both"));

    // The project, read as the other commands read it.
    const QString project = positional.takeFirst();
    const QString shown = Shown(project);
    // A dry run writes and deletes nothing, so it leaves an interrupted
    // update as it is and says so.
    if (!dryRun)
        RecoverInterruptedSave(project);
    else if (CFileSet::HasInterruptedChange(project))
        Print(stdout, QStringLiteral("An interrupted update of %1 is waiting to be finished: the next update or "
                                     "save finishes or undoes it.\n")
                          .arg(shown));
    CAppletParameters params;
    if (const int code = ReadProjectFile(project, params))
        return code;

    CSiteUpdate site(project, params);
    if (!removed.isEmpty())
        return RunRemove(site, removed, dryRun, force);

    QString error;
    if (!site.Choose(positional, &error))
        return ContentError(error);
    if (site.Pages().isEmpty())
        return ContentError(QStringLiteral("%1 lists no site pages: name the pages to put the menu into").arg(shown));
    site.Read();

    // Missing images and links that run code are told once, not once per
    // page; so are links to files the site folder does not hold.
    const CSiteBlockMaker makeBlock =
        SiteBlockMaker(params, [](const QString &message) { Print(stderr, message + QLatin1Char('\n')); });
    for (const QString &link : MissingSiteLinks(params, site.SiteFolder()))
        Print(stderr, MissingSiteLinkWarning(link) + QLatin1Char('\n'));

    QStringList problems;
    for (const CSiteUpdate::CPage &page : site.Pages()) {
        const QString problem = PageProblem(site, page, makeBlock, force);
        if (!problem.isEmpty())
            problems.append(QStringLiteral("%1: %2").arg(Shown(dryRun ? page.strPath : page.strFullPath), problem));
        if (!dryRun)
            continue;
        QString state = problem;
        if (state.isEmpty())
            state = site.IsUpToDate(page, makeBlock) ? QStringLiteral("up to date") : SitePageStateText(page.state);
        Print(stdout, QStringLiteral("%1: %2\n").arg(Shown(page.strPath), state));
    }
    if (dryRun)
        return Flushed() && problems.isEmpty() ? 0 : kExitFailed;

    if (!problems.isEmpty() || !site.Save(makeBlock, strAppDir, force, &error)) {
        std::fputs("Save as file failed!\n", stderr);
        Print(stderr, (problems.isEmpty() ? error : problems.join(QLatin1Char('\n'))) + QLatin1Char('\n'));
        return kExitFailed;
    }
    const qsizetype updated = site.UpdatedCount();
    Print(stdout, QStringLiteral("Updated %1 %2, %3 up to date.\n")
                      .arg(updated)
                      .arg(updated == 1 ? QStringLiteral("page") : QStringLiteral("pages"))
                      .arg(site.UpToDateCount()));
    return Flushed() ? 0 : kExitFailed;
}
