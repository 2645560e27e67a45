#pragma once

#include "wizard/GeneralPage.h"
#include "wizard/HTMLPage.h"
#include "wizard/ItemPage.h"
#include "wizard/ItemStylePage.h"
#include "wizard/MenuStylePage.h"
#include "wizard/SubItemStylePage.h"
#include "wizard/TemplatePage.h"
#include "wizard/WelcomePage.h"

#include <QDialog>
#include <QFont>
#include <QKeySequence>

class QPushButton;
class QStackedWidget;
class CLivePreviewWindow;

// The wizard: eight pages stepped through with Back and Next, and the
// buttons Help, Back, Next/Finish and Cancel. Finish never closes it; Cancel,
// Escape or the close box do, after the cancel handling of every page that
// has been shown.
class CMenuWizardSheet : public QDialog {
    Q_OBJECT
public:
    explicit CMenuWizardSheet(QWidget *parent = nullptr);
    ~CMenuWizardSheet() override;

    // Flags of PSWIZB_BACK, PSWIZB_NEXT and PSWIZB_FINISH.
    void SetWizardButtons(int flags);
    int WizardButtons() const { return m_nButtons; }

    int GetPageCount() const;
    CWizardPage *GetPage(int nIndex) const;
    int GetPageIndex(const CWizardPage *page) const;
    int GetActiveIndex() const;
    CWizardPage *GetActivePage() const;
    // Makes a page current and runs its activation (first display included).
    void SetActivePage(int nIndex);
    void SetActivePage(CWizardPage *page) { SetActivePage(GetPageIndex(page)); }

    QPushButton *BackButton() const { return m_btnBack; }
    QPushButton *NextButton() const { return m_btnNext; }
    QPushButton *FinishButton() const { return m_btnFinish; }
    QPushButton *CancelButton() const { return m_btnCancel; }
    QPushButton *HelpButton() const { return m_btnHelp; }

    // The live preview window (made on first use) and opening or raising it.
    // Every page opens it with LivePreviewShortcut().
    CLivePreviewWindow *LivePreview();
    void ShowLivePreview();
    static QKeySequence LivePreviewShortcut();

    CWelcomePage m_pageWelcome;
    CTemplatePage m_pageTemplate;
    CGeneralPage m_pageGeneral;
    CMenuStylePage m_pageMenuStyle;
    CItemStylePage m_pageItemStyle;
    CSubItemStylePage m_pageSubItemStyle;
    CItemPage m_pageItem;
    CHTMLPage m_pageHTML;
    // The bold heading font; made by the first page when it is first shown.
    QFont m_fontTitle;

signals:
    // A page has stored values into the configuration (or loaded a new one).
    void ConfigurationStored();
    // The active page changed.
    void PageActivated(int nIndex);

public slots:
    void OnBack();
    void OnNext();
    void OnFinish();
    void OnHelp();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QStackedWidget *m_pStack = nullptr;
    QList<CWizardPage *> m_pages;
    QPushButton *m_btnHelp = nullptr;
    QPushButton *m_btnBack = nullptr;
    QPushButton *m_btnNext = nullptr;
    QPushButton *m_btnFinish = nullptr;
    QPushButton *m_btnCancel = nullptr;
    int m_nButtons = 0;
    bool m_bStarted = false;
    CLivePreviewWindow *m_pLivePreview = nullptr; // a child window of the sheet
};
