#pragma once

#include <QPixmap>

// The picture at the left of a wizard page (ids 130 to 135 and 137),
// 116 x 245 logical pixels, drawn for the given device pixel ratio so it
// stays crisp at any scale.
QPixmap DrawPagePicture(int nBitmap, qreal devicePixelRatio);

constexpr int kPagePictureWidth = 116;
constexpr int kPagePictureHeight = 245;
