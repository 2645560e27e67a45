#pragma once

#include <QGroupBox>
#include <QString>

#include <functional>

class CAppletMenu;
class CAppletMenuItem;
class CDataExchange;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// One of the item page's two panels: the main menu's shown item or the
// shown item of its sub menu. The count of the menu's items with the
// Prev/Next buttons and the position line, then the item's label, link,
// target frame and image. The main panel also has "Has SubMenu"; the sub
// panel keeps that row empty so the fields of both line up.
class CItemPanel : public QGroupBox {
    Q_OBJECT
public:
    CItemPanel(bool bSub, QWidget *parent);

    bool IsSub() const { return m_bSub; }
    // "Main menu" or "Sub menu": the start of the controls' accessible names.
    QString Who() const;

    // Shows item nIndex's values (exchanged to the controls by the page).
    void TakeItem(const CAppletMenuItem &item, int nIndex);
    // Shows no item: empty values and no position (the sub panel while the
    // main item has no sub menu).
    void Clear();
    // Gives the item the values last read from the controls.
    void StoreInto(CAppletMenuItem &item) const;
    // Whether those values differ from the item's.
    bool Differs(const CAppletMenuItem &item) const;
    // Gives the item the values the controls show now, read or not.
    void ApplyShownTo(CAppletMenuItem &item) const;

    // The position line; its accessible name carries the number as well, so
    // that a screen reader hears which item is shown.
    void ExchangePosition(CDataExchange &dx);
    // Prev and Next follow the menu's current item (both off without a menu).
    void UpdateMoveButtons(const CAppletMenu *menu);
    // The boxes of the item and the count (not Prev and Next).
    void EnableFields(bool bOn);
    // Gives the label box the keyboard focus with its whole text selected,
    // ready to be typed over.
    void FocusLabel();

    // Runs when the count box loses the focus to another control.
    std::function<void()> onCountFocusLost;

    // Controls (object names are the control ids, main/sub).
    QLineEdit *m_editCount = nullptr;        // 1037 / 1050
    QPushButton *m_btnPrev = nullptr;        // 1051 / 1044
    QLabel *m_staticPosition = nullptr;      // 1054 / 1055
    QPushButton *m_btnNext = nullptr;        // 1052 / 1045
    QCheckBox *m_checkHasSubMenu = nullptr;  // 1040, main panel only
    QLineEdit *m_editLabel = nullptr;        // 1041 / 1047
    QLineEdit *m_editLink = nullptr;         // 1043 / 1049
    QComboBox *m_comboTarget = nullptr;      // 1022 / 1023
    QLineEdit *m_editImage = nullptr;        // 1042 / 1048
    QPushButton *m_btnBrowse = nullptr;      // 1018 / 1019
    // Shown while the item has a picture and no label: the name screen
    // readers will give it.
    QLabel *m_staticName = nullptr;

    // The values exchanged with the controls.
    int m_nCount = 0;
    QString m_strImage, m_strLabel, m_strLink, m_strTarget, m_strPosition;

private:
    void UpdateNameNote();

    const bool m_bSub;
};
