// libFuzzer target: any bytes read as a project file and as a template
// library must load without a fault, and what a project load gives must save
// and load back unchanged.

#include "model/config/AppletParameters.h"
#include "store/ini/GetField.h"
#include "store/ini/IniFile.h"
#include "store/project/StoredConfig.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "round trip changed %s\n", what);
    std::abort();
}

void CompareMenus(const CAppletMenu &a, const CAppletMenu &b)
{
    if (a.GetCount() != b.GetCount())
        Fail("an item count");
    for (int i = 0; i < a.GetCount(); ++i) {
        const CAppletMenuItem &x = *a.GetItem(i);
        const CAppletMenuItem &y = *b.GetItem(i);
        if (x.m_strLabel != y.m_strLabel || x.m_strImage != y.m_strImage
            || x.m_strTarget != y.m_strTarget || x.m_strLink != y.m_strLink)
            Fail("an item's texts");
        if (bool(x.m_pSubMenu) != bool(y.m_pSubMenu))
            Fail("the sub menus");
        if (x.m_pSubMenu)
            CompareMenus(*x.m_pSubMenu, *y.m_pSubMenu);
    }
}

void CompareStyles(CAppletParameters &a, CAppletParameters &b)
{
    if (a.m_HTMLTitle != b.m_HTMLTitle || a.m_appBKImagePath != b.m_appBKImagePath)
        Fail("a text value");
    if (a.m_Align != b.m_Align || a.m_appBKColor != b.m_appBKColor || a.m_xPos != b.m_xPos
        || a.m_yPos != b.m_yPos)
        Fail("a general value");
    for (bool sub : {false, true}) {
        const CMenuStyle m = MenuStyleFields(a, sub);
        const CMenuStyle n = MenuStyleFields(b, sub);
        if (*m.pBKColor != *n.pBKColor || *m.pBKStyle != *n.pBKStyle || *m.pMenuAlign != *n.pMenuAlign
            || *m.pWidth != *n.pWidth || *m.pHeight != *n.pHeight || *m.pItemGap != *n.pItemGap
            || *m.pBorderThick != *n.pBorderThick)
            Fail("a menu style value");
        for (int state = 1; state <= 3; ++state) {
            const CItemStyle s = ItemStyleFields(a, sub, state);
            const CItemStyle t = ItemStyleFields(b, sub, state);
            if (*s.pBKColor != *t.pBKColor || *s.pFRColor != *t.pFRColor
                || *s.pBorderStyle != *t.pBorderStyle || *s.pFillStyle != *t.pFillStyle
                || *s.pFontName != *t.pFontName || *s.pFontSize != *t.pFontSize
                || *s.pFontStyle != *t.pFontStyle || *s.pAlign != *t.pAlign)
                Fail("an item style value");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CIniFile ini;
    ini.Parse(bytes);

    // As a project file, then saved and read back.
    CAppletParameters loaded;
    LoadProjectFromIni(loaded, ini);
    CIniFile written;
    written.Parse(ProjectIniFor(loaded).ToBytes());
    CAppletParameters again;
    LoadProjectFromIni(again, written);
    CompareStyles(loaded, again);
    CompareMenus(*loaded.m_pMainMenu, *again.m_pMainMenu);

    // As a template library: the list and the first few templates.
    const QStringList templates = ListTemplatesFromIni(ini);
    for (int n = -1; n < qMin<int>(static_cast<int>(templates.size()), 3) + 1; ++n)
        LoadTemplateFromIni(loaded, n, ini);

    // The field splitter on the raw text.
    const QString text = CIniFile::DecodeText(bytes.left(512));
    for (int n = 0; n < 4; ++n)
        GetField(text, n, QStringLiteral(","));
    return 0;
}
