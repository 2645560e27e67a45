#include "wizard/dialogs/ItemFontDialog.h"

#include "model/config/LookValues.h"
#include "model/text/StringTable.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/controls/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString PageFontNote()
{
    return QStringLiteral("The page's font shows in pictures and the preview as System UI.");
}

CItemFontDialog::CItemFontDialog(QWidget *parent, CUserInterface *pUi) : QDialog(parent), m_pUi(pUi)
{
    setObjectName(QStringLiteral("139"));
    setWindowTitle(QStringLiteral("Font"));

    m_cbFontName = new QComboBox(this);
    m_cbFontName->setObjectName(QStringLiteral("1033"));
    m_cbFontName->addItems({QStringLiteral("TimesRoman"), QStringLiteral("Helvetica"), QStringLiteral("Courier"),
                            QStringLiteral("System UI"), QStringLiteral("Page's font")});
    m_cbFontName->setItemData(3, QStringLiteral("The interface font of the visitor's system"), Qt::ToolTipRole);
    m_cbFontName->setItemData(4, QStringLiteral("The font of the page the menu is on"), Qt::ToolTipRole);

    // The sizes the applet is given, and any other whole number of pixels
    // typed in.
    m_cbFontSize = new QComboBox(this);
    m_cbFontSize->setObjectName(QStringLiteral("1047"));
    m_cbFontSize->setEditable(true);
    m_cbFontSize->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < StringRange::FontSize.count; ++i)
        m_cbFontSize->addItem(LoadString(StringRange::FontSize, i));
    m_cbFontSize->lineEdit()->setValidator(new QIntValidator(0, 999, m_cbFontSize));
    m_cbFontSize->setToolTip(QStringLiteral("In pixels, from %1 to %2").arg(Look::kMinFontPx).arg(Look::kMaxFontPx));

    m_cbWeight = new QComboBox(this);
    m_cbWeight->setObjectName(QStringLiteral("fontWeight"));
    m_cbWeight->addItems({QStringLiteral("Regular"), QStringLiteral("Medium"), QStringLiteral("Semibold"),
                          QStringLiteral("Bold")});
    m_chkItalic = new QCheckBox(QStringLiteral("Italic"), this);
    m_chkItalic->setObjectName(QStringLiteral("fontItalic"));

    auto *form = new QFormLayout;
    form->addRow(BuddyLabel(QStringLiteral("Font Name:"), m_cbFontName, this), m_cbFontName);
    form->addRow(BuddyLabel(QStringLiteral("Font Size:"), m_cbFontSize, this), m_cbFontSize);
    form->addRow(BuddyLabel(QStringLiteral("Weight:"), m_cbWeight, this), m_cbWeight);
    form->addRow(static_cast<QWidget *>(nullptr), m_chkItalic);
    // The line edit inside the size box speaks for the box.
    m_cbFontSize->lineEdit()->setAccessibleName(QStringLiteral("Font Size"));

    m_lblPageFont = new QLabel(PageFontNote(), this);
    m_lblPageFont->setObjectName(QStringLiteral("pageFontNote"));
    m_lblPageFont->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CItemFontDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CItemFontDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_lblPageFont);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cbFontName, &QComboBox::currentIndexChanged, this, &CItemFontDialog::UpdatePageFontNote);
    UpdateData(false);
}

bool CItemFontDialog::UpdateData(bool bSave)
{
    CDataExchange dx(this, bSave, m_pUi);
    dx.ListIndex(m_cbFontName, m_nFontName);
    if (!bSave) {
        // A size the applet knows is its entry of the list; any other is typed.
        const int index = NearestClassicSize(m_nFontPx);
        if (ClassicSizePx(index) == m_nFontPx)
            m_cbFontSize->setCurrentIndex(index);
        else
            m_cbFontSize->setEditText(QString::number(m_nFontPx));
    } else {
        dx.Int(m_cbFontSize->lineEdit(), m_nFontPx, Look::kMinFontPx, Look::kMaxFontPx);
    }
    dx.ListIndex(m_cbWeight, m_nWeight);
    dx.Check(m_chkItalic, m_bItalic);
    UpdatePageFontNote();
    return dx.Ok();
}

void CItemFontDialog::UpdatePageFontNote()
{
    m_lblPageFont->setVisible(m_cbFontName->currentIndex() == 4);
}

void CItemFontDialog::accept()
{
    if (UpdateData(true))
        QDialog::accept();
}
