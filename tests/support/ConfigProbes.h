#pragma once

#include "model/config/AppletParameters.h"

#include <QList>
#include <QStringList>

// Views of a configuration that tests compare as a whole.

// Every style number of the page, main and sub menu, in one fixed order.
QList<int> StyleValues(CAppletParameters &p);
// The labels of a menu's items, in order.
QStringList Labels(const CAppletMenu &menu);
// The tree as one text, for comparisons that show where they differ.
QString TreeText(const CAppletMenu &menu, int depth = 0);
