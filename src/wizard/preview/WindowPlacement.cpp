#include "wizard/preview/WindowPlacement.h"

#include <algorithm>
#include <vector>

namespace {

qint64 Overlap(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

} // namespace

QPoint PlaceBeside(const QRect &screen, const QRect &avoid, const QSize &size, int gap)
{
    const int w = size.width(), h = size.height();
    // Pulled inside the screen along one axis (to its start when too large).
    auto inX = [&](int x) { return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - w + 1)); };
    auto inY = [&](int y) { return std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() - h + 1)); };
    // Right, left, below, above, `space` pixels away.
    auto sides = [&](int space) {
        return std::vector<QPoint>{QPoint(avoid.right() + 1 + space, inY(avoid.top())),
                                   QPoint(avoid.left() - space - w, inY(avoid.top())),
                                   QPoint(inX(avoid.left()), avoid.bottom() + 1 + space),
                                   QPoint(inX(avoid.left()), avoid.top() - space - h)};
    };
    for (int space : {gap, 0}) {
        for (const QPoint &at : sides(space)) {
            const QRect window(at, size);
            if (screen.contains(window) && !window.intersects(avoid))
                return at;
        }
    }
    std::vector<QPoint> places;
    for (const QPoint &at : sides(gap))
        places.emplace_back(inX(at.x()), inY(at.y()));
    for (int x : {screen.left(), screen.right()})
        for (int y : {screen.top(), screen.bottom()})
            places.emplace_back(inX(x), inY(y));
    QPoint best = places.front();
    qint64 least = Overlap(QRect(best, size), avoid);
    for (const QPoint &at : places) {
        const qint64 covered = Overlap(QRect(at, size), avoid);
        if (covered < least) {
            least = covered;
            best = at;
        }
    }
    return best;
}
