#pragma once

#include "store/files/AtomicFile.h"
#include "store/files/FolderHandle.h"
#include "store/files/SaveLock.h"

#include <QList>
#include <QString>

#include <memory>

// Several files replaced as one change: a page, its project file and the
// files copied beside it, or the pages of a site with their project file,
// script, class file and images. The set is named by one of its files, the
// set path; the files are in its folder or in folders below it.
//
// The set's folder is resolved once (CFolderHandle) and every file below it
// is reached without following links: a link at a target or at a folder on
// the way, or at one of the change's own files, stops the change with a
// message naming it, before anything is written. Nothing is ever written
// into a file that is there: each new content goes to a new file that is
// renamed into place.
//
// The change's own files carry the set's name, ".<name>." at their start,
// and only these are ever removed by it:
//   .<name>.lock        the lock (CSaveLock)
//   .<name>.plan        where the change's temps go, each line
//                       "<temp>\t<target>", on disk before any temp exists,
//                       so an interrupted change's temps are found
//   .<name>.commit      the journal: the same lines; its presence is the
//                       point of no return
//   .<name>.commit.new  the journal being written
// and beside each target, in its own folder, with a random token T drawn
// for each change (so no author's file can be named like one beforehand):
//   .<name>.new<i>.T    the new content of the i-th file, written in full
//   .<name>.old<i>.T    a second name of the i-th file being replaced
// A target named like these is refused. A file at the name of the lock,
// plan or journal that is not one of ours is reported and left alone (the
// change is refused until it is moved away). Paths in the plan and journal
// are relative to the set's folder, '/' between folders; names with control
// characters or a backslash cannot be held there and are refused.
//
// Replace() goes: lock; finish or undo an interrupted change; write the
// plan; write and flush every temp; give the old files second names; write
// and flush the journal's temp; check that the files that must be unchanged
// are (the last step before the commit); rename the journal into place and
// flush the folder (the commit); rename each temp over its target; flush
// the folders; remove the journal, the second names and the plan; unlock.
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
// Concurrent changes of one set (other processes, or other threads) are
// serialised by the lock: a second one waits up to nWaitMs, then gives up
// with a reason. The lock of a killed process is taken over at once; a
// live owner's never is (see CSaveLock).
// On Windows files are not flushed; MoveFileEx writes through.
class CFileSet {
public:
    explicit CFileSet(const QString &strSetPath);
    ~CFileSet();
    CFileSet(const CFileSet &) = delete;
    CFileSet &operator=(const CFileSet &) = delete;

    // Takes the lock, waiting up to nWaitMs for another change to end, then
    // finishes or undoes an interrupted change. False, with the reason, when
    // the lock cannot be had or what an interrupted change left cannot be
    // read as ours.
    bool Lock(int nWaitMs, QString *pError = nullptr);
    // True after Lock() gave up because another change held the lock.
    bool WasBusy() const { return m_bBusy; }
    // Replaces the files (in the set path's folder or below it) as one
    // change; takes the lock first when it is not held. On failure nothing
    // is replaced, *pFailedPath names the file and *pError gives the reason
    // (kChangedSinceRead for a file that must be unchanged and is not,
    // kThereAlready after the file's name for one that must be new).
    bool Replace(const QList<CFileContent> &files, int nWaitMs, QString *pFailedPath = nullptr,
                 QString *pError = nullptr);
    void Unlock();

    // True when an interrupted change of the set at strSetPath waits to be
    // finished or undone (its plan or journal is there). Reads only.
    static bool HasInterruptedChange(const QString &strSetPath);
    // True when a file name is one of the change's own for the set named
    // strSetName (".<name>." at its start).
    static bool IsOwnFileName(const QString &strFileName, const QString &strSetName);

    static const char kChangedSinceRead[];
    // The reason for a file that must be new and is not (bMustBeNew).
    static const char kThereAlready[];

    // The steps of Replace(), for tests that stop a change between them.
    enum class EStep { Locked, PlanWritten, TempWritten, Checked, JournalWritten, Committed, Renamed,
                       Flushed, Finished };
    using StepHook = void (*)(EStep step, int nFile);
    static void SetStepHook(StepHook hook);

private:
    bool OpenFolder(QString *pError);
    // The path of `path` relative to the set's folder, or a null text when
    // it is not in it or below it.
    QString Relative(const QString &path) const;
    QString Own(const QString &strSuffix) const { return QLatin1Char('.') + m_strName + strSuffix; }
    bool Recover(QString *pError);
    // Removes what a change left: the files of `renames` (temps) and their
    // second names.
    void RemoveTemps(const QStringList &temps) const;

    QString m_strSetPath;
    QString m_strGivenFolder; // the set's folder as given, cleaned
    QString m_strName;
    CFolderHandle m_folder;
    std::unique_ptr<CSaveLock> m_pLock;
    bool m_bBusy = false;
};
