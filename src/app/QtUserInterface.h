#pragma once

#include "app/UserInterface.h"

class QWidget;

// Makes focus frames visible from the moment a window opens, not only after
// the first Tab.
void ShowFocusFromTheStart(QWidget &window);

// The real dialogs and launches.
class CQtUserInterface : public CUserInterface {
public:
    CQtUserInterface();
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
};
