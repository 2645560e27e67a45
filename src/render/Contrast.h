#pragma once

#include <QString>
#include <vector>

class CAppletParameters;

// How readable item labels are: the contrast ratio of WCAG 2.x between the
// text colour and what lies under the text, and whether it reaches level AA.
//
// Colours are taken as the configuration stores them (red in the lowest
// byte, then green, then blue). A shaded fill is judged at its worst point
// over the whole item, not only under the label: a look is shared by every
// item of its menu and state, whatever its label's length and alignment, so
// any point of a horizontal shade may lie under some label. Luminance runs
// monotonically along every shade (each channel moves one way between the
// colour and black or white), so the worst point is an end of the shade, or
// a point matching the text's own luminance (ratio 1) when the text's
// luminance lies between the two ends. Images are not taken into account.

// WCAG relative luminance, 0 (black) to 1 (white).
double RelativeLuminance(int color);
// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter: 1 to 21.
double ContrastRatio(int colorA, int colorB);

// Large text per WCAG: at least 24 CSS px, or 18.66 px bold (a weight of
// 700; Semibold counts as not bold, as checkers judge it). Item font sizes
// are pixels, as the pictures and the page script draw them.
bool IsLargeText(int px, int weight);

// The colours and type of one item look, as an item style page shows them.
struct CContrastLook {
    int bkColor = 0;
    int frColor = 0;
    int fill = 0;       // fill list index 0..9; others count as 0, as drawn
    int fontSize = 0;   // size list index
    int fontStyle = 0;
    // Today's look where it sets them (model/config/LookValues.h): the size in
    // pixels and the weight, in place of the size index and the style.
    int fontPx = 0;
    int fontWeight = 0;
};

struct CTextContrast {
    double ratio = 1.0;    // at the worst point under the text
    double required = 4.5; // AA: 4.5, or 3 for large text
    bool Passes() const { return ratio >= required; }
};

// The colour that shows through items of fill 0 (transparent): the menu's
// colour when its box is filled (background style 2 or 3), else the
// applet's background colour.
int ColorUnderItems(const CAppletParameters &params, bool bSub);

// The contrast of a look's text; underColor is what a transparent item shows.
CTextContrast TextContrast(const CContrastLook &look, int underColor);
// The same for the stored look of main (bSub false) or sub items in state
// nState (1 Normal, 2 Mouse Move, 3 Mouse Click), with the type the page
// shows.
CTextContrast ItemTextContrast(const CAppletParameters &params, bool bSub, int nState);

// A ratio as shown to the user, "4.8:1": cut, not rounded, to one decimal,
// so that a ratio just below a limit never shows as the limit ("21:1" and
// "1:1" without a decimal).
QString FormatRatio(double ratio);

// One look whose text falls below AA.
struct CLowContrastLook {
    bool bSub = false;
    int nState = 1;
    CTextContrast contrast;
};
// Every look below AA that some item of the menu shows: main-item looks when
// there are main items, sub-item looks when some main item has a sub menu;
// main looks first, then by state.
std::vector<CLowContrastLook> LowContrastLooks(const CAppletParameters &params);
