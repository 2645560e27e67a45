#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Every modal question, file or colour dialog and every browser launch goes
// through this one interface, so that tests can answer them without windows.
class CUserInterface {
public:
    virtual ~CUserInterface();

    // A message box captioned with the application's name.
    virtual QMessageBox::StandardButton MessageBox(
        QWidget *parent, const QString &text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;

    // Filters use the "Description | pattern;pattern||" form of the texts.
    // Each returns the chosen full path, or an empty text when cancelled.
    // The open dialog starts in `folder`; the save dialog shows initialName,
    // in its folder when it is a full path.
    virtual QString GetOpenFileName(QWidget *parent, const QString &filter, const QString &folder) = 0;
    virtual QString GetSaveFileName(QWidget *parent, const QString &filter,
                                    const QString &defaultExt, const QString &initialName) = 0;
    // The open dialog that takes several files at once (none when cancelled),
    // and the dialog that chooses a folder (empty when cancelled); both start
    // in `folder`.
    virtual QStringList GetOpenFileNames(QWidget *parent, const QString &filter, const QString &folder) = 0;
    virtual QString GetExistingDirectory(QWidget *parent, const QString &folder) = 0;

    // The colour chooser, preselecting `color` (0x00BBGGRR); true and the new
    // colour in `color` when the user confirms.
    virtual bool ChooseColor(QWidget *parent, int &color) = 0;

    // Runs one of the program's own modal dialogs; returns QDialog::Accepted
    // or QDialog::Rejected.
    virtual int ExecDialog(QDialog &dialog) = 0;

    // Opens a document with the desktop's default program.
    virtual bool OpenDocument(const QString &path) = 0;
    // Starts a program with the given arguments (never through a shell).
    virtual bool StartProgram(const QString &program, const QStringList &arguments,
                              const QString &workingDirectory) = 0;
};

// Turns a filter text of the form "Desc | *.a;*.b||" into Qt's
// "Desc (*.a *.b)" form; several entries are joined with ";;".
QString ToQtFileFilter(const QString &filter);

// The filter of an open-file dialog. Outside Windows programs carry no
// ".EXE" and name matching heeds letter case, so there an "All Files (*)"
// entry follows the given ones.
QString ToQtOpenFileFilter(const QString &filter);
