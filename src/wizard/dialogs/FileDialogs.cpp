#include "wizard/dialogs/FileDialogs.h"

#include "app/UserInterface.h"
#include "store/ini/UserSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kGroup = QStringLiteral("Folders");

QString KeyFor(EFileKind kind)
{
    switch (kind) {
    case EFileKind::Page:
        return QStringLiteral("Pages");
    case EFileKind::Image:
        return QStringLiteral("Images");
    case EFileKind::Program:
        break;
    }
    return QStringLiteral("Programs");
}

} // namespace

QString StartFolder(EFileKind kind)
{
    auto settings = OpenUserSettings();
    const QString last = settings->value(kGroup + QLatin1Char('/') + KeyFor(kind)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void RememberFolder(EFileKind kind, const QString &chosenFile)
{
    // A name typed into a folder that does not exist (the save then fails)
    // leaves the folder kept as it was.
    const QString folder = QFileInfo(chosenFile).absolutePath();
    if (chosenFile.isEmpty() || !QFileInfo(folder).isDir())
        return;
    auto settings = OpenUserSettings();
    settings->setValue(kGroup + QLatin1Char('/') + KeyFor(kind), QDir::toNativeSeparators(folder));
}

void ForgetFolders()
{
    auto settings = OpenUserSettings();
    settings->remove(kGroup);
}

QString AskOpenFile(CUserInterface &ui, QWidget *parent, EFileKind kind, const QString &filter)
{
    const QString chosen = ui.GetOpenFileName(parent, filter, StartFolder(kind));
    RememberFolder(kind, chosen);
    return chosen;
}

QString AskSavePage(CUserInterface &ui, QWidget *parent, const QString &filter, const QString &current)
{
    const QFileInfo page(current);
    QString suggested;
    if (!current.isEmpty() && page.isAbsolute() && page.dir().exists())
        suggested = page.absoluteFilePath();
    else
        suggested = QDir(StartFolder(EFileKind::Page))
                        .filePath(current.isEmpty() ? QStringLiteral("menu.htm") : page.fileName());
    const QString chosen = ui.GetSaveFileName(parent, filter, QStringLiteral("htm"), suggested);
    RememberFolder(EFileKind::Page, chosen);
    return chosen;
}

QString ImageFileFilter(bool bModernPage)
{
    return bModernPage
               ? QStringLiteral("Image Files(*.GIF,*.JPG,*.JPEG,*.PNG,*.SVG,*.WEBP) | "
                                "*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp ||")
               : QStringLiteral("Image Files(*.GIF,*.JPG.*.JPEG) | *.gif;*.jpg;*.jpeg ||");
}
