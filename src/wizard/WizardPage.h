#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class CDataExchange;
class QVBoxLayout;
class CMenuWizardSheet;
class CWizardHost;
class CAppletParameters;

// Button flags a page passes to CMenuWizardSheet::SetWizardButtons.
enum : int { PSWIZB_BACK = 1, PSWIZB_NEXT = 2, PSWIZB_FINISH = 4 };

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

    CMenuWizardSheet *Sheet() const;
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
    QString m_strHeading;
    int m_nBitmap = 0;
    QLabel *m_pPicture = nullptr;
    QVBoxLayout *m_pBody = nullptr;
    bool m_bBuilt = false;
    bool m_bCreated = false;
    bool m_bWriting = false;
};
