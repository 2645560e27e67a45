#pragma once

#include <QtGlobal>

// Where a sub menu opens, in applet coordinates.
//
// The main menu's first item has its top left at the menu position; its items
// follow each other down (vertical) or across (horizontal), each of the main
// item width and height, separated by the item gap.
//
// A page for today's browsers opens the sub menu of main item i flush
// against that item: below it in a horizontal menu, to its right in a
// vertical one (the page script flips it to the other side where the
// window's edge would cut it). The classic page opens it over the item: at
// half the item's width and three quarters of its height, measured from the
// item's top left (integer divisions that drop the fraction).
//
// The applet size on the page and the drawn layout both ask this; each keeps
// its own clamping of the values it passes in. The menu script on the page
// (res/glidebar.js) follows the same rule.
//
// All values are 64-bit so that any stored int, times any item index, fits.
struct CMenuPoint {
    qint64 x = 0;
    qint64 y = 0;
};

struct CMainMenuGeometry {
    qint64 x = 0, y = 0; // top left of the first main item
    qint64 width = 0, height = 0; // main item size
    qint64 gap = 0; // between main items
    bool horizontal = false;
    bool flush = false; // sub menus beside their item (a page for today's browsers)

    // Top left of main item i.
    CMenuPoint ItemOrigin(int i) const;
    // Top left of the sub menu of main item i.
    CMenuPoint SubMenuOrigin(int i) const;
};
