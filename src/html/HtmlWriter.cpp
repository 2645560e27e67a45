// The page text: one applet element whose param lines carry the whole
// configuration, in the codes the applet reads.

#include "html/HtmlEscape.h"
#include "html/PageLinks.h"
#include "model/AppletParameters.h"
#include "model/StringTable.h"
#include "model/SubMenuGeometry.h"
#include "store/ImageFile.h"

#include <QFileInfo>

#include <cstdio>
#include <limits>

namespace {

// Shown as the Notice parameter of every page.
const char kNoticeText[] = "Menu made with Vantrel";

using i64 = qint64;

// Sizes are computed in 64 bits, adding with saturation, and clamped to int
// at the end: stored values may be anything a hand-edited file holds.
i64 SatAdd(i64 a, i64 b)
{
    if (b > 0 && a > std::numeric_limits<i64>::max() - b)
        return std::numeric_limits<i64>::max();
    if (b < 0 && a < std::numeric_limits<i64>::min() - b)
        return std::numeric_limits<i64>::min();
    return a + b;
}

// count × size + (count − 1) × gap, the length of `count` items laid in a
// row. Written as count × (size + gap) − gap: |count × (size + gap)| is at
// most (2^31 − 1) × 2^32 < 2^63, so it cannot overflow.
i64 RowLength(int count, int size, int gap)
{
    return SatAdd(i64(count) * (i64(size) + gap), -i64(gap));
}

void Report(const CMessageReporter &report, const QString &message)
{
    if (report) {
        report(message);
    } else {
        const QByteArray text = message.toLocal8Bit();
        std::fprintf(stderr, "%s\n", text.constData());
    }
}

// Appends the bare file name of the image `path` names, escaped; reports a
// missing file (at every occurrence) and appends nothing for it. Each
// distinct path is looked up once per `images`.
void AppendImageName(QString &out, const QString &path, bool bItem, CImageLookup &images,
                     const CMessageReporter &report)
{
    if (path.isEmpty())
        return;
    const QString found = images.Find(path);
    if (found.isEmpty()) {
        Report(report, (bItem ? QLatin1String("Can't find item image file:")
                              : QLatin1String("Can't find applet background image file:"))
                           + path + QLatin1String(",Please check it!"));
        return;
    }
    AppendHtmlEscaped(out, QFileInfo(found).fileName());
}

void BeginParam(QString &out, QLatin1String name)
{
    out += QLatin1String("\t<param name=\"");
    out += name;
    out += QLatin1String("\" value=\"");
}

void EndParam(QString &out)
{
    out += QLatin1String("\">\r\n");
}

void AppendMenuStyle(QString &out, QLatin1String name, int bkColor, int bkStyle, int menuAlign,
                     int width, int height, int gap, int borderThick)
{
    BeginParam(out, name);
    out += CAppletParameters::ColorToHex(bkColor);
    out += QLatin1Char(',');
    out += LoadString(StringRange::MenuBkStyle, bkStyle);
    out += QLatin1Char(',');
    out += LoadString(StringRange::MenuAlign, menuAlign);
    for (int v : {width, height, gap, borderThick}) {
        out += QLatin1Char(',');
        out += QString::number(v);
    }
    EndParam(out);
}

void AppendItemStyle(QString &out, QLatin1String name, const CConstItemStyle &s)
{
    BeginParam(out, name);
    out += CAppletParameters::ColorToHex(*s.pBKColor);
    out += QLatin1Char(',');
    out += CAppletParameters::ColorToHex(*s.pFRColor);
    out += QLatin1Char(',');
    out += QString::number(*s.pFillStyle);
    out += QString::number(i64(*s.pBorderStyle) + 1);
    out += QLatin1Char(',');
    out += LoadString(StringRange::FontName, *s.pFontName);
    out += QLatin1Char(',');
    out += LoadString(StringRange::FontSize, *s.pFontSize);
    out += QLatin1Char(',');
    out += LoadString(StringRange::FontStyle, *s.pFontStyle);
    out += QLatin1Char(',');
    out += LoadString(StringRange::ItemAlign, *s.pAlign);
    out += QLatin1Char(',');
    EndParam(out);
}

void AppendItemParams(QString &out, const CAppletMenu &menu, int nMenu, CImageLookup &images,
                      const CMessageReporter &report)
{
    const QString menuPrefix = QLatin1String("\t<param name=\"I") + QString::number(nMenu)
                               + QLatin1Char('-');
    const int count = menu.GetCount();
    for (int i = 0; i < count; ++i) {
        const CAppletMenuItem &item = *menu.GetItem(i);
        out += menuPrefix;
        out += QString::number(i);
        out += QLatin1String("\" value=\"");
        AppendHtmlEscaped(out, item.m_strLabel);
        out += QLatin1Char(',');
        AppendImageName(out, item.m_strImage, true, images, report);
        out += QLatin1Char(',');
        AppendHtmlEscaped(out, item.m_strTarget);
        out += QLatin1Char(',');
        AppendHtmlEscaped(out, item.m_strLink);
        EndParam(out);
    }
}

// Room for the item lines of `menu` and, one level down, its sub menus,
// escaping aside.
qsizetype ItemTextSize(const CAppletMenu &menu, bool bWithSubMenus = true)
{
    qsizetype size = 0;
    for (const auto &item : menu.m_items) {
        size += 40 + item->m_strLabel.size() + item->m_strImage.size()
                + item->m_strTarget.size() + item->m_strLink.size();
        if (bWithSubMenus && item->m_pSubMenu)
            size += ItemTextSize(*item->m_pSubMenu, false);
    }
    return size;
}

} // namespace

QString CAppletParameters::ColorToHex(int color)
{
    static const char digits[] = "0123456789abcdef";
    const unsigned c = static_cast<unsigned>(color);
    QChar hex[6];
    for (int byte = 0; byte < 3; ++byte) {
        const unsigned v = (c >> (8 * byte)) & 0xFFu;
        hex[2 * byte] = QLatin1Char(digits[v >> 4]);
        hex[2 * byte + 1] = QLatin1Char(digits[v & 0xFu]);
    }
    return QString(hex, 6);
}

QRect CAppletParameters::GetAppletRect() const
{
    const CAppletMenu &root = *m_pMainMenu;
    const int n = root.GetCount();
    const bool mainVertical = m_mmMenuAlign == 0;
    const bool subVertical = m_smMenuAlign == 0;

    // Every box starts at (0, 0), so the union of the non-empty ones is
    // (0, 0, largest right, largest bottom); a box whose right or bottom is
    // not above 0 is empty.
    i64 maxRight = 0;
    i64 maxBottom = 0;
    auto unite = [&](i64 right, i64 bottom) {
        if (right <= 0 || bottom <= 0)
            return;
        maxRight = std::max(maxRight, right);
        maxBottom = std::max(maxBottom, bottom);
    };

    const i64 mainWidth = mainVertical ? i64(m_mmWidth) : RowLength(n, m_mmWidth, m_mmItemGap);
    const i64 mainHeight = mainVertical ? RowLength(n, m_mmHeight, m_mmItemGap) : i64(m_mmHeight);
    unite(SatAdd(m_xPos, mainWidth), SatAdd(m_yPos, mainHeight));

    // Each sub box reaches 2 pixels beyond the sub menu.
    CMainMenuGeometry mainMenu;
    mainMenu.x = m_xPos;
    mainMenu.y = m_yPos;
    mainMenu.width = m_mmWidth;
    mainMenu.height = m_mmHeight;
    mainMenu.gap = m_mmItemGap;
    mainMenu.horizontal = !mainVertical;
    for (int i = 0; i < n; ++i) {
        const CAppletMenu *sub = root.GetItem(i)->m_pSubMenu.get();
        if (!sub)
            continue;
        const int m = sub->GetCount();
        const i64 subWidth = subVertical ? i64(m_smWidth) : RowLength(m, m_smWidth, m_smItemGap);
        const i64 subHeight = subVertical ? RowLength(m, m_smHeight, m_smItemGap) : i64(m_smHeight);
        const CMenuPoint origin = mainMenu.SubMenuOrigin(i);
        const i64 right = SatAdd(origin.x + 2, subWidth);
        const i64 bottom = SatAdd(origin.y + 2, subHeight);
        unite(right, bottom);
    }

    constexpr i64 kIntMax = std::numeric_limits<int>::max();
    return QRect(0, 0, int(std::min(maxRight, kIntMax)), int(std::min(maxBottom, kIntMax)));
}

QString CAppletParameters::GenerateItemParams(const CAppletMenu &menu, int nMenu,
                                              const CMessageReporter &report) const
{
    QString out;
    CImageLookup images;
    AppendItemParams(out, menu, nMenu, images, report);
    return out;
}

QString CAppletParameters::GenerateHTML(const CMessageReporter &report) const
{
    const CAppletMenu &root = *m_pMainMenu;
    CImageLookup images; // one lookup per distinct image path
    QString html;
    html.reserve(1024 + m_HTMLTitle.size() + m_appBKImagePath.size() + ItemTextSize(root));

    html += QLatin1String("<html>\r\n<head><title>");
    AppendHtmlEscaped(html, m_HTMLTitle);
    html += QLatin1String("</title></head>\n<p align=\"");
    html += LoadString(StringRange::PageAlign, m_Align);
    html += QLatin1String("\">\r\n<applet code=\"");
    AppendHtmlEscaped(html, LoadString(StringId::AppletClass));
    const QRect rect = GetAppletRect();
    html += QLatin1String("\" align=\"baseline\" width=\"");
    html += QString::number(rect.width());
    html += QLatin1String("\" height=\"");
    html += QString::number(rect.height());
    html += QLatin1String("\">\r\n");

    BeginParam(html, QLatin1String("ApBKImg"));
    AppendImageName(html, m_appBKImagePath, false, images, report);
    EndParam(html);
    BeginParam(html, QLatin1String("ApBKColor"));
    html += ColorToHex(m_appBKColor);
    EndParam(html);
    BeginParam(html, QLatin1String("ApCo"));
    html += QString::number(m_xPos);
    html += QLatin1Char(',');
    html += QString::number(m_yPos);
    EndParam(html);
    BeginParam(html, QLatin1String("Notice"));
    html += QLatin1String(kNoticeText);
    EndParam(html);

    AppendMenuStyle(html, QLatin1String("MMStyle"), m_mmBKColor, m_mmBKStyle, m_mmMenuAlign,
                    m_mmWidth, m_mmHeight, m_mmItemGap, m_mmBorderThick);
    AppendMenuStyle(html, QLatin1String("SMStyle"), m_smBKColor, m_smBKStyle, m_smMenuAlign,
                    m_smWidth, m_smHeight, m_smItemGap, m_smBorderThick);

    static const char *const itemStyleNames[2][3] = {{"MIStyle1", "MIStyle2", "MIStyle3"},
                                                     {"SIStyle1", "SIStyle2", "SIStyle3"}};
    for (bool sub : {false, true})
        for (int state = 1; state <= 3; ++state)
            AppendItemStyle(html, QLatin1String(itemStyleNames[sub][state - 1]),
                            ItemStyleFields(*this, sub, state));

    // Root items, then each sub menu numbered 1, 2, ... in the order of the
    // main items that own them.
    AppendItemParams(html, root, 0, images, report);
    QString misc;
    QString relations;
    int nSub = 0;
    for (int i = 0; i < root.GetCount(); ++i) {
        const CAppletMenu *sub = root.GetItem(i)->m_pSubMenu.get();
        if (!sub)
            continue;
        ++nSub;
        AppendItemParams(html, *sub, nSub, images, report);
        misc += QString::number(sub->GetCount());
        misc += QLatin1Char(',');
        relations += QString::number(i);
        relations += QLatin1Char('-');
        relations += QString::number(nSub);
        relations += QLatin1Char(',');
    }

    BeginParam(html, QLatin1String("Misc"));
    html += QString::number(nSub + 1);
    html += QLatin1Char(',');
    html += QString::number(root.GetCount());
    html += QLatin1Char(',');
    html += misc;
    html += relations;
    EndParam(html);

    // A page for today's browsers adds its links as a plain list and the
    // script that draws the menu; every line above stays as it is.
    const bool modern = m_ModernPage != 0;
    if (modern)
        AppendLinkList(html, root);
    html += QLatin1String("</applet>\r\n");
    if (modern)
        AppendScriptLine(html);
    html += QLatin1String("</p>\r\n</html>");
    return html;
}
