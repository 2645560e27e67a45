#pragma once

#include "store/AtomicFile.h"
#include "store/SaveLock.h"

#include <QList>
#include <QString>

#include <memory>

// Several files replaced as one change: a page and its project file, or the
// pages of a site with their project file. The set is named by one of its
// files, the set path; the files are in its folder or in folders below it.
// Beside the set path lie, only while a change is under way or after one
// was interrupted:
//   .<name>.lock        the lock (CSaveLock: created exclusively, held
//                       with a file lock the system drops when its owner ends)
//   .<name>.plan        for a change of more than a few files or of files in
//                       other folders: where its temps go, each line
//                       "<temp>\t<target>", written and flushed before any
//                       temp, so an interrupted change's temps are found
//   .<name>.commit      the journal: each line "<temp>\t<target>" (paths
//                       relative to the set's folder, '/' between folders);
//                       its presence is the point of no return
//   .<name>.commit.new  the journal being written
// and beside each target, in its own folder:
//   .<name>.new<i>      the new content of the i-th file, written in full
//   .<name>.old<i>      a second name of the i-th file being replaced
//
// Replace() goes: lock; finish or undo an interrupted change; write the plan
// where one is needed; write and flush every temp; check that the files that
// must be unchanged are; write and flush the journal's temp; rename it to
// the journal and flush the folder (the commit); rename each temp over its
// target; flush the folders; remove the journal; unlock.
//
// What holds after the process is killed at any point (kill -9, power loss
// on a file system that keeps the order of flushed renames):
// - killed before the commit: every target is as before the change; the
//   next Lock() of the set deletes the temps;
// - killed after it: the temps are complete and on disk, and the next Lock()
//   renames those still there over their targets, so the set reads back as
//   the new one. Until then the targets are all old (killed before the
//   first rename) or, killed between two renames, some new and some old: a
//   program that reads them directly (a browser) can see that, for the
//   moment between two rename calls; every reader of project files here
//   takes the lock first (RecoverInterruptedSave), so it never does.
// - when Replace() returns true, all targets are the new ones and on disk.
// The journal, the temps and the second names are removed by the change
// itself or by the next Lock(); only the lock file of a killed change stays
// until then.
// Concurrent changes of one set (other processes, or other threads) are
// serialised by the lock: a second one waits up to nWaitMs, then gives up
// with a reason. The lock of a killed process is taken over at once; a
// live owner's never is (see CSaveLock).
// A target that is a symbolic link is replaced by a file, never written
// through. On Windows files are not flushed; MoveFileEx writes through.
class CFileSet {
public:
    explicit CFileSet(const QString &strSetPath);
    ~CFileSet();
    CFileSet(const CFileSet &) = delete;
    CFileSet &operator=(const CFileSet &) = delete;

    // Takes the lock, waiting up to nWaitMs for another change to end, then
    // finishes or undoes an interrupted change. False, with the reason, when
    // the lock cannot be had.
    bool Lock(int nWaitMs, QString *pError = nullptr);
    // Replaces the files (in the set path's folder or below it) as one
    // change; takes the lock first when it is not held. On failure nothing
    // is replaced, *pFailedPath names the file and *pError gives the reason
    // (kChangedSinceRead for a file that must be unchanged and is not).
    bool Replace(const QList<CFileContent> &files, int nWaitMs, QString *pFailedPath = nullptr,
                 QString *pError = nullptr);
    void Unlock();

    static const char kChangedSinceRead[];

    // The steps of Replace(), for tests that stop a change between them.
    enum class EStep { Locked, PlanWritten, TempWritten, Checked, JournalWritten, Committed, Renamed,
                       Flushed, Finished };
    using StepHook = void (*)(EStep step, int nFile);
    static void SetStepHook(StepHook hook);

private:
    QString HelperPath(const QString &strSuffix) const;
    // The folder of `path` relative to the set's folder ("" for the set's
    // own folder), or a null text when it is not in it or below it.
    QString RelativeFolder(const QString &path) const;
    QString TempName(int nFile) const;
    void Recover();
    void KeepOldFiles(const QList<CFileContent> &files) const;
    void RemoveTemps(const QStringList &temps) const;

    QString m_strFolder;
    QString m_strName;
    // The temps (relative paths) of the change under way.
    QStringList m_temps;
    std::unique_ptr<CSaveLock> m_pLock;
};
