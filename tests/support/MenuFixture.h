#pragma once

#include "model/config/AppletParameters.h"

// A configuration whose drawing is easy to probe: distinct flat colours
// (0x00BBGGRR) for every item style, so a pixel tells which style drew it.
constexpr int kApplet = 0x203040;
constexpr int kMainMenu = 0x00a0a0;
constexpr int kSubMenu = 0xa000a0;
constexpr int kMain[4] = {0, 0x0000ff, 0x00ff00, 0xff0000}; // by state 1..3
constexpr int kSub[4] = {0, 0x00ffff, 0xffff00, 0xff00ff};  // by state 1..3

// Main menu vertical at (10, 10): 4 items of 80 x 20 with gap 4; sub menus
// vertical, 60 x 16 items, gap 2; flat fills, no borders, no main labels.
void MakeFlatMenu(CAppletParameters &p);

// A menu tree written as its labels: "A(a b) B C(x)" is main items A, B and
// C, A with the sub items a and b, C with x. BuildMenu replaces `menu`'s
// items with such a tree (current index 0); Describe writes one back.
void BuildMenu(CAppletMenu &menu, const QString &text);
QString Describe(const CAppletMenu &menu);

// A full menu as people build it: nMain main items, each with a sub menu of
// nSub items, every item with its own label, link, target and image, and
// distinct style values everywhere.
void MakeFullMenu(CAppletParameters &p, int nMain = 20, int nSub = 20);
