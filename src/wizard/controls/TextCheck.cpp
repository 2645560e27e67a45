#include "wizard/controls/TextCheck.h"

#include "app/UserInterface.h"
#include "model/text/ControlCharacters.h"

#include <QLineEdit>

bool CheckNoControlCharacters(CUserInterface &ui, QWidget *page, QWidget *focus, QLineEdit *edit)
{
    const qsizetype pos = FindControlCharacter(edit->text());
    if (pos < 0)
        return true;
    ui.MessageBox(page, QStringLiteral("This text holds a control character (such as a line "
                                       "break), which cannot reach the menu applet. "
                                       "Please remove it."));
    focus->setFocus(Qt::OtherFocusReason);
    edit->setSelection(int(pos), 1);
    return false;
}
