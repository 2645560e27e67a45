#include "MenuFixture.h"

#include <QRegularExpression>
#include <QStringList>

void MakeFlatMenu(CAppletParameters &p)
{
    p.m_appBKColor = kApplet;
    p.m_xPos = 10;
    p.m_yPos = 10;
    p.m_mmBKColor = kMainMenu;
    p.m_mmWidth = 80;
    p.m_mmHeight = 20;
    p.m_mmItemGap = 4;
    p.m_smBKColor = kSubMenu;
    p.m_smWidth = 60;
    p.m_smHeight = 16;
    p.m_smItemGap = 2;
    for (int state = 1; state <= 3; ++state)
        for (bool sub : {false, true}) {
            CItemStyle s = ItemStyleFields(p, sub, state);
            *s.pBKColor = sub ? kSub[state] : kMain[state];
            *s.pFRColor = 0xffffff;
            *s.pFillStyle = 1;
            *s.pFontSize = 1;
        }
    for (auto &item : p.m_pMainMenu->m_items)
        item->m_strLabel.clear();
}

void BuildMenu(CAppletMenu &menu, const QString &text)
{
    static const QRegularExpression item(QStringLiteral(R"((\w+)(?:\(([^)]*)\))?)"));
    menu.SetItemCount(0, 0);
    auto it = item.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        menu.SetItemCount(menu.GetCount() + 1, 1);
        CAppletMenuItem *main = menu.GetItem(menu.GetCount() - 1);
        main->m_strLabel = m.captured(1);
        if (m.capturedLength(2) == 0)
            continue;
        const QStringList subs = m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        CAppletMenu *sub = main->GetSubMenu();
        sub->SetItemCount(static_cast<int>(subs.size()), 1);
        for (int j = 0; j < subs.size(); ++j)
            sub->GetItem(j)->m_strLabel = subs[j];
    }
    menu.m_nCurrent = 0;
}

QString Describe(const CAppletMenu &menu)
{
    QStringList out;
    for (const auto &item : menu.m_items) {
        QString text = item->m_strLabel;
        if (const CAppletMenu *sub = item->m_pSubMenu.get()) {
            QStringList subs;
            for (const auto &s : sub->m_items)
                subs << s->m_strLabel;
            text += QLatin1Char('(') + subs.join(QLatin1Char(' ')) + QLatin1Char(')');
        }
        out << text;
    }
    return out.join(QLatin1Char(' '));
}

void MakeFullMenu(CAppletParameters &p, int nMain, int nSub)
{
    MakeFlatMenu(p);
    p.m_HTMLTitle = QStringLiteral("Full menu");
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.SetItemCount(0, 1);
    menu.SetItemCount(nMain, 1);
    for (int i = 0; i < nMain; ++i) {
        CAppletMenuItem *item = menu.GetItem(i);
        item->m_strLabel = QStringLiteral("Main %1").arg(i + 1);
        item->m_strLink = QStringLiteral("main%1.htm").arg(i + 1);
        item->m_strTarget = QStringLiteral("_self");
        item->m_strImage = QStringLiteral("images/main%1.gif").arg(i + 1);
        if (nSub <= 0)
            continue;
        CAppletMenu *sub = menu.GetSubMenu(i);
        sub->SetItemCount(nSub, 1);
        for (int j = 0; j < nSub; ++j) {
            CAppletMenuItem *s = sub->GetItem(j);
            s->m_strLabel = QStringLiteral("Sub %1.%2").arg(i + 1).arg(j + 1);
            s->m_strLink = QStringLiteral("page%1_%2.htm").arg(i + 1).arg(j + 1);
            s->m_strTarget = QStringLiteral("_blank");
            s->m_strImage = QStringLiteral("images/sub%1.gif").arg(j + 1);
        }
    }
}
