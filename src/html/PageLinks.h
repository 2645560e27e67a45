#pragma once

class CAppletMenu;
class CPageText;

// The additions of a page that works in today's browsers, which no longer run
// applets: the menu's links as a plain list inside the applet element (for
// visitors without scripts and for search engines), and the script that draws
// the menu in the applet's place.

// Appends one line holding the list: for every main item in order a list
// entry with a link (or, without a link, the bare label) and, when the item
// has a sub menu, a nested list of its items in the same form. Every value
// is escaped.
void AppendLinkList(CPageText &out, const CAppletMenu &root);

// Appends the line that loads the menu script from the page's own folder.
void AppendScriptLine(CPageText &out);
