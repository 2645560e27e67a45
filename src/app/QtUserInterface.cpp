#include "app/QtUserInterface.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

QString Caption()
{
    return QCoreApplication::applicationName();
}

int ToColorRef(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QColor FromColorRef(int color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace

CQtUserInterface::CQtUserInterface()
{
    // The chooser's sixteen custom colours are one set for the whole run,
    // all white at start.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
}

QMessageBox::StandardButton CQtUserInterface::MessageBox(QWidget *parent, const QString &text,
                                                         QMessageBox::StandardButtons buttons)
{
    QMessageBox box(buttons & (QMessageBox::Yes | QMessageBox::No) ? QMessageBox::Question
                                                                   : QMessageBox::Information,
                    Caption(), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString CQtUserInterface::GetOpenFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, Caption(), QString(), ToQtOpenFileFilter(filter));
}

QString CQtUserInterface::GetSaveFileName(QWidget *parent, const QString &filter,
                                          const QString &defaultExt, const QString &initialName)
{
    QFileDialog dlg(parent, Caption(), QString(), ToQtFileFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(defaultExt);
    if (!initialName.isEmpty()) {
        const QFileInfo fi(initialName);
        if (fi.isAbsolute())
            dlg.setDirectory(fi.absolutePath());
        dlg.selectFile(fi.fileName());
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

bool CQtUserInterface::ChooseColor(QWidget *parent, int &color)
{
    const QColor chosen = QColorDialog::getColor(FromColorRef(color), parent, Caption());
    if (!chosen.isValid())
        return false;
    color = ToColorRef(chosen);
    return true;
}

int CQtUserInterface::ExecDialog(QDialog &dialog)
{
    return dialog.exec();
}

bool CQtUserInterface::OpenDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool CQtUserInterface::StartProgram(const QString &program, const QStringList &arguments,
                                    const QString &workingDirectory)
{
    return QProcess::startDetached(program, arguments, workingDirectory);
}
