#include "model/AppletMenuItem.h"

#include "model/AppletMenu.h"

CAppletMenuItem::CAppletMenuItem(const QString &label, const QString &image,
                                 const QString &target, const QString &link)
    : m_strLabel(label), m_strImage(image), m_strTarget(target), m_strLink(link)
{
}

CAppletMenuItem::~CAppletMenuItem() = default;

CAppletMenu *CAppletMenuItem::GetSubMenu()
{
    if (!m_pSubMenu)
        m_pSubMenu = std::make_unique<CAppletMenu>(4);
    return m_pSubMenu.get();
}

int CAppletMenuItem::DeleteSubMenu()
{
    if (!m_pSubMenu)
        return 0;
    m_pSubMenu.reset();
    return 1;
}
