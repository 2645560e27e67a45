#pragma once

#include "app/UserInterface.h"

#include <QList>
#include <functional>

// Stands in for every dialog and launch. Answers are queued by the test
// beforehand; everything asked is recorded. With nothing queued a message is
// answered with OK (or Cancel, or No), and file, colour and program dialogs
// are cancelled.
class CScriptedUi : public CUserInterface {
public:
    struct Message {
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    struct FileRequest {
        QString filter;
        QString defaultExt;
        QString initialName;
        QString folder; // the folder the dialog starts in
    };
    struct Launch {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };
    using DialogHandler = std::function<void(QDialog &)>;

    QMessageBox::StandardButton MessageBox(QWidget *parent, const QString &text,
                                           QMessageBox::StandardButtons buttons) override;
    QString GetOpenFileName(QWidget *parent, const QString &filter, const QString &folder) override;
    QString GetSaveFileName(QWidget *parent, const QString &filter, const QString &defaultExt,
                            const QString &initialName) override;
    QStringList GetOpenFileNames(QWidget *parent, const QString &filter, const QString &folder) override;
    QString GetExistingDirectory(QWidget *parent, const QString &folder) override;
    bool ChooseColor(QWidget *parent, int &color) override;
    int ExecDialog(QDialog &dialog) override;
    bool OpenDocument(const QString &path) override;
    bool StartProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDirectory) override;

    // Queued answers, used front first.
    QList<QMessageBox::StandardButton> messageAnswers;
    QStringList openFileAnswers;       // "" cancels
    QStringList saveFileAnswers;       // "" cancels
    QList<QStringList> openFilesAnswers; // an empty list cancels
    QStringList folderAnswers;         // "" cancels
    QList<int> colorAnswers;           // -1 cancels
    // Each acts on the dialog as a user would (set controls, click OK or
    // Cancel); the dialog's result is what ExecDialog returns.
    QList<DialogHandler> dialogHandlers;
    // Whether opening a document or starting a program succeeds.
    bool launchesSucceed = true;

    // What was asked and done.
    QList<Message> messages;
    QList<FileRequest> openFileRequests;
    QList<FileRequest> saveFileRequests;
    QList<FileRequest> openFilesRequests;
    QStringList folderRequests;        // the folders the dialogs start in
    QList<int> colorRequests;          // the preselected colours
    QStringList dialogsShown;          // object names of dialogs run
    QStringList openedDocuments;
    QList<Launch> launches;

    QStringList MessageTexts() const;
};
