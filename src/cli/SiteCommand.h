#pragma once

#include <QString>
#include <QStringList>

// vantrel-gen site: puts the menu into the author's own pages and keeps it up
// to date there. `args` are the program's arguments (the program's name
// first); returns the exit code.
int RunSiteCommand(const QStringList &args, const QString &strAppDir);

// True when the arguments name the command 'site' (its first argument that
// is not an option).
bool IsSiteCommand(const QStringList &args);

// The part of the help that tells of 'site'.
extern const char kSiteHelp[];
