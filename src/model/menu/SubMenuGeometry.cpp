#include "model/menu/SubMenuGeometry.h"

CMenuPoint CMainMenuGeometry::ItemOrigin(int i) const
{
    if (horizontal)
        return {x + i * (width + gap), y};
    return {x, y + i * (height + gap)};
}

CMenuPoint CMainMenuGeometry::SubMenuOrigin(int i) const
{
    const CMenuPoint item = ItemOrigin(i);
    if (flush)
        return horizontal ? CMenuPoint{item.x, item.y + height} : CMenuPoint{item.x + width, item.y};
    return {item.x + width / 2, item.y + (3 * height) / 4};
}
