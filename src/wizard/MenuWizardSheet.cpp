#include "wizard/MenuWizardSheet.h"

#include "app/PreviewLauncher.h"
#include "app/QtUserInterface.h"
#include "app/WizardApp.h"
#include "model/StringTable.h"
#include "wizard/LivePreviewWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

CMenuWizardSheet::CMenuWizardSheet(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("sheet"));
    setWindowTitle(LoadString(StringId::WizardCaption));
    setWindowIcon(QIcon(QStringLiteral(":/vantrel/icon.png")));
    setSizeGripEnabled(true);

    m_pStack = new QStackedWidget(this);
    m_pages = {&m_pageWelcome,    &m_pageTemplate,     &m_pageGeneral, &m_pageMenuStyle,
               &m_pageItemStyle, &m_pageSubItemStyle, &m_pageItem,    &m_pageHTML};
    for (CWizardPage *page : m_pages)
        m_pStack->addWidget(page);

    // Made in the order they stand, left to right, which is their Tab order.
    m_btnBack = new QPushButton(tr("< &Back"), this);
    m_btnNext = new QPushButton(tr("&Next >"), this);
    m_btnFinish = new QPushButton(tr("&Finish"), this);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnHelp = new QPushButton(tr("&Help"), this);
    m_btnHelp->setObjectName(QStringLiteral("help"));
    m_btnBack->setObjectName(QStringLiteral("back"));
    m_btnNext->setObjectName(QStringLiteral("next"));
    m_btnFinish->setObjectName(QStringLiteral("finish"));
    m_btnCancel->setObjectName(QStringLiteral("cancel"));
    m_btnHelp->setAutoDefault(false);
    m_btnBack->setAutoDefault(false);
    m_btnCancel->setAutoDefault(false);
    connect(m_btnHelp, &QPushButton::clicked, this, &CMenuWizardSheet::OnHelp);
    connect(m_btnBack, &QPushButton::clicked, this, &CMenuWizardSheet::OnBack);
    connect(m_btnNext, &QPushButton::clicked, this, &CMenuWizardSheet::OnNext);
    connect(m_btnFinish, &QPushButton::clicked, this, &CMenuWizardSheet::OnFinish);
    connect(m_btnCancel, &QPushButton::clicked, this, &CMenuWizardSheet::reject);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnBack);
    buttons->addWidget(m_btnNext);
    buttons->addWidget(m_btnFinish);
    buttons->addSpacing(8);
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnHelp);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pStack, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);

    // The shortcut opens the live preview from every page.
    auto *preview = new QShortcut(LivePreviewShortcut(), this);
    connect(preview, &QShortcut::activated, this, &CMenuWizardSheet::ShowLivePreview);

    SetWizardButtons(PSWIZB_NEXT);
    ShowFocusFromTheStart(*this);
}

QKeySequence CMenuWizardSheet::LivePreviewShortcut()
{
    return QKeySequence(Qt::CTRL | Qt::Key_L);
}

CMenuWizardSheet::~CMenuWizardSheet()
{
    // The preview watches the pages: it goes before they do.
    delete m_pLivePreview;
    m_pLivePreview = nullptr;
    // The pages are members: take them out of the stack before it goes.
    for (CWizardPage *page : m_pages)
        m_pStack->removeWidget(page);
}

void CMenuWizardSheet::showEvent(QShowEvent *event)
{
    // The sheet opens on its first page.
    if (!m_bStarted) {
        m_bStarted = true;
        SetActivePage(0);
    }
    QDialog::showEvent(event);
}

void CMenuWizardSheet::SetWizardButtons(int flags)
{
    m_nButtons = flags;
    const bool finish = flags & PSWIZB_FINISH;
    m_btnBack->setEnabled(flags & PSWIZB_BACK);
    m_btnNext->setVisible(!finish);
    m_btnNext->setEnabled(!finish && (flags & PSWIZB_NEXT));
    m_btnFinish->setVisible(finish);
    m_btnFinish->setEnabled(finish);
    QPushButton *def = finish ? m_btnFinish : m_btnNext;
    m_btnNext->setDefault(def == m_btnNext);
    m_btnFinish->setDefault(def == m_btnFinish);
}

int CMenuWizardSheet::GetPageCount() const
{
    return m_pages.size();
}

CWizardPage *CMenuWizardSheet::GetPage(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_pages.size() ? m_pages[nIndex] : nullptr;
}

int CMenuWizardSheet::GetPageIndex(const CWizardPage *page) const
{
    return m_pages.indexOf(const_cast<CWizardPage *>(page));
}

int CMenuWizardSheet::GetActiveIndex() const
{
    return m_bStarted ? m_pStack->currentIndex() : -1;
}

CWizardPage *CMenuWizardSheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

void CMenuWizardSheet::SetActivePage(int nIndex)
{
    CWizardPage *page = GetPage(nIndex);
    if (!page)
        return;
    m_bStarted = true;
    m_pStack->setCurrentWidget(page);
    page->Create();
    page->OnSetActive();
    emit PageActivated(nIndex);
}

void CMenuWizardSheet::OnBack()
{
    CWizardPage *page = GetActivePage();
    if (!page || !m_btnBack->isEnabled() || GetActiveIndex() == 0)
        return;
    if (!page->OnWizardBack() || !page->OnKillActive())
        return;
    SetActivePage(GetActiveIndex() - 1);
}

void CMenuWizardSheet::OnNext()
{
    CWizardPage *page = GetActivePage();
    if (!page || !m_btnNext->isEnabled() || !m_btnNext->isVisible()
        || GetActiveIndex() + 1 >= GetPageCount())
        return;
    if (!page->OnWizardNext() || !page->OnKillActive())
        return;
    SetActivePage(GetActiveIndex() + 1);
}

void CMenuWizardSheet::OnFinish()
{
    CWizardPage *page = GetActivePage();
    if (!page || !m_btnFinish->isEnabled() || !m_btnFinish->isVisible())
        return;
    // Finish saves; the sheet stays open whatever the page answers.
    page->OnWizardFinish();
}

void CMenuWizardSheet::OnHelp()
{
    CWizardApp *app = CWizardApp::Get();
    const QString guide = app->AppFilePath(QStringLiteral("Vantrel.html"));
    if (!QFileInfo(guide).isFile()) {
        app->Ui().MessageBox(this, tr("The user guide cannot be found:\n%1").arg(guide));
        return;
    }
    OpenInBrowser(guide, this);
}

void CMenuWizardSheet::reject()
{
    for (CWizardPage *page : m_pages)
        if (page->IsCreated() && !page->OnQueryCancel())
            return;
    for (CWizardPage *page : m_pages)
        if (page->IsCreated())
            page->OnCancel();
    QDialog::reject();
}

CLivePreviewWindow *CMenuWizardSheet::LivePreview()
{
    if (!m_pLivePreview)
        m_pLivePreview = new CLivePreviewWindow(this);
    return m_pLivePreview;
}

void CMenuWizardSheet::ShowLivePreview()
{
    // The first press opens it beside the wizard, which keeps the keyboard;
    // pressed again, the keyboard goes to the preview, and from there back.
    // (The shortcut works in the preview too: it is the wizard's tool window.)
    CLivePreviewWindow *preview = LivePreview();
    if (!preview->isVisible()) {
        preview->Open();
    } else if (QApplication::activeWindow() == preview) {
        raise();
        activateWindow();
    } else {
        preview->TakeKeyboard();
    }
}
