#pragma once

#include <QString>

class QWidget;

// Opens an existing document in the chosen browser: the default one, or the
// user's program with the document path as its one argument. A browser that
// cannot be started is reported in a message box owned by `owner`.
void OpenInBrowser(const QString &strPath, QWidget *owner = nullptr);

// Writes the page text (with class file, images and project file) into the
// scratch folder as the preview page and opens it in the chosen browser.
void PreviewPage(const QString &strHTML, QWidget *owner = nullptr);

// The folder previews are written to: "tmp" in the program folder, or a
// per-user folder when the program folder cannot be written.
QString ScratchFolder();

// Deletes the files in the scratch folder, then the folder if it is empty.
void ClearScratchFolder();
