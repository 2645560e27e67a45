#pragma once

#include <QString>
#include <memory>

class CAppletMenu;

// One entry of a menu: label, image, target frame, link and an optional
// sub menu, which the item owns. A menu owns its items and an item its sub
// menu, so the two make one tree: the item's functions are defined with the
// menu's, in AppletMenu.cpp.
class CAppletMenuItem {
public:
    explicit CAppletMenuItem(const QString &label = QString(), const QString &image = QString(),
                             const QString &target = QString(), const QString &link = QString());
    ~CAppletMenuItem();
    CAppletMenuItem(const CAppletMenuItem &) = delete;
    CAppletMenuItem &operator=(const CAppletMenuItem &) = delete;

    // The item's sub menu; made with four default items when it has none.
    CAppletMenu *GetSubMenu();
    // Deletes the sub menu with its items; 1 if there was one, else 0.
    int DeleteSubMenu();

    QString m_strLabel;
    QString m_strImage;
    QString m_strTarget;
    QString m_strLink;
    std::unique_ptr<CAppletMenu> m_pSubMenu;
};
