#include "wizard/pages/GeneralPage.h"

#include "app/WizardHost.h"
#include "model/config/AppletParameters.h"
#include "model/text/PageLanguage.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/dialogs/FileDialogs.h"
#include "wizard/controls/PageControls.h"
#include "wizard/widgets/SpinButton.h"
#include "wizard/controls/TextCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A box with its arrows right beside it.
QHBoxLayout *Attached(QLineEdit *edit, CSpinButton *spin)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(edit);
    row->addWidget(spin);
    return row;
}

} // namespace

CGeneralPage::CGeneralPage(CWizardHost &host, QWidget *parent)
    : CWizardPage(host, 133, QStringLiteral("Set General Parameters"), 132, parent)
{
}

void CGeneralPage::BuildControls()
{
    // HTML Page: title and alignment.
    auto *htmlBox = new QGroupBox(QStringLiteral("HTML Page"), this);
    m_editTitle = new QLineEdit(htmlBox);
    m_editTitle->setObjectName(QStringLiteral("1013"));
    auto *titleLabel = BuddyLabel(QStringLiteral("Page Title:"), m_editTitle, htmlBox);
    // A sorted list whose entries are already in order: 0 Center, 1 Left, 2 Right.
    m_cbAlign = ListBox("1014", {QStringLiteral("Center"), QStringLiteral("Left"), QStringLiteral("Right")}, htmlBox);
    auto *alignLabel = BuddyLabel(QStringLiteral("Align:"), m_cbAlign, htmlBox);
    // Browsers no longer run applets: a page for today's browsers also
    // carries the menu script and its links as a plain list.
    m_chkModernPage = new QCheckBox(QStringLiteral("Works in today's browsers"), htmlBox);
    m_chkModernPage->setObjectName(QStringLiteral("modernPage"));
    m_chkModernPage->setToolTip(QStringLiteral("The saved page draws the menu with a script that comes with it, "
                                   "and lists its links for visitors without scripts"));
    // What such a page says of itself: its language (screen readers speak
    // it in that language) and what it is about (search engines show it).
    m_editLang = new QLineEdit(htmlBox);
    m_editLang->setObjectName(QStringLiteral("pageLang"));
    m_editLang->setMaxLength(35);
    m_editLang->setToolTip(QStringLiteral("The language of the page's text as a tag, such as en, en-GB or pt-BR"));
    auto *langLabel = BuddyLabel(QStringLiteral("Page language:"), m_editLang, htmlBox);
    m_editDescription = new QLineEdit(htmlBox);
    m_editDescription->setObjectName(QStringLiteral("pageDescription"));
    m_editDescription->setToolTip(QStringLiteral("A sentence on what the page holds, which search engines show "
                                                 "under its title; none when empty"));
    auto *descriptionLabel = BuddyLabel(QStringLiteral("Description:"), m_editDescription, htmlBox);
    auto *htmlRows = new QVBoxLayout(htmlBox);
    auto *htmlRow = new QHBoxLayout;
    htmlRow->addWidget(titleLabel);
    htmlRow->addWidget(m_editTitle, 1);
    htmlRow->addSpacing(8);
    htmlRow->addWidget(alignLabel);
    htmlRow->addWidget(m_cbAlign);
    htmlRows->addLayout(htmlRow);
    htmlRows->addWidget(m_chkModernPage);
    auto *todayRow = new QHBoxLayout;
    todayRow->addWidget(langLabel);
    todayRow->addWidget(m_editLang);
    todayRow->addSpacing(8);
    todayRow->addWidget(descriptionLabel);
    todayRow->addWidget(m_editDescription, 1);
    htmlRows->addLayout(todayRow);

    // Applet Appearance: background colour and image.
    auto *appletBox = new QGroupBox(QStringLiteral("Applet Appearance"), this);
    m_btnBKColor = new CColorButton(Host().Ui(), appletBox);
    m_btnBKColor->setObjectName(QStringLiteral("1015"));
    auto *colorLabel = BuddyLabel(QStringLiteral("Background Color:"), m_btnBKColor, appletBox);
    m_editBKImage = new QLineEdit(appletBox);
    m_editBKImage->setObjectName(QStringLiteral("1017"));
    auto *imageLabel = BuddyLabel(QStringLiteral("Background Image:"), m_editBKImage, appletBox);
    m_btnBrowse = BrowseButton("1007", QStringLiteral("Browse for the background image"), appletBox);
    m_btnBrowse->setToolTip(m_btnBrowse->accessibleName());
    auto *appletGrid = new QGridLayout(appletBox);
    appletGrid->addWidget(colorLabel, 0, 0);
    appletGrid->addWidget(m_btnBKColor, 0, 1, Qt::AlignLeft);
    appletGrid->addWidget(imageLabel, 1, 0);
    appletGrid->addWidget(m_editBKImage, 1, 1);
    appletGrid->addWidget(m_btnBrowse, 1, 2);
    appletGrid->setColumnStretch(1, 1);

    // Menu Display Position: X and Y with their arrows.
    auto *posBox = new QGroupBox(QStringLiteral("Menu Display Position"), this);
    m_editXPos = DigitBox("1019", posBox);
    auto *xLabel = BuddyLabel(QStringLiteral("X Position:"), m_editXPos, posBox);
    m_spinX = new CSpinButton(m_editXPos, posBox);
    m_spinX->setObjectName(QStringLiteral("1020"));
    m_spinX->setAccessibleName(QStringLiteral("X Position arrows"));
    m_editYPos = DigitBox("1021", posBox);
    auto *yLabel = BuddyLabel(QStringLiteral("Y Position:"), m_editYPos, posBox);
    m_spinY = new CSpinButton(m_editYPos, posBox);
    m_spinY->setObjectName(QStringLiteral("1023"));
    m_spinY->setAccessibleName(QStringLiteral("Y Position arrows"));
    // Only the Y arrows answer the keyboard's Up and Down keys.
    m_spinY->SetArrowKeys(true);
    auto *posRow = new QHBoxLayout(posBox);
    posRow->addWidget(xLabel);
    posRow->addLayout(Attached(m_editXPos, m_spinX));
    posRow->addStretch(1);
    posRow->addWidget(yLabel);
    posRow->addLayout(Attached(m_editYPos, m_spinY));
    posRow->addStretch(1);

    Body()->addWidget(htmlBox);
    Body()->addWidget(appletBox);
    Body()->addWidget(posBox);
    Body()->addStretch(1);

    setTabOrder(m_editTitle, m_cbAlign);
    setTabOrder(m_cbAlign, m_chkModernPage);
    setTabOrder(m_chkModernPage, m_editLang);
    setTabOrder(m_editLang, m_editDescription);
    setTabOrder(m_editDescription, m_btnBKColor);
    setTabOrder(m_btnBKColor, m_editBKImage);
    setTabOrder(m_editBKImage, m_btnBrowse);
    setTabOrder(m_btnBrowse, m_editXPos);
    setTabOrder(m_editXPos, m_editYPos);

    connect(m_btnBrowse, &QPushButton::clicked, this, &CGeneralPage::OnBrowseImage);
    connect(m_btnBKColor, &QPushButton::clicked, this, &CGeneralPage::OnChooseColor);
    connect(m_btnBKColor, &CColorButton::ColorChosen, this, &CGeneralPage::OnEdited);
    connect(m_cbAlign, &QComboBox::currentIndexChanged, this, &CGeneralPage::OnEdited);
    connect(m_chkModernPage, &QCheckBox::toggled, this, &CGeneralPage::EnableTodaysPage);
    connect(m_chkModernPage, &QCheckBox::toggled, this, &CGeneralPage::OnEdited);
    EnableTodaysPage(false);
    for (QLineEdit *edit : {m_editTitle, m_editXPos, m_editYPos, m_editBKImage, m_editLang, m_editDescription})
        connect(edit, &QLineEdit::textChanged, this, &CGeneralPage::OnEdited);
}

void CGeneralPage::DoDataExchange(CDataExchange &dx)
{
    dx.ListIndex(m_cbAlign, m_nAlign);
    dx.Text(m_editTitle, m_strTitle);
    dx.Int(m_editXPos, m_nXPos, 0, 1000);
    dx.Int(m_editYPos, m_nYPos, 0, 1000);
    dx.Text(m_editBKImage, m_strBKImage);
    dx.Check(m_chkModernPage, m_nModernPage);
    dx.LanguageTag(m_editLang, m_strLang);
    dx.Text(m_editDescription, m_strDescription);
}

void CGeneralPage::EnableTodaysPage(bool bOn)
{
    m_editLang->setEnabled(bOn);
    m_editDescription->setEnabled(bOn);
}

bool CGeneralPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_spinX->SetRange(0, 1000);
    m_spinY->SetRange(0, 1000);
    UpdateData(false);
    return true;
}

bool CGeneralPage::OnSetActive()
{
    const CAppletParameters &p = Host().Params();
    m_nAlign = p.m_Align;
    m_strTitle = p.m_HTMLTitle;
    m_strBKImage = p.m_appBKImagePath;
    m_spinX->SetPos(static_cast<qint16>(p.m_xPos & 0xFFFF));
    m_nXPos = p.m_xPos;
    m_spinY->SetPos(static_cast<qint16>(p.m_yPos & 0xFFFF));
    m_nYPos = p.m_yPos;
    m_btnBKColor->SetColor(p.m_appBKColor);
    m_nModernPage = p.m_ModernPage;
    m_strLang = p.m_PageLang;
    m_strDescription = p.m_PageDescription;
    UpdateData(false);
    return CWizardPage::OnSetActive();
}

bool CGeneralPage::CheckTexts()
{
    return CheckNoControlCharacters(Host().Ui(), this, m_editTitle, m_editTitle)
        && CheckNoControlCharacters(Host().Ui(), this, m_editDescription, m_editDescription)
        && CheckNoControlCharacters(Host().Ui(), this, m_editBKImage, m_editBKImage);
}

bool CGeneralPage::Store()
{
    // A text the applet cannot carry is refused before anything is copied.
    if (!CheckTexts())
        return false;
    const bool ok = UpdateData(true);
    // The values are copied as they stand, even after a failed check: the
    // failing box's number (when it was one) and the earlier values of the
    // boxes after it.
    CAppletParameters &p = Host().Params();
    p.m_Align = m_nAlign;
    p.m_HTMLTitle = m_strTitle;
    p.m_appBKColor = m_btnBKColor->Color();
    p.m_appBKImagePath = m_strBKImage;
    p.m_xPos = m_nXPos;
    p.m_yPos = m_nYPos;
    p.m_ModernPage = m_nModernPage;
    p.m_PageLang = m_strLang;
    p.m_PageDescription = m_strDescription;
    NotifyStored();
    return ok;
}

// A failed check has already told the user and put the focus on the box:
// the page stays without asking a second time.
bool CGeneralPage::OnWizardBack()
{
    return Store() && CWizardPage::OnWizardBack();
}

bool CGeneralPage::OnWizardNext()
{
    return Store() && CWizardPage::OnWizardNext();
}

bool CGeneralPage::OnKillActive()
{
    return UpdateData(true) && CWizardPage::OnKillActive();
}

void CGeneralPage::OnBrowseImage()
{
    // The check's outcome does not matter here; the dialog follows anyway.
    UpdateData(true);
    const QString path = AskOpenFile(Host().Ui(), this, EFileKind::Image, ImageFileFilter(m_nModernPage != 0));
    if (path.isEmpty())
        return;
    // Only the image box changes: rewriting every box would undo numbers
    // typed but not yet accepted by the check.
    m_strBKImage = path;
    m_editBKImage->setText(path);
    emit ValuesEdited();
}

void CGeneralPage::OnChooseColor()
{
    m_btnBKColor->ChooseColor(this);
}

void CGeneralPage::ApplyShownValues(CAppletParameters &params) const
{
    if (!IsCreated())
        return;
    params.m_Align = m_cbAlign->currentIndex();
    params.m_HTMLTitle = m_editTitle->text();
    params.m_appBKColor = m_btnBKColor->Color();
    params.m_appBKImagePath = m_editBKImage->text();
    params.m_ModernPage = m_chkModernPage->isChecked() ? 1 : 0;
    const QString lang = m_editLang->text().trimmed();
    if (IsLanguageTag(lang))
        params.m_PageLang = lang;
    params.m_PageDescription = m_editDescription->text();
    bool ok = false;
    const int x = m_editXPos->text().trimmed().toInt(&ok);
    if (ok)
        params.m_xPos = x;
    const int y = m_editYPos->text().trimmed().toInt(&ok);
    if (ok)
        params.m_yPos = y;
}
