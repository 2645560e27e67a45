#include "wizard/pages/ItemPage.h"

#include "app/WaitCursor.h"
#include "app/WizardHost.h"
#include "model/menu/AppletMenu.h"
#include "model/config/AppletParameters.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/dialogs/FileDialogs.h"
#include "wizard/tree/ItemPanel.h"
#include "wizard/controls/PageControls.h"
#include "wizard/controls/TextCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <limits>

namespace {

QString CommaMessage()
{
    return QStringLiteral(
        "A comma cannot be used in an item's label, link, target frame or image file name: "
        "the menu applet uses commas to separate them. Please remove it.");
}

QString CommaInImageMessage()
{
    return QStringLiteral(
        "A comma cannot be used in an item's label, link, target frame or image file name: "
        "the menu applet uses commas to separate them. Please choose an image whose path "
        "has no comma.");
}

// A menu the page can show: at least one item and a current index in range.
void MakeShowable(CAppletMenu &menu)
{
    if (menu.GetCount() < 1)
        menu.SetItemCount(1, 1);
    if (menu.m_nCurrent < 0)
        menu.m_nCurrent = 0;
    if (menu.m_nCurrent >= menu.GetCount())
        menu.m_nCurrent = menu.GetCount() - 1;
}

} // namespace

CItemPage::CItemPage(CWizardHost &host, QWidget *parent)
    : CWizardPage(host, 136, QStringLiteral("Insert Items Into Menu"), 0, parent)
{
}

void CItemPage::BuildControls()
{
    auto *intro = new QLabel(
        QStringLiteral("Now,You can insert the items into the main menu and the sub menu."), this);
    intro->setWordWrap(true);
    Body()->addWidget(intro);

    // The whole menu as a tree, with the buttons that act on its selected node.
    auto *treeBox = new QGroupBox(QStringLiteral("Menu Tree"), this);
    auto *treeLayout = new QVBoxLayout(treeBox);
    m_treeMenu = new CMenuTreeView(treeBox);
    m_treeMenu->setObjectName(QStringLiteral("menuTree"));
    m_treeMenu->setAccessibleName(QStringLiteral("Menu tree"));
    m_treeMenu->setAccessibleDescription(
        QStringLiteral("Insert, Delete, Ctrl+Up and Ctrl+Down act on the selected item"));
    // Room for a sub item's label of some thirty characters beside its indent.
    m_treeMenu->setMinimumWidth(m_treeMenu->fontMetrics().averageCharWidth() * 30);
    treeLayout->addWidget(m_treeMenu, 1);
    auto *treeButtons = new QGridLayout;
    m_btnInsert = PageButton(QStringLiteral("Insert Item"), "insertItem", QStringLiteral("Insert Item"), treeBox);
    m_btnDelete = PageButton(QStringLiteral("Delete Item"), "deleteItem", QStringLiteral("Delete Item"), treeBox);
    m_btnMoveUp = PageButton(QStringLiteral("Move Up"), "moveUp", QStringLiteral("Move Up"), treeBox);
    m_btnMoveDown = PageButton(QStringLiteral("Move Down"), "moveDown", QStringLiteral("Move Down"), treeBox);
    m_btnInsert->setToolTip(QStringLiteral("Insert a new item after the selected one (Insert)"));
    m_btnDelete->setToolTip(QStringLiteral("Delete the selected item (Delete)"));
    m_btnMoveUp->setToolTip(QStringLiteral("Move the selected item up (Ctrl+Up)"));
    m_btnMoveDown->setToolTip(QStringLiteral("Move the selected item down (Ctrl+Down)"));
    treeButtons->addWidget(m_btnInsert, 0, 0);
    treeButtons->addWidget(m_btnDelete, 0, 1);
    treeButtons->addWidget(m_btnMoveUp, 1, 0);
    treeButtons->addWidget(m_btnMoveDown, 1, 1);
    treeLayout->addLayout(treeButtons);

    auto *panels = new QHBoxLayout;
    panels->addWidget(treeBox, 1);
    m_pMain = new CItemPanel(false, this);
    m_pSub = new CItemPanel(true, this);
    panels->addWidget(m_pMain, 1);
    panels->addWidget(m_pSub, 1);
    m_editMainCount = m_pMain->m_editCount;
    m_btnMainPrev = m_pMain->m_btnPrev;
    m_staticMainPosition = m_pMain->m_staticPosition;
    m_btnMainNext = m_pMain->m_btnNext;
    m_checkHasSubMenu = m_pMain->m_checkHasSubMenu;
    m_editMainLabel = m_pMain->m_editLabel;
    m_editMainLink = m_pMain->m_editLink;
    m_comboMainTarget = m_pMain->m_comboTarget;
    m_editMainImage = m_pMain->m_editImage;
    m_btnMainBrowse = m_pMain->m_btnBrowse;
    m_editSubCount = m_pSub->m_editCount;
    m_btnSubPrev = m_pSub->m_btnPrev;
    m_staticSubPosition = m_pSub->m_staticPosition;
    m_btnSubNext = m_pSub->m_btnNext;
    m_editSubLabel = m_pSub->m_editLabel;
    m_editSubLink = m_pSub->m_editLink;
    m_comboSubTarget = m_pSub->m_comboTarget;
    m_editSubImage = m_pSub->m_editImage;
    m_btnSubBrowse = m_pSub->m_btnBrowse;
    m_pMain->onCountFocusLost = [this] { OnKillFocusMainCount(); };
    m_pSub->onCountFocusLost = [this] { OnKillFocusSubCount(); };
    Body()->addLayout(panels, 1);

    m_pTree = new CMenuTreeActions(*this, Host(), m_bBusy, *m_treeMenu, *m_pMain, *m_pSub, this);
    m_pTree->ConnectButtons(m_btnInsert, m_btnDelete, m_btnMoveUp, m_btnMoveDown);

    connect(m_btnMainNext, &QPushButton::clicked, this, &CItemPage::OnMainNext);
    connect(m_btnMainPrev, &QPushButton::clicked, this, &CItemPage::OnMainPrev);
    connect(m_btnSubNext, &QPushButton::clicked, this, &CItemPage::OnSubNext);
    connect(m_btnSubPrev, &QPushButton::clicked, this, &CItemPage::OnSubPrev);
    connect(m_checkHasSubMenu, &QCheckBox::toggled, this, &CItemPage::OnHasSubMenu);
    connect(m_btnMainBrowse, &QPushButton::clicked, this, &CItemPage::OnBrowseMainImage);
    connect(m_btnSubBrowse, &QPushButton::clicked, this, &CItemPage::OnBrowseSubImage);

    // Live edits of the shown item, before they are stored.
    for (QLineEdit *edit : {m_editMainLabel, m_editMainLink, m_editMainImage, m_editSubLabel,
                            m_editSubLink, m_editSubImage})
        connect(edit, &QLineEdit::textEdited, this, &CWizardPage::ValuesEdited);
    for (QComboBox *combo : {m_comboMainTarget, m_comboSubTarget}) {
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, &CWizardPage::ValuesEdited);
        connect(combo, &QComboBox::activated, this, &CWizardPage::ValuesEdited);
    }

    // The sub panel starts disabled.
    m_pSub->EnableFields(false);
    m_pSub->UpdateMoveButtons(nullptr);
}

bool CItemPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_pMain->m_nCount = 1;
    m_pSub->m_nCount = 1;
    return true;
}

void CItemPage::DoDataExchange(CDataExchange &dx)
{
    const Counts counts = m_counts;
    // The largest count a box may hold: 20 for a typed count; a box still
    // showing its menu's real count passes unless the page is being left,
    // so a loaded menu of more than 20 items does not block moving around.
    auto countMax = [&](const QLineEdit *edit, const CAppletMenu *menu) {
        const bool typed = !menu || edit->text().trimmed() != QString::number(menu->GetCount());
        return counts == Counts::All || typed ? CAppletMenu::kMaxItems : std::numeric_limits<int>::max();
    };
    dx.Check(m_checkHasSubMenu, m_bHasSubMenu);
    dx.Text(m_editMainImage, m_pMain->m_strImage);
    dx.Int(m_editMainCount, m_pMain->m_nCount, CAppletMenu::kMinItems, countMax(m_editMainCount, &MainMenu()));
    dx.Text(m_editMainLabel, m_pMain->m_strLabel);
    dx.Text(m_editMainLink, m_pMain->m_strLink);
    dx.Text(m_editSubImage, m_pSub->m_strImage);
    // A greyed sub count belongs to no sub menu: it shows empty and is not
    // checked, so it can never hold the user on the page.
    if (m_editSubCount->isEnabled())
        dx.Int(m_editSubCount, m_pSub->m_nCount, CAppletMenu::kMinItems, countMax(m_editSubCount, CurrentSubMenu()));
    else if (!dx.IsSaving())
        m_editSubCount->clear();
    dx.Text(m_editSubLabel, m_pSub->m_strLabel);
    dx.Text(m_editSubLink, m_pSub->m_strLink);
    dx.ComboText(m_comboSubTarget, m_pSub->m_strTarget);
    m_pMain->ExchangePosition(dx);
    dx.ComboText(m_comboMainTarget, m_pMain->m_strTarget);
    m_pSub->ExchangePosition(dx);
}

bool CItemPage::UpdateData(bool bSaveAndValidate, Counts counts, QLineEdit **ppFailed)
{
    const QScopedValueRollback<Counts> rule(m_counts, counts);
    // Has SubMenu set by the page itself is no toggle by the user.
    const QSignalBlocker quiet(bSaveAndValidate ? nullptr : m_checkHasSubMenu);
    return CWizardPage::UpdateData(bSaveAndValidate, ppFailed);
}

bool CItemPage::CheckNoCommas(bool bMain, bool bSub)
{
    struct Box {
        QWidget *focus;
        QLineEdit *edit;
    };
    QList<Box> boxes;
    if (bMain)
        boxes = {{m_editMainLabel, m_editMainLabel},
                 {m_editMainLink, m_editMainLink},
                 {m_comboMainTarget, m_comboMainTarget->lineEdit()},
                 {m_editMainImage, m_editMainImage}};
    if (bSub && m_editSubLabel->isEnabled())
        boxes += {{m_editSubLabel, m_editSubLabel},
                  {m_editSubLink, m_editSubLink},
                  {m_comboSubTarget, m_comboSubTarget->lineEdit()},
                  {m_editSubImage, m_editSubImage}};
    for (const Box &box : boxes) {
        if (!CheckNoControlCharacters(Host().Ui(), this, box.focus, box.edit))
            return false;
        const int comma = box.edit->text().indexOf(QLatin1Char(','));
        if (comma < 0)
            continue;
        Host().Ui().MessageBox(this, CommaMessage());
        box.focus->setFocus(Qt::OtherFocusReason);
        box.edit->setSelection(comma, 1);
        return false;
    }
    return true;
}

bool CItemPage::ReadShownValues(Counts counts, bool bMain, bool bSub)
{
    // A failing check moves the focus to its box: a count box losing it
    // then must not check the page (and tell the user) a second time.
    const QScopedValueRollback<bool> checking(m_bChecking, true);
    return UpdateData(true, counts) && CheckNoCommas(bMain, bSub);
}

bool CItemPage::ReadShownItems(bool bMain, bool bSub)
{
    return ReadShownValues(Counts::Typed, bMain, bSub);
}

void CItemPage::ShowCurrentItems(bool bCount)
{
    CAppletMenu &menu = MainMenu();
    if (bCount)
        m_pMain->m_nCount = menu.GetCount();
    ShowMainItem(menu.m_nCurrent);
    RefreshSubPanel();
    UpdateMainButtons();
    UpdateData(false);
}

void CItemPage::AnnounceChange(const QString &strWhat)
{
    emit menuAboutToChange(strWhat);
}

void CItemPage::ChangeStored()
{
    NotifyStored();
}

CAppletMenu &CItemPage::MainMenu() const
{
    return *Host().Params().m_pMainMenu;
}

CAppletMenuItem *CItemPage::CurrentMainItem() const
{
    CAppletMenu &menu = MainMenu();
    if (menu.m_nCurrent < 0 || menu.m_nCurrent >= menu.GetCount())
        return nullptr;
    return menu.GetItem(menu.m_nCurrent);
}

CAppletMenu *CItemPage::CurrentSubMenu() const
{
    CAppletMenuItem *item = CurrentMainItem();
    return item ? item->m_pSubMenu.get() : nullptr;
}

CAppletMenuItem *CItemPage::CurrentSubItem() const
{
    CAppletMenu *sub = CurrentSubMenu();
    if (!sub || sub->m_nCurrent < 0 || sub->m_nCurrent >= sub->GetCount())
        return nullptr;
    return sub->GetItem(sub->m_nCurrent);
}

void CItemPage::StoreItems(bool bMain, bool bSub)
{
    CAppletMenuItem *mainItem = bMain ? CurrentMainItem() : nullptr;
    CAppletMenuItem *subItem = bSub ? CurrentSubItem() : nullptr;
    if ((mainItem && m_pMain->Differs(*mainItem)) || (subItem && m_pSub->Differs(*subItem)))
        emit menuAboutToChange(QStringLiteral("Edit Item"));
    if (mainItem)
        m_pMain->StoreInto(*mainItem);
    if (subItem)
        m_pSub->StoreInto(*subItem);
}

void CItemPage::StoreShownItems()
{
    StoreItems(true, true);
}

void CItemPage::ShowMainItem(int nIndex)
{
    m_pMain->TakeItem(*MainMenu().GetItem(nIndex), nIndex);
    UpdateData(false);
}

void CItemPage::ShowSubItem(int nMain, int nSub)
{
    m_pSub->TakeItem(*MainMenu().GetItem(nMain)->m_pSubMenu->GetItem(nSub), nSub);
    UpdateData(false);
}

void CItemPage::UpdateSubButtons()
{
    m_pSub->UpdateMoveButtons(CurrentSubMenu());
}

void CItemPage::UpdateMainButtons()
{
    m_pMain->UpdateMoveButtons(&MainMenu());
}

void CItemPage::RefreshSubPanel()
{
    if (CAppletMenu *sub = CurrentSubMenu()) {
        MakeShowable(*sub);
        m_bHasSubMenu = 1;
        m_pSub->m_nCount = sub->GetCount();
        m_pSub->EnableFields(true);
        UpdateSubButtons();
        ShowSubItem(MainMenu().m_nCurrent, sub->m_nCurrent);
    } else {
        // No sub menu: the sub panel is greyed and empty.
        m_bHasSubMenu = 0;
        m_pSub->UpdateMoveButtons(nullptr);
        m_pSub->EnableFields(false);
        m_pSub->Clear();
    }
}

void CItemPage::ShowFromParams()
{
    CAppletMenu &menu = MainMenu();
    MakeShowable(menu);
    ShowCurrentItems(true);
    m_pTree->Rebuild();
}

bool CItemPage::OnSetActive()
{
    m_bLeaving = false;
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    ShowFromParams();
    return CWizardPage::OnSetActive();
}

void CItemPage::ReloadFromParams()
{
    if (!IsCreated())
        return;
    QScopedValueRollback<bool> busy(m_bBusy, true);
    ShowFromParams();
}

void CItemPage::MoveMain(int nDelta)
{
    if (m_bBusy)
        return;
    QScopedValueRollback<bool> busy(m_bBusy, true);
    CAppletMenu &menu = MainMenu();
    const int target = menu.m_nCurrent + nDelta;
    if (target < 0 || target >= menu.GetCount())
        return;
    if (!ReadShownValues())
        return;
    StoreShownItems();
    menu.m_nCurrent = target;
    ShowCurrentItems(false);
    m_pTree->SelectShown(false);
    m_pMain->FocusLabel();
    NotifyStored();
}

void CItemPage::MoveSub(int nDelta)
{
    if (m_bBusy)
        return;
    QScopedValueRollback<bool> busy(m_bBusy, true);
    CAppletMenu *sub = CurrentSubMenu();
    if (!sub)
        return;
    const int target = sub->m_nCurrent + nDelta;
    if (target < 0 || target >= sub->GetCount())
        return;
    if (!ReadShownValues())
        return;
    StoreItems(false, true);
    sub->m_nCurrent = target;
    ShowSubItem(MainMenu().m_nCurrent, target);
    UpdateSubButtons();
    m_pTree->SelectShown(true);
    m_pSub->FocusLabel();
    NotifyStored();
}

void CItemPage::OnMainNext() { MoveMain(+1); }
void CItemPage::OnMainPrev() { MoveMain(-1); }
void CItemPage::OnSubNext() { MoveSub(+1); }
void CItemPage::OnSubPrev() { MoveSub(-1); }

void CItemPage::RestoreCount(bool bSub)
{
    QLineEdit *edit = bSub ? m_editSubCount : m_editMainCount;
    int &value = (bSub ? m_pSub : m_pMain)->m_nCount;
    const CAppletMenu *menu = bSub ? CurrentSubMenu() : &MainMenu();
    if (menu)
        value = menu->GetCount();
    edit->setText(QString::number(value));
    if (edit->hasFocus())
        edit->selectAll();
}

void CItemPage::OnKillFocusMainCount() { ApplyTypedCount(false); }
void CItemPage::OnKillFocusSubCount() { ApplyTypedCount(true); }

void CItemPage::ApplyTypedCount(bool bSub)
{
    if (m_bBusy || m_bChecking || m_bLeaving || !isVisible())
        return;
    CAppletMenu *menu = bSub ? CurrentSubMenu() : &MainMenu();
    if (!menu)
        return;
    QScopedValueRollback<bool> busy(m_bBusy, true);
    // A refused count puts back only the count box: the other boxes keep
    // whatever the user typed into them. A refusal of another box, or a
    // comma elsewhere, leaves the typed count waiting; it is applied once
    // that box is put right.
    QLineEdit *failed = nullptr;
    if (!UpdateData(true, Counts::Typed, &failed)) {
        if (failed == (bSub ? m_editSubCount : m_editMainCount))
            RestoreCount(bSub);
        return;
    }
    if (!CheckNoCommas())
        return;
    // The shown main item is stored only when its own menu changes.
    StoreItems(!bSub, true);
    const int count = (bSub ? m_pSub : m_pMain)->m_nCount;
    const int old = menu->GetCount();
    if (count != old)
        emit menuAboutToChange(QStringLiteral("Change Number of Items"));
    menu->SetItemCount(count, 1);
    if (bSub) {
        if (menu->GetCount() < old)
            ShowSubItem(MainMenu().m_nCurrent, menu->m_nCurrent);
        m_editSubCount->setText(QString::number(count));
        UpdateSubButtons();
    } else {
        if (menu->GetCount() < old) {
            ShowMainItem(menu->m_nCurrent);
            RefreshSubPanel();
        }
        UpdateData(false);
        UpdateMainButtons();
    }
    if (menu->GetCount() != old)
        m_pTree->Rebuild(bSub);
    NotifyStored();
}

void CItemPage::OnHasSubMenu()
{
    const bool checked = m_checkHasSubMenu->isChecked();
    auto refuse = [&] {
        m_bHasSubMenu = checked ? 0 : 1;
        const QSignalBlocker quiet(m_checkHasSubMenu);
        m_checkHasSubMenu->setChecked(!checked);
    };
    if (m_bBusy) {
        refuse();
        return;
    }
    QScopedValueRollback<bool> busy(m_bBusy, true);
    // Unticking removes the sub menu: what its panel holds is not checked.
    if (!UpdateData(true) || !CheckNoCommas(true, checked)) {
        refuse();
        return;
    }
    CAppletMenu &menu = MainMenu();
    const int current = menu.m_nCurrent;
    if (m_bHasSubMenu) {
        emit menuAboutToChange(QStringLiteral("Add Sub Menu"));
        CAppletMenu *sub = menu.GetSubMenu(current);
        MakeShowable(*sub);
        m_pSub->m_nCount = sub->GetCount();
        UpdateSubButtons();
        m_pSub->EnableFields(true);
        ShowSubItem(current, sub->m_nCurrent);
        UpdateData(false);
        m_pTree->Rebuild();
        m_editSubCount->setFocus(Qt::OtherFocusReason);
        m_editSubCount->selectAll();
        NotifyStored();
        return;
    }
    const auto answer = Host().Ui().MessageBox(this, CMenuTreeActions::RemoveSubMenuQuestion(),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        emit menuAboutToChange(QStringLiteral("Remove Sub Menu"));
        menu.DeleteSubMenu(current);
        RefreshSubPanel();
        UpdateData(false);
        m_pTree->Rebuild(false);
        NotifyStored();
    } else {
        m_bHasSubMenu = 1;
        UpdateData(false);
    }
}

void CItemPage::BrowseImage(bool bSub)
{
    if (m_bBusy)
        return;
    QScopedValueRollback<bool> busy(m_bBusy, true);
    if (!UpdateData(true))
        return;
    CAppletMenu *menu = bSub ? CurrentSubMenu() : &MainMenu();
    if (!menu)
        return;
    const QString chosen = AskOpenFile(Host().Ui(), this, EFileKind::Image, ImageFileFilter(Host().Params().m_ModernPage));
    if (chosen.isEmpty())
        return;
    if (chosen.contains(QLatin1Char(','))) {
        Host().Ui().MessageBox(this, CommaInImageMessage());
        return;
    }
    const QString path = QDir::toNativeSeparators(chosen);
    (bSub ? m_pSub : m_pMain)->m_strImage = path;

    // A first image given to a menu without any goes to every item of it.
    bool allEmpty = menu->GetCount() > 0;
    for (const auto &item : menu->m_items)
        allEmpty = allEmpty && item->m_strImage.isEmpty();
    if (allEmpty)
        emit menuAboutToChange(QStringLiteral("Choose Image"));
    if (allEmpty)
        for (const auto &item : menu->m_items)
            item->m_strImage = path;

    UpdateData(false);
    if (allEmpty)
        NotifyStored();
    else
        emit ValuesEdited();
}

void CItemPage::OnBrowseMainImage() { BrowseImage(false); }
void CItemPage::OnBrowseSubImage() { BrowseImage(true); }

void CItemPage::ApplyPendingCounts()
{
    // A count typed and confirmed with Enter never lost the focus: apply it
    // now as the focus loss would have.
    CAppletMenu *sub = CurrentSubMenu();
    CAppletMenu &menu = MainMenu();
    if ((sub && m_pSub->m_nCount != sub->GetCount()) || m_pMain->m_nCount != menu.GetCount())
        emit menuAboutToChange(QStringLiteral("Change Number of Items"));
    if (sub && m_pSub->m_nCount != sub->GetCount())
        sub->SetItemCount(m_pSub->m_nCount, 1);
    if (m_pMain->m_nCount != menu.GetCount())
        menu.SetItemCount(m_pMain->m_nCount, 1);
}

bool CItemPage::OnWizardBack()
{
    if (m_bBusy || !ReadShownValues(Counts::All))
        return false;
    StoreShownItems();
    ApplyPendingCounts();
    NotifyStored();
    return true;
}

bool CItemPage::OnWizardNext()
{
    if (m_bBusy || !ReadShownValues(Counts::All))
        return false;
    {
        CWaitCursor wait;
        StoreShownItems();
        ApplyPendingCounts();
    }
    NotifyStored();
    return true;
}

bool CItemPage::OnKillActive()
{
    if (!ReadShownValues(Counts::All))
        return false;
    m_bLeaving = true;
    return true;
}

void CItemPage::ApplyShownValues(CAppletParameters &params) const
{
    // Only the page on show holds values newer than the configuration.
    if (!IsCreated() || !PageHost() || PageHost()->GetActivePage() != this)
        return;
    const CAppletMenu &shown = MainMenu();
    CAppletMenu &menu = *params.m_pMainMenu;
    const int nMain = shown.m_nCurrent;
    if (nMain < 0 || nMain >= menu.GetCount() || nMain >= shown.GetCount())
        return;
    CAppletMenuItem *item = menu.GetItem(nMain);
    m_pMain->ApplyShownTo(*item);

    const CAppletMenu *shownSub = shown.GetItem(nMain)->m_pSubMenu.get();
    CAppletMenu *sub = item->m_pSubMenu.get();
    if (!shownSub || !sub || !m_editSubLabel->isEnabled())
        return;
    const int nSub = shownSub->m_nCurrent;
    if (nSub < 0 || nSub >= sub->GetCount())
        return;
    m_pSub->ApplyShownTo(*sub->GetItem(nSub));
}
