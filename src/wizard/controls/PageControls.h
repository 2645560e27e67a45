#pragma once

#include <QFrame>
#include <QStringList>

#include <initializer_list>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The small control makers every page builds with, so that one kind of
// control looks and behaves the same on each page. Object names are the
// control ids the tests find controls by.

// Makes `label` the visible name of `control`: the label's mnemonic moves
// the focus to it, and its accessible name is the label's text without the
// mnemonic marker and the trailing colon.
void SetBuddy(QLabel *label, QWidget *control);

// A new label with `text` that names `control` (SetBuddy).
QLabel *BuddyLabel(const QString &text, QWidget *control, QWidget *parent);

// A row holding a new label that names `control`, then the control; a
// stretch follows when `stretchAfter` is set, else the control takes the
// row's spare width.
QHBoxLayout *LabelledRow(const QString &text, QWidget *control, QWidget *parent, bool stretchAfter = false);

// Digits only, of any count, and no range: a number out of range can be
// typed and is then refused by the page's check. Every number box is wide
// enough for seven digits.
void MakeDigitBox(QLineEdit *edit);
QLineEdit *DigitBox(const char *id, QWidget *parent);

QRadioButton *RadioButton(const QString &text, const char *id, QWidget *parent);
// One exclusive group of `buttons`, owned by `owner`.
QButtonGroup *RadioGroup(std::initializer_list<QAbstractButton *> buttons, QObject *owner);

// A drop-down list of fixed entries.
QComboBox *ListBox(const char *id, const QStringList &entries, QWidget *parent);

// A button that acts on the page: Enter in a box never presses it.
QPushButton *PageButton(const QString &text, const char *id, const QString &accessibleName, QWidget *parent);
// The narrow "..." button beside a path box.
QPushButton *BrowseButton(const char *id, const QString &accessibleName, QWidget *parent);

// A sunken line across (HLine) or down (VLine) a box.
QFrame *Separator(QFrame::Shape shape, QWidget *parent);
