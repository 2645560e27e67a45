#include "wizard/styles/ItemStylePageBase.h"

#include "app/WizardHost.h"
#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "render/Contrast.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/widgets/ContrastLabel.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/dialogs/ItemFontDialog.h"
#include "wizard/controls/PageControls.h"
#include "wizard/widgets/StatusLine.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QStringList kAlignments = {QStringLiteral("Left"), QStringLiteral("Center"),
                                 QStringLiteral("Right")};

// The page's font values as an item look's fields: only the font's are
// read or written through them, the others name `unused`.
template <typename Page, typename Int> CItemStyleOf<Int> FontFieldsOf(Page &page, Int &unused)
{
    return {&unused, &unused, &unused, &unused, &page.m_nFontName, &page.m_nFontSize, &page.m_nFontStyle, &unused,
            &page.m_nFontFamily, &page.m_nFontWeight, &page.m_nFontItalic, &page.m_nFontPx};
}

QString FontWords(const CItemFont &f)
{
    static const char *const kFaces[] = {"TimesRoman", "Helvetica", "Courier", "System UI", "Page's font"};
    static const char *const kWeights[] = {"Regular", "Medium", "Semibold", "Bold"};
    QString words = QString::fromLatin1(kFaces[std::clamp(f.face, 0, 4)]) + QStringLiteral(", %1 px, ").arg(f.px)
                    + QString::fromLatin1(kWeights[std::clamp((f.weight - 400) / 100, 0, 3)]);
    if (f.italic)
        words += QStringLiteral(" Italic");
    return words;
}

} // namespace

CItemStylePageBase::CItemStylePageBase(CWizardHost &host, bool bSub, int nDialogId, int nBitmap, const Texts &texts,
                                       QWidget *parent)
    : CWizardPage(host, nDialogId, QString::fromLatin1(texts.heading), nBitmap, parent), m_bSub(bSub), m_texts(texts)
{
}

void CItemStylePageBase::BuildControls()
{
    auto *intro = new QLabel(QString::fromLatin1(m_texts.intro), this);
    intro->setWordWrap(true);

    m_rbNormal = RadioButton(QStringLiteral("Normal"), "1032", this);
    m_rbMouseMove = RadioButton(QStringLiteral("Mouse Move"), "1068", this);
    m_rbMouseClick = RadioButton(QStringLiteral("Mouse Click"), "1010", this);
    m_groupState = RadioGroup({m_rbNormal, m_rbMouseMove, m_rbMouseClick}, this);
    auto *stateRow = new QHBoxLayout;
    int n = 0;
    for (QRadioButton *b : {m_rbNormal, m_rbMouseMove, m_rbMouseClick}) {
        stateRow->addWidget(b);
        const int state = n++;
        // However the state is chosen (mouse, keyboard, an accessibility
        // action or code), once; not while the page writes it.
        connect(b, &QRadioButton::toggled, this, [this, state](bool on) {
            if (on && !IsWriting())
                OnState(state);
        });
    }
    stateRow->addStretch(1);
    m_btnCopyToStates = PageButton(QStringLiteral("Copy to Other States"), "copyToStates", QStringLiteral("Copy to Other States"), this);
    const QString copyToMenu = m_bSub ? QStringLiteral("Copy to Main Menu") : QStringLiteral("Copy to Sub Menu");
    m_btnCopyToMenu = PageButton(copyToMenu, "copyToMenu", copyToMenu, this);
    stateRow->addWidget(m_btnCopyToStates);
    stateRow->addWidget(m_btnCopyToMenu);
    m_btnCopyToStates->setToolTip(QStringLiteral("Give the other two states the values shown"));
    m_btnCopyToMenu->setToolTip(m_bSub ? QStringLiteral("Give the main menu's items the values shown, in this state")
                                     : QStringLiteral("Give the sub menus' items the values shown, in this state"));
    connect(m_btnCopyToStates, &QPushButton::clicked, this, &CItemStylePageBase::OnCopyToOtherStates);
    connect(m_btnCopyToMenu, &QPushButton::clicked, this, &CItemStylePageBase::OnCopyToOtherMenu);

    auto *box = new QGroupBox(QString::fromLatin1(m_texts.group), this);

    // The two colours.
    m_btnBKColor = new CColorButton(Host().Ui(), box);
    m_btnBKColor->setObjectName(QStringLiteral("1046"));
    m_btnFRColor = new CColorButton(Host().Ui(), box);
    m_btnFRColor->setObjectName(QStringLiteral("1016"));
    auto *colorRow = LabelledRow(QStringLiteral("Background Color:"), m_btnBKColor, box, true);
    colorRow->addWidget(BuddyLabel(QStringLiteral("Foreground Color:"), m_btnFRColor, box));
    colorRow->addWidget(m_btnFRColor);
    colorRow->addStretch(1);

    // The border.
    auto *borderBox = new QGroupBox(QStringLiteral("Item Border"), box);
    m_rbPlain = RadioButton(QStringLiteral("Plain"), "1048", borderBox);
    m_rbRaised = RadioButton(QStringLiteral("Raised"), "1012", borderBox);
    m_rbSunken = RadioButton(QStringLiteral("Sunken"), "1013", borderBox);
    m_groupBorder = RadioGroup({m_rbPlain, m_rbRaised, m_rbSunken}, this);
    auto *borderRow = new QHBoxLayout(borderBox);
    for (QRadioButton *b : {m_rbPlain, m_rbRaised, m_rbSunken}) {
        borderRow->addWidget(b);
        borderRow->addStretch(1);
    }

    // The fill across the box.
    m_cbFillStyle = ListBox("1045",
                         {QStringLiteral("Transparent Background"),
                          QStringLiteral("Full Fill with Background Color"),
                          QStringLiteral("Horizontal Shade Effect (Black to Background Color)"),
                          QStringLiteral("Horizontal Shade Effect (White to Background Color)"),
                          QStringLiteral("Horizontal Shade Effect (Background Color to Black)"),
                          QStringLiteral("Horizontal Shade Effect (Background Color to White)"),
                          QStringLiteral("Vertical Shade Effect (Black to Background Color)"),
                          QStringLiteral("Vertical Shade Effect (White to Background Color)"),
                          QStringLiteral("Vertical Shade Effect (Background Color to Black)"),
                          QStringLiteral("Vertical Shade Effect (Background Color to White)")},
                         box);
    m_cbFillStyle->setMaxVisibleItems(10);
    auto *fillRow = LabelledRow(QStringLiteral("Item Filled with:"), m_cbFillStyle, box);

    // Alignments and the font.
    m_cbImageAlign = ListBox("1072", kAlignments, box);
    m_cbTextAlign = ListBox("1036", kAlignments, box);
    m_btnFont = new QPushButton(QStringLiteral("Font..."), box);
    m_btnFont->setObjectName(QStringLiteral("1069"));
    m_btnFont->setAutoDefault(false);
    auto *lastRow = new QHBoxLayout;
    lastRow->addWidget(BuddyLabel(QStringLiteral("Image Align:"), m_cbImageAlign, box));
    lastRow->addWidget(m_cbImageAlign);
    lastRow->addSpacing(8);
    lastRow->addWidget(BuddyLabel(QStringLiteral("Text Align:"), m_cbTextAlign, box));
    lastRow->addWidget(m_cbTextAlign);
    lastRow->addStretch(1);
    lastRow->addWidget(m_btnFont);
    m_lblFont = new QLabel(box);
    m_lblFont->setObjectName(QStringLiteral("fontLine"));
    m_lblFont->setTextFormat(Qt::PlainText);
    m_lblFont->setAlignment(Qt::AlignRight);

    m_contrast = new CContrastLabel(box);

    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(colorRow);
    boxLayout->addWidget(borderBox);
    boxLayout->addLayout(fillRow);
    boxLayout->addLayout(lastRow);
    boxLayout->addWidget(m_lblFont);
    boxLayout->addWidget(m_contrast);

    m_lblStatus = new CStatusLine(this);

    Body()->addWidget(intro);
    Body()->addLayout(stateRow);
    Body()->addWidget(box);
    Body()->addWidget(m_lblStatus);
    Body()->addStretch(1);
    // The line speaks of the last copy only: an edit after it ends it.
    connect(this, &CWizardPage::ValuesEdited, m_lblStatus, &CStatusLine::Clear);

    connect(m_btnBKColor, &QPushButton::clicked, this, [this] { m_btnBKColor->ChooseColor(this); });
    connect(m_btnFRColor, &QPushButton::clicked, this, [this] { m_btnFRColor->ChooseColor(this); });
    connect(m_btnFont, &QPushButton::clicked, this, &CItemStylePageBase::OnFont);
    for (CColorButton *b : {m_btnBKColor, m_btnFRColor})
        connect(b, &CColorButton::ColorChosen, this, &CItemStylePageBase::OnEdited);
    for (QRadioButton *b : {m_rbPlain, m_rbRaised, m_rbSunken})
        connect(b, &QRadioButton::toggled, this, &CItemStylePageBase::OnEdited);
    for (QComboBox *c : {m_cbFillStyle, m_cbImageAlign, m_cbTextAlign})
        connect(c, &QComboBox::currentIndexChanged, this, &CItemStylePageBase::OnEdited);
    connect(this, &CWizardPage::ValuesEdited, this, &CItemStylePageBase::UpdateContrast);
}

void CItemStylePageBase::DoDataExchange(CDataExchange &dx)
{
    dx.Radio({m_rbNormal, m_rbMouseMove, m_rbMouseClick}, m_nState);
    dx.Radio({m_rbPlain, m_rbRaised, m_rbSunken}, m_nBorderStyle);
    dx.ListIndex(m_cbFillStyle, m_nFillStyle);
    dx.ListIndex(m_cbImageAlign, m_nImageAlign);
    dx.ListIndex(m_cbTextAlign, m_nTextAlign);
}

bool CItemStylePageBase::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_nState = 0;
    UpdateData(false);
    return true;
}

bool CItemStylePageBase::OnSetActive()
{
    m_lblStatus->Clear();
    LoadState();
    return CWizardPage::OnSetActive();
}

void CItemStylePageBase::StoreState(int nState)
{
    // The read also moves m_nState to the state radio button now selected.
    UpdateData(true);
    if (nState < 0 || nState > 2)
        return;
    const CItemStyle f = ItemStyleFields(Host().Params(), m_bSub, nState + 1);
    *f.pBKColor = m_btnBKColor->Color();
    *f.pFRColor = m_btnFRColor->Color();
    *f.pBorderStyle = m_nBorderStyle;
    *f.pFillStyle = m_nFillStyle;
    *f.pFontName = m_nFontName;
    *f.pFontSize = m_nFontSize;
    *f.pFontStyle = m_nFontStyle;
    *f.pFontFamily = m_nFontFamily;
    *f.pFontWeight = m_nFontWeight;
    *f.pFontItalic = m_nFontItalic;
    *f.pFontPx = m_nFontPx;
    *f.pAlign = m_nImageAlign * 3 + m_nTextAlign % 3;
    NotifyStored();
}

void CItemStylePageBase::LoadState()
{
    if (m_nState >= 0 && m_nState <= 2) {
        const CItemStyle f = ItemStyleFields(Host().Params(), m_bSub, m_nState + 1);
        m_btnBKColor->SetColor(*f.pBKColor);
        m_btnFRColor->SetColor(*f.pFRColor);
        m_nBorderStyle = *f.pBorderStyle;
        m_nFillStyle = *f.pFillStyle;
        m_nFontName = *f.pFontName;
        m_nFontSize = *f.pFontSize;
        m_nImageAlign = *f.pAlign / 3;
        m_nTextAlign = *f.pAlign % 3;
        m_nFontStyle = *f.pFontStyle;
        m_nFontFamily = *f.pFontFamily;
        m_nFontWeight = *f.pFontWeight;
        m_nFontItalic = *f.pFontItalic;
        m_nFontPx = *f.pFontPx;
    }
    UpdateData(false);
    UpdateContrast();
}

void CItemStylePageBase::UpdateContrast()
{
    // The values shown, stored or not, over what the menu style shows
    // through transparent items.
    CContrastLook look;
    look.bkColor = m_btnBKColor->Color();
    look.frColor = m_btnFRColor->Color();
    look.fill = m_cbFillStyle->currentIndex();
    look.fontSize = m_nFontSize;
    look.fontStyle = m_nFontStyle;
    const CItemFont font = ShownFont();
    look.fontPx = font.px;
    look.fontWeight = font.weight;
    m_contrast->ShowContrast(TextContrast(look, ColorUnderItems(Host().Params(), m_bSub)));
    UpdateFontLine();
}

CItemFont CItemStylePageBase::ShownFont(bool bClassic) const
{
    const int unused = 0;
    const CConstItemStyle fields = FontFieldsOf(*this, unused);
    return bClassic ? ClassicItemFontOf(fields) : ItemFontOf(fields);
}

CItemFont CItemStylePageBase::ShownFont() const
{
    return ShownFont(Host().Params().m_ModernPage == 0);
}

void CItemStylePageBase::UpdateFontLine()
{
    // The font chosen; where an applet page shows another, that one too.
    const CItemFont chosen = ShownFont(false);
    QString words = FontWords(chosen);
    if (chosen.face == 4)
        words += QStringLiteral(" (shown here as System UI)");
    const CItemFont classic = ShownFont(true);
    if (Host().Params().m_ModernPage == 0 && classic != chosen)
        words += QStringLiteral("; a page for the applet alone shows ") + FontWords(classic);
    m_lblFont->setText(words);
    m_btnFont->setAccessibleDescription(QStringLiteral("Now ") + words);
    m_lblFont->setToolTip(chosen.face == 4 ? PageFontNote() : QString());
}

void CItemStylePageBase::OnState(int nState)
{
    if (m_nState == nState)
        return;
    StoreState(m_nState);
    LoadState();
    // The store was announced while the boxes still showed the state left;
    // now they show the new one.
    emit ValuesEdited();
}

bool CItemStylePageBase::OnWizardBack()
{
    StoreState(m_nState);
    return CWizardPage::OnWizardBack();
}

bool CItemStylePageBase::OnWizardNext()
{
    StoreState(m_nState);
    return CWizardPage::OnWizardNext();
}

void CItemStylePageBase::OnFont()
{
    // The dialog shows the values as stored: the font the applet is given
    // (none selected for a number outside the list), or today's.
    const CItemFont font = ShownFont(false);
    CItemFontDialog dlg(this, &Host().Ui());
    dlg.m_nFontName = m_nFontFamily == Look::FamilySystemUi ? 3 : m_nFontFamily == Look::FamilyPage ? 4 : m_nFontName;
    dlg.m_nFontPx = font.px;
    dlg.m_nWeight = (font.weight - Look::kRegular) / 100;
    dlg.m_bItalic = font.italic ? 1 : 0;
    dlg.UpdateData(false);
    if (Host().Ui().ExecDialog(dlg) != QDialog::Accepted)
        return;
    CItemFont chosen;
    chosen.face = dlg.m_nFontName;
    chosen.px = dlg.m_nFontPx;
    chosen.weight = dlg.m_nWeight < 0 ? font.weight : Look::kRegular + 100 * dlg.m_nWeight;
    chosen.italic = dlg.m_bItalic != 0;
    int unused = 0;
    SetItemFont(FontFieldsOf(*this, unused), chosen);
    emit ValuesEdited();
}

void CItemStylePageBase::ApplyShownValues(CAppletParameters &params) const
{
    if (!IsCreated() || m_nState < 0 || m_nState > 2)
        return;
    const CItemStyle f = ItemStyleFields(params, m_bSub, m_nState + 1);
    *f.pBKColor = m_btnBKColor->Color();
    *f.pFRColor = m_btnFRColor->Color();
    *f.pBorderStyle = RadioIndex({m_rbPlain, m_rbRaised, m_rbSunken});
    *f.pFillStyle = m_cbFillStyle->currentIndex();
    *f.pFontName = m_nFontName;
    *f.pFontSize = m_nFontSize;
    *f.pFontStyle = m_nFontStyle;
    *f.pFontFamily = m_nFontFamily;
    *f.pFontWeight = m_nFontWeight;
    *f.pFontItalic = m_nFontItalic;
    *f.pFontPx = m_nFontPx;
    *f.pAlign = m_cbImageAlign->currentIndex() * 3 + m_cbTextAlign->currentIndex() % 3;
}

bool CItemStylePageBase::StoreShownValues()
{
    StoreState(m_nState);
    return true;
}

void CItemStylePageBase::OnCopyToOtherStates()
{
    if (m_nState < 0 || m_nState > 2 || !BeginUndoStep())
        return;
    CAppletParameters &p = Host().Params();
    const CItemStyle from = ItemStyleFields(p, m_bSub, m_nState + 1);
    for (int state = 1; state <= 3; ++state)
        if (state != m_nState + 1)
            AssignItemStyle(ItemStyleFields(p, m_bSub, state), from);
    EndUndoStep(m_btnCopyToStates->text());
    m_lblStatus->Say(QStringLiteral("Copied to the other states."));
}

void CItemStylePageBase::OnCopyToOtherMenu()
{
    if (m_nState < 0 || m_nState > 2 || !BeginUndoStep())
        return;
    CAppletParameters &p = Host().Params();
    AssignItemStyle(ItemStyleFields(p, !m_bSub, m_nState + 1), ItemStyleFields(p, m_bSub, m_nState + 1));
    EndUndoStep(m_btnCopyToMenu->text());
    m_lblStatus->Say(CopiedToMenuMessage(!m_bSub));
}
