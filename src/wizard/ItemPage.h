#pragma once

#include "wizard/WizardPage.h"

#include <QString>

class CAppletMenu;
class CAppletMenuItem;
class CDataExchange;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The menu tree: the main menu's items and, for each, an optional sub menu.
// One main item and one sub item are shown at a time; each menu remembers
// its own current item (m_nCurrent), so the page reopens where it was.
class CItemPage : public CWizardPage {
    Q_OBJECT
public:
    explicit CItemPage(QWidget *parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnWizardBack() override;
    bool OnWizardNext() override;
    bool OnKillActive() override;
    void ApplyShownValues(CAppletParameters &params) const override;
    // As leaving the page stores: the shown items and counts typed.
    bool StoreShownValues() override { return CItemPage::OnWizardBack(); }

    // Page values, exchanged with the controls by DoDataExchange.
    int m_bHasSubMenu = 0;
    int m_nMainCount = 0;
    int m_nSubCount = 0;
    QString m_strMainImage, m_strMainLabel, m_strMainLink, m_strMainTarget, m_strMainPosition;
    QString m_strSubImage, m_strSubLabel, m_strSubLink, m_strSubTarget, m_strSubPosition;

    // Controls (object names are the control ids).
    QLineEdit *m_editMainCount = nullptr;         // 1037
    QPushButton *m_btnMainPrev = nullptr;         // 1051
    QLabel *m_staticMainPosition = nullptr;       // 1054
    QPushButton *m_btnMainNext = nullptr;         // 1052
    QCheckBox *m_checkHasSubMenu = nullptr;       // 1040
    QLineEdit *m_editMainLabel = nullptr;         // 1041
    QLineEdit *m_editMainLink = nullptr;          // 1043
    QComboBox *m_comboMainTarget = nullptr;       // 1022
    QLineEdit *m_editMainImage = nullptr;         // 1042
    QPushButton *m_btnMainBrowse = nullptr;       // 1018
    QLineEdit *m_editSubCount = nullptr;          // 1050
    QPushButton *m_btnSubPrev = nullptr;          // 1044
    QLabel *m_staticSubPosition = nullptr;        // 1055
    QPushButton *m_btnSubNext = nullptr;          // 1045
    QLineEdit *m_editSubLabel = nullptr;          // 1047
    QLineEdit *m_editSubLink = nullptr;           // 1049
    QComboBox *m_comboSubTarget = nullptr;        // 1023
    QLineEdit *m_editSubImage = nullptr;          // 1048
    QPushButton *m_btnSubBrowse = nullptr;        // 1019

    // Handlers of the page's own buttons and boxes.
    void OnMainNext();
    void OnMainPrev();
    void OnSubNext();
    void OnSubPrev();
    void OnKillFocusMainCount();
    void OnKillFocusSubCount();
    void OnHasSubMenu();
    void OnBrowseMainImage();
    void OnBrowseSubImage();

private:
    void DoDataExchange(CDataExchange &dx);
    // Controls -> values (validating) or values -> controls.
    bool UpdateData(bool bSaveAndValidate);
    // False, after telling the user and focusing the box, when a shown box
    // holds a comma.
    bool CheckNoCommas();
    // The validating read followed by the comma check; false keeps the user
    // where they are.
    bool ReadShownValues();

    CAppletMenu &MainMenu() const;
    CAppletMenuItem *CurrentMainItem() const;
    CAppletMenu *CurrentSubMenu() const;
    CAppletMenuItem *CurrentSubItem() const;

    void StoreMainItem();
    void StoreSubItem();
    void StoreShownItems();
    void ShowMainItem(int nIndex);
    void ShowSubItem(int nMain, int nSub);
    void EnableSubControls(bool bOn);
    void UpdateSubButtons();
    void UpdateMainButtons();
    void RefreshSubPanel();
    void MoveMain(int nDelta);
    void MoveSub(int nDelta);
    void BrowseImage(bool bSub);
    // Puts the menu's real count back into a count box after a refused change.
    void RestoreCount(bool bSub);
    // Applies counts typed but not yet applied (the box still had the focus).
    void ApplyPendingCounts();
    void SelectAllFromStart(QLineEdit *edit);

    // Set while a handler runs, so that the focus moves it makes (a message,
    // focusing a box) do not start another handler.
    bool m_bBusy = false;
    // Set once the page has been left; cleared on the next activation.
    bool m_bLeaving = false;
};
