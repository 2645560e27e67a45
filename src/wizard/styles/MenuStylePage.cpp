#include "wizard/styles/MenuStylePage.h"

#include "app/WizardHost.h"
#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/controls/PageControls.h"
#include "wizard/widgets/StatusLine.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CMenuStylePage::CMenuStylePage(CWizardHost &host, QWidget *parent)
    : CWizardPage(host, 134, QStringLiteral("Set Menu Style"), 133, parent)
{
}

void CMenuStylePage::BuildControls()
{
    auto *intro = new QLabel(QStringLiteral("Now,You can specify main menu and sub menu style. "), this);
    intro->setWordWrap(true);

    m_rbMainMenu = RadioButton(QStringLiteral("Set Main Menu Style"), "1044", this);
    m_rbSubMenu = RadioButton(QStringLiteral("Set Sub Menu Style"), "1013", this);
    m_groupMenu = RadioGroup({m_rbMainMenu, m_rbSubMenu}, this);
    auto *menuRow = new QHBoxLayout;
    menuRow->addWidget(m_rbMainMenu);
    menuRow->addSpacing(16);
    menuRow->addWidget(m_rbSubMenu);
    menuRow->addStretch(1);
    // Its text and accessible name follow the menu shown (UpdateCopyButton).
    m_btnCopyToMenu = PageButton(QString(), "copyToMenu", QString(), this);
    menuRow->addWidget(m_btnCopyToMenu);

    auto *box = new QGroupBox(QStringLiteral("Menu Style"), this);

    // Left column: colour and item arrangement.
    m_btnBKColor = new CColorButton(Host().Ui(), box);
    m_btnBKColor->setObjectName(QStringLiteral("1015"));
    auto *colorRow = LabelledRow(QStringLiteral("Background Color:"), m_btnBKColor, box, true);
    auto *alignLabel = new QLabel(QStringLiteral("Items Align:"), box);
    m_rbVertical = RadioButton(QStringLiteral("Vertical"), "1053", box);
    m_rbHorizontal = RadioButton(QStringLiteral("Horizontal"), "1012", box);
    m_groupAlign = RadioGroup({m_rbVertical, m_rbHorizontal}, this);
    auto *left = new QVBoxLayout;
    left->addLayout(colorRow);
    left->addSpacing(6);
    left->addWidget(alignLabel);
    auto *alignRow = new QHBoxLayout;
    alignRow->addSpacing(12);
    alignRow->addWidget(m_rbVertical);
    alignRow->addWidget(m_rbHorizontal);
    alignRow->addStretch(1);
    left->addLayout(alignRow);
    left->addStretch(1);

    // Right column: the four numbers.
    m_editItemWidth = DigitBox("1027", box);
    m_editItemHeight = DigitBox("1028", box);
    m_editBorderThick = DigitBox("1030", box);
    m_editItemGap = DigitBox("1029", box);
    auto *right = new QFormLayout;
    right->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const struct {
        const char *label;
        QLineEdit *edit;
    } numbers[] = {{"Item Width:", m_editItemWidth},
                   {"Item Height:", m_editItemHeight},
                   {"Item Border Thick:", m_editBorderThick},
                   {"Item Gaps:", m_editItemGap}};
    for (const auto &n : numbers)
        right->addRow(BuddyLabel(QString::fromLatin1(n.label), n.edit, box), n.edit);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(Separator(QFrame::VLine, box));
    columns->addLayout(right, 1);

    // Below: the background style across the box.
    m_cbBKStyle = ListBox("1064",
                          {QStringLiteral("Transparent Background without Border"),
                           QStringLiteral("Transparent Background with Border"),
                           QStringLiteral("Full Fill with Background without Border"),
                           QStringLiteral("Full Fill with Background with Border")},
                          box);
    auto *styleRow = LabelledRow(QStringLiteral("Background Style:"), m_cbBKStyle, box);

    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(columns);
    boxLayout->addWidget(Separator(QFrame::HLine, box));
    boxLayout->addLayout(styleRow);

    // Today's look: corners, room, shadow, arrows and fading in, which pages
    // for today's browsers show.
    auto *looks = new QGroupBox(QStringLiteral("Today's Look"), this);
    looks->setToolTip(QStringLiteral("Shown by pages that work in today's browsers"));
    m_editItemRadius = DigitBox("itemRadius", looks);
    m_editPanelRadius = DigitBox("panelRadius", looks);
    m_editLabelInset = DigitBox("labelInset", looks);
    m_editItemRadius->setToolTip(QStringLiteral("Corner radius of the items, 0 to 16 pixels"));
    m_editPanelRadius->setToolTip(QStringLiteral("Corner radius of the menu's filled box, 0 to 16 pixels"));
    m_editLabelInset->setToolTip(QStringLiteral("Room at each side of the label, 2 to 24 pixels"));
    m_cbShadow = ListBox("shadow", {QStringLiteral("None"), QStringLiteral("Soft"), QStringLiteral("Strong")}, looks);
    m_chkArrows = new QCheckBox(QStringLiteral("Arrows on items with a sub menu"), looks);
    m_chkArrows->setObjectName(QStringLiteral("arrows"));
    m_chkFadeIn = new QCheckBox(QStringLiteral("Fade in when opened"), looks);
    m_chkFadeIn->setObjectName(QStringLiteral("fadeIn"));
    auto *lookRows = new QFormLayout;
    lookRows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    lookRows->addRow(BuddyLabel(QStringLiteral("Item Corners:"), m_editItemRadius, looks), m_editItemRadius);
    lookRows->addRow(BuddyLabel(QStringLiteral("Menu Corners:"), m_editPanelRadius, looks), m_editPanelRadius);
    lookRows->addRow(BuddyLabel(QStringLiteral("Label Room:"), m_editLabelInset, looks), m_editLabelInset);
    lookRows->addRow(BuddyLabel(QStringLiteral("Shadow:"), m_cbShadow, looks), m_cbShadow);
    auto *lookLayout = new QVBoxLayout(looks);
    lookLayout->addLayout(lookRows);
    lookLayout->addWidget(m_chkArrows);
    lookLayout->addWidget(m_chkFadeIn);
    lookLayout->addStretch(1);

    m_lblStatus = new CStatusLine(this);

    Body()->addWidget(intro);
    Body()->addLayout(menuRow);
    // The classic style and today's look side by side.
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(box, 3);
    boxes->addWidget(looks, 1);
    Body()->addLayout(boxes);
    Body()->addWidget(m_lblStatus);
    Body()->addStretch(1);
    // The line speaks of the last copy only: an edit after it ends it.
    connect(this, &CWizardPage::ValuesEdited, m_lblStatus, &CStatusLine::Clear);

    setTabOrder(m_rbMainMenu, m_rbSubMenu);
    setTabOrder(m_rbSubMenu, m_btnBKColor);
    setTabOrder(m_btnBKColor, m_rbVertical);
    setTabOrder(m_rbVertical, m_rbHorizontal);
    setTabOrder(m_rbHorizontal, m_editItemWidth);
    setTabOrder(m_editItemWidth, m_editItemHeight);
    setTabOrder(m_editItemHeight, m_editBorderThick);
    setTabOrder(m_editBorderThick, m_editItemGap);
    setTabOrder(m_editItemGap, m_cbBKStyle);
    setTabOrder(m_cbBKStyle, m_editItemRadius);
    setTabOrder(m_editItemRadius, m_editPanelRadius);
    setTabOrder(m_editPanelRadius, m_editLabelInset);
    setTabOrder(m_editLabelInset, m_cbShadow);
    setTabOrder(m_cbShadow, m_chkArrows);
    setTabOrder(m_chkArrows, m_chkFadeIn);
    setTabOrder(m_rbSubMenu, m_btnCopyToMenu);
    setTabOrder(m_btnCopyToMenu, m_btnBKColor);
    UpdateCopyButton();
    connect(m_btnCopyToMenu, &QPushButton::clicked, this, &CMenuStylePage::OnCopyToOtherMenu);

    // The switch follows the buttons however they are set (mouse, keyboard,
    // an accessibility action or code), once; not while the page writes them.
    connect(m_rbMainMenu, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !IsWriting())
            OnMainMenu();
    });
    connect(m_rbSubMenu, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !IsWriting())
            OnSubMenu();
    });
    connect(m_btnBKColor, &QPushButton::clicked, this, [this] { m_btnBKColor->ChooseColor(this); });
    connect(m_btnBKColor, &CColorButton::ColorChosen, this, &CMenuStylePage::OnEdited);
    for (QRadioButton *b : {m_rbVertical, m_rbHorizontal})
        connect(b, &QRadioButton::toggled, this, &CMenuStylePage::OnEdited);
    for (QLineEdit *e : {m_editItemWidth, m_editItemHeight, m_editBorderThick, m_editItemGap, m_editItemRadius,
                         m_editPanelRadius, m_editLabelInset})
        connect(e, &QLineEdit::textChanged, this, &CMenuStylePage::OnEdited);
    for (QComboBox *c : {m_cbBKStyle, m_cbShadow})
        connect(c, &QComboBox::currentIndexChanged, this, &CMenuStylePage::OnEdited);
    for (QCheckBox *c : {m_chkArrows, m_chkFadeIn})
        connect(c, &QCheckBox::toggled, this, &CMenuStylePage::OnEdited);
}

void CMenuStylePage::DoDataExchange(CDataExchange &dx)
{
    dx.Int(m_editItemGap, m_nItemGap, 0, 480);
    dx.Int(m_editBorderThick, m_nBorderThick, 0, 480);
    dx.Int(m_editItemHeight, m_nItemHeight, 1, 480);
    dx.Int(m_editItemWidth, m_nItemWidth, 1, 640);
    dx.Radio({m_rbVertical, m_rbHorizontal}, m_nMenuAlign);
    dx.ListIndex(m_cbBKStyle, m_nBKStyle);
    dx.Int(m_editItemRadius, m_nItemRadius, 0, Look::kMaxRadius);
    dx.Int(m_editPanelRadius, m_nPanelRadius, 0, Look::kMaxRadius);
    dx.Int(m_editLabelInset, m_nLabelInset, Look::kClassicInset, Look::kMaxInset);
    dx.ListIndex(m_cbShadow, m_nShadow);
    dx.Check(m_chkArrows, m_nArrows);
    dx.Check(m_chkFadeIn, m_nFadeIn);
    dx.Radio({m_rbMainMenu, m_rbSubMenu}, m_nMenu);
}

bool CMenuStylePage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_nMenu = 0;
    UpdateData(false);
    UpdateCopyButton();
    return true;
}

bool CMenuStylePage::OnSetActive()
{
    m_lblStatus->Clear();
    LoadMenuStyle();
    return CWizardPage::OnSetActive();
}

QLineEdit *CMenuStylePage::StoreMenuStyle(int nMenu)
{
    // The read also moves m_nMenu to the radio button now selected, unless
    // a check fails before it gets there.
    QLineEdit *failed = nullptr;
    UpdateData(true, &failed);
    if (nMenu != 0 && nMenu != 1)
        return failed;
    const CMenuStyle f = MenuStyleFields(Host().Params(), nMenu == 1);
    *f.pBKColor = m_btnBKColor->Color();
    *f.pMenuAlign = m_nMenuAlign;
    *f.pWidth = m_nItemWidth;
    *f.pHeight = m_nItemHeight;
    *f.pItemGap = m_nItemGap;
    *f.pBorderThick = m_nBorderThick;
    *f.pBKStyle = m_nBKStyle;
    *f.pItemRadius = m_nItemRadius;
    *f.pPanelRadius = m_nPanelRadius;
    *f.pLabelInset = StoredLabelInset(m_nLabelInset);
    *f.pShadow = m_nShadow;
    *f.pArrows = m_nArrows;
    *f.pFadeIn = m_nFadeIn;
    NotifyStored();
    return failed;
}

void CMenuStylePage::LoadMenuStyle()
{
    const CMenuStyle f = MenuStyleFields(Host().Params(), m_nMenu != 0);
    m_btnBKColor->SetColor(*f.pBKColor);
    m_nMenuAlign = *f.pMenuAlign;
    m_nItemWidth = *f.pWidth;
    m_nItemHeight = *f.pHeight;
    m_nItemGap = *f.pItemGap;
    m_nBorderThick = *f.pBorderThick;
    m_nBKStyle = *f.pBKStyle;
    m_nItemRadius = *f.pItemRadius;
    m_nPanelRadius = *f.pPanelRadius;
    m_nLabelInset = *f.pLabelInset == 0 ? Look::kClassicInset : *f.pLabelInset;
    m_nShadow = *f.pShadow;
    m_nArrows = *f.pArrows;
    m_nFadeIn = *f.pFadeIn;
    UpdateData(false);
    UpdateCopyButton();
}

void CMenuStylePage::UpdateCopyButton()
{
    const QString text = m_nMenu == 1 ? QStringLiteral("Copy to Main Menu") : QStringLiteral("Copy to Sub Menu");
    m_btnCopyToMenu->setText(text);
    m_btnCopyToMenu->setAccessibleName(text);
    m_btnCopyToMenu->setToolTip(m_nMenu == 1 ? QStringLiteral("Give the main menu the sub menus' style shown")
                                             : QStringLiteral("Give the sub menus the main menu's style shown"));
    m_btnCopyToMenu->setEnabled(m_nMenu == 0 || m_nMenu == 1);
    // Only main items open sub menus, and only sub menus open.
    m_chkArrows->setEnabled(m_nMenu == 0);
    m_chkFadeIn->setEnabled(m_nMenu == 1);
    m_chkArrows->setAccessibleDescription(m_nMenu == 0 ? QString()
                                                       : QStringLiteral("Sub menu items open no menu of their own"));
    m_chkFadeIn->setAccessibleDescription(m_nMenu == 1 ? QString()
                                                       : QStringLiteral("The main menu is always shown"));
}

void CMenuStylePage::OnCopyToOtherMenu()
{
    if ((m_nMenu != 0 && m_nMenu != 1) || !BeginUndoStep())
        return;
    const QString what = m_btnCopyToMenu->text();
    CAppletParameters &p = Host().Params();
    AssignMenuStyle(MenuStyleFields(p, m_nMenu != 1), MenuStyleFields(p, m_nMenu == 1));
    EndUndoStep(what);
    m_lblStatus->Say(CopiedToMenuMessage(m_nMenu != 1));
}

void CMenuStylePage::SwitchMenu(int nStoreInto)
{
    QLineEdit *failed = StoreMenuStyle(nStoreInto);
    if (!failed) {
        LoadMenuStyle();
        // The store was announced while the boxes still showed the menu
        // left; now they show the other one.
        emit ValuesEdited();
        return;
    }
    // No switch: m_nMenu still names the menu that was shown and the radio
    // buttons return to it. The boxes keep what the user typed (the check
    // stopped before reading the later ones, so reloading would undo them).
    SetRadioIndex({m_rbMainMenu, m_rbSubMenu}, m_nMenu == 0 ? 0 : 1);
    failed->setFocus(Qt::OtherFocusReason);
    failed->selectAll();
}

void CMenuStylePage::OnMainMenu()
{
    if (m_nMenu != 0)
        SwitchMenu(1);
}

void CMenuStylePage::OnSubMenu()
{
    if (m_nMenu != 1)
        SwitchMenu(0);
}

// A failed check has already told the user and put the focus on the box:
// the page stays without asking a second time.
bool CMenuStylePage::OnWizardBack()
{
    return !StoreMenuStyle(m_nMenu) && CWizardPage::OnWizardBack();
}

bool CMenuStylePage::OnWizardNext()
{
    return !StoreMenuStyle(m_nMenu) && CWizardPage::OnWizardNext();
}

bool CMenuStylePage::OnKillActive()
{
    return UpdateData(true) && CWizardPage::OnKillActive();
}

void CMenuStylePage::ApplyShownValues(CAppletParameters &params) const
{
    if (!IsCreated() || (m_nMenu != 0 && m_nMenu != 1))
        return;
    const CMenuStyle f = MenuStyleFields(params, m_nMenu == 1);
    *f.pBKColor = m_btnBKColor->Color();
    *f.pMenuAlign = RadioIndex({m_rbVertical, m_rbHorizontal});
    *f.pBKStyle = m_cbBKStyle->currentIndex();
    *f.pShadow = m_cbShadow->currentIndex();
    *f.pArrows = m_chkArrows->isChecked() ? 1 : 0;
    *f.pFadeIn = m_chkFadeIn->isChecked() ? 1 : 0;
    const struct {
        QLineEdit *edit;
        int *field;
    } numbers[] = {{m_editItemWidth, f.pWidth},
                   {m_editItemHeight, f.pHeight},
                   {m_editItemGap, f.pItemGap},
                   {m_editBorderThick, f.pBorderThick},
                   {m_editItemRadius, f.pItemRadius},
                   {m_editPanelRadius, f.pPanelRadius},
                   {m_editLabelInset, f.pLabelInset}};
    for (const auto &n : numbers) {
        bool ok = false;
        const int value = n.edit->text().trimmed().toInt(&ok);
        if (ok)
            *n.field = n.field == f.pLabelInset ? StoredLabelInset(value) : value;
    }
}
