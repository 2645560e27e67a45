#include "store/FileSet.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

const char CFileSet::kChangedSinceRead[] = "it was changed since it was read";

namespace {

CFileSet::StepHook g_stepHook = nullptr;

void Step(CFileSet::EStep step, int nFile = -1)
{
    if (g_stepHook)
        g_stepHook(step, nFile);
}

// A change of up to this many files of the set's own folder needs no plan:
// the temps of an interrupted one are found by trying these numbers.
constexpr int kMaxFiles = 8;

// The journal of a change within the set's folder reads as before changes
// could reach other folders; one that names folders has its own header.
constexpr char kJournalHeader[] = "Vantrel file set 1";
constexpr char kJournalHeaderFolders[] = "Vantrel file set 2";
constexpr char kPlanHeader[] = "Vantrel file set plan 1";

// A path relative to the set's folder that stays inside it: parts separated
// by '/', none empty, "." or "..".
bool IsInsidePath(const QString &path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('\\')))
        return false;
    for (const QString &part : path.split(QLatin1Char('/')))
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return true;
}

QString FolderOf(const QString &relative)
{
    const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : relative.left(slash);
}

QString NameOf(const QString &relative)
{
    return relative.mid(relative.lastIndexOf(QLatin1Char('/')) + 1);
}

// Removes a file or a link (never what the link points to); true when
// nothing is left there.
bool RemoveEntry(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.exists() && !fi.isSymLink())
        return true;
    if (fi.isDir() && !fi.isSymLink())
        return false;
    return QFile::remove(path);
}

// The "<temp>\t<target>" lines of a journal or plan after its header, or
// false when it is not one (wrong header, a path outside the set's folder,
// a temp not named as this set's, temp and target in different folders).
bool ReadRenames(const QString &path, const QString &tempPrefix, QList<const char *> headers,
                 QList<QPair<QString, QString>> *pRenames)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    bool valid = false;
    for (const char *header : headers)
        valid = valid || (!lines.isEmpty() && lines.first() == header);
    for (qsizetype i = 1; valid && i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const QList<QByteArray> names = lines[i].split('\t');
        const QString temp = names.size() == 2 ? QString::fromUtf8(names[0]) : QString();
        const QString target = names.size() == 2 ? QString::fromUtf8(names[1]) : QString();
        valid = IsInsidePath(temp) && IsInsidePath(target) && NameOf(temp).startsWith(tempPrefix)
                && FolderOf(temp) == FolderOf(target);
        pRenames->append({temp, target});
    }
    return valid;
}

// Writes a small helper file in full and on disk, under a new name.
bool WriteHelper(const QString &path, const QByteArray &bytes, QString *pError)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)
        || !WriteAllBytes(out, bytes.constData(), bytes.size()) || !FlushToDisk(out)) {
        *pError = out.errorString();
        return false;
    }
    return true;
}

// Makes everything written to the file systems of these folders durable at
// once, where the system can (one call instead of one per file); false when
// each file has to be flushed itself.
bool SyncFileSystems(const QSet<QString> &folders)
{
#if defined(Q_OS_LINUX)
    QSet<dev_t> done;
    for (const QString &folder : folders) {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        struct stat st {};
        bool ok = ::fstat(fd, &st) == 0;
        if (ok && !done.contains(st.st_dev)) {
            ok = ::syncfs(fd) == 0;
            done.insert(st.st_dev);
        }
        ::close(fd);
        if (!ok)
            return false;
    }
    return true;
#else
    Q_UNUSED(folders);
    return false;
#endif
}

// True while the file at `path` is the one that was read.
bool StillAsRead(const QString &path, const CFileContent &file)
{
    const QFileInfo now(path);
    if (!now.isFile() || now.size() != file.readBytes.size()
        || now.lastModified().toMSecsSinceEpoch() != file.nReadModified)
        return false;
    QFile in(path);
    return in.open(QIODevice::ReadOnly) && in.readAll() == file.readBytes;
}

} // namespace

CFileSet::CFileSet(const QString &strSetPath)
{
    const QFileInfo fi(strSetPath);
    m_strFolder = QDir::cleanPath(fi.absolutePath());
    m_strName = fi.fileName();
}

CFileSet::~CFileSet()
{
    Unlock();
}

void CFileSet::SetStepHook(StepHook hook)
{
    g_stepHook = hook;
}

QString CFileSet::HelperPath(const QString &strSuffix) const
{
    return QDir(m_strFolder).filePath(QLatin1Char('.') + m_strName + strSuffix);
}

QString CFileSet::TempName(int nFile) const
{
    return QLatin1Char('.') + m_strName + QStringLiteral(".new%1").arg(nFile);
}

QString CFileSet::RelativeFolder(const QString &path) const
{
    const QString folder = QDir::cleanPath(QFileInfo(path).absolutePath());
    if (folder == m_strFolder)
        return QLatin1String("");
    const QString base = m_strFolder.endsWith(QLatin1Char('/')) ? m_strFolder : m_strFolder + QLatin1Char('/');
    if (!folder.startsWith(base))
        return QString();
    return folder.mid(base.size());
}

bool CFileSet::Lock(int nWaitMs, QString *pError)
{
    if (m_pLock)
        return true;
    auto lock = std::make_unique<CSaveLock>(HelperPath(QStringLiteral(".lock")));
    if (!lock->Lock(nWaitMs, pError))
        return false;
    m_pLock = std::move(lock);
    Recover();
    return true;
}

void CFileSet::Unlock()
{
    m_pLock.reset();
}

void CFileSet::KeepOldFiles(const QList<CFileContent> &files) const
{
#ifdef Q_OS_UNIX
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QFileInfo target(files[i].strPath);
        const QString old = QDir(target.absolutePath()).filePath(
            QLatin1Char('.') + m_strName + QStringLiteral(".old%1").arg(i));
        if (target.isFile() && !target.isSymLink())
            ::link(QFile::encodeName(target.filePath()).constData(), QFile::encodeName(old).constData());
    }
#else
    Q_UNUSED(files);
#endif
}

// Removes the temps and second names of a change: those of the first few
// numbers in the set's own folder, and `temps` (relative paths) with theirs.
void CFileSet::RemoveTemps(const QStringList &temps) const
{
    for (int i = 0; i < kMaxFiles; ++i) {
        RemoveEntry(HelperPath(QStringLiteral(".new%1").arg(i)));
        RemoveEntry(HelperPath(QStringLiteral(".old%1").arg(i)));
    }
    const QDir folder(m_strFolder);
    const QString newPart = QLatin1Char('.') + m_strName + QLatin1String(".new");
    const QString oldPart = QLatin1Char('.') + m_strName + QLatin1String(".old");
    for (const QString &temp : temps) {
        RemoveEntry(folder.filePath(temp));
        const QString name = NameOf(temp);
        if (name.startsWith(newPart)) {
            const QString folderPart = temp.left(temp.size() - name.size());
            RemoveEntry(folder.filePath(folderPart + oldPart + name.mid(newPart.size())));
        }
    }
    RemoveEntry(HelperPath(QStringLiteral(".commit.new")));
}

// Finishes a change whose journal is in place: renames the temps that are
// still there over their targets. Without a journal the change never
// reached its commit, so its temps are deleted and the targets stay.
void CFileSet::Recover()
{
    const QString tempPrefix = QLatin1Char('.') + m_strName + QLatin1String(".new");
    const QDir folder(m_strFolder);
    QStringList temps;

    const QString journalPath = HelperPath(QStringLiteral(".commit"));
    const QFileInfo journalInfo(journalPath);
    if (journalInfo.isFile() && !journalInfo.isSymLink()) {
        QList<QPair<QString, QString>> renames;
        if (ReadRenames(journalPath, tempPrefix, {kJournalHeader, kJournalHeaderFolders}, &renames)) {
            QSet<QString> folders;
            for (const auto &[temp, target] : renames) {
                const QFileInfo tempInfo(folder.filePath(temp));
                if (tempInfo.isFile() && !tempInfo.isSymLink())
                    RenameOver(tempInfo.filePath(), folder.filePath(target));
                folders.insert(QFileInfo(folder.filePath(target)).absolutePath());
                temps.append(temp);
            }
            for (const QString &f : folders)
                FlushFolder(f);
            FlushFolder(m_strFolder);
        }
    }
    RemoveEntry(journalPath);

    const QString planPath = HelperPath(QStringLiteral(".plan"));
    const QFileInfo planInfo(planPath);
    if (planInfo.isFile() && !planInfo.isSymLink()) {
        QList<QPair<QString, QString>> planned;
        // A plan cut short by a kill is read as far as it goes: its temps
        // were not begun before it was whole.
        ReadRenames(planPath, tempPrefix, {kPlanHeader}, &planned);
        for (const auto &entry : planned)
            if (IsInsidePath(entry.first) && NameOf(entry.first).startsWith(tempPrefix))
                temps.append(entry.first);
    }
    RemoveTemps(temps);
    RemoveEntry(planPath);
}

bool CFileSet::Replace(const QList<CFileContent> &files, int nWaitMs, QString *pFailedPath,
                       QString *pError)
{
    auto fail = [&](const QString &path, const QString &reason) {
        if (pFailedPath)
            *pFailedPath = path;
        if (pError)
            *pError = reason;
        RemoveTemps(m_temps);
        RemoveEntry(HelperPath(QStringLiteral(".plan")));
        m_temps.clear();
        return false;
    };
    QString error;
    if (!Lock(nWaitMs, &error)) {
        // The temps there, if any, are another change's.
        if (pFailedPath)
            *pFailedPath = files.isEmpty() ? HelperPath(QString()) : files.first().strPath;
        if (pError)
            *pError = error;
        return false;
    }
    m_temps.clear();
    Step(EStep::Locked);
    if (files.isEmpty())
        return fail(HelperPath(QString()), QStringLiteral("a change names no file"));

    // Every target is checked before anything is written.
    QStringList folders; // of each file, relative to the set's folder
    bool otherFolders = false;
    for (const CFileContent &file : files) {
        const QFileInfo target(file.strPath);
        const QString relative = RelativeFolder(file.strPath);
        if (relative.isNull())
            return fail(file.strPath, QStringLiteral("not in the folder of %1").arg(m_strName));
        folders.append(relative);
        otherFolders = otherFolders || !relative.isEmpty();
        if (target.isSymLink())
            continue; // replaced by the file, not followed
        if (target.isDir())
            return fail(file.strPath, QStringLiteral("a folder of this name is in the way"));
        if (target.exists() && !target.isWritable())
            return fail(file.strPath, QStringLiteral("the existing file is not writable"));
    }
    auto relativePath = [](const QString &folder, const QString &name) {
        return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
    };

    // Where the temps go, on disk before the first of them, when they cannot
    // be found by their numbers alone.
    QByteArray renames;
    for (qsizetype i = 0; i < files.size(); ++i) {
        m_temps.append(relativePath(folders[i], TempName(int(i))));
        renames += m_temps.last().toUtf8() + '\t'
                   + relativePath(folders[i], QFileInfo(files[i].strPath).fileName()).toUtf8() + '\n';
    }
    const bool many = files.size() > kMaxFiles;
    if (many || otherFolders) {
        if (!WriteHelper(HelperPath(QStringLiteral(".plan")), QByteArray(kPlanHeader) + '\n' + renames, &error))
            return fail(files.first().strPath, error);
        FlushFolder(m_strFolder);
        Step(EStep::PlanWritten);
    }

    // The new contents, each in full, with the permissions of the file each
    // replaces. A few are flushed one by one; many are made durable with
    // one flush of their file system where the system offers one.
    const QDir setFolder(m_strFolder);
    QSet<QString> absoluteFolders;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const CFileContent &file = files[i];
        const QString temp = setFolder.filePath(m_temps[i]);
        QFile out(temp);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return fail(file.strPath, out.errorString());
        const QFileInfo target(file.strPath);
        if (target.exists() && !target.isSymLink())
            out.setPermissions(target.permissions());
        if (!WriteAllBytes(out, file.bytes.constData(), file.bytes.size())
            || (file.nSetModified >= 0
                && !out.setFileTime(QDateTime::fromMSecsSinceEpoch(file.nSetModified, Qt::UTC),
                                    QFileDevice::FileModificationTime))
            || (!many && !FlushToDisk(out))) {
            const QString reason = out.error() != QFileDevice::NoError
                                       ? out.errorString()
                                       : QStringLiteral("not all of the file could be written");
            out.close();
            return fail(file.strPath, reason);
        }
        out.close();
        absoluteFolders.insert(QFileInfo(temp).absolutePath());
        Step(EStep::TempWritten, int(i));
    }
    if (many && !SyncFileSystems(absoluteFolders)) {
        for (qsizetype i = 0; i < files.size(); ++i) {
            QFile out(setFolder.filePath(m_temps[i]));
            if (!out.open(QIODevice::ReadWrite) || !FlushToDisk(out))
                return fail(files[i].strPath, out.errorString());
        }
    }
    for (const QString &f : absoluteFolders)
        if (f != m_strFolder)
            FlushFolder(f);

    // A file that must be unchanged, and was changed by someone else since
    // it was read, stops the change: its new content would undo theirs.
    for (const CFileContent &file : files)
        if (file.bMustBeUnchanged && !StillAsRead(file.strPath, file))
            return fail(file.strPath, QLatin1String(kChangedSinceRead));
    Step(EStep::Checked);

    // The files being replaced keep a second name until the renames are
    // done, so that a rename does not have to free a large file's blocks:
    // the renames follow each other as closely as they can.
    KeepOldFiles(files);

    // The journal, whole and on disk before it takes its name: renaming it
    // into place is the commit.
    const QString journalPath = HelperPath(QStringLiteral(".commit"));
    const QString journalTemp = HelperPath(QStringLiteral(".commit.new"));
    if (!WriteHelper(journalTemp,
                     QByteArray(otherFolders ? kJournalHeaderFolders : kJournalHeader) + '\n' + renames, &error))
        return fail(files.first().strPath, error);
    Step(EStep::JournalWritten);
    if (!RenameOver(journalTemp, journalPath, &error))
        return fail(files.first().strPath, error);
    FlushFolder(m_strFolder);
    Step(EStep::Committed);

    // Past the commit: a rename that fails now leaves the journal, so the
    // next Lock() of the set tries again.
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!RenameOver(setFolder.filePath(m_temps[i]), files[i].strPath, &error)) {
            if (pFailedPath)
                *pFailedPath = files[i].strPath;
            if (pError)
                *pError = error;
            m_temps.clear();
            return false;
        }
        Step(EStep::Renamed, int(i));
    }
    for (const QString &f : absoluteFolders)
        FlushFolder(f);
    Step(EStep::Flushed);
    QFile::remove(journalPath);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString temp = setFolder.filePath(m_temps[i]);
        RemoveEntry(QFileInfo(temp).absolutePath() + QLatin1Char('/') + QLatin1Char('.') + m_strName
                    + QStringLiteral(".old%1").arg(i));
    }
    RemoveEntry(HelperPath(QStringLiteral(".plan")));
    m_temps.clear();
    Step(EStep::Finished);
    return true;
}
