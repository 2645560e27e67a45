#pragma once

#include "render/MenuRenderer.h"

#include <QList>
#include <QString>

class CAppletParameters;

// You are here: the items whose link is the page strPage, for a menu whose
// links are written relative to strMenuFolder (the folder of the menu's
// page and project file), in menu order. A relative link is resolved
// against that folder; strPage is a file path (relative to the working
// folder) or an address with a scheme. They match as the page script
// matches a link with the page it is on: the same address without a place
// within the page (a link with '#' never matches), a folder's index or
// default page counting as the folder, the same query.
QList<CItemRef> CurrentItems(const CAppletParameters &params, const QString &strMenuFolder, const QString &strPage);
