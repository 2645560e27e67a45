#pragma once

#include <QString>
#include <QStringList>

class CAppletParameters;

// Links of one menu block shared by every page of a site. The menu's links
// and the files beside it are written as seen from the site folder; a page in
// a folder below it sees them through that folder. A page's folder is given
// relative to the site folder, folders separated by '/', empty for the site
// folder itself.

// True when `link` names a place relative to the page that holds it: no
// scheme ("http:", "mailto:", any "name:"), not root-relative ("/x", "//host"
// or "\x"), not a fragment of the page itself ("#top") nor a query of it
// ("?a=b"), and not empty.
bool IsPageRelativeLink(const QString &link);

// `link`, written from the site folder, as a page in `pageFolder` writes it:
// a relative link becomes the shortest path from the page's folder to the
// same place ("about.html" from "products" gives "../about.html",
// "products/a.html" gives "a.html"); its query and fragment stay. Every
// other link, and every link of a page in the site folder itself, is
// returned as it is.
QString SiteLinkForPage(const QString &link, const QString &pageFolder);

// The other way: `link` as a page in `pageFolder` writes it, as the menu
// keeps it, written from the site folder: a relative link is joined to the
// page's folder ("../about.html" from "products" gives "about.html",
// "a.html" gives "products/a.html"); its query and fragment stay. Every
// other link, and every link of a page in the site folder itself, is
// returned as it is. SiteLinkForPage of the result gives back every link
// SiteLinkForPage writes.
QString SiteLinkFromPage(const QString &link, const QString &pageFolder);

// What leads from a page in `pageFolder` back to the site folder: "../" once
// per folder ("" for the site folder).
QString SiteFolderPrefix(const QString &pageFolder);

// The menu's relative links (written from the site folder, as the menu
// keeps them) that name no file or folder in `strSiteFolder`: after a page
// was renamed or moved. Each link once, in menu order, as written; its query
// and fragment do not count, %-escapes are read.
QStringList MissingSiteLinks(const CAppletParameters &p, const QString &strSiteFolder);
// The warning for one such link.
QString MissingSiteLinkWarning(const QString &link);
