#include "app/QtUserInterface.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
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

// Eats the Escape key of the window it watches.
class CIgnoreEscape : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
                event->accept();
                return event->type() == QEvent::KeyPress;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace {

// Marks its window as moved by the keyboard whenever it is shown or
// activated (showing a window resets the mark).
class CKeyboardFocusMark : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) {
            auto *window = static_cast<QWidget *>(watched);
            window->setAttribute(Qt::WA_KeyboardFocusChange);
            if (QWidget *focus = window->focusWidget())
                focus->update();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void ShowFocusFromTheStart(QWidget &window)
{
    // The style draws focus frames only once the keyboard has moved the
    // focus; a keyboard user needs to see it as soon as the window opens.
    window.setAttribute(Qt::WA_KeyboardFocusChange);
    window.installEventFilter(new CKeyboardFocusMark(&window));
}

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
    ShowFocusFromTheStart(box);
    // A question with only Yes and No wants one of them: Escape would
    // otherwise count as No, and a stray Escape could lose the user's work.
    CIgnoreEscape ignoreEscape;
    if (!(buttons & QMessageBox::Cancel) && (buttons & QMessageBox::Yes) && (buttons & QMessageBox::No))
        box.installEventFilter(&ignoreEscape);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString CQtUserInterface::GetOpenFileName(QWidget *parent, const QString &filter, const QString &folder)
{
    return QFileDialog::getOpenFileName(parent, Caption(), folder, ToQtOpenFileFilter(filter));
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

QStringList CQtUserInterface::GetOpenFileNames(QWidget *parent, const QString &filter, const QString &folder)
{
    return QFileDialog::getOpenFileNames(parent, Caption(), folder, ToQtOpenFileFilter(filter));
}

QString CQtUserInterface::GetExistingDirectory(QWidget *parent, const QString &folder)
{
    return QFileDialog::getExistingDirectory(parent, Caption(), folder);
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
    ShowFocusFromTheStart(dialog);
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
