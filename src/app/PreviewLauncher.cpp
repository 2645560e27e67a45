#include "app/PreviewLauncher.h"

#include "app/WizardApp.h"
#include "model/StringTable.h"
#include "store/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// True when a file can be created in the existing folder `dir`. Tried for
// real: permission bits do not tell (an administrator may write anywhere, a
// read-only mount refuses everyone).
bool CanCreateFileIn(const QString &dir)
{
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".vantrel-probe-XXXXXX")));
    return probe.open();
}

bool IsLink(const QFileInfo &fi)
{
    return fi.isSymLink() || fi.isJunction();
}

// True when the scratch folder can live at `dir`: it is a folder where files
// can be written, or it is missing and could be made. A folder made only to
// find this out is removed again.
bool IsUsableScratchFolder(const QString &dir)
{
    const QFileInfo fi(dir);
    // A link in its place could lead anywhere, and clearing the folder would
    // then delete files there.
    if (IsLink(fi))
        return false;
    if (fi.exists())
        return fi.isDir() && CanCreateFileIn(dir);
    if (!QDir().mkdir(dir))
        return false;
    const bool usable = CanCreateFileIn(dir);
    QDir().rmdir(dir);
    return usable;
}

QString PerUserScratchFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return QDir(base).filePath(QStringLiteral("tmp"));
}

// Says that the browser did not start, and where to choose another; on this
// platform nothing else would tell the user.
void ReportFailedLaunch(QWidget *owner)
{
    CWizardApp *app = CWizardApp::Get();
    const QString text =
        app->m_bUseDefaultBrowser
            ? QStringLiteral("The web browser could not be started: no program is set to open web pages.\n"
                             "Choose a browser with Options... on the first page.")
            : QStringLiteral("The web browser could not be started:\n%1\n"
                             "Choose another with Options... on the first page.")
                  .arg(QDir::toNativeSeparators(app->m_strBrowserPath));
    app->Ui().MessageBox(owner, text);
}

} // namespace

void OpenInBrowser(const QString &strPath, QWidget *owner)
{
    CWizardApp *app = CWizardApp::Get();
    const bool started = app->m_bUseDefaultBrowser
                             ? app->Ui().OpenDocument(strPath)
                             : app->Ui().StartProgram(app->m_strBrowserPath, {strPath}, QString());
    if (!started)
        ReportFailedLaunch(owner);
}

QString ScratchFolder()
{
    const QString local = CWizardApp::Get()->AppFilePath(QStringLiteral("tmp"));
    return IsUsableScratchFolder(local) ? local : PerUserScratchFolder();
}

void PreviewPage(const QString &strHTML, QWidget *owner)
{
    CWizardApp *app = CWizardApp::Get();
    const QString folder = ScratchFolder();
    QDir().mkpath(folder);
    const QString fileName = LoadString(StringId::PreviewFile);
    const QString path = QDir(folder).filePath(fileName);

    // A failed save is reported, and the browser is started all the same.
    QString error;
    if (!SavePage(path, folder, app->m_params, strHTML, app->m_strAppDir, &error)) {
        QString message = QStringLiteral("Save as file failed!");
        if (!error.isEmpty())
            message += QLatin1Char('\n') + error;
        app->Ui().MessageBox(owner, message);
    }

    bool started;
    if (app->m_bUseDefaultBrowser) {
        started = app->Ui().OpenDocument(path);
    } else if (app->m_strBrowserPath.toUpper().contains(QLatin1String("APPLETVIEWER"))) {
        // An applet viewer finds the page, the class file and the images
        // relative to its working folder.
        started = app->Ui().StartProgram(app->m_strBrowserPath, {fileName}, folder);
    } else {
        started = app->Ui().StartProgram(app->m_strBrowserPath, {path}, QString());
    }
    if (!started)
        ReportFailedLaunch(owner);
}

void ClearScratchFolder()
{
    const QString folder = ScratchFolder();
    QDir dir(folder);
    const QFileInfo info(folder);
    // Never through a link: its target is not ours to empty.
    if (!info.isDir() || IsLink(info))
        return;
    // Only what lies directly in the folder: files and links (the link
    // itself, never what it points to). Sub-folders and their contents stay.
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() || entry.isFile())
            QFile::remove(entry.absoluteFilePath());
    }
    // Fails, as intended, when anything is left in it.
    QDir().rmdir(folder);
}
