#pragma once

#include "model/config/UndoHistory.h"
#include "wizard/pages/GeneralPage.h"
#include "wizard/pages/HTMLPage.h"
#include "wizard/pages/ItemPage.h"
#include "wizard/styles/ItemStylePage.h"
#include "wizard/styles/MenuStylePage.h"
#include "wizard/styles/SubItemStylePage.h"
#include "wizard/pages/TemplatePage.h"
#include "wizard/pages/WelcomePage.h"

#include <QDialog>
#include <QFont>

class QPushButton;
class CLivePreviewWindow;
class CStatusLine;
class CPageStack;
class CWizardHost;

// The wizard: eight pages stepped through with Back and Next, and the
// buttons Help, Back, Next/Finish and Cancel. Finish never closes it; Cancel,
// Escape or the close box do, after the cancel handling of every page that
// has been shown.
class CMenuWizardSheet : public QDialog, public CWizardPageHost {
    Q_OBJECT
public:
    // `host` is what the pages use of the program: the configuration, the
    // dialogs and launches, the program's files.
    explicit CMenuWizardSheet(CWizardHost &host, QWidget *parent = nullptr);
    ~CMenuWizardSheet() override;

    // Runs a new sheet modally for `host`, which is told of it while it runs;
    // with strOpenPage, it opens that page first (OpenPage).
    static void RunModal(CWizardHost &host, const QString &strOpenPage = QString());
    // Opens a page saved by Vantrel, or its project file, as the user does on
    // the template page: the page chosen there, then Next, which loads its
    // project and shows the general page. A file that is not such a page is
    // told as the template page tells it, and the template page stays.
    // The sheet must be shown. False when the project was not loaded.
    bool OpenPage(const QString &strPath);

    // Flags of PSWIZB_BACK, PSWIZB_NEXT and PSWIZB_FINISH.
    void SetWizardButtons(int flags) override;
    int WizardButtons() const { return m_nButtons; }

    int GetPageCount() const;
    CWizardPage *GetPage(int nIndex) const;
    int GetPageIndex(const CWizardPage *page) const;
    int GetActiveIndex() const;
    CWizardPage *GetActivePage() const override;
    // Makes a page current and runs its activation (first display included).
    void SetActivePage(int nIndex);
    void SetActivePage(CWizardPage *page) { SetActivePage(GetPageIndex(page)); }
    // A page has just made its controls: the sheet's buttons go after them
    // in the Tab order again.
    void PageBuilt(CWizardPage *page) override;
    QFont TitleFont() const override { return m_fontTitle; }
    void SetTitleFont(const QFont &font) override { m_fontTitle = font; }

    QPushButton *BackButton() const { return m_btnBack; }
    QPushButton *NextButton() const { return m_btnNext; }
    QPushButton *FinishButton() const { return m_btnFinish; }
    QPushButton *CancelButton() const { return m_btnCancel; }
    QPushButton *HelpButton() const { return m_btnHelp; }

    // The live preview window (made on first use) and opening or raising it.
    // Every page opens it with LivePreviewShortcut().
    CLivePreviewWindow *LivePreview();
    void ShowLivePreview() override;

    // --- Undo and redo across the wizard ---
    // Ctrl+Z undoes the last user action, Ctrl+Shift+Z and Ctrl+Y redo it,
    // on every page and whichever control has the keyboard. A step is a page
    // left with Back or Next after its values changed, a template loaded
    // over edits, a copy of a style, or an action on the menu tree. Values
    // shown on the page and not yet stored are stored (with the page's
    // checks) and count as a step of their own before anything is undone;
    // a failed check undoes nothing.
    QPushButton *UndoButton() const { return m_btnUndo; }
    QPushButton *RedoButton() const { return m_btnRedo; }
    const CUndoHistory &History() const { return m_history; }
    // What the next Undo or Redo takes back ("" when nothing).
    QString NextUndoText() const;
    QString NextRedoText() const;
    // Starts a fresh history from the configuration as it is now (Start
    // New, a reopened page, the first template).
    void StartFreshHistory();
    // Stores the values shown on the active page and records them, named
    // after the page, when they changed anything. False when a check of the
    // page failed (the page has told the user).
    bool CommitShownValues() override;
    // Records the change since the last step as one step named strWhat.
    bool RecordStep(const QString &strWhat) override;
    void AnnounceStored() override { emit ConfigurationStored(); }
    void StartNew() override;

    // Save, Ctrl+S on every page: the values shown are stored, then the
    // page this menu was opened from or last saved to is written again as
    // Finish would write it (the last page's text as edited there), without
    // the file dialog; a menu never saved asks for its name first.
    void OnSave();
    // What the last Save said, on pages other than the last.
    CStatusLine *SaveStatus() const { return m_lblSaveStatus; }

    CWelcomePage m_pageWelcome;
    CTemplatePage m_pageTemplate;
    CGeneralPage m_pageGeneral;
    CMenuStylePage m_pageMenuStyle;
    CItemStylePage m_pageItemStyle;
    CSubItemStylePage m_pageSubItemStyle;
    CItemPage m_pageItem;
    CHTMLPage m_pageHTML;
    // The bold heading font; made by the first page when it is built.
    QFont m_fontTitle;

    // Builds every page, hidden, and keeps the largest one's size as the
    // room of every page (the window grows or shrinks to it unless the user has
    // sized it). Run once after the first paint.
    void MeasurePageRoom();

signals:
    // A page has stored values into the configuration (or loaded a new one).
    void ConfigurationStored();
    // The active page changed.
    void PageActivated(int nIndex);
    // Another menu took the place of the one being edited: a template or a
    // page was loaded, or Start New was pressed.
    void MenuReplaced();

public slots:
    void OnBack();
    void OnNext();
    void OnFinish();
    void OnHelp();
    void OnUndo();
    void OnRedo();
    void reject() override;
    // An action of the menu tree is about to change the configuration; the
    // change it makes becomes one step named strWhat.
    void OnMenuAboutToChange(const QString &strWhat);

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CWizardHost &m_host;
    CPageStack *m_pStack = nullptr;
    bool m_bRoomMeasured = false;
    QSize m_sizeShown; // the window's size when it was shown
    QList<CWizardPage *> m_pages;
    QPushButton *m_btnHelp = nullptr;
    QPushButton *m_btnBack = nullptr;
    QPushButton *m_btnNext = nullptr;
    QPushButton *m_btnFinish = nullptr;
    QPushButton *m_btnCancel = nullptr;
    int m_nButtons = 0;
    bool m_bStarted = false;
    CLivePreviewWindow *m_pLivePreview = nullptr; // a child window of the sheet

    // The name a page's own edits go by: its heading.
    QString PageStepName(const CWizardPage *page) const;
    // True when the active page shows values that are not stored yet.
    bool ShownValuesDiffer() const;
    // Records an announced tree action once its change has happened.
    // bKeepWaiting: keep the name when nothing has changed yet (the action
    // may still be asking the user).
    void FlushPendingAction(bool bKeepWaiting);
    // What else comes back with a configuration: which source the template
    // page loaded last.
    QVariant LoadedSourceTag() const;
    void RestoreLoadedSource(const QVariant &tag);
    // After undo or redo: the active page shows the restored values.
    void ShowRestored();
    void UpdateUndoButtons();
    void ScheduleUndoButtonsUpdate();

    QPushButton *m_btnUndo = nullptr;
    QPushButton *m_btnRedo = nullptr;
    CStatusLine *m_lblSaveStatus = nullptr;
    CUndoHistory m_history;
    QString m_strPendingAction;
    bool m_bUndoing = false;
    bool m_bUpdateScheduled = false;
};
