#include "wizard/TextCheck.h"

#include "app/WizardApp.h"
#include "model/ControlCharacters.h"

#include <QLineEdit>

bool CheckNoControlCharacters(QWidget *page, QWidget *focus, QLineEdit *edit)
{
    const qsizetype pos = FindControlCharacter(edit->text());
    if (pos < 0)
        return true;
    if (CWizardApp *app = CWizardApp::Get())
        app->Ui().MessageBox(page, QStringLiteral("This text holds a control character (such as a line "
                                                  "break), which cannot reach the menu applet. "
                                                  "Please remove it."));
    focus->setFocus(Qt::OtherFocusReason);
    edit->setSelection(int(pos), 1);
    return false;
}
