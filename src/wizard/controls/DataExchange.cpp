#include "wizard/controls/DataExchange.h"

#include "app/UserInterface.h"
#include "model/text/PageLanguage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

// An optional sign followed by one or more decimal digits, of any length.
bool IsWholeNumber(const QString &text)
{
    qsizetype i = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

CDataExchange::CDataExchange(QWidget *page, bool bSaveAndValidate, CUserInterface *pUi)
    : m_pPage(page), m_pUi(pUi), m_bSave(bSaveAndValidate)
{
}

void CDataExchange::Fail(QLineEdit *edit, const QString &message)
{
    m_bFailed = true;
    m_pFailedEdit = edit;
    if (m_pUi)
        m_pUi->MessageBox(m_pPage, message);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

// Each binding below has the same frame (skip after a failure, then one way
// or the other); what differs is the control and the check, which a shared
// template would only hide.
void CDataExchange::Text(QLineEdit *edit, QString &value)
{
    if (m_bFailed)
        return;
    if (m_bSave)
        value = edit->text();
    else
        edit->setText(value);
}

void CDataExchange::LanguageTag(QLineEdit *edit, QString &value)
{
    if (m_bFailed)
        return;
    if (!m_bSave) {
        edit->setText(value);
        return;
    }
    const QString text = edit->text().trimmed();
    if (edit->isEnabled() && !IsLanguageTag(text)) {
        Fail(edit, QStringLiteral("Please enter a language tag, such as en, en-GB or pt-BR."));
        return;
    }
    value = text;
}

void CDataExchange::Int(QLineEdit *edit, int &value, int nMin, int nMax)
{
    if (m_bFailed)
        return;
    if (!m_bSave) {
        edit->setText(QString::number(value));
        return;
    }
    const QString text = edit->text().trimmed();
    const QString rangeMessage =
        QStringLiteral("Please enter an integer between %1 and %2.").arg(nMin).arg(nMax);
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok) {
        // Digits too many for an int are still a number, and out of any
        // box's range; the value keeps what it had.
        Fail(edit, IsWholeNumber(text) ? rangeMessage : QStringLiteral("Please enter an integer."));
        return;
    }
    value = parsed;
    if (value < nMin || value > nMax)
        Fail(edit, rangeMessage);
}

void CDataExchange::ListIndex(QComboBox *combo, int &value)
{
    if (m_bFailed)
        return;
    if (m_bSave)
        value = combo->currentIndex();
    else
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

void CDataExchange::ComboText(QComboBox *combo, QString &value)
{
    if (m_bFailed)
        return;
    if (m_bSave) {
        value = combo->currentText();
        return;
    }
    if (!value.isEmpty()) {
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i).startsWith(value, Qt::CaseInsensitive)) {
                combo->setCurrentIndex(i);
                return;
            }
        }
    }
    combo->setCurrentIndex(-1);
    combo->setEditText(value);
}

void CDataExchange::Radio(std::initializer_list<QAbstractButton *> group, int &value)
{
    if (m_bFailed)
        return;
    if (m_bSave)
        value = RadioIndex(group);
    else
        SetRadioIndex(group, value);
}

void CDataExchange::Check(QAbstractButton *box, int &value)
{
    if (m_bFailed)
        return;
    if (m_bSave)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

int RadioIndex(std::initializer_list<QAbstractButton *> group)
{
    int i = 0;
    for (QAbstractButton *b : group) {
        if (b->isChecked())
            return i;
        ++i;
    }
    return -1;
}

void SetRadioIndex(std::initializer_list<QAbstractButton *> group, int index)
{
    int i = 0;
    for (QAbstractButton *b : group) {
        // Exclusive buttons cannot be unchecked directly; lift it for a moment.
        QButtonGroup *group = b->group();
        const bool groupExclusive = group && group->exclusive();
        if (groupExclusive)
            group->setExclusive(false);
        const bool exclusive = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(i == index);
        b->setAutoExclusive(exclusive);
        if (groupExclusive)
            group->setExclusive(true);
        ++i;
    }
    // Tab enters a group at its checked button (the arrows move within it);
    // with none checked, at the first.
    i = 0;
    for (QAbstractButton *b : group) {
        const bool stop = index >= 0 && index < int(group.size()) ? i == index : i == 0;
        b->setFocusPolicy(stop ? Qt::FocusPolicy(b->focusPolicy() | Qt::TabFocus)
                               : Qt::FocusPolicy(b->focusPolicy() & ~Qt::TabFocus));
        ++i;
    }
}
