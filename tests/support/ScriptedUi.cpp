#include "ScriptedUi.h"

#include <QDialog>
#include <QFileInfo>

QMessageBox::StandardButton CScriptedUi::MessageBox(QWidget *, const QString &text,
                                                    QMessageBox::StandardButtons buttons)
{
    messages.append({text, buttons});
    if (!messageAnswers.isEmpty())
        return messageAnswers.takeFirst();
    if (buttons & QMessageBox::Ok)
        return QMessageBox::Ok;
    if (buttons & QMessageBox::Cancel)
        return QMessageBox::Cancel;
    return QMessageBox::No;
}

QString CScriptedUi::GetOpenFileName(QWidget *, const QString &filter, const QString &folder)
{
    openFileRequests.append({filter, QString(), QString(), folder});
    return openFileAnswers.isEmpty() ? QString() : openFileAnswers.takeFirst();
}

QString CScriptedUi::GetSaveFileName(QWidget *, const QString &filter, const QString &defaultExt,
                                     const QString &initialName)
{
    saveFileRequests.append({filter, defaultExt, initialName, QFileInfo(initialName).path()});
    return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
}

QStringList CScriptedUi::GetOpenFileNames(QWidget *, const QString &filter, const QString &folder)
{
    openFilesRequests.append({filter, QString(), QString(), folder});
    return openFilesAnswers.isEmpty() ? QStringList() : openFilesAnswers.takeFirst();
}

QString CScriptedUi::GetExistingDirectory(QWidget *, const QString &folder)
{
    folderRequests.append(folder);
    return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
}

bool CScriptedUi::ChooseColor(QWidget *, int &color)
{
    colorRequests.append(color);
    const int answer = colorAnswers.isEmpty() ? -1 : colorAnswers.takeFirst();
    if (answer < 0)
        return false;
    color = answer;
    return true;
}

int CScriptedUi::ExecDialog(QDialog &dialog)
{
    dialogsShown.append(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    if (!dialogHandlers.isEmpty())
        dialogHandlers.takeFirst()(dialog);
    return dialog.result();
}

bool CScriptedUi::OpenDocument(const QString &path)
{
    openedDocuments.append(path);
    return launchesSucceed;
}

bool CScriptedUi::StartProgram(const QString &program, const QStringList &arguments,
                               const QString &workingDirectory)
{
    launches.append({program, arguments, workingDirectory});
    return launchesSucceed;
}

QStringList CScriptedUi::MessageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts << m.text;
    return texts;
}
