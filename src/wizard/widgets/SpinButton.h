#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrows attached to a number box. An arrow steps the number in
// the box by one within the range and writes it back as text; a box that
// does not hold a number steps from the last position. The box itself stays
// a plain text box, so what the user types is checked by the page's data
// exchange, not clamped here.
class CSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit CSpinButton(QLineEdit *buddy, QWidget *parent = nullptr);

    void SetRange(int nLower, int nUpper);
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    void SetPos(int nPos);
    int Pos() const { return m_nPos; }
    // With this on, the Up and Down keys in the box step it as well.
    void SetArrowKeys(bool bOn) { m_bArrowKeys = bOn; }

    QToolButton *UpButton() const { return m_btnUp; }
    QToolButton *DownButton() const { return m_btnDown; }

    // One step up (+1) or down (-1), as a click on an arrow does.
    void Step(int nDelta);

signals:
    // The arrows have written a new number into the box.
    void Stepped(int nPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_pBuddy;
    QToolButton *m_btnUp;
    QToolButton *m_btnDown;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
    bool m_bArrowKeys = false;
};
