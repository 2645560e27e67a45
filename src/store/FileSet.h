#pragma once

#include "store/AtomicFile.h"
#include "store/SaveLock.h"

#include <QList>
#include <QString>

#include <memory>

// Several files of one folder replaced as one change (a page and its project
// file). The set is named by one of its files, the set path; beside it lie,
// only while a change is under way or after one was interrupted:
//   .<name>.lock        the lock (CSaveLock: created exclusively, held
//                       with a file lock the system drops when its owner ends)
//   .<name>.new<i>      the new content of the i-th file, written in full
//   .<name>.commit      the journal: each line "<temp>\t<target>" (bare
//                       names); its presence is the point of no return
//   .<name>.commit.new  the journal being written
//   .<name>.old<i>      a second name of the i-th file being replaced
//
// Replace() goes: lock; finish or undo an interrupted change; write and flush
// every temp; write and flush the journal's temp; rename it to the journal
// and flush the folder (the commit); rename each temp over its target; flush
// the folder; remove the journal; unlock.
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
    // Replaces the files (all in the set path's folder) as one change; takes
    // the lock first when it is not held. On failure nothing is replaced,
    // *pFailedPath names the file and *pError gives the reason.
    bool Replace(const QList<CFileContent> &files, int nWaitMs, QString *pFailedPath = nullptr,
                 QString *pError = nullptr);
    void Unlock();

    // The steps of Replace(), for tests that stop a change between them.
    enum class EStep { Locked, TempWritten, JournalWritten, Committed, Renamed, Flushed, Finished };
    using StepHook = void (*)(EStep step, int nFile);
    static void SetStepHook(StepHook hook);

private:
    QString HelperPath(const QString &strSuffix) const;
    void Recover();
    void KeepOldFiles(const QList<CFileContent> &files) const;
    void RemoveTemps() const;

    QString m_strFolder;
    QString m_strName;
    std::unique_ptr<CSaveLock> m_pLock;
};
