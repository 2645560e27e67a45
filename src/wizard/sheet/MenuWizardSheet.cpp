#include "wizard/sheet/MenuWizardSheet.h"

#include "app/ProgramIcon.h"
#include "app/WizardHost.h"
#include "model/text/StringTable.h"
#include "store/project/ProjectFile.h"
#include "wizard/preview/LivePreviewWindow.h"
#include "wizard/sheet/PageStack.h"
#include "wizard/widgets/StatusLine.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <memory>

namespace {

const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
const QKeySequence kSaveKey(Qt::CTRL | Qt::Key_S);
const QKeySequence kRedoKeys[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                  QKeySequence(Qt::CTRL | Qt::Key_Y)};

// The key of a key press as a one-key sequence, the keypad mark dropped.
QKeySequence PressedKey(const QKeyEvent &event)
{
    return QKeySequence(QKeyCombination(event.modifiers() & ~Qt::KeypadModifier,
                                        static_cast<Qt::Key>(event.key())));
}

} // namespace

CMenuWizardSheet::CMenuWizardSheet(CWizardHost &host, QWidget *parent)
    : QDialog(parent),
      m_pageWelcome(host),
      m_pageTemplate(host),
      m_pageGeneral(host),
      m_pageMenuStyle(host),
      m_pageItemStyle(host),
      m_pageSubItemStyle(host),
      m_pageItem(host),
      m_pageHTML(host),
      m_host(host)
{
    setObjectName(QStringLiteral("sheet"));
    setWindowTitle(LoadString(StringId::WizardCaption));
    setWindowIcon(ProgramIcon());
    setSizeGripEnabled(true);

    // The pages are added unbuilt: each makes its controls when it is first
    // shown. The stack keeps the size of the largest page meanwhile.
    m_pStack = new CPageStack(this);
    m_pages = {&m_pageWelcome,    &m_pageTemplate,     &m_pageGeneral, &m_pageMenuStyle,
               &m_pageItemStyle, &m_pageSubItemStyle, &m_pageItem,    &m_pageHTML};
    for (CWizardPage *page : m_pages) {
        page->SetPageHost(this);
        m_pStack->addWidget(page);
    }
    // The first page alone is built before the wizard opens, and before the
    // buttons, so that its controls come first in the Tab order.
    m_pageWelcome.Build();

    // Made in the order they stand, left to right, which is their Tab order.
    // Small Undo and Redo buttons at the left: what the next undo or redo
    // takes back is in their tooltips.
    m_btnUndo = new QPushButton(QStringLiteral("Undo"), this);
    m_btnRedo = new QPushButton(QStringLiteral("Redo"), this);
    m_btnUndo->setObjectName(QStringLiteral("undo"));
    m_btnRedo->setObjectName(QStringLiteral("redo"));
    m_btnUndo->setAccessibleName(QStringLiteral("Undo"));
    m_btnRedo->setAccessibleName(QStringLiteral("Redo"));
    for (QPushButton *b : {m_btnUndo, m_btnRedo}) {
        b->setAutoDefault(false);
        b->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    }
    connect(m_btnUndo, &QPushButton::clicked, this, &CMenuWizardSheet::OnUndo);
    connect(m_btnRedo, &QPushButton::clicked, this, &CMenuWizardSheet::OnRedo);
    // What Save (Ctrl+S) did, said on the pages before the last one (that
    // page has a status line of its own). It never widens the sheet: its
    // whole text is its accessible name and its tooltip.
    m_lblSaveStatus = new CStatusLine(this);
    m_lblSaveStatus->setObjectName(QStringLiteral("saveStatus"));
    m_lblSaveStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    connect(m_lblSaveStatus, &CStatusLine::Announced, m_lblSaveStatus, &QWidget::setToolTip);
    m_btnBack = new QPushButton(QStringLiteral("< &Back"), this);
    m_btnNext = new QPushButton(QStringLiteral("&Next >"), this);
    m_btnFinish = new QPushButton(QStringLiteral("&Finish"), this);
    m_btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_btnHelp = new QPushButton(QStringLiteral("&Help"), this);
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
    buttons->addWidget(m_btnUndo);
    buttons->addWidget(m_btnRedo);
    buttons->addWidget(m_lblSaveStatus, 1);
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

    // Undo and redo from every page: the shortcuts serve while no text box
    // has the keyboard; the filter catches the keys a text box would take
    // for its own undo (see eventFilter).
    auto *undoKey = new QShortcut(kUndoKey, this);
    connect(undoKey, &QShortcut::activated, this, &CMenuWizardSheet::OnUndo);
    for (const QKeySequence &keys : kRedoKeys) {
        auto *redoKey = new QShortcut(keys, this);
        connect(redoKey, &QShortcut::activated, this, &CMenuWizardSheet::OnRedo);
    }
    // Save again from every page.
    auto *saveKey = new QShortcut(kSaveKey, this);
    connect(saveKey, &QShortcut::activated, this, &CMenuWizardSheet::OnSave);
    qApp->installEventFilter(this);
    for (CWizardPage *page : m_pages)
        connect(page, &CWizardPage::ValuesEdited, this, &CMenuWizardSheet::ScheduleUndoButtonsUpdate);
    connect(&m_pageItem, &CItemPage::menuAboutToChange, this, &CMenuWizardSheet::OnMenuAboutToChange);
    connect(this, &CMenuWizardSheet::ConfigurationStored, this, [this] {
        if (!m_strPendingAction.isEmpty())
            QTimer::singleShot(0, this, [this] { FlushPendingAction(true); });
        ScheduleUndoButtonsUpdate();
    });
    connect(this, &CMenuWizardSheet::PageActivated, this, &CMenuWizardSheet::UpdateUndoButtons);
    connect(this, &CMenuWizardSheet::PageActivated, m_lblSaveStatus, &CStatusLine::Clear);

    SetWizardButtons(PSWIZB_NEXT);
    UpdateUndoButtons();
    m_host.ShowFocusFromTheStart(*this);
}

void CMenuWizardSheet::RunModal(CWizardHost &host, const QString &strOpenPage)
{
    auto sheet = std::make_unique<CMenuWizardSheet>(host);
    host.SetWizardSheet(sheet.get());
    if (!strOpenPage.isEmpty()) {
        sheet->show();
        sheet->OpenPage(strOpenPage);
    }
    sheet->exec();
    sheet.reset();
    host.SetWizardSheet(nullptr);
}

CMenuWizardSheet::~CMenuWizardSheet()
{
    qApp->removeEventFilter(this);
    // The preview watches the pages: it goes before they do.
    delete m_pLivePreview;
    m_pLivePreview = nullptr;
    // The pages are members: take them out of the stack before it goes,
    // the stack hidden and last to first, so that it does not switch to and
    // lay out each next page on the way.
    m_pStack->hide();
    for (qsizetype i = m_pages.size() - 1; i >= 0; --i)
        m_pStack->removeWidget(m_pages[i]);
}

void CMenuWizardSheet::showEvent(QShowEvent *event)
{
    // The sheet opens on its first page.
    if (!m_bStarted) {
        m_bStarted = true;
        StartFreshHistory();
        SetActivePage(0);
    }
    QDialog::showEvent(event);
    m_sizeShown = size();
}

bool CMenuWizardSheet::event(QEvent *event)
{
    // Once the sheet is on screen, the other pages are built (hidden) and
    // measured: which is largest, and how large, depends on the interface
    // font in ways a measure of the font alone does not tell. Done after
    // the first paint, so the wizard opens as fast; their pictures are still
    // drawn when each is first shown.
    if (event->type() == QEvent::Paint && !m_bRoomMeasured) {
        m_bRoomMeasured = true;
        QTimer::singleShot(0, this, &CMenuWizardSheet::MeasurePageRoom);
    }
    return QDialog::event(event);
}

void CMenuWizardSheet::MeasurePageRoom()
{
    m_bRoomMeasured = true;
    const bool untouched = size() == m_sizeShown;
    QSize room, least;
    for (CWizardPage *page : m_pages) {
        page->Build();
        room = room.expandedTo(page->sizeHint());
        least = least.expandedTo(page->minimumSizeHint());
    }
    m_pStack->SetMeasuredRoom(room, least);
    // The window takes the measured room unless the user has sized it.
    if (untouched && isVisible())
        adjustSize();
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
    // Built while still hidden, so that its controls show with it.
    page->Build();
    m_pStack->setCurrentWidget(page);
    page->Create();
    page->OnSetActive();
    emit PageActivated(nIndex);
}

void CMenuWizardSheet::PageBuilt(CWizardPage *page)
{
    // A page's controls join the end of the Tab order; the sheet's buttons,
    // in the order they stand, go after them again: after every widget of
    // the page, also those that take the focus only later (a status line
    // once it speaks). (The first page is built before the buttons are made.)
    if (!m_btnHelp)
        return;
    QWidget *last = nullptr;
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (page->isAncestorOf(w))
            last = w;
    if (!last)
        return;
    // Qt orders only widgets that take the focus: the last one is made to
    // for the moment.
    QWidget *const pageLast = last;
    const Qt::FocusPolicy policy = pageLast->focusPolicy();
    if (policy == Qt::NoFocus)
        pageLast->setFocusPolicy(Qt::TabFocus);
    for (QWidget *button : {m_btnUndo, m_btnRedo, m_btnBack, m_btnNext, m_btnFinish, m_btnCancel, m_btnHelp}) {
        setTabOrder(last, button);
        last = button;
    }
    pageLast->setFocusPolicy(policy);
}

void CMenuWizardSheet::OnBack()
{
    CWizardPage *page = GetActivePage();
    if (!page || !m_btnBack->isEnabled() || GetActiveIndex() == 0)
        return;
    FlushPendingAction(false);
    if (!page->OnWizardBack() || !page->OnKillActive())
        return;
    RecordStep(PageStepName(page));
    SetActivePage(GetActiveIndex() - 1);
}

void CMenuWizardSheet::OnNext()
{
    CWizardPage *page = GetActivePage();
    if (!page || !m_btnNext->isEnabled() || !m_btnNext->isVisible()
        || GetActiveIndex() + 1 >= GetPageCount())
        return;
    FlushPendingAction(false);
    const QVariant sourceBefore = LoadedSourceTag();
    if (!page->OnWizardNext() || !page->OnKillActive())
        return;
    if (page == &m_pageTemplate && LoadedSourceTag() != sourceBefore) {
        // A template loaded over edits is a step; a reopened page, or a
        // template loaded when nothing was edited, starts afresh.
        if (m_pageTemplate.m_bTemplateLoaded && m_history.CanUndo()) {
            RecordStep(QStringLiteral("Load Template"));
            emit MenuReplaced();
        } else {
            StartFreshHistory();
        }
    } else {
        RecordStep(PageStepName(page));
    }
    SetActivePage(GetActiveIndex() + 1);
}

bool CMenuWizardSheet::OpenPage(const QString &strPath)
{
    // A project file stands for the page of its name beside it.
    const QString page = QFileInfo(strPath).suffix().compare(QLatin1String("qdx"), Qt::CaseInsensitive) == 0
                             ? PagePathFor(strPath)
                             : strPath;
    while (GetActiveIndex() < GetPageIndex(&m_pageTemplate)) {
        const int before = GetActiveIndex();
        OnNext();
        if (GetActiveIndex() == before)
            return false;
    }
    if (GetActivePage() != &m_pageTemplate || !m_pageTemplate.OpenSavedPage(page))
        return false;
    OnNext();
    return GetActivePage() != &m_pageTemplate;
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
    const QString guide = m_host.AppFilePath(QStringLiteral("Vantrel.html"));
    if (!QFileInfo(guide).isFile()) {
        m_host.Ui().MessageBox(this, QStringLiteral("The user guide cannot be found:\n%1").arg(guide));
        return;
    }
    m_host.OpenInBrowser(guide, this);
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
    if (m_pLivePreview)
        return m_pLivePreview;
    // It draws the host's configuration; the sheet tells it of stores and
    // of the page to follow.
    m_pLivePreview = new CLivePreviewWindow(this, [this](CAppletParameters &shown) {
        shown.CopyFrom(m_host.Params());
        return true;
    });
    connect(this, &CMenuWizardSheet::ConfigurationStored, m_pLivePreview,
            &CLivePreviewWindow::OnConfigurationStored);
    connect(this, &CMenuWizardSheet::PageActivated, m_pLivePreview,
            [this] { m_pLivePreview->WatchPage(GetActivePage()); });
    connect(this, &CMenuWizardSheet::MenuReplaced, m_pLivePreview, &CLivePreviewWindow::OnNewMenu);
    m_pLivePreview->WatchPage(GetActivePage());
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

// --- Undo and redo ---

bool CMenuWizardSheet::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return QDialog::eventFilter(watched, event);
    // The finish page's text is no part of the configuration: its box keeps
    // its own undo of what was typed there.
    if (qobject_cast<QPlainTextEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget->parentWidget()))
        return QDialog::eventFilter(watched, event);
    // A line box takes these keys for its own undo (it asks for them before
    // shortcuts are looked at); here they undo whole steps, the typing in
    // the box included.
    const QKeySequence key = PressedKey(*static_cast<QKeyEvent *>(event));
    if (key == kUndoKey) {
        OnUndo();
        return true;
    }
    for (const QKeySequence &redo : kRedoKeys)
        if (key == redo) {
            OnRedo();
            return true;
        }
    return QDialog::eventFilter(watched, event);
}

QString CMenuWizardSheet::PageStepName(const CWizardPage *page) const
{
    return page ? page->UndoStepName() : QString();
}

QVariant CMenuWizardSheet::LoadedSourceTag() const
{
    return QVariantList{m_pageTemplate.m_nLoadedTemplate, m_pageTemplate.m_bTemplateLoaded,
                        m_pageTemplate.m_strLoadedProject};
}

void CMenuWizardSheet::RestoreLoadedSource(const QVariant &tag)
{
    const QVariantList source = tag.toList();
    if (source.size() != 3)
        return;
    m_pageTemplate.m_nLoadedTemplate = source[0].toInt();
    m_pageTemplate.m_bTemplateLoaded = source[1].toBool();
    m_pageTemplate.m_strLoadedProject = source[2].toString();
}

void CMenuWizardSheet::OnSave()
{
    // The values shown and not yet stored are part of what is saved; a
    // failed check saves nothing.
    if (!CommitShownValues())
        return;
    const bool onLastPage = GetActivePage() == &m_pageHTML;
    QString said;
    if (!m_pageHTML.SaveAgain(onLastPage, &said))
        return;
    if (onLastPage)
        m_pageHTML.m_lblStatus->Say(said);
    else
        m_lblSaveStatus->Say(said);
}

void CMenuWizardSheet::StartNew()
{
    SetActivePage(&m_pageTemplate);
    // The template page's next Next loads its source again, even unchanged.
    m_pageTemplate.m_nLoadedTemplate = -1;
    m_pageTemplate.m_strLoadedProject.clear();
    // Nothing done before Start New can be undone after it.
    StartFreshHistory();
}

void CMenuWizardSheet::StartFreshHistory()
{
    m_strPendingAction.clear();
    m_history.Reset(m_host.Params(), LoadedSourceTag());
    UpdateUndoButtons();
    emit MenuReplaced();
}

bool CMenuWizardSheet::RecordStep(const QString &strWhat)
{
    // A tree action announced and not yet recorded names the change.
    const QString what = m_strPendingAction.isEmpty() ? strWhat : m_strPendingAction;
    const bool made = m_history.Record(m_host.Params(), what, LoadedSourceTag());
    if (made)
        m_strPendingAction.clear();
    UpdateUndoButtons();
    return made;
}

void CMenuWizardSheet::FlushPendingAction(bool bKeepWaiting)
{
    if (m_strPendingAction.isEmpty())
        return;
    if (m_history.HasChanges(m_host.Params()))
        RecordStep(m_strPendingAction);
    else if (!bKeepWaiting)
        m_strPendingAction.clear();
    UpdateUndoButtons();
}

void CMenuWizardSheet::OnMenuAboutToChange(const QString &strWhat)
{
    // What changed before the action (an item stored on the way) is a step
    // of its own; the action's change is recorded once it has happened, at
    // the latest by the next key, button or action.
    FlushPendingAction(false);
    RecordStep(PageStepName(GetActivePage()));
    m_strPendingAction = strWhat;
    QTimer::singleShot(0, this, [this] { FlushPendingAction(true); });
}

bool CMenuWizardSheet::ShownValuesDiffer() const
{
    CWizardPage *page = GetActivePage();
    if (!page || !page->IsCreated())
        return false;
    CAppletParameters shown;
    shown.CopyFrom(m_host.Params());
    page->ApplyShownValues(shown);
    return !CUndoHistory::SameContent(shown, m_host.Params());
}

bool CMenuWizardSheet::CommitShownValues()
{
    FlushPendingAction(false);
    CWizardPage *page = GetActivePage();
    if (page && page->IsCreated() && !page->StoreShownValues()) {
        UpdateUndoButtons();
        return false;
    }
    RecordStep(PageStepName(page));
    return true;
}

QString CMenuWizardSheet::NextUndoText() const
{
    if (m_history.HasChanges(m_host.Params()))
        return m_strPendingAction.isEmpty() ? PageStepName(GetActivePage()) : m_strPendingAction;
    if (ShownValuesDiffer())
        return PageStepName(GetActivePage());
    return m_history.UndoText();
}

QString CMenuWizardSheet::NextRedoText() const
{
    // Anything changed since the last step would be recorded first, and a
    // new step leaves nothing to redo.
    if (m_history.HasChanges(m_host.Params()) || ShownValuesDiffer())
        return QString();
    return m_history.RedoText();
}

void CMenuWizardSheet::OnUndo()
{
    if (m_bUndoing || !GetActivePage())
        return;
    QScopedValueRollback<bool> busy(m_bUndoing, true);
    if (!CommitShownValues())
        return;
    QVariant tag;
    if (m_history.Undo(m_host.Params(), &tag)) {
        RestoreLoadedSource(tag);
        ShowRestored();
    }
    UpdateUndoButtons();
}

void CMenuWizardSheet::OnRedo()
{
    if (m_bUndoing || !GetActivePage() || NextRedoText().isEmpty())
        return;
    QScopedValueRollback<bool> busy(m_bUndoing, true);
    QVariant tag;
    if (m_history.Redo(m_host.Params(), &tag)) {
        RestoreLoadedSource(tag);
        ShowRestored();
    }
    UpdateUndoButtons();
}

void CMenuWizardSheet::ShowRestored()
{
    // Every page shows the configuration's values when it becomes active:
    // running that again shows the restored ones.
    if (CWizardPage *page = GetActivePage(); page && page->IsCreated())
        page->ReloadShownValues();
    emit ConfigurationStored();
}

void CMenuWizardSheet::ScheduleUndoButtonsUpdate()
{
    // Once per burst of edits, after the handler that made them.
    if (m_bUpdateScheduled)
        return;
    m_bUpdateScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdateScheduled = false;
        UpdateUndoButtons();
    });
}

void CMenuWizardSheet::UpdateUndoButtons()
{
    const QString undo = NextUndoText();
    const QString redo = NextRedoText();
    m_btnUndo->setEnabled(!undo.isEmpty());
    m_btnRedo->setEnabled(!redo.isEmpty());
    m_btnUndo->setToolTip(undo.isEmpty() ? QStringLiteral("Nothing to undo (Ctrl+Z)")
                                         : QStringLiteral("Undo %1 (Ctrl+Z)").arg(undo));
    m_btnRedo->setToolTip(redo.isEmpty() ? QStringLiteral("Nothing to redo (Ctrl+Shift+Z or Ctrl+Y)")
                                         : QStringLiteral("Redo %1 (Ctrl+Shift+Z or Ctrl+Y)").arg(redo));
}
