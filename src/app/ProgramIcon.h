#pragma once

#include <QIcon>

// The program's icon (the window icon, and the small icon of the pages and
// the about box), read from the PNG resource by the built-in PNG reader
// alone: no image format plugin is loaded to be asked about the file. The
// file is read when a picture of the icon is first asked for, so a window
// system that shows no window icons never reads it.
QIcon ProgramIcon();
