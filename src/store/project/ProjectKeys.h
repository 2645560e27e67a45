#pragma once

#include <QString>
#include <array>

class CAppletParameters;

// How a stored value is written and read back.
enum class EValueKind {
    Text,   // the text unchanged
    Number, // signed decimal
    Colour, // signed decimal of 0x00BBGGRR; masked to 24 bits when read
};

// One key of the project file that carries a field of CAppletParameters.
struct CProjectKey {
    int nSection;      // position of its section among the project file's sections
    const char *pName; // the key, which is also the field's name
    EValueKind kind;
    int CAppletParameters::*pNumber; // for Number and Colour
    QString CAppletParameters::*pText; // for Text
};

constexpr int kProjectKeyCount = 107;

// The keys in the order the project file holds them, section by section.
const std::array<CProjectKey, kProjectKeyCount> &ProjectKeys();

// The sections of the project file, in order (string ids 300-311). "Looks"
// holds today's look (model/config/LookValues.h), which the applet knows nothing
// of: it is written only when one of its values is set, each key only when
// its value is not 0, so a project without them is written as before, and
// older readers pass over it. In a template library each template keeps
// them in a section of its own, named after the template with " Looks".
enum EProjectSection : int {
    SectionGeneral = 0,
    SectionMainMenuStyle,
    SectionSubMenuStyle,
    SectionMainItemStyle1,
    SectionMainItemStyle2,
    SectionMainItemStyle3,
    SectionSubItemStyle1,
    SectionSubItemStyle2,
    SectionSubItemStyle3,
    SectionItem,
    SectionMenuRelation,
    SectionLooks,
    SectionCount
};
QString ProjectSectionName(int nSection);
// The section of a template library that holds today's look of the template
// in section strTemplate.
QString TemplateLooksSection(const QString &strTemplate);

// The key of the menu tree's shape, in "Menu Relation" (or a template's section).
inline QString RelationKey() { return QStringLiteral("Relation"); }
