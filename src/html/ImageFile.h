#pragma once

#include <QString>

// Finds the file a stored image path names: wildcards are honoured, "\" is
// taken as a separator, and when nothing matches exactly the same name is
// tried in other letter case. Returns the full path of the first match as
// the file system spells it, or an empty text when there is none.
QString FindImageFile(const QString &strStoredPath);
