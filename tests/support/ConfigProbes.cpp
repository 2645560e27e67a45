#include "ConfigProbes.h"

QList<int> StyleValues(CAppletParameters &p)
{
    QList<int> values{p.m_Align, p.m_appBKColor, p.m_xPos, p.m_yPos};
    for (bool sub : {false, true}) {
        CMenuStyle m = MenuStyleFields(p, sub);
        for (int *f : {m.pBKColor, m.pBKStyle, m.pMenuAlign, m.pWidth, m.pHeight, m.pItemGap,
                       m.pBorderThick})
            values << *f;
        for (int state = 1; state <= 3; ++state) {
            CItemStyle s = ItemStyleFields(p, sub, state);
            for (int *f : {s.pBKColor, s.pFRColor, s.pBorderStyle, s.pFillStyle, s.pFontName,
                           s.pFontSize, s.pFontStyle, s.pAlign})
                values << *f;
        }
    }
    return values;
}

QStringList Labels(const CAppletMenu &menu)
{
    QStringList labels;
    for (int i = 0; i < menu.GetCount(); ++i)
        labels << menu.GetItem(i)->m_strLabel;
    return labels;
}

QString TreeText(const CAppletMenu &menu, int depth)
{
    QString out;
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CAppletMenuItem &item = *menu.GetItem(i);
        out += QString(depth * 2, QLatin1Char(' ')) + QStringLiteral("[%1|%2|%3|%4]\n")
                   .arg(item.m_strLabel, item.m_strImage, item.m_strTarget, item.m_strLink);
        if (item.m_pSubMenu)
            out += TreeText(*item.m_pSubMenu, depth + 1);
    }
    return out;
}
