// The page text: one applet element whose param lines carry the whole
// configuration, in the codes the applet reads.

#include "html/AppletBlock.h"
#include "html/ItemName.h"
#include "html/PageLinks.h"
#include "html/PageText.h"
#include "html/SiteLinks.h"
#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "model/text/StringTable.h"
#include "model/menu/SubMenuGeometry.h"
#include "store/beside/ImageFile.h"
#include "store/site/SitePageText.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <iterator>
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

// Appends the bare file name of the image `path` names, after `prefix`,
// escaped; reports a missing file or one that is no picture (at every
// occurrence) and appends nothing for it. Each distinct path is looked up once per `images`.
void AppendImageName(CPageText &out, const QString &path, bool bItem, CImageLookup &images,
                     const CMessageReporter &report, const QString &prefix)
{
    if (path.isEmpty())
        return;
    bool notPicture = false;
    const QString found = images.Find(path, &notPicture);
    if (found.isEmpty()) {
        // A file that is there but no picture is left out like a missing
        // one: its copy would publish whatever it holds.
        const char *said = notPicture ? (bItem ? "Item image file is not a picture:"
                                               : "Applet background image file is not a picture:")
                                      : (bItem ? "Can't find item image file:"
                                               : "Can't find applet background image file:");
        Report(report, QLatin1String(said) + path + QLatin1String(",Please check it!"));
        return;
    }
    out.PutEscaped(prefix.isEmpty() ? QFileInfo(found).fileName() : prefix + QFileInfo(found).fileName());
}

void ReportCodeLink(const CAppletMenuItem &item, const CMessageReporter &report)
{
    if (LinkRunsCode(item.m_strLink))
        Report(report, QLatin1String("Item link runs code and will not be followed:") + item.m_strLink
                           + QLatin1String(",Please check it!"));
}

void BeginParam(CPageText &out, const char *name)
{
    out.Put("\t<param name=\"");
    out.Put(name);
    out.Put("\" value=\"");
}

void EndParam(CPageText &out)
{
    out.Put("\">\r\n");
}

void AppendMenuStyle(CPageText &out, const char *name, int bkColor, int bkStyle, int menuAlign,
                     int width, int height, int gap, int borderThick)
{
    BeginParam(out, name);
    out.PutColor(bkColor);
    out.Put(',');
    out.PutText(LoadString(StringRange::MenuBkStyle, bkStyle));
    out.Put(',');
    out.PutText(LoadString(StringRange::MenuAlign, menuAlign));
    for (int v : {width, height, gap, borderThick}) {
        out.Put(',');
        out.PutNumber(v);
    }
    EndParam(out);
}

void AppendItemStyle(CPageText &out, const char *name, const CConstItemStyle &s)
{
    BeginParam(out, name);
    out.PutColor(*s.pBKColor);
    out.Put(',');
    out.PutColor(*s.pFRColor);
    out.Put(',');
    out.PutNumber(*s.pFillStyle);
    out.PutNumber(i64(*s.pBorderStyle) + 1);
    out.Put(',');
    // The applet's font: the stored one, or the nearest to today's look.
    const CClassicFont font = ClassicFontOf(s);
    out.PutText(LoadString(StringRange::FontName, font.name));
    out.Put(',');
    out.PutText(LoadString(StringRange::FontSize, font.size));
    out.Put(',');
    out.PutText(LoadString(StringRange::FontStyle, font.style));
    out.Put(',');
    out.PutText(LoadString(StringRange::ItemAlign, *s.pAlign));
    out.Put(',');
    EndParam(out);
}

// Today's look of a menu, for the page script only: "MMLook" / "SMLook"
// with the item corner radius, the panel's corner radius, the shadow (0
// none, 1 soft, 2 strong), the label inset, arrows (0/1) and fading in
// (0/1). Written only for a look other than the classic one.
void AppendMenuLook(CPageText &out, const char *name, const CMenuLook &look)
{
    if (look.IsClassic())
        return;
    BeginParam(out, name);
    const int values[] = {look.itemRadius, look.panelRadius, look.shadow,
                          look.labelInset, int(look.arrows), int(look.fadeIn)};
    for (size_t i = 0; i < std::size(values); ++i) {
        if (i)
            out.Put(',');
        out.PutNumber(values[i]);
    }
    EndParam(out);
}

// Today's type of an item look, for the page script only: "MILook1" ...
// "SILook3" with the face (t, h, c, s System UI, p the page's font), the
// size in pixels, the weight (400-700) and italic (0/1). Written only when
// it differs from what the look's applet values give.
void AppendItemLook(CPageText &out, const char *name, const CConstItemStyle &s)
{
    const CItemFont font = ItemFontOf(s);
    if (font == ClassicItemFontOf(s))
        return;
    static const char kFaces[] = {'t', 'h', 'c', 's', 'p'};
    BeginParam(out, name);
    out.Put(kFaces[font.face]);
    out.Put(',');
    out.PutNumber(font.px);
    out.Put(',');
    out.PutNumber(font.weight);
    out.Put(',');
    out.PutNumber(font.italic ? 1 : 0);
    EndParam(out);
}

void AppendItemParams(CPageText &out, const CAppletMenu &menu, int nMenu, CImageLookup &images,
                      const CMessageReporter &report, const CAppletBlockPaths &paths)
{
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CAppletMenuItem &item = *menu.GetItem(i);
        out.Put("\t<param name=\"I");
        out.PutNumber(nMenu);
        out.Put('-');
        out.PutNumber(i);
        out.Put("\" value=\"");
        out.PutEscaped(item.m_strLabel);
        out.Put(',');
        AppendImageName(out, item.m_strImage, true, images, report, paths.strPrefix);
        out.Put(',');
        out.PutEscaped(item.m_strTarget);
        out.Put(',');
        out.PutEscaped(SiteLinkForPage(item.m_strLink, paths.strPageFolder));
        EndParam(out);
    }
}

} // namespace

void AppendAppletBlock(CPageText &out, const CAppletParameters &p, bool modern,
                       const CAppletBlockPaths &paths, CImageLookup &images,
                       const CMessageReporter &report)
{
    const CAppletMenu &root = *p.m_pMainMenu;
    // A page for today's browsers loads its menu script before the applet:
    // the script then sees the link list as it is parsed and keeps its sub
    // lists from being laid out only to be drawn again as the menu.
    if (modern)
        AppendScriptLine(out, paths.strPrefix);
    out.Put("<applet code=\"");
    out.PutEscaped(paths.strPrefix + LoadString(StringId::AppletClass));
    const QRect rect = p.GetAppletRect();
    out.Put("\" align=\"baseline\" width=\"");
    out.PutNumber(rect.width());
    out.Put("\" height=\"");
    out.PutNumber(rect.height());
    out.Put("\">\r\n");

    BeginParam(out, "ApBKImg");
    AppendImageName(out, p.m_appBKImagePath, false, images, report, paths.strPrefix);
    EndParam(out);
    BeginParam(out, "ApBKColor");
    out.PutColor(p.m_appBKColor);
    EndParam(out);
    BeginParam(out, "ApCo");
    out.PutNumber(p.m_xPos);
    out.Put(',');
    out.PutNumber(p.m_yPos);
    EndParam(out);
    BeginParam(out, "Notice");
    out.Put(kNoticeText);
    EndParam(out);

    AppendMenuStyle(out, "MMStyle", p.m_mmBKColor, p.m_mmBKStyle, p.m_mmMenuAlign, p.m_mmWidth,
                    p.m_mmHeight, p.m_mmItemGap, p.m_mmBorderThick);
    AppendMenuStyle(out, "SMStyle", p.m_smBKColor, p.m_smBKStyle, p.m_smMenuAlign, p.m_smWidth,
                    p.m_smHeight, p.m_smItemGap, p.m_smBorderThick);

    static const char *const itemStyleNames[2][3] = {{"MIStyle1", "MIStyle2", "MIStyle3"},
                                                     {"SIStyle1", "SIStyle2", "SIStyle3"}};
    for (bool sub : {false, true})
        for (int state = 1; state <= 3; ++state)
            AppendItemStyle(out, itemStyleNames[sub][state - 1], ItemStyleFields(p, sub, state));

    // What the applet cannot hold, for the page script: lines added only
    // where a look of today differs from the classic one.
    if (modern) {
        AppendMenuLook(out, "MMLook", MenuLookOf(MenuStyleFields(p, false)));
        AppendMenuLook(out, "SMLook", MenuLookOf(MenuStyleFields(p, true)));
        static const char *const itemLookNames[2][3] = {{"MILook1", "MILook2", "MILook3"},
                                                        {"SILook1", "SILook2", "SILook3"}};
        for (bool sub : {false, true})
            for (int state = 1; state <= 3; ++state)
                AppendItemLook(out, itemLookNames[sub][state - 1], ItemStyleFields(p, sub, state));
    }

    // Links that would run code in the visitor's browser are told about
    // (a page for today's browsers never follows them).
    for (int i = 0; i < root.GetCount(); ++i) {
        const CAppletMenuItem &item = *root.GetItem(i);
        ReportCodeLink(item, report);
        if (const CAppletMenu *sub = item.m_pSubMenu.get())
            for (int j = 0; j < sub->GetCount(); ++j)
                ReportCodeLink(*sub->GetItem(j), report);
    }

    // Root items, then each sub menu numbered 1, 2, ... in the order of the
    // main items that own them.
    AppendItemParams(out, root, 0, images, report, paths);
    int nSub = 0;
    for (int i = 0; i < root.GetCount(); ++i)
        if (const CAppletMenu *sub = root.GetItem(i)->m_pSubMenu.get())
            AppendItemParams(out, *sub, ++nSub, images, report, paths);

    // The menu table: the counts of the menus, then which main item owns
    // each sub menu.
    BeginParam(out, "Misc");
    out.PutNumber(nSub + 1);
    out.Put(',');
    out.PutNumber(root.GetCount());
    out.Put(',');
    for (int i = 0; i < root.GetCount(); ++i) {
        if (const CAppletMenu *sub = root.GetItem(i)->m_pSubMenu.get()) {
            out.PutNumber(sub->GetCount());
            out.Put(',');
        }
    }
    nSub = 0;
    for (int i = 0; i < root.GetCount(); ++i) {
        if (root.GetItem(i)->m_pSubMenu) {
            out.PutNumber(i);
            out.Put('-');
            out.PutNumber(++nSub);
            out.Put(',');
        }
    }
    EndParam(out);

    // A page for today's browsers adds its links as a plain list, which the
    // script turns into the menu; every classic line stays as it is.
    if (modern)
        AppendLinkList(out, root, MenuLandmarkName(p.m_HTMLTitle), paths.strPageFolder);
    out.Put("</applet>\r\n");
}

namespace {

// The whole page, written into `html`.
void WritePage(CPageText &html, const CAppletParameters &p, const CMessageReporter &report)
{
    const bool modern = p.m_ModernPage != 0;
    CImageLookup images; // one lookup per distinct image path

    if (modern) {
        // A page for today's browsers is laid out in standards mode, says
        // its language, its encoding (its bytes are ASCII, which UTF-8
        // reads the same) and, when the author gave one (blanks alone say
        // nothing), what it is about; it is laid out at the phone's own
        // width. These lines come before the head line, which the classic
        // page keeps as it is; browsers take them into the head all the same.
        html.Put("<!DOCTYPE html>\r\n<html");
        if (!p.m_PageLang.isEmpty()) {
            html.Put(" lang=\"");
            html.PutEscaped(p.m_PageLang);
            html.Put('"');
        }
        html.Put(">\r\n<meta charset=\"utf-8\">\r\n");
        html.Put(kViewportLine);
        html.Put("\r\n");
        const QString description = p.m_PageDescription.trimmed();
        if (!description.isEmpty()) {
            html.Put("<meta name=\"description\" content=\"");
            html.PutEscaped(description);
            html.Put("\">\r\n");
        }
    } else {
        html.Put("<html>\r\n");
    }
    html.Put("<head><title>");
    html.PutEscaped(p.m_HTMLTitle);
    html.Put("</title></head>\n<p align=\"");
    html.PutText(LoadString(StringRange::PageAlign, p.m_Align));
    html.Put("\">\r\n");
    AppendAppletBlock(html, p, modern, CAppletBlockPaths(), images, report);
    html.Put("</p>\r\n</html>");
}

} // namespace

QString CAppletParameters::ColorToHex(int color)
{
    CPageText hex;
    hex.PutColor(color);
    return QString::fromStdString(hex.Bytes());
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
    CPageText out;
    CImageLookup images;
    AppendItemParams(out, menu, nMenu, images, report, CAppletBlockPaths());
    return QString::fromStdString(out.Bytes());
}

QString CAppletParameters::GenerateHTML(const CMessageReporter &report) const
{
    CPageText html;
    WritePage(html, *this, report);
    return QString::fromStdString(html.Bytes());
}

QByteArray CAppletParameters::GenerateHTMLBytes(const CMessageReporter &report) const
{
    CPageText html;
    WritePage(html, *this, report);
    return QByteArray::fromStdString(html.Bytes());
}
