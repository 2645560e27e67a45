#pragma once

#include "model/config/AppletParameters.h"

#include <QString>
#include <QVariant>
#include <deque>
#include <memory>

// The undo and redo history of the configuration: whole-configuration
// snapshots, each with the name of the user action that left it behind.
//
// The history keeps the configuration as it was when the last step was
// recorded (the baseline). Record compares the configuration with it: when
// they differ, the baseline becomes an undo step under the given name and
// the configuration becomes the new baseline; redo steps are dropped. Undo
// puts the baseline on the redo side and gives back the step's snapshot;
// Redo the reverse. A caller records before it undoes, so that nothing
// changed since the last step is lost.
//
// What counts as a change: every stored value and the menu tree (labels,
// links, targets, images, sub menus). Which item each menu shows
// (m_nCurrent) and whether the page was saved (m_bSaved) are carried along
// in the snapshots but are no change of their own. A step that changed the
// texts of items only brings its menus back on the first item it changed,
// so an editor showing the current items shows what was taken back.
//
// Each step may carry a tag: whatever else the caller must restore with the
// configuration (the wizard keeps there which source it loaded last).
//
// Memory: the baseline is a live copy (its texts share their characters
// with the configuration until either changes); every step is kept packed
// and compressed, a few kilobytes for a full 20 x 20 menu. At most
// MaxSteps() undo steps are kept (the oldest goes first), and all of it
// together, reckoned by Bytes(), stays within MaxBytes() while more than one
// step is kept, so a hand-made file with huge menus cannot exhaust memory.
class CUndoHistory {
public:
    static constexpr int kDefaultMaxSteps = 100;
    static constexpr qint64 kDefaultMaxBytes = 64 * 1024 * 1024;

    explicit CUndoHistory(int nMaxSteps = kDefaultMaxSteps, qint64 nMaxBytes = kDefaultMaxBytes);
    ~CUndoHistory();
    CUndoHistory(const CUndoHistory &) = delete;
    CUndoHistory &operator=(const CUndoHistory &) = delete;

    // Starts a fresh history whose baseline is `current`.
    void Reset(const CAppletParameters &current, const QVariant &tag = QVariant());

    // True when `current` differs from the baseline in anything Record keeps.
    bool HasChanges(const CAppletParameters &current) const;
    // Records the change from the baseline to `current` as one step named
    // strWhat; returns false (and changes nothing) when there is none.
    bool Record(const CAppletParameters &current, const QString &strWhat,
                const QVariant &tag = QVariant());

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // The name of the step the next Undo or Redo takes back ("" when none).
    QString UndoText() const;
    QString RedoText() const;
    int UndoCount() const { return static_cast<int>(m_undo.size()); }
    int RedoCount() const { return static_cast<int>(m_redo.size()); }

    // Makes `params` the configuration before the last step (Undo) or after
    // the next undone one (Redo), and gives that state's tag. The caller has
    // recorded first: changes since the baseline are overwritten. The
    // configuration brought back counts as not saved (m_bSaved 0). False when
    // there is nothing to take back.
    bool Undo(CAppletParameters &params, QVariant *pTag = nullptr);
    bool Redo(CAppletParameters &params, QVariant *pTag = nullptr);

    int MaxSteps() const { return m_nMaxSteps; }
    qint64 MaxBytes() const { return m_nMaxBytes; }
    // What the history holds: the baseline, reckoned by SnapshotBytes, and
    // the steps, by StepBytes.
    qint64 Bytes() const { return m_nBytes; }

    // What one live copy takes at most: the objects, the item lists and the
    // texts as if none shared its characters with another copy (copies of
    // a text share them until one is changed, so real use is lower).
    static qint64 SnapshotBytes(const CAppletParameters &params);
    // What one step of this configuration takes: its packed form.
    static qint64 StepBytes(const CAppletParameters &params);
    // The packed form of a configuration, every value and the menu tree
    // with its current items, and back.
    static QByteArray Pack(const CAppletParameters &params);
    static bool Unpack(const QByteArray &packed, CAppletParameters &params);
    // True when a and b hold the same stored values and menu tree.
    static bool SameContent(const CAppletParameters &a, const CAppletParameters &b);

private:
    struct Step {
        QString strWhat;
        QByteArray packed;
        QVariant tag;
        qint64 Bytes() const;
    };
    // The baseline packed as a step named strWhat.
    Step BaselineStep(const QString &strWhat) const;
    // Makes the step the baseline and `params` a copy of it.
    void TakeBaseline(const Step &step, CAppletParameters &params, QVariant *pTag);
    // Undo (from the undo side to the redo side) or redo (the other way):
    // the newest step of `from` becomes the baseline, the baseline left
    // goes onto `to`.
    bool MoveStep(std::deque<Step> &from, std::deque<Step> &to, CAppletParameters &params, QVariant *pTag);
    void SetBaseline(const CAppletParameters &params, const QVariant &tag);
    void DropOldest();

    const int m_nMaxSteps;
    const qint64 m_nMaxBytes;
    std::unique_ptr<CAppletParameters> m_pBaseline;
    QVariant m_baselineTag;
    qint64 m_nBaselineBytes = 0;
    std::deque<Step> m_undo; // oldest first
    std::deque<Step> m_redo; // the next one to redo last
    qint64 m_nBytes = 0;
};
