#pragma once

#include <QDialog>

class QComboBox;
class QRadioButton;

// The font of one item state: name, size and style, each as a list or
// radio index (-1 for none). OK reads the controls into the indexes.
class CItemFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit CItemFontDialog(QWidget *parent = nullptr);

    // Members -> controls (false) or controls -> members (true).
    void UpdateData(bool bSave);

    void accept() override;

    int m_nFontName = -1;
    int m_nFontSize = -1;
    int m_nFontStyle = -1;

    QComboBox *m_cbFontName = nullptr; // 1033
    QComboBox *m_cbFontSize = nullptr; // 1047
    QRadioButton *m_rbPlain = nullptr; // 1049
    QRadioButton *m_rbBold = nullptr;  // 1050
    QRadioButton *m_rbItalic = nullptr; // 1051
};
