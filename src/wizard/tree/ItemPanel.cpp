#include "wizard/tree/ItemPanel.h"
#include "html/ItemName.h"
#include "model/menu/AppletMenuItem.h"

#include "model/menu/AppletMenu.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/controls/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A digit-only box that reports each loss of the focus once, after the box
// has handled it itself (so a handler may give the focus straight back).
class CItemCountEdit : public QLineEdit {
public:
    explicit CItemCountEdit(QWidget *parent) : QLineEdit(parent) { MakeDigitBox(this); }
    std::function<void()> onFocusLost;

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        QLineEdit::focusOutEvent(event);
        // The window losing activation (a message box, another program) is
        // not the user leaving the box.
        if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
            return;
        if (onFocusLost)
            onFocusLost();
    }
};

QComboBox *MakeTargetCombo(QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Frame names are kept exactly as typed: no completion into list entries.
    combo->setCompleter(nullptr);
    combo->addItems({QStringLiteral("_self"), QStringLiteral("_parent"), QStringLiteral("_top"),
                     QStringLiteral("_blank")});
    return combo;
}

} // namespace

CItemPanel::CItemPanel(bool bSub, QWidget *parent)
    : QGroupBox(bSub ? QStringLiteral("Sub Menu's Item") : QStringLiteral("Main Menu's Item"), parent),
      m_bSub(bSub)
{
    const QString who = Who();
    auto *grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);

    auto *countLabel = new QLabel(QStringLiteral("Number of Items:"), this);
    auto *count = new CItemCountEdit(this);
    count->setObjectName(QLatin1String(bSub ? "1050" : "1037"));
    count->setAccessibleName(who + QStringLiteral(": number of items"));
    count->onFocusLost = [this] {
        if (onCountFocusLost)
            onCountFocusLost();
    };
    countLabel->setBuddy(count);
    m_editCount = count;
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(count);
    countRow->addStretch(1);
    grid->addLayout(countRow, 0, 0, 1, 3);

    m_btnPrev = PageButton(QStringLiteral("<<Prev"), bSub ? "1044" : "1051",
                           bSub ? QStringLiteral("Previous sub item") : QStringLiteral("Previous main item"), this);
    m_staticPosition = new QLabel(QStringLiteral("Current Item is "), this);
    m_staticPosition->setObjectName(QLatin1String(bSub ? "1055" : "1054"));
    m_staticPosition->setAlignment(Qt::AlignCenter);
    // As wide as its longest text from the start, so that the panels
    // keep their widths when a number first shows.
    m_staticPosition->setMinimumWidth(
        m_staticPosition->fontMetrics().horizontalAdvance(QStringLiteral("Current item is 200")));
    m_staticPosition->setAccessibleName(who + QStringLiteral(": no current item"));
    m_btnNext = PageButton(QStringLiteral("Next>>"), bSub ? "1045" : "1052",
                           bSub ? QStringLiteral("Next sub item") : QStringLiteral("Next main item"), this);
    auto *moveRow = new QHBoxLayout;
    moveRow->addWidget(m_btnPrev);
    moveRow->addWidget(m_staticPosition, 1);
    moveRow->addWidget(m_btnNext);
    grid->addLayout(moveRow, 1, 0, 1, 3);

    grid->addWidget(Separator(QFrame::HLine, this), 2, 0, 1, 3);

    if (bSub) {
        const QCheckBox probe(QStringLiteral("Has SubMenu"));
        auto *gap = new QWidget(this);
        gap->setFixedHeight(probe.sizeHint().height());
        grid->addWidget(gap, 3, 0, 1, 3);
    } else {
        m_checkHasSubMenu = new QCheckBox(QStringLiteral("Has SubMenu"), this);
        m_checkHasSubMenu->setObjectName(QStringLiteral("1040"));
        grid->addWidget(m_checkHasSubMenu, 3, 0, 1, 3);
    }

    auto addField = [&](int row, const QString &caption, QWidget *field, const char *id, const QString &name) {
        auto *label = new QLabel(caption, this);
        field->setObjectName(QString::fromLatin1(id));
        field->setAccessibleName(who + QStringLiteral(": ") + name);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        // The image box leaves the last column to its "..." button.
        grid->addWidget(field, row, 1, 1, row == 7 ? 1 : 2);
    };
    m_editLabel = new QLineEdit(this);
    m_editLink = new QLineEdit(this);
    m_comboTarget = MakeTargetCombo(this);
    m_editImage = new QLineEdit(this);
    addField(4, QStringLiteral("Label:"), m_editLabel, bSub ? "1047" : "1041", QStringLiteral("label"));
    addField(5, QStringLiteral("Link to:"), m_editLink, bSub ? "1049" : "1043", QStringLiteral("link"));
    addField(6, QStringLiteral("Target Frame:"), m_comboTarget, bSub ? "1023" : "1022", QStringLiteral("target frame"));
    addField(7, QStringLiteral("Image:"), m_editImage, bSub ? "1048" : "1042", QStringLiteral("image"));
    m_btnBrowse = BrowseButton(bSub ? "1019" : "1018",
                               bSub ? QStringLiteral("Choose the sub item's image")
                                    : QStringLiteral("Choose the main item's image"),
                               this);
    grid->addWidget(m_btnBrowse, 7, 2);
    m_staticName = new QLabel(this);
    m_staticName->setWordWrap(true);
    m_staticName->setVisible(false);
    grid->addWidget(m_staticName, 8, 0, 1, 3);
    grid->setRowStretch(9, 1);
    for (QLineEdit *edit : {m_editLabel, m_editLink, m_editImage})
        connect(edit, &QLineEdit::textChanged, this, &CItemPanel::UpdateNameNote);
}

void CItemPanel::UpdateNameNote()
{
    const CAppletMenuItem shown(m_editLabel->text(), m_editImage->text().trimmed(), QString(),
                                m_editLink->text().trimmed());
    const bool show = shown.m_strLabel.isEmpty() && !shown.m_strImage.isEmpty();
    if (show) {
        const QString name = ReadableItemName(shown);
        const bool fromLink =
            !ReadableItemName(CAppletMenuItem(QString(), QString(), QString(), shown.m_strLink)).isEmpty();
        m_staticName->setText(name.isEmpty()
            ? QStringLiteral("No label: screen readers will find no name for this item.")
            : QStringLiteral("No label: screen readers will call this item \"%1\" (from its %2).")
                  .arg(name, fromLink ? QStringLiteral("link") : QStringLiteral("picture")));
    }
    m_staticName->setVisible(show);
}

QString CItemPanel::Who() const
{
    return m_bSub ? QStringLiteral("Sub menu") : QStringLiteral("Main menu");
}

void CItemPanel::TakeItem(const CAppletMenuItem &item, int nIndex)
{
    m_strLabel = item.m_strLabel;
    m_strImage = item.m_strImage;
    m_strLink = item.m_strLink;
    m_strTarget = item.m_strTarget;
    m_strPosition = QStringLiteral("Current item is %1").arg(nIndex + 1);
}

void CItemPanel::Clear()
{
    m_strLabel.clear();
    m_strImage.clear();
    m_strLink.clear();
    m_strTarget.clear();
    m_strPosition.clear();
}

void CItemPanel::StoreInto(CAppletMenuItem &item) const
{
    item.m_strLabel = m_strLabel;
    item.m_strImage = m_strImage;
    item.m_strLink = m_strLink;
    item.m_strTarget = m_strTarget;
}

bool CItemPanel::Differs(const CAppletMenuItem &item) const
{
    return item.m_strLabel != m_strLabel || item.m_strImage != m_strImage || item.m_strLink != m_strLink
           || item.m_strTarget != m_strTarget;
}

void CItemPanel::ApplyShownTo(CAppletMenuItem &item) const
{
    item.m_strLabel = m_editLabel->text();
    item.m_strImage = m_editImage->text();
    item.m_strLink = m_editLink->text();
    item.m_strTarget = m_comboTarget->currentText();
}

void CItemPanel::ExchangePosition(CDataExchange &dx)
{
    if (dx.Failed())
        return;
    if (dx.IsSaving()) {
        m_strPosition = m_staticPosition->text();
        return;
    }
    m_staticPosition->setText(m_strPosition);
    m_staticPosition->setAccessibleName(Who() + QStringLiteral(": ")
                                        + (m_strPosition.isEmpty() ? QStringLiteral("no current item") : m_strPosition));
}

void CItemPanel::UpdateMoveButtons(const CAppletMenu *menu)
{
    m_btnPrev->setEnabled(menu && menu->m_nCurrent > 0);
    m_btnNext->setEnabled(menu && menu->m_nCurrent + 1 < menu->GetCount());
}

void CItemPanel::EnableFields(bool bOn)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_editCount, m_editLabel, m_editImage, m_btnBrowse,
                                                       m_editLink, m_comboTarget})
        w->setEnabled(bOn);
}

void CItemPanel::FocusLabel()
{
    m_editLabel->setFocus(Qt::OtherFocusReason);
    // Whole text selected, with the view at its start.
    m_editLabel->setSelection(m_editLabel->text().length(), -m_editLabel->text().length());
}
