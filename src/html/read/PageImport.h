#pragma once

#include "html/read/PageReader.h"
#include "model/site/SitePage.h"

#include <QString>
#include <QStringList>

class CAppletParameters;

// A lost project brought back from its page: the menu read from the page
// (CPageReader), where its project file goes and, for a site page, the
// site's pages that carry the same menu.
struct CPageImport {
    CPageRead read;
    // Where the project file goes. A page of its own: beside it, under its
    // name (ProjectPathFor), as a save puts it. A site page: in the site
    // folder, as "menu.qdx" (or "menu2.qdx" and so on, the first whose
    // project file and pages are not there), so that no page of the author's
    // counts as the project's own page, which a save would write whole.
    QString strProjectPath;
    // The page a save of the project writes: the page itself, or, for a
    // site page, the new page beside the project file.
    QString strPagePath;
};

// Reads the page at strPagePath into `params` (replacing every value) and
// fills *pImport. For a site page the project lists that page and every page
// in the site folder and below that carries the same menu as its site pages
// (PagesCarryingMenu). False, with a reason that names the file, when the
// page cannot be read; true, with read.found Nothing, when it carries no
// Glidebar applet.
bool ImportPage(const QString &strPagePath, CAppletParameters &params, CPageImport *pImport, QString *pError);

// The pages of the site folder that carry `params`' menu between their
// markers: strPagePath first, then every .htm or .html page in the folder
// and below whose block reads back as the same menu, by path. Folders and
// pages are reached without following links; hidden ones are not looked
// in, and no more than kMaxSitePagesLooked pages are read. Paths are
// relative to the site folder. *pNotes (when given) gets a line for each
// page passed over that may carry the menu.
CSitePageList PagesCarryingMenu(const CAppletParameters &params, const QString &strSiteFolder,
                                const QString &strPagePath, QStringList *pNotes = nullptr);
constexpr int kMaxSitePagesLooked = 10000;
