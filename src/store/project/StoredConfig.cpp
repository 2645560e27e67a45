#include "store/project/StoredConfig.h"

#include "model/config/AppletParameters.h"
#include "model/text/PageLanguage.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectKeys.h"
#include "store/project/SitePageKeys.h"

#include <climits>
#include <functional>

namespace {

// Field n of a comma-separated text, as GetField gives it: splitting once
// and indexing yields the same fields (a missing one is empty) without
// rescanning the text for every field.
class CFields {
public:
    explicit CFields(const QString &text) : m_fields(text.split(QLatin1Char(','))) {}
    QString operator[](qsizetype n) const
    {
        return (n >= 0 && n < m_fields.size()) ? m_fields.at(n) : QString();
    }
    qsizetype Size() const { return m_fields.size(); }

private:
    QStringList m_fields;
};

QString ItemKey(int nMenu, int nItem)
{
    return QStringLiteral("I%1-%2").arg(nMenu).arg(nItem);
}

QString ItemValue(const CAppletMenuItem &item)
{
    return item.m_strLabel + QLatin1Char(',') + item.m_strImage + QLatin1Char(',')
           + item.m_strTarget + QLatin1Char(',') + item.m_strLink;
}

// The key of an item, "I<menu>-<item>", made in place.
class CItemKey {
public:
    CItemKey(int nMenu, int nItem)
    {
        m_chars[m_n++] = u'I';
        Put(nMenu);
        m_chars[m_n++] = u'-';
        Put(nItem);
    }
    QStringView View() const { return QStringView(m_chars, m_n); }

private:
    void Put(int v)
    {
        char16_t digits[12];
        qsizetype count = 0;
        unsigned magnitude = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v);
        do {
            digits[count++] = char16_t(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude);
        if (v < 0)
            m_chars[m_n++] = u'-';
        while (count)
            m_chars[m_n++] = digits[--count];
    }
    char16_t m_chars[32];
    qsizetype m_n = 0;
};

// Fields 0 to 3 of the value, as GetField gives them with a comma.
void SetItemFromValue(CAppletMenuItem &item, QStringView value)
{
    QString *const fields[4] = {&item.m_strLabel, &item.m_strImage, &item.m_strTarget,
                                &item.m_strLink};
    qsizetype start = 0;
    for (QString *field : fields) {
        if (start > value.size()) {
            field->clear();
            continue;
        }
        qsizetype comma = value.indexOf(QLatin1Char(','), start);
        if (comma < 0)
            comma = value.size();
        *field = value.mid(start, comma - start).toString();
        start = comma + 1;
    }
}

// Where each stored value lives: the project file spreads them over its
// sections, a template keeps them all in its own section. Each section is
// looked up once.
using CSectionOf = std::function<QString(int nSection)>;

void ReadValues(CAppletParameters &params, const CIniFile &ini, const CSectionOf &sectionOf,
                bool bTemplate)
{
    int nSection = -1;
    CIniFile::CSectionReader section;
    for (const CProjectKey &key : ProjectKeys()) {
        if (bTemplate && (key.pText == &CAppletParameters::m_HTMLTitle
                          || key.pNumber == &CAppletParameters::m_Align
                          || key.pNumber == &CAppletParameters::m_ModernPage
                          || key.pText == &CAppletParameters::m_PageLang
                          || key.pText == &CAppletParameters::m_PageDescription))
            continue;
        if (key.nSection != nSection) {
            nSection = key.nSection;
            section = ini.Section(sectionOf(nSection));
        }
        const QLatin1String name(key.pName);
        char16_t nameChars[64];
        qsizetype n = 0;
        for (char c : name)
            nameChars[n++] = static_cast<char16_t>(c);
        const QStringView keyName(nameChars, n);
        switch (key.kind) {
        case EValueKind::Text: {
            const QString def = key.pText == &CAppletParameters::m_HTMLTitle
                                    ? QStringLiteral("Untitled") : QString();
            params.*key.pText = section.Value(keyName, def);
            break;
        }
        case EValueKind::Number:
            params.*key.pNumber = ParseStoredNumber(section.ValueView(keyName, u"0"));
            break;
        case EValueKind::Colour:
            params.*key.pNumber = ParseStoredNumber(section.ValueView(keyName, u"0")) & 0xFFFFFF;
            break;
        }
    }
}

// Rebuilds the menu tree from "Relation" and reads the items' texts.
void ReadMenuTree(CAppletParameters &params, const CIniFile &ini, const QString &relationSection,
                  const QString &itemSection)
{
    CAppletMenu &menu = *params.m_pMainMenu;
    const CFields relation(ini.Value(relationSection, RelationKey(), QStringLiteral("0")));
    const int menus = qBound(0, ParseStoredNumber(relation[0]), kMaxStoredMenuItems + 1);
    const int mainCount = ParseStoredNumber(relation[1]);
    if (mainCount <= 0)
        return; // the four default items stay; no item key is read
    const int r = qMin(mainCount, kMaxStoredMenuItems);
    menu.SetItemCount(r, 0);

    // Sub menu j + 1 has its count in field j + 2 and is attached by the
    // first pair among fields menus + 1 .. 2 * menus - 1 that names it.
    for (int j = 0; j < menus - 1; ++j) {
        const int count = ParseStoredNumber(relation[j + 2]);
        if (count <= 0)
            break; // this and every later sub menu stay missing
        for (qsizetype p = menus + 1; p <= 2 * static_cast<qsizetype>(menus) - 1; ++p) {
            const QString pair = relation[p];
            const qsizetype hyphen = pair.indexOf(QLatin1Char('-'));
            const int mainIndex = hyphen < 0 ? 0 : ParseStoredNumber(pair.left(hyphen));
            const int subNumber = ParseStoredNumber(hyphen < 0 ? pair : pair.mid(hyphen + 1));
            if (mainIndex < 0 || mainIndex > r - 1)
                break;
            if (subNumber == j + 1) {
                menu.GetSubMenu(mainIndex)->SetItemCount(qMin(count, kMaxStoredMenuItems), 1);
                break;
            }
            if (subNumber <= 0)
                break;
        }
    }

    // Sub menus are numbered in main-item order, whichever pair attached them.
    const CIniFile::CSectionReader items = ini.Section(itemSection);
    int subMenu = 0;
    for (int i = 0; i < r; ++i) {
        CAppletMenuItem &item = *menu.GetItem(i);
        SetItemFromValue(item, items.ValueView(CItemKey(0, i).View()));
        if (!item.m_pSubMenu)
            continue;
        ++subMenu;
        CAppletMenu &sub = *item.m_pSubMenu;
        for (int j = 0; j < sub.GetCount(); ++j)
            SetItemFromValue(*sub.GetItem(j), items.ValueView(CItemKey(subMenu, j).View()));
    }
}

void ResetMainMenu(CAppletParameters &params)
{
    params.m_pMainMenu->SetItemCount(4, 0);
    params.m_pMainMenu->m_nCurrent = 0;
}

QString TemplateSection()
{
    return QStringLiteral("TEMPLATE");
}

QString TemplateKeys(const CIniFile &ini)
{
    return ini.Value(TemplateSection(), QStringLiteral("TemplateKey"), QStringLiteral("Blank"));
}

} // namespace

int ParseStoredNumber(QStringView strValue)
{
    const qsizetype n = strValue.size();
    qsizetype i = 0;
    auto isSpace = [](QChar c) {
        return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
    };
    while (i < n && isSpace(strValue.at(i)))
        ++i;
    bool negative = false;
    if (i < n && (strValue.at(i) == QLatin1Char('-') || strValue.at(i) == QLatin1Char('+'))) {
        negative = strValue.at(i) == QLatin1Char('-');
        ++i;
    }
    // Accumulate as a magnitude and stop growing once past the int range.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = strValue.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        magnitude = qMin(magnitude * 10 + (c - u'0'), limit);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void LoadProjectFromIni(CAppletParameters &params, const CIniFile &ini)
{
    ResetMainMenu(params);
    ReadValues(params, ini, ProjectSectionName, false);
    // A project saved before pages declared their language (or one whose
    // tag is no tag) takes the system's, as a new menu does.
    if (!IsLanguageTag(params.m_PageLang))
        params.m_PageLang = SystemPageLanguage();
    ReadMenuTree(params, ini, ProjectSectionName(SectionMenuRelation),
                 ProjectSectionName(SectionItem));
    params.m_SitePages = ReadSitePages(ini);
    params.m_SitePagesOnFile = params.m_SitePages;
}

bool HoldsProjectValues(const CIniFile &ini)
{
    if (ini.Contains(ProjectSectionName(SectionMenuRelation), RelationKey()))
        return true;
    for (const CProjectKey &key : ProjectKeys())
        if (ini.Contains(ProjectSectionName(key.nSection), QString::fromLatin1(key.pName)))
            return true;
    return false;
}

void LoadTemplateFromIni(CAppletParameters &params, int nTemplate, const CIniFile &ini)
{
    ResetMainMenu(params);
    const QString name = nTemplate < 0 ? QString() : CFields(TemplateKeys(ini))[nTemplate];
    params.m_HTMLTitle = QStringLiteral("Untitled");
    params.m_Align = 0;
    // A menu made from a template is a new menu: it works in today's browsers.
    params.m_ModernPage = 1;
    params.m_PageLang = SystemPageLanguage();
    params.m_PageDescription.clear();
    params.m_SitePages.clear();
    params.m_SitePagesOnFile.clear();
    ReadValues(params, ini,
               [&name](int nSection) { return nSection == SectionLooks ? TemplateLooksSection(name) : name; },
               true);
    ReadMenuTree(params, ini, name, name);
}

QStringList ListTemplatesFromIni(const CIniFile &ini)
{
    const CFields names(TemplateKeys(ini));
    QStringList descriptions;
    for (qsizetype n = 0; n < names.Size(); ++n) {
        const QString name = names[n];
        if (name.isEmpty())
            break;
        descriptions.append(ini.Value(name, QStringLiteral("Description"), QStringLiteral("Blank")));
    }
    return descriptions;
}

CIniFile ProjectIniFor(const CAppletParameters &params)
{
    CIniFile ini;
    // "Looks" comes after the menu tree, and only when it holds a value.
    for (int s = 0; s < SectionCount; ++s)
        if (s != SectionLooks)
            ini.AddSection(ProjectSectionName(s));
    for (const CProjectKey &key : ProjectKeys()) {
        // The choice of a page for today's browsers, and each value of
        // today's look, is written only when it is not 0: 0 is what a file
        // without the key means, so a project saved before they existed is
        // written again byte for byte.
        if ((key.pNumber == &CAppletParameters::m_ModernPage || key.nSection == SectionLooks)
            && params.*key.pNumber == 0)
            continue;
        // Likewise the page's language, which only a page for today's
        // browsers declares, and a description, which none has had before.
        if (key.pText == &CAppletParameters::m_PageLang && (params.m_ModernPage == 0 || params.m_PageLang.isEmpty()))
            continue;
        if (key.pText == &CAppletParameters::m_PageDescription && params.m_PageDescription.isEmpty())
            continue;
        const QString value = key.kind == EValueKind::Text ? params.*key.pText
                                                           : QString::number(params.*key.pNumber);
        ini.SetValue(ProjectSectionName(key.nSection), QString::fromLatin1(key.pName), value);
    }

    const QString itemSection = ProjectSectionName(SectionItem);
    const CAppletMenu &menu = *params.m_pMainMenu;
    int subMenus = 0;
    QString counts;
    QString pairs;
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CAppletMenuItem &item = *menu.GetItem(i);
        ini.SetValue(itemSection, ItemKey(0, i), ItemValue(item));
        if (!item.m_pSubMenu)
            continue;
        ++subMenus;
        const CAppletMenu &sub = *item.m_pSubMenu;
        counts += QString::number(sub.GetCount()) + QLatin1Char(',');
        pairs += QStringLiteral("%1-%2,").arg(i).arg(subMenus);
        for (int j = 0; j < sub.GetCount(); ++j)
            ini.SetValue(itemSection, ItemKey(subMenus, j), ItemValue(*sub.GetItem(j)));
    }
    ini.SetValue(ProjectSectionName(SectionMenuRelation), RelationKey(),
                 QStringLiteral("%1,%2,").arg(subMenus + 1).arg(menu.GetCount()) + counts + pairs);
    WriteSitePages(ini, params.m_SitePages);
    return ini;
}
