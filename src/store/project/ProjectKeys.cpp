#include "store/project/ProjectKeys.h"

#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"

namespace {
using P = CAppletParameters;

constexpr CProjectKey Text(int section, const char *name, QString P::*field)
{
    return {section, name, EValueKind::Text, nullptr, field};
}
constexpr CProjectKey Num(int section, const char *name, int P::*field)
{
    return {section, name, EValueKind::Number, field, nullptr};
}
constexpr CProjectKey Col(int section, const char *name, int P::*field)
{
    return {section, name, EValueKind::Colour, field, nullptr};
}

#define VANTREL_ITEM_STYLE(section, fam, n)                                   \
    Col(section, "m_" #fam "BKColor" #n, &P::m_##fam##BKColor##n),            \
    Col(section, "m_" #fam "FRColor" #n, &P::m_##fam##FRColor##n),            \
    Num(section, "m_" #fam "ItemBorderStyle" #n, &P::m_##fam##ItemBorderStyle##n), \
    Num(section, "m_" #fam "ItemFillStyle" #n, &P::m_##fam##ItemFillStyle##n), \
    Num(section, "m_" #fam "FontName" #n, &P::m_##fam##FontName##n),          \
    Num(section, "m_" #fam "FontSize" #n, &P::m_##fam##FontSize##n),          \
    Num(section, "m_" #fam "FontStyle" #n, &P::m_##fam##FontStyle##n),        \
    Num(section, "m_" #fam "Align" #n, &P::m_##fam##Align##n)

#define VANTREL_MENU_STYLE(section, fam)                                      \
    Col(section, "m_" #fam "BKColor", &P::m_##fam##BKColor),                  \
    Num(section, "m_" #fam "BKStyle", &P::m_##fam##BKStyle),                  \
    Num(section, "m_" #fam "MenuAlign", &P::m_##fam##MenuAlign),              \
    Num(section, "m_" #fam "Width", &P::m_##fam##Width),                      \
    Num(section, "m_" #fam "Height", &P::m_##fam##Height),                    \
    Num(section, "m_" #fam "ItemGap", &P::m_##fam##ItemGap),                  \
    Num(section, "m_" #fam "BorderThick", &P::m_##fam##BorderThick)

#define VANTREL_MENU_LOOK(fam)                                                \
    Num(SectionLooks, "m_" #fam "ItemRadius", &P::m_##fam##ItemRadius),       \
    Num(SectionLooks, "m_" #fam "PanelRadius", &P::m_##fam##PanelRadius),     \
    Num(SectionLooks, "m_" #fam "Shadow", &P::m_##fam##Shadow),               \
    Num(SectionLooks, "m_" #fam "LabelInset", &P::m_##fam##LabelInset),       \
    Num(SectionLooks, "m_" #fam "Arrows", &P::m_##fam##Arrows),               \
    Num(SectionLooks, "m_" #fam "FadeIn", &P::m_##fam##FadeIn)

#define VANTREL_ITEM_LOOK(fam, n)                                             \
    Num(SectionLooks, "m_" #fam "FontFamily" #n, &P::m_##fam##FontFamily##n), \
    Num(SectionLooks, "m_" #fam "FontWeight" #n, &P::m_##fam##FontWeight##n), \
    Num(SectionLooks, "m_" #fam "FontItalic" #n, &P::m_##fam##FontItalic##n), \
    Num(SectionLooks, "m_" #fam "FontPx" #n, &P::m_##fam##FontPx##n)

const std::array<CProjectKey, kProjectKeyCount> kKeys = {{
    Text(SectionGeneral, "m_HTMLTitle", &P::m_HTMLTitle),
    Num(SectionGeneral, "m_Align", &P::m_Align),
    Col(SectionGeneral, "m_appBKColor", &P::m_appBKColor),
    Text(SectionGeneral, "m_appBKImagePath", &P::m_appBKImagePath),
    Num(SectionGeneral, "m_xPos", &P::m_xPos),
    Num(SectionGeneral, "m_yPos", &P::m_yPos),
    Num(SectionGeneral, "m_ModernPage", &P::m_ModernPage),
    Text(SectionGeneral, "m_PageLang", &P::m_PageLang),
    Text(SectionGeneral, "m_PageDescription", &P::m_PageDescription),
    VANTREL_MENU_STYLE(SectionMainMenuStyle, mm),
    VANTREL_MENU_STYLE(SectionSubMenuStyle, sm),
    VANTREL_ITEM_STYLE(SectionMainItemStyle1, mi, 1),
    VANTREL_ITEM_STYLE(SectionMainItemStyle2, mi, 2),
    VANTREL_ITEM_STYLE(SectionMainItemStyle3, mi, 3),
    VANTREL_ITEM_STYLE(SectionSubItemStyle1, si, 1),
    VANTREL_ITEM_STYLE(SectionSubItemStyle2, si, 2),
    VANTREL_ITEM_STYLE(SectionSubItemStyle3, si, 3),
    VANTREL_MENU_LOOK(mm),
    VANTREL_MENU_LOOK(sm),
    VANTREL_ITEM_LOOK(mi, 1),
    VANTREL_ITEM_LOOK(mi, 2),
    VANTREL_ITEM_LOOK(mi, 3),
    VANTREL_ITEM_LOOK(si, 1),
    VANTREL_ITEM_LOOK(si, 2),
    VANTREL_ITEM_LOOK(si, 3),
}};

#undef VANTREL_ITEM_STYLE
#undef VANTREL_MENU_STYLE
#undef VANTREL_MENU_LOOK
#undef VANTREL_ITEM_LOOK
} // namespace

const std::array<CProjectKey, kProjectKeyCount> &ProjectKeys()
{
    return kKeys;
}

QString ProjectSectionName(int nSection)
{
    return LoadString(StringRange::Section, nSection);
}

QString TemplateLooksSection(const QString &strTemplate)
{
    return strTemplate + QStringLiteral(" Looks");
}
