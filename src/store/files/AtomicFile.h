#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writing a file whole or not at all: the bytes go to a temporary file in
// the same folder, which is renamed over the target only when every byte was
// written. A short write (a full disk, a size limit) counts as a failure, so
// a failed write never replaces a good file with part of a new one.

// Writes bytes as the file at strPath; on failure the reason is in *pError.
bool WriteFileAtomically(const QString &strPath, const QByteArray &bytes, QString *pError = nullptr);

// Writes several files so that either all are replaced or, as far as the
// file system allows, none: every file is opened and written in full first
// (a target that cannot be written stops everything before any is touched),
// then all are put in place in the given order. On failure *pFailedPath
// names the file and *pError gives the reason.
struct CFileContent {
    CFileContent() = default;
    CFileContent(const QString &path, const QByteArray &content) : strPath(path), bytes(content) {}

    QString strPath;
    QByteArray bytes;
    // For CFileSet: when bMustBeUnchanged, the target is replaced only while
    // it is still the file that was read: of readBytes' size and bytes, last
    // modified at nReadModified (ms since 1970 UTC). Otherwise nothing of the
    // change is written.
    bool bMustBeUnchanged = false;
    QByteArray readBytes;
    qint64 nReadModified = 0;
    // For CFileSet: when bMustBeNew, the target is made only while nothing
    // is at its name (checked before anything is written and again as the
    // last step before the commit); otherwise nothing of the change is
    // written. Never over a file that someone else's work is in.
    bool bMustBeNew = false;
    // For CFileSet: when not -1, the new file's modification time (ms since
    // 1970 UTC), so that it is known before the file is in place.
    qint64 nSetModified = -1;
    // For CFileSet: when not empty, the new content is a copy of this file
    // (bytes is not used), which must be a regular file and, when
    // bPictureOnly, a picture by its content; it is checked again on the
    // very file that is copied. The copy has the source's permission bits.
    // A target that already is this file is left as it is.
    QString strCopyFrom;
    bool bPictureOnly = false;
};
bool WriteFilesAtomically(const QList<CFileContent> &files, QString *pFailedPath = nullptr,
                          QString *pError = nullptr);
