#pragma once

#include <QString>
#include <QStringList>

// What the wizard's command line asks for: `vantrel [FILE]`, where FILE is a
// page saved by Vantrel or its project file, or the help or the version.
struct CStartArguments {
    bool bHelp = false;    // -h, --help
    bool bVersion = false; // -v, --version
    QString strFile;       // the file to open, made absolute; "" none
    QString strError;      // what is wrong with the arguments; "" nothing
};

// Reads the arguments, the program's name first, as Qt leaves them once it
// has taken its own (-platform, -style...). "--" ends the options. Help and
// the version are answered whatever else is given, so that they can be
// asked for before Qt has taken its options.
CStartArguments ParseStartArguments(const QStringList &args);

// What --help prints.
QString StartUsage();
