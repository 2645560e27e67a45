#pragma once

#include <QHash>
#include <QString>

// Finds the picture a stored image path names: wildcards are honoured, "\"
// is taken as a separator, and when nothing matches exactly the same name is
// tried in other letter case. A match counts only when it is a regular file
// whose content is a picture (PictureFile.h). Returns the full path of the
// first match as the file system spells it, or an empty text when there is
// none; then *pNotPicture tells whether some file matched that is no picture.
QString FindImageFile(const QString &strStoredPath, bool *pNotPicture = nullptr);

// FindImageFile with each distinct stored path looked up once: a menu may
// name one image (or one missing image) from thousands of items, and a
// lookup of a missing file lists its folder. Keep one for one generation or
// one save, so that files changed in between are seen by the next.
class CImageLookup {
public:
    QString Find(const QString &strStoredPath, bool *pNotPicture = nullptr);

private:
    struct CFound {
        QString strPath;
        bool bNotPicture = false;
    };
    QHash<QString, CFound> m_found;
};
