#pragma once

#include <QString>

class CAppletMenu;
class CPageText;

// The additions of a page that works in today's browsers, which no longer run
// applets: the menu's links as a plain list inside the applet element (for
// visitors without scripts and for search engines), and the script that draws
// the menu in the applet's place.

// What the menu's navigation landmark is called on a page titled `title`:
// the title, or "Site menu" for a page without one of its own.
QString MenuLandmarkName(const QString &title);

// Appends one line holding the list, in a navigation landmark named `name`:
// for every main item in order a list entry with a link (or, without a link
// or with one that would run code, the bare text) and, when the item has a
// sub menu, a nested list of its items in the same form. An item without a
// label is written with the readable name of its page. Every value is
// escaped. The links are written as a page in `pageFolder` of the site
// (SiteLinks.h) needs them; an empty folder writes them as they are.
void AppendLinkList(CPageText &out, const CAppletMenu &root, const QString &name,
                    const QString &pageFolder = QString());

// Appends the line that loads the menu script from the page's own folder, or
// from the folder `prefix` leads to ("../").
void AppendScriptLine(CPageText &out, const QString &prefix = QString());
