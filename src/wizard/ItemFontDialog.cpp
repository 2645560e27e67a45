#include "wizard/ItemFontDialog.h"

#include "model/StringTable.h"
#include "wizard/PageControls.h"
#include "wizard/DataExchange.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CItemFontDialog::CItemFontDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("139"));
    setWindowTitle(QStringLiteral("Font"));

    m_cbFontName = new QComboBox(this);
    m_cbFontName->setObjectName(QStringLiteral("1033"));
    m_cbFontName->addItems({QStringLiteral("TimesRoman"), QStringLiteral("Helvetica"),
                            QStringLiteral("Courier")});
    m_cbFontSize = new QComboBox(this);
    m_cbFontSize->setObjectName(QStringLiteral("1047"));
    // The list shows the point sizes the applet is given.
    for (int i = 0; i < StringRange::FontSize.count; ++i)
        m_cbFontSize->addItem(LoadString(StringRange::FontSize, i));
    auto *nameLabel = new QLabel(QStringLiteral("Font Name:"), this);
    auto *sizeLabel = new QLabel(QStringLiteral("Font Size:"), this);
    SetBuddy(nameLabel, m_cbFontName);
    SetBuddy(sizeLabel, m_cbFontSize);
    auto *form = new QFormLayout;
    form->addRow(nameLabel, m_cbFontName);
    form->addRow(sizeLabel, m_cbFontSize);

    auto *styleBox = new QGroupBox(QStringLiteral("Font Style"), this);
    m_rbPlain = new QRadioButton(QStringLiteral("Plain"), styleBox);
    m_rbBold = new QRadioButton(QStringLiteral("Bold"), styleBox);
    m_rbItalic = new QRadioButton(QStringLiteral("Italic"), styleBox);
    m_rbPlain->setObjectName(QStringLiteral("1049"));
    m_rbBold->setObjectName(QStringLiteral("1050"));
    m_rbItalic->setObjectName(QStringLiteral("1051"));
    auto *styleRow = new QHBoxLayout(styleBox);
    styleRow->addWidget(m_rbPlain);
    styleRow->addWidget(m_rbBold);
    styleRow->addWidget(m_rbItalic);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CItemFontDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CItemFontDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(styleBox);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    UpdateData(false);
}

void CItemFontDialog::UpdateData(bool bSave)
{
    CDataExchange dx(this, bSave, nullptr); // no number boxes: nothing to refuse
    dx.ListIndex(m_cbFontName, m_nFontName);
    dx.ListIndex(m_cbFontSize, m_nFontSize);
    dx.Radio({m_rbPlain, m_rbBold, m_rbItalic}, m_nFontStyle);
}

void CItemFontDialog::accept()
{
    UpdateData(true);
    QDialog::accept();
}
