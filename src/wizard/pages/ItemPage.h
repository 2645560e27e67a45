#pragma once

#include "wizard/tree/MenuTreeActions.h"
#include "wizard/pages/WizardPage.h"

#include <QString>

class CAppletMenu;
class CAppletMenuItem;
class CItemPanel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The menu tree: the main menu's items and, for each, an optional sub menu.
// One main item and one sub item are shown at a time; each menu remembers
// its own current item (m_nCurrent), so the page reopens where it was. The
// tree view beside the two panels shows the whole menu; selecting a node
// shows that item, and its buttons insert, delete and move items
// (CMenuTreeActions).
class CItemPage : public CWizardPage, private CMenuTreeActions::Page {
    Q_OBJECT
public:
    explicit CItemPage(CWizardHost &host, QWidget *parent = nullptr);

    // Re-reads everything the page shows (tree, panels, counts) from the
    // configuration after it was replaced elsewhere; current indexes are
    // brought into range. Values shown but not stored are dropped.
    void ReloadFromParams();

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnWizardBack() override;
    bool OnWizardNext() override;
    bool OnKillActive() override;
    void ApplyShownValues(CAppletParameters &params) const override;
    // As leaving the page stores: the shown items and counts typed.
    bool StoreShownValues() override { return CItemPage::OnWizardBack(); }
    void ReloadShownValues() override { ReloadFromParams(); }
    // Items typed and stored are edits of items, as the tree names them.
    QString UndoStepName() const override { return QStringLiteral("Edit Item"); }

    // Page values, exchanged with the controls by DoDataExchange; the
    // shown items' values and counts are the panels'.
    int m_bHasSubMenu = 0;

    // The two panels, and their controls (object names are the control ids).
    CItemPanel *m_pMain = nullptr;
    CItemPanel *m_pSub = nullptr;
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
    CMenuTreeView *m_treeMenu = nullptr;          // "Menu tree"
    QPushButton *m_btnInsert = nullptr;
    QPushButton *m_btnDelete = nullptr;
    QPushButton *m_btnMoveUp = nullptr;
    QPushButton *m_btnMoveDown = nullptr;

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

signals:
    // Sent just before a user action of the page changes the configuration,
    // and only when it will change something. strWhat names the action:
    // "Insert Item", "Delete Item", "Move Up", "Move Down", "Move Item",
    // "Remove Sub Menu", "Add Sub Menu", "Change Number of Items",
    // "Choose Image" or "Edit Item" (the shown item's edits being stored).
    void menuAboutToChange(const QString &strWhat);

private:
    void BuildControls() override;
    // Which counts the validating read holds to 1..20: a count the user
    // typed always; the count a loaded menu already has (it may hold more)
    // only when leaving the page.
    enum class Counts { Typed, All };
    void DoDataExchange(CDataExchange &dx) override;
    // Controls -> values (validating) or values -> controls.
    bool UpdateData(bool bSaveAndValidate, Counts counts = Counts::Typed, QLineEdit **ppFailed = nullptr);
    // The counts rule of the exchange that runs.
    Counts m_counts = Counts::Typed;
    // False, after telling the user and focusing the box, when a shown box
    // holds a comma. The sub panel is checked only when bSub is set (texts
    // about to be deleted are not checked).
    bool CheckNoCommas(bool bMain = true, bool bSub = true);
    // The validating read followed by the comma check of the main panel
    // (bMain) and the sub panel (bSub); false keeps the user where they are.
    bool ReadShownValues(Counts counts = Counts::Typed, bool bMain = true, bool bSub = true);

    CAppletMenu &MainMenu() const;
    CAppletMenuItem *CurrentMainItem() const;
    CAppletMenu *CurrentSubMenu() const;
    CAppletMenuItem *CurrentSubItem() const;

    // What the tree's actions ask of the page.
    bool ReadShownItems(bool bMain, bool bSub) override;
    // Stores the shown main item (bMain) and the shown sub item (bSub, when
    // there is one), announcing the change first when the values differ.
    void StoreItems(bool bMain, bool bSub) override;
    void ShowCurrentItems(bool bCount) override;
    void AnnounceChange(const QString &strWhat) override;
    void ChangeStored() override;

    void StoreShownItems();
    void ShowMainItem(int nIndex);
    void ShowSubItem(int nMain, int nSub);
    void UpdateSubButtons();
    void UpdateMainButtons();
    void RefreshSubPanel();
    void MoveMain(int nDelta);
    void MoveSub(int nDelta);
    void BrowseImage(bool bSub);
    // Gives the main menu (or the shown sub menu) the count typed in its
    // box, once that box has lost the focus.
    void ApplyTypedCount(bool bSub);
    // Puts the menu's real count back into a count box after a refused change.
    void RestoreCount(bool bSub);
    // Applies counts typed but not yet applied (the box still had the focus).
    void ApplyPendingCounts();
    // Shows the configuration's tree, counts and current items.
    void ShowFromParams();

    // The tree's actions, and the tree following the page.
    CMenuTreeActions *m_pTree = nullptr;
    // Set while a handler runs, so that the focus moves it makes (a message,
    // focusing a box) do not start another handler.
    bool m_bBusy = false;
    // Set once the page has been left; cleared on the next activation.
    bool m_bLeaving = false;
    // True while the shown values are read and checked.
    bool m_bChecking = false;
};
