#include "app/PreviewLauncher.h"

#include "app/WizardHost.h"
#include "model/text/StringTable.h"
#include "store/project/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

// Why the folder at `dir` cannot hold previews, or an empty text when it
// can: a link in its place could lead anywhere (and clearing the folder
// would delete files there), and a folder of another user's could be
// changed by that user while we write into it.
QString ScratchRefusal(const QString &dir)
{
    const QFileInfo fi(dir);
    if (IsLink(fi))
        return QStringLiteral("it is a link");
    if (!fi.exists())
        return QString();
    if (!fi.isDir())
        return QStringLiteral("it is not a folder");
#ifdef Q_OS_UNIX
    if (fi.ownerId() != ::geteuid())
        return QStringLiteral("it belongs to another user");
#endif
    return QString();
}

QString RefusalText(const QString &dir, const QString &reason)
{
    return QStringLiteral("The preview folder %1 is not used: %2.").arg(QDir::toNativeSeparators(dir), reason);
}

// True when the scratch folder can live at `dir`: it is a folder of ours
// where files can be written, or it is missing and could be made. A folder
// made only to find this out is removed again.
bool IsUsableScratchFolder(const QString &dir)
{
    if (!ScratchRefusal(dir).isEmpty())
        return false;
    if (QFileInfo::exists(dir))
        return CanCreateFileIn(dir);
    if (!QDir().mkdir(dir))
        return false;
    const bool usable = CanCreateFileIn(dir);
    QDir().rmdir(dir);
    return usable;
}

// Makes the scratch folder owner-only (creating it so when missing) and
// removes any link directly in it, so that nothing is written through one.
// Checked again here, just before it is used. Returns the refusal, if any.
QString PrepareScratchFolder(const QString &dir)
{
    constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!QFileInfo::exists(dir) && !QFileInfo(dir).isSymLink()) {
        QDir().mkpath(QFileInfo(dir).absolutePath());
        if (!QDir().mkdir(dir, kOwnerOnly))
            return QStringLiteral("it cannot be created");
    }
    const QString refusal = ScratchRefusal(dir);
    if (!refusal.isEmpty())
        return refusal;
    if (!QFile::setPermissions(dir, kOwnerOnly))
        return QStringLiteral("its permissions cannot be set");
    const QFileInfoList entries =
        QDir(dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (IsLink(entry))
            QFile::remove(entry.absoluteFilePath());
    }
    return QString();
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
void ReportFailedLaunch(CWizardHost &host, QWidget *owner)
{
    const QString text =
        host.UsesDefaultBrowser()
            ? QStringLiteral("The web browser could not be started: no program is set to open web pages.\n"
                             "Choose a browser with Options... on the first page.")
            : QStringLiteral("The web browser could not be started:\n%1\n"
                             "Choose another with Options... on the first page.")
                  .arg(QDir::toNativeSeparators(host.BrowserPath()));
    host.Ui().MessageBox(owner, text);
}

} // namespace

void OpenInBrowser(CWizardHost &host, const QString &strPath, QWidget *owner)
{
    const bool started = host.UsesDefaultBrowser()
                             ? host.Ui().OpenDocument(strPath)
                             : host.Ui().StartProgram(host.BrowserPath(), {strPath}, QString());
    if (!started)
        ReportFailedLaunch(host, owner);
}

QString ScratchFolder(const CWizardHost &host, QString *pRefusal)
{
    const QString local = host.AppFilePath(QStringLiteral("tmp"));
    const bool installed = QFileInfo::exists(host.AppFilePath(QLatin1String(kInstalledMarker)));
    if (!installed && IsUsableScratchFolder(local))
        return local;
    const QString perUser = PerUserScratchFolder();
    const QString refusal = ScratchRefusal(perUser);
    if (refusal.isEmpty())
        return perUser;
    if (pRefusal)
        *pRefusal = RefusalText(perUser, refusal);
    return QString();
}

void PreviewPage(CWizardHost &host, const QString &strHTML, QWidget *owner)
{
    auto reportFailedSave = [&](const QString &strError) {
        QString message = QStringLiteral("Save as file failed!");
        if (!strError.isEmpty())
            message += QLatin1Char('\n') + strError;
        host.Ui().MessageBox(owner, message);
    };

    // A scratch folder that cannot be used safely is reported as a failed
    // save, and nothing is shown: what lies there is not this preview.
    QString refusal;
    const QString folder = ScratchFolder(host, &refusal);
    if (!folder.isEmpty()) {
        const QString problem = PrepareScratchFolder(folder);
        if (!problem.isEmpty())
            refusal = RefusalText(folder, problem);
    }
    if (!refusal.isEmpty()) {
        reportFailedSave(refusal);
        return;
    }
    const QString fileName = LoadString(StringId::PreviewFile);
    const QString path = QDir(folder).filePath(fileName);

    // A failed save is reported, and the browser is started all the same.
    QString error;
    if (!SavePage(path, folder, host.Params(), strHTML, host.AppDir(), &error))
        reportFailedSave(error);

    const QString browser = host.BrowserPath();
    bool started;
    if (host.UsesDefaultBrowser()) {
        started = host.Ui().OpenDocument(path);
    } else if (browser.toUpper().contains(QLatin1String("APPLETVIEWER"))) {
        // An applet viewer finds the page, the class file and the images
        // relative to its working folder.
        started = host.Ui().StartProgram(browser, {fileName}, folder);
    } else {
        started = host.Ui().StartProgram(browser, {path}, QString());
    }
    if (!started)
        ReportFailedLaunch(host, owner);
}

void ClearScratchFolder(const CWizardHost &host)
{
    const QString folder = ScratchFolder(host);
    QDir dir(folder);
    // Never through a link, never another user's: not ours to empty.
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || !ScratchRefusal(folder).isEmpty())
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
