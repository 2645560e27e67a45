#pragma once

class QWidget;

// Gives the menu tree's accessible object the focus action every focusable
// widget offers. The item view's own accessible tree (rows, selection, table
// navigation) has no actions at all, so a screen reader asking for the focus
// ("grab focus") was refused and the keyboard stayed where it was. The tree
// keeps everything else of its own accessible object. Call once the view is
// constructed; every view of its class gets the action.
void GiveMenuTreeFocusAction(QWidget &view);
