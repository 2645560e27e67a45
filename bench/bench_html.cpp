// Cost of making the page text: the default four-item menu, the largest
// menu the item page can make (20 main items, each with 20 sub items, every
// text filled, no images) and the largest a project file may hold (200 x
// 200), each compared with a plain C writer of the same bytes; and a menu of
// 4,200 items that all name one image missing from a folder of 3,000 files.

#include "BenchMenus.h"
#include "PeerRatio.h"

#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

void BM_GenerateHTML_Default(benchmark::State &state)
{
    CAppletParameters p;
    FillBenchStyles(p);
    for (auto _ : state) {
        QString html = p.GenerateHTML();
        benchmark::DoNotOptimize(html);
    }
}
BENCHMARK(BM_GenerateHTML_Default);

// --- The peer: a plain C writer of the same page ---------------------------
//
// It writes the classic page from C data (UTF-8 texts, ints): the size is
// bounded first and one buffer allocated, fixed text is copied with memcpy,
// numbers and colours are formatted with snprintf, and texts are escaped as
// the page writer escapes them. The applet's size is computed once, when the
// data is made (a handful of additions). What it writes is compared with
// GenerateHTML before any timing.

struct CPlainItem {
    const char *label, *image, *target, *link;
    size_t bytes; // the four texts' lengths together
};

struct CPlainMenu {
    const CPlainItem *items;
    int count;
};

struct CPlainItemStyle {
    int bk, fr, fill, border, fontName, fontSize, fontStyle, align;
};

struct CPlainMenuStyle {
    int bk, bkStyle, menuAlign, width, height, gap, borderThick;
};

struct CPlainTable {
    const char *const *texts;
    int count;
};

struct CPlainPage {
    const char *title, *appletClass, *bkImage;
    int align, bkColor, xPos, yPos, width, height;
    CPlainMenuStyle mm, sm;
    CPlainItemStyle styles[6]; // MIStyle1..3, SIStyle1..3
    CPlainMenu root;
    const CPlainMenu *subs; // one per root item; count 0 and no items: none
    const unsigned char *hasSub;
    CPlainTable pageAlign, menuBkStyle, menuAlign, fontName, fontSize, fontStyle, itemAlign;
};

const char *Code(const CPlainTable &t, int i)
{
    return i >= 0 && i < t.count ? t.texts[i] : "";
}

#define PUT(lit) (std::memcpy(out, lit, sizeof(lit) - 1), out += sizeof(lit) - 1)

char *EscapeC(char *out, const char *s)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(s);
    while (*p) {
        unsigned c = *p;
        if (c >= 0x20 && c < 0x7F) {
            switch (c) {
            case '&': PUT("&amp;"); break;
            case '<': PUT("&lt;"); break;
            case '>': PUT("&gt;"); break;
            case '"': PUT("&quot;"); break;
            default: *out++ = static_cast<char>(c);
            }
            ++p;
            continue;
        }
        unsigned cp = c;
        int len = 1;
        if ((c & 0xE0) == 0xC0)
            cp = c & 0x1F, len = 2;
        else if ((c & 0xF0) == 0xE0)
            cp = c & 0x0F, len = 3;
        else if ((c & 0xF8) == 0xF0)
            cp = c & 0x07, len = 4;
        for (int k = 1; k < len; ++k)
            cp = (cp << 6) | (p[k] & 0x3F);
        p += len;
        if ((cp < 0x20 && cp != '\t') || (cp >= 0x7F && cp <= 0x9F))
            cp = 0xFFFD;
        out += std::snprintf(out, 12, "&#%u;", cp);
    }
    return out;
}

char *ItemStyleC(char *out, const char *name, const CPlainItemStyle &s, const CPlainPage &pg)
{
    out += std::snprintf(out, 64, "\t<param name=\"%s\" value=\"", name);
    out += std::snprintf(out, 128, "%02x%02x%02x,%02x%02x%02x,%d%lld,%s,%s,%s,%s,", s.bk & 0xFF,
                         (s.bk >> 8) & 0xFF, (s.bk >> 16) & 0xFF, s.fr & 0xFF, (s.fr >> 8) & 0xFF,
                         (s.fr >> 16) & 0xFF, s.fill, static_cast<long long>(s.border) + 1,
                         Code(pg.fontName, s.fontName), Code(pg.fontSize, s.fontSize),
                         Code(pg.fontStyle, s.fontStyle), Code(pg.itemAlign, s.align));
    PUT("\">\r\n");
    return out;
}

char *MenuStyleC(char *out, const char *name, const CPlainMenuStyle &s, const CPlainPage &pg)
{
    out += std::snprintf(out, 160, "\t<param name=\"%s\" value=\"%02x%02x%02x,%s,%s,%d,%d,%d,%d\">\r\n",
                         name, s.bk & 0xFF, (s.bk >> 8) & 0xFF, (s.bk >> 16) & 0xFF,
                         Code(pg.menuBkStyle, s.bkStyle), Code(pg.menuAlign, s.menuAlign), s.width,
                         s.height, s.gap, s.borderThick);
    return out;
}

char *ItemsC(char *out, const CPlainMenu &menu, int nMenu)
{
    for (int i = 0; i < menu.count; ++i) {
        const CPlainItem &item = menu.items[i];
        out += std::snprintf(out, 64, "\t<param name=\"I%d-%d\" value=\"", nMenu, i);
        out = EscapeC(out, item.label);
        *out++ = ',';
        out = EscapeC(out, item.image);
        *out++ = ',';
        out = EscapeC(out, item.target);
        *out++ = ',';
        out = EscapeC(out, item.link);
        PUT("\">\r\n");
    }
    return out;
}

// Returns the page in a buffer of malloc's, its length in *pLength.
char *WritePlainPage(const CPlainPage &pg, size_t *pLength)
{
    size_t cap = 4096 + 8 * (std::strlen(pg.title) + std::strlen(pg.bkImage));
    for (int i = 0; i < pg.root.count; ++i) {
        cap += 64 + 8 * pg.root.items[i].bytes;
        for (int j = 0; j < pg.subs[i].count; ++j)
            cap += 64 + 8 * pg.subs[i].items[j].bytes;
    }
    char *const buf = static_cast<char *>(std::malloc(cap));
    char *out = buf;
    PUT("<html>\r\n<head><title>");
    out = EscapeC(out, pg.title);
    PUT("</title></head>\n<p align=\"");
    const char *align = Code(pg.pageAlign, pg.align);
    const size_t alignLength = std::strlen(align);
    std::memcpy(out, align, alignLength);
    out += alignLength;
    PUT("\">\r\n<applet code=\"");
    out = EscapeC(out, pg.appletClass);
    out += std::snprintf(out, 96, "\" align=\"baseline\" width=\"%d\" height=\"%d\">\r\n", pg.width,
                         pg.height);
    PUT("\t<param name=\"ApBKImg\" value=\"");
    out = EscapeC(out, pg.bkImage);
    out += std::snprintf(out, 96, "\">\r\n\t<param name=\"ApBKColor\" value=\"%02x%02x%02x\">\r\n",
                         pg.bkColor & 0xFF, (pg.bkColor >> 8) & 0xFF, (pg.bkColor >> 16) & 0xFF);
    out += std::snprintf(out, 64, "\t<param name=\"ApCo\" value=\"%d,%d\">\r\n", pg.xPos, pg.yPos);
    PUT("\t<param name=\"Notice\" value=\"Menu made with Vantrel\">\r\n");
    out = MenuStyleC(out, "MMStyle", pg.mm, pg);
    out = MenuStyleC(out, "SMStyle", pg.sm, pg);
    static const char *const styleNames[6] = {"MIStyle1", "MIStyle2", "MIStyle3",
                                              "SIStyle1", "SIStyle2", "SIStyle3"};
    for (int s = 0; s < 6; ++s)
        out = ItemStyleC(out, styleNames[s], pg.styles[s], pg);
    out = ItemsC(out, pg.root, 0);
    int nSub = 0;
    for (int i = 0; i < pg.root.count; ++i)
        if (pg.hasSub[i])
            out = ItemsC(out, pg.subs[i], ++nSub);
    out += std::snprintf(out, 64, "\t<param name=\"Misc\" value=\"%d,%d,", nSub + 1, pg.root.count);
    for (int i = 0; i < pg.root.count; ++i)
        if (pg.hasSub[i])
            out += std::snprintf(out, 16, "%d,", pg.subs[i].count);
    nSub = 0;
    for (int i = 0; i < pg.root.count; ++i)
        if (pg.hasSub[i])
            out += std::snprintf(out, 32, "%d-%d,", i, ++nSub);
    PUT("\">\r\n</applet>\r\n</p>\r\n</html>");
    *pLength = static_cast<size_t>(out - buf);
    return buf;
}

#undef PUT

// The C data of a configuration, and the storage behind its pointers.
class CPlainData {
public:
    explicit CPlainData(const CAppletParameters &p)
    {
        m_title = Keep(p.m_HTMLTitle);
        m_page.title = m_title;
        m_page.appletClass = Keep(LoadString(StringId::AppletClass));
        m_page.bkImage = ""; // the benchmark menus name no images
        m_page.align = p.m_Align;
        m_page.bkColor = p.m_appBKColor;
        m_page.xPos = p.m_xPos;
        m_page.yPos = p.m_yPos;
        const QRect rect = p.GetAppletRect();
        m_page.width = rect.width();
        m_page.height = rect.height();
        m_page.mm = {p.m_mmBKColor, p.m_mmBKStyle, p.m_mmMenuAlign, p.m_mmWidth, p.m_mmHeight,
                     p.m_mmItemGap, p.m_mmBorderThick};
        m_page.sm = {p.m_smBKColor, p.m_smBKStyle, p.m_smMenuAlign, p.m_smWidth, p.m_smHeight,
                     p.m_smItemGap, p.m_smBorderThick};
        auto &self = const_cast<CAppletParameters &>(p);
        for (int s = 0; s < 6; ++s) {
            const CItemStyle st = ItemStyleFields(self, s >= 3, s % 3 + 1);
            m_page.styles[s] = {*st.pBKColor, *st.pFRColor, *st.pFillStyle, *st.pBorderStyle,
                                *st.pFontName, *st.pFontSize, *st.pFontStyle, *st.pAlign};
        }
        m_page.pageAlign = Table(StringRange::PageAlign);
        m_page.menuBkStyle = Table(StringRange::MenuBkStyle);
        m_page.menuAlign = Table(StringRange::MenuAlign);
        m_page.fontName = Table(StringRange::FontName);
        m_page.fontSize = Table(StringRange::FontSize);
        m_page.fontStyle = Table(StringRange::FontStyle);
        m_page.itemAlign = Table(StringRange::ItemAlign);

        const CAppletMenu &root = *p.m_pMainMenu;
        m_items.resize(root.GetCount() + 1);
        m_subs.resize(root.GetCount());
        m_hasSub.resize(root.GetCount());
        for (int i = 0; i < root.GetCount(); ++i) {
            const CAppletMenuItem &item = *root.GetItem(i);
            m_items[0].push_back(Item(item));
            if (const CAppletMenu *sub = item.m_pSubMenu.get()) {
                m_hasSub[i] = 1;
                for (int j = 0; j < sub->GetCount(); ++j)
                    m_items[i + 1].push_back(Item(*sub->GetItem(j)));
            }
        }
        for (int i = 0; i < root.GetCount(); ++i)
            m_subs[i] = {m_items[i + 1].data(), int(m_items[i + 1].size())};
        m_page.root = {m_items[0].data(), int(m_items[0].size())};
        m_page.subs = m_subs.data();
        m_page.hasSub = m_hasSub.data();
    }
    const CPlainPage &Page() const { return m_page; }

private:
    const char *Keep(const QString &text)
    {
        m_texts.push_back(text.toStdString());
        return m_texts.back().c_str();
    }
    CPlainItem Item(const CAppletMenuItem &item)
    {
        CPlainItem c{Keep(item.m_strLabel), "", Keep(item.m_strTarget), Keep(item.m_strLink), 0};
        c.bytes = std::strlen(c.label) + std::strlen(c.target) + std::strlen(c.link);
        return c;
    }
    CPlainTable Table(const CStringRange &range)
    {
        m_tables.emplace_back();
        for (int i = 0; i < range.count; ++i)
            m_tables.back().push_back(Keep(LoadString(range, i)));
        return {m_tables.back().data(), range.count};
    }

    CPlainPage m_page{};
    const char *m_title = "";
    std::deque<std::string> m_texts;
    std::deque<std::vector<const char *>> m_tables;
    std::vector<std::vector<CPlainItem>> m_items;
    std::vector<CPlainMenu> m_subs;
    std::vector<unsigned char> m_hasSub;
};

QByteArray PlainPageBytes(const CPlainData &data)
{
    size_t length = 0;
    char *page = WritePlainPage(data.Page(), &length);
    const QByteArray bytes(page, qsizetype(length));
    std::free(page);
    return bytes;
}

int ItemCount(int mainCount, int subCount)
{
    return mainCount + mainCount * subCount;
}

void BM_PlainCWriter(benchmark::State &state, int mainCount, int subCount)
{
    CAppletParameters p;
    FillBenchMenu(p, mainCount, subCount);
    const CPlainData data(p);
    // The same bytes, or the comparison means nothing.
    if (PlainPageBytes(data) != p.GenerateHTML().toUtf8()) {
        state.SkipWithError("the C writer's page differs from GenerateHTML's");
        return;
    }
    for (auto _ : state) {
        size_t length = 0;
        char *page = WritePlainPage(data.Page(), &length);
        benchmark::DoNotOptimize(page);
        std::free(page);
    }
    state.counters["items"] = ItemCount(mainCount, subCount);
}
BENCHMARK_CAPTURE(BM_PlainCWriter, 20x20, 20, 20)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainCWriter, 200x200, 200, 200)->Unit(benchmark::kMillisecond);

void BM_GenerateHTML(benchmark::State &state, int mainCount, int subCount)
{
    CAppletParameters p;
    FillBenchMenu(p, mainCount, subCount);
    for (auto _ : state) {
        QString html = p.GenerateHTML();
        benchmark::DoNotOptimize(html);
    }
    state.counters["items"] = ItemCount(mainCount, subCount);
}
BENCHMARK_CAPTURE(BM_GenerateHTML, 20x20, 20, 20)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GenerateHTML, 200x200, 200, 200)->Unit(benchmark::kMillisecond);

// The page as the bytes a save writes.
void BM_GenerateHTMLBytes(benchmark::State &state, int mainCount, int subCount)
{
    CAppletParameters p;
    FillBenchMenu(p, mainCount, subCount);
    if (p.GenerateHTMLBytes() != p.GenerateHTML().toUtf8()) {
        state.SkipWithError("the bytes differ from the page text");
        return;
    }
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray html = p.GenerateHTMLBytes();
        bytes = html.size();
        benchmark::DoNotOptimize(html);
    }
    state.counters["items"] = ItemCount(mainCount, subCount);
    state.counters["bytes"] = double(bytes);
}
BENCHMARK_CAPTURE(BM_GenerateHTMLBytes, 20x20, 20, 20)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GenerateHTMLBytes, 200x200, 200, 200)->Unit(benchmark::kMillisecond);

void BM_GenerateHTML_MissingImageInBigFolder(benchmark::State &state)
{
    QTemporaryDir folder;
    for (int i = 0; i < 3000; ++i) {
        QFile file(folder.filePath(QStringLiteral("file%1.dat").arg(i)));
        if (!file.open(QIODevice::WriteOnly))
            state.SkipWithError("cannot fill the folder");
    }
    CAppletParameters p;
    FillBenchStyles(p);
    const QString missing = folder.filePath(QStringLiteral("missing.gif"));
    CAppletMenu &root = *p.m_pMainMenu;
    root.SetItemCount(200, 0);
    for (int i = 0; i < 200; ++i) {
        root.GetItem(i)->m_strImage = missing;
        if (i < 20) {
            CAppletMenu &sub = *root.GetSubMenu(i);
            sub.SetItemCount(200, 0);
            for (int j = 0; j < 200; ++j)
                sub.GetItem(j)->m_strImage = missing;
        }
    }
    qint64 reports = 0;
    const CMessageReporter count = [&reports](const QString &) { ++reports; };
    for (auto _ : state) {
        QString html = p.GenerateHTML(count);
        benchmark::DoNotOptimize(html);
    }
    state.counters["reports"] = double(reports) / double(state.iterations());
}
BENCHMARK(BM_GenerateHTML_MissingImageInBigFolder)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunWithPeerRatios(argc, argv, {
        {"GenerateHTML 20 x 20 / plain C", "BM_GenerateHTML/20x20", "BM_PlainCWriter/20x20"},
        {"GenerateHTML 200 x 200 / plain C", "BM_GenerateHTML/200x200", "BM_PlainCWriter/200x200"},
        {"GenerateHTMLBytes 20 x 20 / plain C", "BM_GenerateHTMLBytes/20x20",
         "BM_PlainCWriter/20x20"},
        {"GenerateHTMLBytes 200 x 200 / plain C", "BM_GenerateHTMLBytes/200x200",
         "BM_PlainCWriter/200x200"},
    });
}
