#pragma once

#include <QFont>
#include <QKeySequence>
#include <QWidget>

class QLabel;
class QLineEdit;
class CDataExchange;
class QVBoxLayout;
class CWizardHost;
class CWizardPage;
class CAppletParameters;

// Button flags a page passes to CWizardPageHost::SetWizardButtons.
enum : int { PSWIZB_BACK = 1, PSWIZB_NEXT = 2, PSWIZB_FINISH = 4 };

// What a page asks of the sheet that shows it. The sheet implements it and
// hands itself to its pages; a page shown on its own has none.
class CWizardPageHost {
public:
    // Flags of PSWIZB_BACK, PSWIZB_NEXT and PSWIZB_FINISH.
    virtual void SetWizardButtons(int flags) = 0;
    virtual CWizardPage *GetActivePage() const = 0;
    // A page has just made its controls.
    virtual void PageBuilt(CWizardPage *page) = 0;
    // The bold heading font of every page; the first page makes it.
    virtual QFont TitleFont() const = 0;
    virtual void SetTitleFont(const QFont &font) = 0;

    // Stores the values shown on the active page and records them as an
    // undo step; false when a check of the page failed.
    virtual bool CommitShownValues() = 0;
    // Records the change since the last step as one step named strWhat.
    virtual bool RecordStep(const QString &strWhat) = 0;
    // A page has stored values into the configuration.
    virtual void AnnounceStored() = 0;

    // Opens or raises the live preview; every page opens it with this key.
    virtual void ShowLivePreview() = 0;
    static QKeySequence LivePreviewShortcut();
    // Start New: back to the template page, which loads its source again on
    // its next Next, with a fresh undo history.
    virtual void StartNew() = 0;

protected:
    ~CWizardPageHost() = default;
};

// One page of the wizard sheet: a picture at the left (or the small program
// icon), a bold heading, a sunken line, and the page's own controls below.
// The sheet calls the notifications; a page refuses a change by returning
// false.
class CWizardPage : public QWidget {
    Q_OBJECT
public:
    // nBitmap is the picture's id (130...137); 0 puts the small program icon
    // at the top left and gives the controls the full width. `host` is what
    // the page uses of the program (configuration, dialogs, files).
    CWizardPage(CWizardHost &host, int nDialogId, const QString &heading, int nBitmap,
                QWidget *parent = nullptr);

    // True once the page has been shown the first time ("its window exists").
    bool IsCreated() const { return m_bCreated; }
    // Makes the page's controls, the first time only. A page is built when
    // it is first shown, so that the wizard opens without making the pages
    // behind the first.
    void Build();
    bool IsBuilt() const { return m_bBuilt; }
    // Builds the page if need be, draws its picture and runs OnInitDialog,
    // the first time only.
    void Create();

    // First display. The base gives the heading the sheet's bold font.
    virtual bool OnInitDialog();
    // Every time the page becomes the current page.
    virtual bool OnSetActive();
    // The leave-page check that runs after Back or Next was accepted.
    virtual bool OnKillActive();
    virtual bool OnWizardBack();
    virtual bool OnWizardNext();
    // Finish: returns false to keep the sheet open.
    virtual bool OnWizardFinish();
    // The wizard is about to be cancelled or closed: false keeps it open.
    // Asked of created pages only, before any OnCancel.
    virtual bool OnQueryCancel();
    // The wizard is being cancelled or closed (only for created pages).
    virtual void OnCancel();

    // Writes the values shown on the page, stored or not, into `params`
    // without checks or messages; the live preview draws from such a copy.
    // Pages that edit nothing leave it as it is.
    virtual void ApplyShownValues(CAppletParameters &params) const;
    // Stores the values shown into the configuration as leaving the page
    // would, with the page's checks; false (the user told, the box focused)
    // when a check fails. Pages that edit nothing store nothing.
    virtual bool StoreShownValues();
    // Shows the configuration's values again after it was replaced under
    // the page (undo, redo); by default as the page's activation does.
    virtual void ReloadShownValues();
    // The name the page's own edits go by in the undo history: its heading.
    virtual QString UndoStepName() const;

    // The sheet showing the page (null for a page on its own).
    CWizardPageHost *PageHost() const { return m_pPageHost; }
    void SetPageHost(CWizardPageHost *host) { m_pPageHost = host; }
    CWizardHost &Host() const { return m_host; }

    // The heading; made with the page's controls (Build).
    QLabel *m_staticTitle = nullptr;

signals:
    // A control whose value the page edits has changed (not yet stored).
    void ValuesEdited();

protected slots:
    // Connected to the change signals of the page's controls: announces an
    // edit of the user's (ValuesEdited), not a write of the page's own.
    void OnEdited();

protected:
    // Makes the page's own controls into Body() (the heading, the picture
    // and the line are made before). Runs once, from Build.
    virtual void BuildControls();
    // The page's bindings between its members and its controls, in the
    // order they run (CDataExchange). The default binds nothing.
    virtual void DoDataExchange(CDataExchange &dx);
    // Runs DoDataExchange: controls -> members with the checks
    // (bSaveAndValidate), or members -> controls. False when a check
    // failed: the user was told, the box has the focus, and *ppFailed
    // (when given) names it.
    bool UpdateData(bool bSaveAndValidate, QLineEdit **ppFailed = nullptr);
    // True while UpdateData writes the controls: their change signals are
    // then the page's own doing, not the user's.
    bool IsWriting() const { return m_bWriting; }

    // Tells the sheet that this page has stored its values into the configuration.
    void NotifyStored();
    // Before an action of the page changes the configuration: stores and
    // records the values shown (false when a check failed). After it:
    // records its change as one undo step named strWhat.
    bool BeginUndoStep();
    void EndUndoStep(const QString &strWhat);
    // Where the page puts its controls.
    QVBoxLayout *Body() const { return m_pBody; }
    void SetWizardButtons(int flags);
    // Gives the heading the sheet's title font and redraws it.
    void ApplyTitleFont();

private:
    void BuildFrame();

    CWizardHost &m_host;
    CWizardPageHost *m_pPageHost = nullptr;
    QString m_strHeading;
    int m_nBitmap = 0;
    QLabel *m_pPicture = nullptr;
    QVBoxLayout *m_pBody = nullptr;
    bool m_bBuilt = false;
    bool m_bCreated = false;
    bool m_bWriting = false;
};
