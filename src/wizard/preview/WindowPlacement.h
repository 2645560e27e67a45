#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of `size` (frame included) goes on `screen` (its free
// area) so that it covers none of `avoid` (another window's frame): beside
// it (right, then left, level with its top as far as the screen allows),
// then below it, then above it (in line with its left edge), `gap` pixels
// away, or touching it when only that fits. When it fits nowhere, the place
// among those and the screen's corners (all pulled inside the screen) where
// it covers the least of `avoid`, the earlier on a tie. Returns the frame's
// top left.
QPoint PlaceBeside(const QRect &screen, const QRect &avoid, const QSize &size, int gap = 8);
