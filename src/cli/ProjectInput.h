#pragma once

#include <QString>

class CAppletParameters;

// Reads a project file into `params` as every command reads it. 0 when it
// is read; else the exit code of a content error, told on stderr: no such
// file, a file that cannot be read, or one holding none of a project's
// values (a page, a picture), which would otherwise give an empty
// configuration that 'save' would write over real work.
int ReadProjectFile(const QString &strProject, CAppletParameters &params);
