#pragma once

#include <QString>

class CAppletMenuItem;

// Whether a browser would run `link` as code rather than open a page: a
// javascript:, vbscript: or data: address, in any letter case, with the
// spaces and control characters before it and the tabs and line breaks
// inside it that browsers ignore.
bool LinkRunsCode(const QString &link);

// What a screen reader calls an item: its label; for an item without one
// (a picture alone), readable words from the name of its link's page
// ("about-us.html" -> "About us"; "products/index.htm" -> "Products"),
// else from its picture's file name. Empty only when there is nothing to
// name it from.
QString ReadableItemName(const CAppletMenuItem &item);
