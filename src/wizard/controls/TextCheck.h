#pragma once

class CUserInterface;
class QLineEdit;
class QWidget;

// Refuses a box whose text holds a control character (model/text/ControlCharacters.h):
// tells the user, gives `focus` (the box, or the combo box that owns it) the
// keyboard and selects the first such character. True when there is none.
bool CheckNoControlCharacters(CUserInterface &ui, QWidget *page, QWidget *focus, QLineEdit *edit);
