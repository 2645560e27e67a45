#include "store/FileSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

CFileSet::StepHook g_stepHook = nullptr;

void Step(CFileSet::EStep step, int nFile = -1)
{
    if (g_stepHook)
        g_stepHook(step, nFile);
}

// A set has few files; the temps of an interrupted change are found by
// trying these numbers.
constexpr int kMaxFiles = 8;

constexpr char kJournalHeader[] = "Vantrel file set 1";

bool IsBareName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
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
        if (target.isFile() && !target.isSymLink())
            ::link(QFile::encodeName(target.filePath()).constData(),
                   QFile::encodeName(HelperPath(QStringLiteral(".old%1").arg(i))).constData());
    }
#else
    Q_UNUSED(files);
#endif
}

void CFileSet::RemoveTemps() const
{
    for (int i = 0; i < kMaxFiles; ++i) {
        RemoveEntry(HelperPath(QStringLiteral(".new%1").arg(i)));
        RemoveEntry(HelperPath(QStringLiteral(".old%1").arg(i)));
    }
    RemoveEntry(HelperPath(QStringLiteral(".commit.new")));
}

// Finishes a change whose journal is in place: renames the temps that are
// still there over their targets. Without a journal the change never
// reached its commit, so its temps are deleted and the targets stay.
void CFileSet::Recover()
{
    const QString journalPath = HelperPath(QStringLiteral(".commit"));
    const QFileInfo journalInfo(journalPath);
    if (journalInfo.isFile() && !journalInfo.isSymLink()) {
        QFile journal(journalPath);
        QList<QPair<QString, QString>> renames;
        bool valid = journal.open(QIODevice::ReadOnly);
        if (valid) {
            const QList<QByteArray> lines = journal.readAll().split('\n');
            valid = !lines.isEmpty() && lines.first() == kJournalHeader;
            const QString tempPrefix = QLatin1Char('.') + m_strName + QLatin1String(".new");
            for (qsizetype i = 1; valid && i < lines.size(); ++i) {
                if (lines[i].isEmpty())
                    continue;
                const QList<QByteArray> names = lines[i].split('\t');
                const QString temp = names.size() == 2 ? QString::fromUtf8(names[0]) : QString();
                const QString target = names.size() == 2 ? QString::fromUtf8(names[1]) : QString();
                valid = IsBareName(temp) && IsBareName(target) && temp.startsWith(tempPrefix);
                renames.append({temp, target});
            }
        }
        if (valid) {
            const QDir folder(m_strFolder);
            for (const auto &[temp, target] : renames) {
                const QFileInfo tempInfo(folder.filePath(temp));
                if (tempInfo.isFile() && !tempInfo.isSymLink())
                    RenameOver(tempInfo.filePath(), folder.filePath(target));
            }
            FlushFolder(m_strFolder);
        }
    }
    RemoveEntry(journalPath);
    RemoveTemps();
}

bool CFileSet::Replace(const QList<CFileContent> &files, int nWaitMs, QString *pFailedPath,
                       QString *pError)
{
    auto fail = [&](const QString &path, const QString &reason) {
        if (pFailedPath)
            *pFailedPath = path;
        if (pError)
            *pError = reason;
        RemoveTemps();
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
    Step(EStep::Locked);
    if (files.isEmpty() || files.size() > kMaxFiles)
        return fail(HelperPath(QString()), QStringLiteral("a change names 1 to %1 files").arg(kMaxFiles));

    // Every target is checked before anything is written.
    const QDir folder(m_strFolder);
    for (const CFileContent &file : files) {
        const QFileInfo target(file.strPath);
        if (QDir::cleanPath(target.absolutePath()) != m_strFolder)
            return fail(file.strPath, QStringLiteral("not in the folder of %1").arg(m_strName));
        if (target.isSymLink())
            continue; // replaced by the file, not followed
        if (target.isDir())
            return fail(file.strPath, QStringLiteral("a folder of this name is in the way"));
        if (target.exists() && !target.isWritable())
            return fail(file.strPath, QStringLiteral("the existing file is not writable"));
    }

    // The new contents, each in full and on disk, with the permissions of
    // the file each replaces.
    QByteArray journal = QByteArray(kJournalHeader) + '\n';
    QStringList temps;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const CFileContent &file = files[i];
        const QString temp = HelperPath(QStringLiteral(".new%1").arg(i));
        QFile out(temp);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return fail(file.strPath, out.errorString());
        const QFileInfo target(file.strPath);
        if (target.exists() && !target.isSymLink())
            out.setPermissions(target.permissions());
        if (!WriteAllBytes(out, file.bytes.constData(), file.bytes.size()) || !FlushToDisk(out)) {
            const QString reason = out.error() != QFileDevice::NoError
                                       ? out.errorString()
                                       : QStringLiteral("not all of the file could be written");
            out.close();
            return fail(file.strPath, reason);
        }
        out.close();
        temps.append(temp);
        journal += QFileInfo(temp).fileName().toUtf8() + '\t' + target.fileName().toUtf8() + '\n';
        Step(EStep::TempWritten, int(i));
    }

    // The files being replaced keep a second name until the renames are
    // done, so that a rename does not have to free a large file's blocks:
    // the renames follow each other as closely as they can.
    KeepOldFiles(files);

    // The journal, whole and on disk before it takes its name: renaming it
    // into place is the commit.
    const QString journalPath = HelperPath(QStringLiteral(".commit"));
    const QString journalTemp = HelperPath(QStringLiteral(".commit.new"));
    {
        QFile out(journalTemp);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)
            || !WriteAllBytes(out, journal.constData(), journal.size()) || !FlushToDisk(out))
            return fail(files.first().strPath, out.errorString());
    }
    Step(EStep::JournalWritten);
    if (!RenameOver(journalTemp, journalPath, &error))
        return fail(files.first().strPath, error);
    FlushFolder(m_strFolder);
    Step(EStep::Committed);

    // Past the commit: a rename that fails now leaves the journal, so the
    // next Lock() of the set tries again.
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!RenameOver(temps[i], files[i].strPath, &error)) {
            if (pFailedPath)
                *pFailedPath = files[i].strPath;
            if (pError)
                *pError = error;
            return false;
        }
        Step(EStep::Renamed, int(i));
    }
    FlushFolder(m_strFolder);
    Step(EStep::Flushed);
    QFile::remove(journalPath);
    for (qsizetype i = 0; i < files.size(); ++i)
        RemoveEntry(HelperPath(QStringLiteral(".old%1").arg(i)));
    Step(EStep::Finished);
    return true;
}
