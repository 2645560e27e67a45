#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One of the author's own pages that carries the menu between the menu
// markers. What Vantrel knew of it after it last wrote the page tells a page
// edited since (by hand or by another program) from one left as it was.
struct CSitePage {
    // The page's path relative to the site folder (the project's folder),
    // folders separated by '/'.
    QString strPath;
    // After the last update: the page's size in bytes (-1: never updated),
    // its modification time (ms since 1970 UTC), the BLAKE2b-256 of its bytes
    // and of the text between its markers, in lower-case hexadecimal.
    qint64 nSize = -1;
    qint64 nModified = 0;
    QByteArray pageHash;
    QByteArray menuHash;
    // What the updates added to the page beyond the text between the
    // markers: 1 the begin marker, 2 the end marker, 4 the viewport line, 8 a
    // line end after the end marker;
    // -1 not known (a page recorded before this was kept).
    int nAdded = -1;

    bool operator==(const CSitePage &o) const
    {
        return strPath == o.strPath && nSize == o.nSize && nModified == o.nModified
               && pageHash == o.pageHash && menuHash == o.menuHash && nAdded == o.nAdded;
    }
    bool operator!=(const CSitePage &o) const { return !(*this == o); }
};

using CSitePageList = QList<CSitePage>;
