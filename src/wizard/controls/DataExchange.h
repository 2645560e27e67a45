#pragma once

#include <QString>
#include <initializer_list>

class CUserInterface;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

// Moves values between a page's members and its controls, binding by
// binding in the order the page calls them. Saving (controls -> members)
// validates numbers: on the first failure the user is told, the box gets the
// focus with its text selected, and every later binding is skipped.
class CDataExchange {
public:
    // `pUi` tells the user of a refused number (null: a dialog without
    // number boxes, nothing to tell).
    CDataExchange(QWidget *page, bool bSaveAndValidate, CUserInterface *pUi);

    bool IsSaving() const { return m_bSave; }
    bool Failed() const { return m_bFailed; }
    bool Ok() const { return !m_bFailed; }
    // The box whose check failed (null when none did).
    QLineEdit *FailedEdit() const { return m_pFailedEdit; }

    void Text(QLineEdit *edit, QString &value);
    // A language tag (model/text/PageLanguage.h), blanks around it dropped; any
    // other text is refused with a message and leaves value as it was. A
    // box that is not enabled is not checked: its text is taken as it is.
    void LanguageTag(QLineEdit *edit, QString &value);
    // An integer box checked against nMin..nMax. An empty or non-numeric box
    // gives "Please enter an integer." and leaves value as it was; a number
    // out of range is taken into value, then refused with the range message.
    // A number too large for an int gets the range message too, and leaves
    // value as it was.
    void Int(QLineEdit *edit, int &value, int nMin, int nMax);
    // Selected list index, -1 for none.
    void ListIndex(QComboBox *combo, int &value);
    // The text of an editable combo. Shown: the first entry beginning with
    // the value (any letter case) is selected, else the value is typed in.
    void ComboText(QComboBox *combo, QString &value);
    // 0-based position of the checked button of a radio group, -1 for none.
    void Radio(std::initializer_list<QAbstractButton *> group, int &value);
    void Check(QAbstractButton *box, int &value);

private:
    void Fail(QLineEdit *edit, const QString &message);

    QWidget *m_pPage;
    CUserInterface *m_pUi;
    bool m_bSave;
    bool m_bFailed = false;
    QLineEdit *m_pFailedEdit = nullptr;
};

// Sets a radio group's checked button (none for an index outside the group),
// whether the buttons are exclusive by parent or by a QButtonGroup.
void SetRadioIndex(std::initializer_list<QAbstractButton *> group, int index);
int RadioIndex(std::initializer_list<QAbstractButton *> group);
