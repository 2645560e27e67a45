#pragma once

#include <QHash>
#include <QString>

// Finds the file a stored image path names: wildcards are honoured, "\" is
// taken as a separator, and when nothing matches exactly the same name is
// tried in other letter case. Returns the full path of the first match as
// the file system spells it, or an empty text when there is none.
QString FindImageFile(const QString &strStoredPath);

// FindImageFile with each distinct stored path looked up once: a menu may
// name one image (or one missing image) from thousands of items, and a
// lookup of a missing file lists its folder. Keep one for one generation or
// one save, so that files changed in between are seen by the next.
class CImageLookup {
public:
    QString Find(const QString &strStoredPath);

private:
    QHash<QString, QString> m_found;
};
