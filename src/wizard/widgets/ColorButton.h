#pragma once

#include <QPushButton>

class CUserInterface;

// A push button that shows one colour as a swatch: the colour fills the
// button inset by 5 pixels, inside a 2-pixel frame (white top and left,
// black right and bottom; all black while pressed). A disabled swatch draws
// nothing.
//
// The colour is 0x00BBGGRR (red in the low byte), as the configuration
// keeps it. The owning page reads it with Color() and sets it with
// SetColor(), which repaints the swatch.
class CColorButton : public QPushButton {
    Q_OBJECT
public:
    // A swatch that only shows its colour (ChooseColor refuses).
    explicit CColorButton(QWidget *parent = nullptr);
    // A swatch whose colour the user chooses through `ui`.
    explicit CColorButton(CUserInterface &ui, QWidget *parent = nullptr);

    int Color() const { return m_color; }
    void SetColor(int color);

    // The colour chooser shared by every swatch: a modal chooser owned by
    // `owner`, preselecting the swatch's colour. On confirmation the swatch
    // takes the chosen colour, repaints and emits ColorChosen; on cancel
    // nothing changes. Returns whether the user confirmed.
    bool ChooseColor(QWidget *owner);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void ColorChosen(int color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_color = 0;
    CUserInterface *m_pUi = nullptr;
};
