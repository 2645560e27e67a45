#pragma once

#include <QIcon>

// The program's icon (the window icon, and the small icon of the pages and
// the about box), read from the PNG resource by the built-in PNG reader
// alone: no image format plugin is loaded to be asked about the file.
QIcon ProgramIcon();
