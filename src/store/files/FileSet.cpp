#include "store/files/FileSet.h"

#include "store/files/PictureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <vector>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

const char CFileSet::kChangedSinceRead[] = "it was changed since it was read";
const char CFileSet::kThereAlready[] = "a file of this name is there already; nothing was written";

namespace {

CFileSet::StepHook g_stepHook = nullptr;

void Step(CFileSet::EStep step, int nFile = -1)
{
    if (g_stepHook)
        g_stepHook(step, nFile);
}

// More files than this are made durable with one flush of their file
// system instead of one flush each.
constexpr int kMaxFlushedOneByOne = 8;

// The journal of a change within the set's folder reads as before changes
// could reach other folders; one that names folders has its own header.
constexpr char kJournalHeader[] = "Vantrel file set 1";
constexpr char kJournalHeaderFolders[] = "Vantrel file set 2";
constexpr char kPlanHeader[] = "Vantrel file set plan 1";

QString SystemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Names the plan and journal can hold: no control character (they end
// lines and fields) and no backslash (a folder separator elsewhere).
bool HoldableName(const QString &path)
{
    for (const QChar c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('\\'))
            return false;
    return true;
}

// --- descriptors: the few calls that differ between the systems.

bool WriteAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
#ifdef Q_OS_WIN
        const int written = ::_write(fd, data, unsigned(qMin<qint64>(size, 1 << 30)));
#else
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
#endif
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool Flush(int fd)
{
#ifdef Q_OS_WIN
    return ::_commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

void Close(int fd)
{
#ifdef Q_OS_WIN
    ::_close(fd);
#else
    ::close(fd);
#endif
}

bool SetModified(int fd, qint64 msSinceEpoch)
{
#ifdef Q_OS_WIN
    Q_UNUSED(fd);
    Q_UNUSED(msSinceEpoch);
    return true;
#else
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(msSinceEpoch / 1000);
    times[1].tv_nsec = long(msSinceEpoch % 1000) * 1000000;
    return ::futimens(fd, times) == 0;
#endif
}

// A source of a copy, opened once: what is checked is what is copied.
struct CSource {
    int fd = -1;
    int nMode = 0644;
    quint64 nDevice = 0;
    quint64 nInode = 0;
};

// Opens the source of a copy (a link to a file counts, as the user's
// pictures may be links); refused unless a regular file and, when asked, a
// picture by content.
bool OpenSource(const CFileContent &file, CSource *pSource, QString *pError)
{
    const QString shown = QDir::toNativeSeparators(file.strCopyFrom);
#ifdef Q_OS_WIN
    const int fd = ::_wopen(reinterpret_cast<const wchar_t *>(shown.utf16()), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        *pError = QStringLiteral("%1: %2").arg(shown, SystemReason());
        return false;
    }
#else
    // O_NONBLOCK: a pipe is refused below instead of waited on.
    const int fd = ::open(QFile::encodeName(file.strCopyFrom).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *pError = QStringLiteral("%1: %2").arg(shown, fd < 0 ? SystemReason() : QStringLiteral("is not a regular file"));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    pSource->nMode = int(st.st_mode & 0777);
    pSource->nDevice = quint64(st.st_dev);
    pSource->nInode = quint64(st.st_ino);
#endif
    if (file.bPictureOnly) {
        // The start of the very file that is copied.
        QByteArray head(kPictureHeadSize, Qt::Uninitialized);
#ifdef Q_OS_WIN
        const int got = ::_read(fd, head.data(), unsigned(head.size()));
#else
        const ssize_t got = ::pread(fd, head.data(), size_t(head.size()), 0);
#endif
        head.truncate(got < 0 ? 0 : qsizetype(got));
        if (!IsPictureContent(head)) {
            Close(fd);
            *pError = QStringLiteral("%1: is not a picture").arg(shown);
            return false;
        }
    }
    pSource->fd = fd;
    return true;
}

// Copies the rest of the source into fd from its start.
bool CopyFrom(const CSource &source, int fd)
{
    static constexpr qint64 kChunk = 64 * 1024;
    QByteArray buffer(kChunk, Qt::Uninitialized);
#ifdef Q_OS_WIN
    ::_lseek(source.fd, 0, SEEK_SET);
    for (;;) {
        const int got = ::_read(source.fd, buffer.data(), unsigned(kChunk));
#else
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(source.fd, buffer.data(), size_t(kChunk), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got > 0)
            at += got;
#endif
        if (got == 0)
            return true;
        if (got < 0 || !WriteAll(fd, buffer.constData(), got))
            return false;
    }
}

// A plan or journal: the header, then "<temp>\t<target>" lines. A file cut
// short by a kill (the plan or the journal's temp) reads as far as its last
// whole line. False when it is not one of ours: another header, or a temp
// not named as this set's, a path outside the set's folder, temp and target
// in different folders.
enum class EHelper { Ours, Foreign };
EHelper ReadRenames(const QByteArray &bytes, const QString &tempPrefix, const QList<const char *> &headers,
                    QList<QPair<QString, QString>> *pRenames)
{
    const qsizetype firstEnd = bytes.indexOf('\n');
    const QByteArray first = firstEnd < 0 ? bytes : bytes.left(firstEnd);
    bool known = false;
    for (const char *header : headers)
        known = known || first == header || (firstEnd < 0 && QByteArray(header).startsWith(first));
    if (!known)
        return EHelper::Foreign;
    if (firstEnd < 0)
        return EHelper::Ours;
    const QList<QByteArray> lines = bytes.mid(firstEnd + 1).split('\n');
    // The last part has no line end: a whole file ends in one, so it is
    // empty or was cut short.
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> names = lines[i].split('\t');
        if (names.size() != 2)
            return EHelper::Foreign;
        const QString temp = QString::fromUtf8(names[0]);
        const QString target = QString::fromUtf8(names[1]);
        if (!CFolderHandle::IsInside(temp) || !CFolderHandle::IsInside(target)
            || !CFolderHandle::NameOf(temp).startsWith(tempPrefix)
            || CFolderHandle::FolderOf(temp) != CFolderHandle::FolderOf(target))
            return EHelper::Foreign;
        pRenames->append({temp, target});
    }
    return EHelper::Ours;
}

// The second name of a temp: ".<name>.new<rest>" -> ".<name>.old<rest>".
QString OldNameOf(const QString &temp, const QString &newPart, const QString &oldPart)
{
    const QString name = CFolderHandle::NameOf(temp);
    if (!name.startsWith(newPart))
        return QString();
    return temp.left(temp.size() - name.size()) + oldPart + name.mid(newPart.size());
}

} // namespace

CFileSet::CFileSet(const QString &strSetPath)
    : m_strSetPath(strSetPath)
{
    const QFileInfo fi(strSetPath);
    m_strGivenFolder = QDir::cleanPath(fi.absolutePath());
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

bool CFileSet::IsOwnFileName(const QString &strFileName, const QString &strSetName)
{
    return strFileName.startsWith(QLatin1Char('.') + strSetName + QLatin1Char('.'));
}

bool CFileSet::OpenFolder(QString *pError)
{
    return m_folder.IsOpen() || m_folder.Open(m_strGivenFolder, pError);
}

QString CFileSet::Relative(const QString &path) const
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const QString &folder : {m_strGivenFolder, m_folder.Path()}) {
        if (folder.isEmpty())
            continue;
        const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        if (clean.startsWith(base) && clean.size() > base.size())
            return clean.mid(base.size());
    }
    return QString();
}

bool CFileSet::HasInterruptedChange(const QString &strSetPath)
{
    const QFileInfo set(strSetPath);
    CFolderHandle folder;
    if (!folder.Open(set.absolutePath()))
        return false;
    for (const char *suffix : {".commit", ".plan"}) {
        CFolderHandle::CEntry entry;
        if (folder.Look(QLatin1Char('.') + set.fileName() + QLatin1String(suffix), &entry)
            && entry.kind != CFolderHandle::EKind::Missing)
            return true;
    }
    return false;
}

bool CFileSet::Lock(int nWaitMs, QString *pError)
{
    if (m_pLock)
        return true;
    m_bBusy = false;
    if (!OpenFolder(pError))
        return false;
    auto lock = std::make_unique<CSaveLock>(m_folder, Own(QStringLiteral(".lock")));
    if (!lock->Lock(nWaitMs, pError)) {
        m_bBusy = lock->WasHeld();
        return false;
    }
    m_pLock = std::move(lock);
    if (!Recover(pError)) {
        m_pLock.reset();
        return false;
    }
    return true;
}

void CFileSet::Unlock()
{
    m_pLock.reset();
}

void CFileSet::RemoveTemps(const QStringList &temps) const
{
    const QString newPart = Own(QStringLiteral(".new"));
    const QString oldPart = Own(QStringLiteral(".old"));
    for (const QString &temp : temps) {
        if (!CFolderHandle::NameOf(temp).startsWith(newPart))
            continue;
        m_folder.Remove(temp);
        m_folder.Remove(OldNameOf(temp, newPart, oldPart));
    }
}

// Finishes a change whose journal is in place: renames the temps that are
// still there over their targets. Without a journal the change never
// reached its commit, so its temps (found in the plan) are deleted and the
// targets stay. A link or a file not of ours at the name of the journal or
// plan stops everything, and is left as it is.
bool CFileSet::Recover(QString *pError)
{
    const QString tempPrefix = Own(QStringLiteral(".new"));
    auto readOwn = [&](const QString &name, const QList<const char *> &headers,
                       QList<QPair<QString, QString>> *pRenames, bool *pThere) {
        *pThere = false;
        CFolderHandle::CEntry entry;
        QString error;
        if (!m_folder.Look(name, &entry, &error)) {
            if (pError)
                *pError = error;
            return false;
        }
        if (entry.kind == CFolderHandle::EKind::Missing)
            return true;
        QByteArray bytes;
        if (!m_folder.ReadFile(name, &bytes, nullptr, &error)) {
            if (pError)
                *pError = error;
            return false;
        }
        if (ReadRenames(bytes, tempPrefix, headers, pRenames) != EHelper::Ours) {
            if (pError)
                *pError = QStringLiteral("%1: is not a file of Vantrel's, but named like one; move it away and "
                                         "try again")
                              .arg(m_folder.FullPath(name));
            return false;
        }
        *pThere = true;
        return true;
    };

    QList<QPair<QString, QString>> journal, journalTemp, plan;
    bool hasJournal = false, hasJournalTemp = false, hasPlan = false;
    if (!readOwn(Own(QStringLiteral(".commit")), {kJournalHeader, kJournalHeaderFolders}, &journal, &hasJournal)
        || !readOwn(Own(QStringLiteral(".commit.new")), {kJournalHeader, kJournalHeaderFolders}, &journalTemp,
                    &hasJournalTemp)
        || !readOwn(Own(QStringLiteral(".plan")), {kPlanHeader}, &plan, &hasPlan))
        return false;

    QStringList temps;
    if (hasJournal) {
        QSet<QString> folders;
        for (const auto &[temp, target] : journal) {
            CFolderHandle::CEntry entry;
            QString error;
            if (!m_folder.Look(temp, &entry, &error)) {
                // A folder on the way is gone or a link now: the journal
                // stays, and the change is finished once it can be.
                if (pError)
                    *pError = error;
                return false;
            }
            if (entry.kind == CFolderHandle::EKind::File && !m_folder.Rename(temp, target, &error)) {
                if (pError)
                    *pError = error;
                return false;
            }
            folders.insert(CFolderHandle::FolderOf(target));
            temps.append(temp);
        }
        for (const QString &f : folders)
            m_folder.FlushFolder(f);
        m_folder.FlushFolder(QString());
        m_folder.Remove(Own(QStringLiteral(".commit")));
    }
    for (const auto &entry : journalTemp + plan)
        temps.append(entry.first);
    RemoveTemps(temps);
    if (hasJournalTemp)
        m_folder.Remove(Own(QStringLiteral(".commit.new")));
    if (hasPlan)
        m_folder.Remove(Own(QStringLiteral(".plan")));
    return true;
}

bool CFileSet::Replace(const QList<CFileContent> &files, int nWaitMs, QString *pFailedPath, QString *pError)
{
    // What this change has made so far, removed again when it fails.
    QStringList made;
    std::vector<CSource> sources;
    bool planMade = false;
    auto closeSources = [&] {
        for (CSource &source : sources)
            if (source.fd >= 0)
                Close(source.fd);
        sources.clear();
    };
    auto fail = [&](const QString &path, const QString &reason) {
        if (pFailedPath)
            *pFailedPath = path;
        if (pError)
            *pError = reason;
        closeSources();
        for (const QString &file : made)
            m_folder.Remove(file);
        if (planMade)
            m_folder.Remove(Own(QStringLiteral(".plan")));
        return false;
    };
    QString error;
    if (!Lock(nWaitMs, &error)) {
        // The temps there, if any, are another change's.
        if (pFailedPath)
            *pFailedPath = files.isEmpty() ? m_strSetPath : files.first().strPath;
        if (pError)
            *pError = error;
        return false;
    }
    Step(EStep::Locked);
    if (files.isEmpty())
        return fail(m_strSetPath, QStringLiteral("a change names no file"));

    // Every target is checked, and every source opened, before anything is
    // written.
    QStringList targets; // relative to the set's folder
    QSet<QString> named;
    std::vector<bool> skip(size_t(files.size()), false);
    for (const CFileContent &file : files) {
        const QString relative = Relative(file.strPath);
        const QString shown = QDir::toNativeSeparators(file.strPath);
        if (relative.isNull() || !CFolderHandle::IsInside(relative))
            return fail(file.strPath, QStringLiteral("%1: not in the folder of %2").arg(shown, m_strName));
        if (!HoldableName(relative))
            return fail(file.strPath, QStringLiteral("%1: a name with a control character or a backslash cannot be "
                                                     "recorded; rename the file")
                                          .arg(shown));
        if (IsOwnFileName(CFolderHandle::NameOf(relative), m_strName))
            return fail(file.strPath, QStringLiteral("%1: is named like one of Vantrel's own files for %2; rename it")
                                          .arg(shown, m_strName));
        if (named.contains(relative))
            return fail(file.strPath, QStringLiteral("%1: is named twice in one change").arg(shown));
        named.insert(relative);
        CFolderHandle::CEntry entry;
        if (!m_folder.Look(relative, &entry, &error))
            return fail(file.strPath, error);
        if (file.bMustBeNew && entry.kind != CFolderHandle::EKind::Missing)
            return fail(file.strPath, QStringLiteral("%1: %2").arg(shown, QLatin1String(kThereAlready)));
        switch (entry.kind) {
        case CFolderHandle::EKind::Link:
            return fail(file.strPath,
                        QStringLiteral("%1: is a symbolic link, which Vantrel does not follow in the site folder; "
                                       "nothing was written")
                            .arg(m_folder.FullPath(relative)));
        case CFolderHandle::EKind::Folder:
            return fail(file.strPath, QStringLiteral("%1: a folder of this name is in the way").arg(shown));
        case CFolderHandle::EKind::Other:
            return fail(file.strPath, QStringLiteral("%1: is not a regular file").arg(shown));
        case CFolderHandle::EKind::File:
            if (!QFileInfo(m_folder.FullPath(relative)).isWritable())
                return fail(file.strPath, QStringLiteral("%1: the existing file is not writable").arg(shown));
            break;
        case CFolderHandle::EKind::Missing:
            break;
        }
        CSource source;
        if (!file.strCopyFrom.isEmpty()) {
            if (!OpenSource(file, &source, &error))
                return fail(file.strPath, error);
            // The copy would be the file itself: nothing to do.
            skip[size_t(targets.size())] = entry.kind == CFolderHandle::EKind::File
                                           && entry.nDevice == source.nDevice && entry.nInode == source.nInode;
        }
        sources.push_back(source);
        targets.append(relative);
    }

    // Names no one can have chosen beforehand, on disk in the plan before
    // the first of them is made.
    const QString token = QString::number(QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFull, 36);
    QStringList temps, olds;
    QByteArray renames;
    bool otherFolders = false;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const QString folder = CFolderHandle::FolderOf(targets[i]);
        const QString prefix = folder.isEmpty() ? QString() : folder + QLatin1Char('/');
        otherFolders = otherFolders || !folder.isEmpty();
        temps.append(prefix + Own(QStringLiteral(".new%1.%2").arg(i).arg(token)));
        olds.append(prefix + Own(QStringLiteral(".old%1.%2").arg(i).arg(token)));
        if (!skip[size_t(i)])
            renames += temps.last().toUtf8() + '\t' + targets[i].toUtf8() + '\n';
    }
    const QString planName = Own(QStringLiteral(".plan"));
    const QByteArray plan = QByteArray(kPlanHeader) + '\n' + renames;
    int fd = m_folder.CreateNew(planName, 0644, &error);
    planMade = fd >= 0;
    if (fd < 0 || !WriteAll(fd, plan.constData(), plan.size()) || !Flush(fd)) {
        if (fd >= 0)
            Close(fd);
        return fail(files.first().strPath, fd < 0 ? error : m_folder.FullPath(planName) + QStringLiteral(": ") + SystemReason());
    }
    Close(fd);
    m_folder.FlushFolder(QString());
    Step(EStep::PlanWritten);

    // The new contents, each in full, with the permissions of the file each
    // replaces (a copy: of its source). A few are flushed one by one; many
    // are made durable with one flush of their file system where the system
    // offers one.
    const bool many = files.size() > kMaxFlushedOneByOne;
    QStringList tempFolders;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (skip[size_t(i)])
            continue;
        const CFileContent &file = files[i];
        const CSource &source = sources[size_t(i)];
        CFolderHandle::CEntry target;
        m_folder.Look(targets[i], &target);
        const bool copy = !file.strCopyFrom.isEmpty();
        const int mode = copy ? source.nMode : target.kind == CFolderHandle::EKind::File ? target.nMode : 0666;
        fd = m_folder.CreateNew(temps[i], mode, &error);
        if (fd < 0)
            return fail(file.strPath, error);
        made.append(temps[i]);
#ifndef Q_OS_WIN
        // Exactly the bits asked for, whatever the umask: a private picture
        // stays private, a page keeps its mode.
        if (copy || target.kind == CFolderHandle::EKind::File)
            ::fchmod(fd, mode_t(mode));
#endif
        const bool written = copy ? CopyFrom(source, fd) : WriteAll(fd, file.bytes.constData(), file.bytes.size());
        const int writeError = errno;
        bool ok = written && (file.nSetModified < 0 || SetModified(fd, file.nSetModified)) && (many || Flush(fd));
        Close(fd);
        if (!ok) {
            errno = writeError;
            return fail(file.strPath, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.strPath),
                                                                   written ? SystemReason()
                                                                           : QStringLiteral("not all of the file could "
                                                                                            "be written")));
        }
        const QString folder = CFolderHandle::FolderOf(targets[i]);
        if (!tempFolders.contains(folder))
            tempFolders.append(folder);
        Step(EStep::TempWritten, int(i));
    }
    closeSources();
    if (many && !m_folder.SyncFileSystems(tempFolders)) {
        for (qsizetype i = 0; i < files.size(); ++i) {
            if (skip[size_t(i)])
                continue;
            fd = m_folder.OpenExisting(temps[i], true, &error);
            const bool ok = fd >= 0 && Flush(fd);
            if (fd >= 0)
                Close(fd);
            if (!ok)
                return fail(files[i].strPath, error);
        }
    }
    for (const QString &f : tempFolders)
        if (!f.isEmpty())
            m_folder.FlushFolder(f);

    // The files being replaced keep a second name until the renames are
    // done, so that a rename does not have to free a large file's blocks:
    // the renames follow each other as closely as they can.
    for (qsizetype i = 0; i < files.size(); ++i)
        if (!skip[size_t(i)] && m_folder.Link(targets[i], olds[i]))
            made.append(olds[i]);

    // The journal, whole and on disk before it takes its name: renaming it
    // into place is the commit.
    const QString journalName = Own(QStringLiteral(".commit"));
    const QString journalTemp = Own(QStringLiteral(".commit.new"));
    const QByteArray journal = QByteArray(otherFolders ? kJournalHeaderFolders : kJournalHeader) + '\n' + renames;
    fd = m_folder.CreateNew(journalTemp, 0644, &error);
    if (fd >= 0)
        made.append(journalTemp);
    if (fd < 0 || !WriteAll(fd, journal.constData(), journal.size()) || !Flush(fd)) {
        if (fd >= 0)
            Close(fd);
        return fail(files.first().strPath, fd < 0 ? error : m_folder.FullPath(journalTemp) + QStringLiteral(": ") + SystemReason());
    }
    Close(fd);
    Step(EStep::JournalWritten);

    // The last step before the commit: a file that must be unchanged, and
    // was changed by someone else since it was read, stops the change (its
    // new content would undo theirs); so does a link put at a target.
    for (qsizetype i = 0; i < files.size(); ++i) {
        const CFileContent &file = files[i];
        CFolderHandle::CEntry entry;
        if (!m_folder.Look(targets[i], &entry, &error))
            return fail(file.strPath, error);
        if (entry.kind == CFolderHandle::EKind::Link || entry.kind == CFolderHandle::EKind::Folder)
            return fail(file.strPath, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.strPath),
                                                                   QLatin1String(kChangedSinceRead)));
        if (file.bMustBeNew && entry.kind != CFolderHandle::EKind::Missing)
            return fail(file.strPath, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.strPath),
                                                                   QLatin1String(kThereAlready)));
        if (!file.bMustBeUnchanged)
            continue;
        QByteArray now;
        if (entry.kind != CFolderHandle::EKind::File || entry.nSize != file.readBytes.size()
            || entry.nModified != file.nReadModified || !m_folder.ReadFile(targets[i], &now)
            || now != file.readBytes)
            return fail(file.strPath, QLatin1String(kChangedSinceRead));
    }
    Step(EStep::Checked);

    if (!m_folder.Rename(journalTemp, journalName, &error))
        return fail(files.first().strPath, error);
    made.removeAll(journalTemp);
    m_folder.FlushFolder(QString());
    Step(EStep::Committed);

    // Past the commit: a rename that fails now leaves the journal, so the
    // next Lock() of the set tries again.
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (skip[size_t(i)])
            continue;
        if (!m_folder.Rename(temps[i], targets[i], &error)) {
            if (pFailedPath)
                *pFailedPath = files[i].strPath;
            if (pError)
                *pError = error;
            return false;
        }
        Step(EStep::Renamed, int(i));
    }
    for (const QString &f : tempFolders)
        m_folder.FlushFolder(f);
    Step(EStep::Flushed);
    m_folder.Remove(journalName);
    for (qsizetype i = 0; i < files.size(); ++i)
        m_folder.Remove(olds[i]);
    m_folder.Remove(planName);
    Step(EStep::Finished);
    return true;
}
