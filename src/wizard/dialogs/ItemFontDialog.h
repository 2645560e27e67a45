#pragma once

#include <QDialog>

class CUserInterface;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The type of one item state: the font, its size in pixels, its weight and
// whether it is italic. OK reads the controls into the members, after
// checking the size (a refused size keeps the dialog open).
class CItemFontDialog : public QDialog {
    Q_OBJECT
public:
    // pUi tells the user of a refused size (null: refused without a word).
    explicit CItemFontDialog(QWidget *parent = nullptr, CUserInterface *pUi = nullptr);

    // Members -> controls (false) or controls -> members (true); false when
    // the size is refused.
    bool UpdateData(bool bSave);

    void accept() override;

    // The list index of the font: 0 TimesRoman, 1 Helvetica, 2 Courier,
    // 3 System UI, 4 Page's font (-1 none).
    int m_nFontName = -1;
    // Pixels, 9 to 72.
    int m_nFontPx = 12;
    // The list index of the weight: 0 Regular, 1 Medium, 2 Semibold, 3 Bold
    // (-1 none).
    int m_nWeight = 0;
    int m_bItalic = 0;

    QComboBox *m_cbFontName = nullptr;  // 1033
    QComboBox *m_cbFontSize = nullptr;  // 1047: the applet's sizes, any other typed
    QComboBox *m_cbWeight = nullptr;    // "fontWeight"
    QCheckBox *m_chkItalic = nullptr;   // "fontItalic"
    // Says that pictures show the page's font in System UI, while that font
    // is chosen.
    QLabel *m_lblPageFont = nullptr;

private:
    void UpdatePageFontNote();

    CUserInterface *m_pUi;
};

// What the item style pages and the dialog say of the page's font.
QString PageFontNote();
