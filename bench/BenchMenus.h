#pragma once

// The menus the benchmarks share: every item's label, target frame and link
// filled, no images. 20 x 20 is the largest menu the item page makes; 200 x
// 200 the largest a project file may hold.

#include "model/config/AppletParameters.h"

inline void FillBenchStyles(CAppletParameters &p)
{
    p.m_HTMLTitle = QStringLiteral("Benchmark page");
    p.m_xPos = p.m_yPos = 10;
    p.m_mmWidth = p.m_smWidth = 120;
    p.m_mmHeight = p.m_smHeight = 20;
    p.m_mmItemGap = p.m_smItemGap = 2;
    p.m_mmBKColor = 0x336699;
    p.m_smBKColor = 0x996633;
}

// mainCount main items, each with a sub menu of subCount items.
inline void FillBenchMenu(CAppletParameters &p, int mainCount, int subCount)
{
    FillBenchStyles(p);
    auto fill = [](CAppletMenuItem &item, int menu, int index) {
        const QString tag = QString::number(menu) + QLatin1Char('_') + QString::number(index);
        item.m_strLabel = QStringLiteral("Menu entry ") + tag;
        item.m_strTarget = QStringLiteral("_blank");
        item.m_strLink = QStringLiteral("http://www.example.com/section/page") + tag
                         + QStringLiteral(".html");
    };
    CAppletMenu &root = *p.m_pMainMenu;
    root.SetItemCount(mainCount, 0);
    for (int i = 0; i < mainCount; ++i) {
        fill(*root.GetItem(i), 0, i);
        CAppletMenu &sub = *root.GetSubMenu(i);
        sub.SetItemCount(subCount, 0);
        for (int j = 0; j < subCount; ++j)
            fill(*sub.GetItem(j), i + 1, j);
    }
}
