#pragma once

#include <QLabel>

// One line telling how the last action went ("Saved menu.htm, ..."), where
// the user looks and to screen readers: its text is also its accessible
// name, and every Say is announced as a name change, a repeated text too.
// While it says something Tab reaches it (its text can be read again and
// selected); while empty it is hidden, keeping its room, and no stop.
class CStatusLine : public QLabel {
    Q_OBJECT
public:
    explicit CStatusLine(QWidget *parent = nullptr);

    void Say(const QString &text);
    // Empties the line (nothing announced).
    void Clear();

signals:
    // After each Say, once screen readers were told.
    void Announced(const QString &text);
};

// What the style pages say after copying to the sub menu (bToSub) or to the
// main menu.
QString CopiedToMenuMessage(bool bToSub);
