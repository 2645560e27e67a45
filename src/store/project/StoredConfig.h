#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class CAppletParameters;
class CIniFile;

// The largest item count a stored menu tree may ask for, per menu (the main
// menu and each sub menu). The wizard itself makes at most 20 x 20, so no real
// menu comes near it; a hand-edited "Relation" that asks for more gets this
// many. Each main item owns at most one sub menu, so a loaded tree holds at
// most 200 + 200 x 200 items (a few megabytes), and the number of menus a
// "Relation" may name is bounded by 200 + 1 as well.
constexpr int kMaxStoredMenuItems = 200;

// A stored number as the loaders read it: leading white space skipped, an
// optional sign, digits up to the first other character; no digits gives 0.
// Values beyond the range of int give its nearest end.
int ParseStoredNumber(QStringView strValue);

// The loaders and the writer working on an INI held in memory; the file
// functions (LoadProject, LoadTemplate, ListTemplates, SavePage) use these.
void LoadProjectFromIni(CAppletParameters &params, const CIniFile &ini);
void LoadTemplateFromIni(CAppletParameters &params, int nTemplate, const CIniFile &ini);
QStringList ListTemplatesFromIni(const CIniFile &ini);
CIniFile ProjectIniFor(const CAppletParameters &params);
// True when the INI holds at least one value a project file stores (a style
// value or the menu tree): a way to tell a project file from another file.
bool HoldsProjectValues(const CIniFile &ini);
