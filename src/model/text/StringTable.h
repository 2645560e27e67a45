#pragma once

#include <QString>

// The program's fixed texts by numeric id: file and setting names, the codes
// the applet expects, and the project file's section names.
namespace StringId {
enum : int {
    WizardCaption = 103,   // "Wizard"
    SamplePage = 104,      // "Sample\Samples.html"
    TemplateLibrary = 105, // "Vantrel.qdx"
    PreviewFile = 106,     // "~Vantrel.htm"
    AppletClass = 107,     // "Glidebar.class"
    SettingsSection = 108, // "Web Browser"
    UseDefault = 109,      // "Use Default"
    SpecifyBrowser = 110,  // "Specify Browser"
    PageScript = 111,      // "glidebar.js"
};
}

// A run of consecutive ids holding one kind of value, looked up by index.
struct CStringRange {
    int base;
    int count;
};

namespace StringRange {
constexpr CStringRange PageAlign{128, 3};     // "Center", "Left", "Right"
constexpr CStringRange FontName{200, 3};      // "t", "h", "c"
constexpr CStringRange FontStyle{210, 3};     // "p", "b", "i"
constexpr CStringRange ItemAlign{220, 9};     // "ll" ... "rr"
constexpr CStringRange MenuAlign{240, 2};     // "v", "h"
constexpr CStringRange TargetFrame{260, 4};   // "_self", "_parent", "_top", "_blank"
constexpr CStringRange Section{300, 12};      // "General" ... "Menu Relation", "Looks"
constexpr CStringRange MenuBkStyle{356, 4};   // "01", "02", "11", "12"
constexpr CStringRange FontSize{400, 13};     // "9" ... "72"
}

// The text of one id; empty when the table has no such entry.
QString LoadString(int id);

// Entry `index` of a range; empty for an index outside the range, so a
// value from a hand-edited file can never reach into a neighbouring table.
QString LoadString(const CStringRange &range, int index);
