#include "wizard/controls/PageControls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

void SetBuddy(QLabel *label, QWidget *control)
{
    label->setBuddy(control);
    QString name = label->text();
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    control->setAccessibleName(name);
}

QLabel *BuddyLabel(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    SetBuddy(label, control);
    return label;
}

QHBoxLayout *LabelledRow(const QString &text, QWidget *control, QWidget *parent, bool stretchAfter)
{
    auto *row = new QHBoxLayout;
    row->addWidget(BuddyLabel(text, control, parent));
    row->addWidget(control, stretchAfter ? 0 : 1);
    if (stretchAfter)
        row->addStretch(1);
    return row;
}

void MakeDigitBox(QLineEdit *edit)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
}

QLineEdit *DigitBox(const char *id, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(id));
    MakeDigitBox(edit);
    return edit;
}

QRadioButton *RadioButton(const QString &text, const char *id, QWidget *parent)
{
    auto *button = new QRadioButton(text, parent);
    button->setObjectName(QLatin1String(id));
    return button;
}

QButtonGroup *RadioGroup(std::initializer_list<QAbstractButton *> buttons, QObject *owner)
{
    auto *group = new QButtonGroup(owner);
    for (QAbstractButton *button : buttons)
        group->addButton(button);
    return group;
}

QComboBox *ListBox(const char *id, const QStringList &entries, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(id));
    combo->addItems(entries);
    return combo;
}

QPushButton *PageButton(const QString &text, const char *id, const QString &accessibleName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(id));
    button->setAccessibleName(accessibleName);
    button->setAutoDefault(false);
    return button;
}

QPushButton *BrowseButton(const char *id, const QString &accessibleName, QWidget *parent)
{
    QPushButton *button = PageButton(QStringLiteral("..."), id, accessibleName, parent);
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    return button;
}

QFrame *Separator(QFrame::Shape shape, QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
