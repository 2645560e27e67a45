#pragma once

#include <QString>

class QWidget;

// Types into a box as the user would, replacing what it held; characters
// beyond ASCII arrive as key text.
void Type(QWidget *box, const QString &text);
// Leaves the focused box with Tab.
void TabAway();
