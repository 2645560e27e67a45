#pragma once

#include "store/files/AtomicFile.h"

#include <QList>
#include <QString>
#include <QStringList>

class CAppletParameters;

// The picture files the configuration's images name (background, main
// items, sub items), each once however many items name it, in the order
// first named. A name that finds no picture is left out (the page writer
// reports it).
QStringList ImageFilesToCopy(const CAppletParameters &params);

// The files a page needs beside it, copied into its folder (a site's
// folder for site pages) as parts of the same change as the page and its
// project file (CFileSet): the page script, the class file and every
// picture the configuration names.
struct CBesideFiles {
    QList<CFileContent> files;
    QStringList names; // the file names, in the order of `files`
};

// Collects them for the folder strFolder: the script from the program
// folder strAppDir when bScript (a page that needs it cannot be saved
// without it), the class file when the program folder has one, and each
// image file the configuration names that is a picture (ImageFilesToCopy).
// `taken` are the other names the change writes in strFolder (pages, the
// project file). False, with the reason, when the script cannot be read or
// a copy would take the name of a page, the project file, the script, the
// class file or another image's copy: both names are in the message, and
// nothing has been written.
bool CollectBesideFiles(const CAppletParameters &params, const QString &strAppDir, const QString &strFolder,
                        bool bScript, const QString &strPagePath, const QStringList &taken,
                        CBesideFiles *pBeside, QString *pError);
