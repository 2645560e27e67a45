#include "render/MenuRenderer.h"

#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "model/text/StringTable.h"
#include "model/menu/SubMenuGeometry.h"
#include "render/FontTable.h"
#include "render/SmallMenuLayout.h"
#include "store/beside/ImageFile.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Coordinates are kept within this bound, far beyond any picture yet far
// from overflowing an int when a width is added.
constexpr qint64 kCoordLimit = qint64(1) << 28;

int ClampCoord(qint64 v)
{
    return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

qint64 NonNegative(int v)
{
    return std::clamp<qint64>(v, 0, kCoordLimit);
}

QRect MakeRect(qint64 x, qint64 y, qint64 w, qint64 h)
{
    if (w <= 0 || h <= 0)
        return QRect();
    const int left = ClampCoord(x), top = ClampCoord(y);
    const int right = ClampCoord(x + w), bottom = ClampCoord(y + h);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QColor Mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The eight values of one item style, ready to draw.
} // namespace

CItemLook CMenuRenderer::LookOf(const CAppletParameters &params, bool bSub, int nState)
{
    const CConstItemStyle s = ItemStyleFields(params, bSub, nState);
    CItemLook look;
    look.bk = CMenuRenderer::ToQColor(*s.pBKColor);
    look.fr = CMenuRenderer::ToQColor(*s.pFRColor);
    look.border = (*s.pBorderStyle >= 0 && *s.pBorderStyle <= 2) ? *s.pBorderStyle : 0;
    look.fill = (*s.pFillStyle >= 0 && *s.pFillStyle <= 9) ? *s.pFillStyle : 0;
    look.font = CMenuRenderer::ItemFont(params, bSub, nState);
    const int align = (*s.pAlign >= 0 && *s.pAlign <= 8) ? *s.pAlign : 0;
    look.imageAlign = align / 3;
    look.textAlign = align % 3;
    const CMenuLook menu = ShownMenuLook(params, bSub);
    look.radius = menu.itemRadius;
    look.inset = menu.labelInset;
    return look;
}

namespace {

// What an item is filled with (fill 1..9; Qt::NoBrush for 0).
QBrush FillBrush(const QRect &r, const CItemLook &look)
{
    if (look.fill == 0)
        return QBrush();
    if (look.fill == 1)
        return QBrush(look.bk);
    // 2..5 run left to right, 6..9 top to bottom; within each four: black to
    // colour, white to colour, colour to black, colour to white.
    const int k = (look.fill - 2) % 4;
    const bool vertical = look.fill >= 6;
    const QColor edge = (k == 0 || k == 2) ? QColor(Qt::black) : QColor(Qt::white);
    const QColor from = k < 2 ? edge : look.bk;
    const QColor to = k < 2 ? look.bk : edge;
    const QPointF start = r.topLeft();
    const QPointF end = vertical ? QPointF(r.left(), r.bottom() + 1) : QPointF(r.right() + 1, r.top());
    QLinearGradient g(start, end);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return QBrush(g);
}

void FillItem(QPainter &p, const QRect &r, const CItemLook &look)
{
    const QBrush brush = FillBrush(r, look);
    if (brush.style() != Qt::NoBrush)
        p.fillRect(r, brush);
}

// The pixels of r as a box with corners of `radius` (at most half its
// smaller side, as CSS draws it).
QPainterPath RoundedBox(const QRectF &r, qreal radius)
{
    QPainterPath path;
    const qreal rad = std::max<qreal>(0, std::min({radius, r.width() / 2, r.height() / 2}));
    if (r.width() <= 0 || r.height() <= 0)
        return path;
    if (rad <= 0)
        path.addRect(r);
    else
        path.addRoundedRect(r, rad, rad);
    return path;
}

QRectF PixelBox(const QRect &r)
{
    return QRectF(r.x(), r.y(), r.width(), r.height());
}

// Fills a path with its edges smoothed, as a browser draws a rounded box.
void FillSmooth(QPainter &p, const QPainterPath &path, const QBrush &brush)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillPath(path, brush);
    p.restore();
}

// The ring of thickness t inside a box of rounded corners: the outer edge's
// radius, and the inner edge's that much less (CSS's inner border radius).
QPainterPath RoundedRing(const QRectF &r, qreal radius, int t)
{
    const qreal outer = std::max<qreal>(0, std::min({radius, r.width() / 2, r.height() / 2}));
    return RoundedBox(r, outer).subtracted(RoundedBox(r.adjusted(t, t, -t, -t), std::max<qreal>(0, outer - t)));
}

void DrawBorder(QPainter &p, const QRect &r, const CItemLook &look, int thickness)
{
    const int t = std::min(thickness, std::min(r.width(), r.height()) / 2);
    if (t <= 0)
        return;
    if (look.border == 0) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), t), look.fr);
        p.fillRect(QRect(r.left(), r.bottom() - t + 1, r.width(), t), look.fr);
        p.fillRect(QRect(r.left(), r.top() + t, t, r.height() - 2 * t), look.fr);
        p.fillRect(QRect(r.right() - t + 1, r.top() + t, t, r.height() - 2 * t), look.fr);
        return;
    }
    const QColor light = Mix(look.bk, Qt::white, 0.65);
    const QColor dark = Mix(look.bk, Qt::black, 0.6);
    const QColor &topLeft = look.border == 1 ? light : dark;
    const QColor &bottomRight = look.border == 1 ? dark : light;
    // Rings from the outside in, so the corners are mitred.
    for (int k = 0; k < t; ++k) {
        const int l = r.left() + k, tp = r.top() + k, rt = r.right() - k, b = r.bottom() - k;
        p.fillRect(QRect(l, tp, rt - l + 1, 1), topLeft);
        p.fillRect(QRect(l, tp, 1, b - tp + 1), topLeft);
        p.fillRect(QRect(l + 1, b, rt - l, 1), bottomRight);
        p.fillRect(QRect(rt, tp + 1, 1, b - tp), bottomRight);
    }
}

// The border of an item with rounded corners.
void DrawRoundBorder(QPainter &p, const QRect &r, const CItemLook &look, int t)
{
    if (t <= 0)
        return;
    const QRectF box = PixelBox(r);
    const QPainterPath ring = RoundedRing(box, look.radius, t);
    if (look.border == 0) {
        FillSmooth(p, ring, look.fr);
        return;
    }
    const QColor light = Mix(look.bk, Qt::white, 0.65);
    const QColor dark = Mix(look.bk, Qt::black, 0.6);
    // The top and left bands reach the diagonals from the top-right and
    // bottom-left outer corners to the inner ones.
    const QRectF inner = box.adjusted(t, t, -t, -t);
    QPainterPath topLeft;
    topLeft.addPolygon(QPolygonF({box.topLeft(), box.topRight(), inner.topRight(), inner.bottomLeft(),
                                  box.bottomLeft()}));
    topLeft.closeSubpath();
    FillSmooth(p, ring.intersected(topLeft), look.border == 1 ? light : dark);
    FillSmooth(p, ring.subtracted(topLeft), look.border == 1 ? dark : light);
}

void DrawArrow(QPainter &p, const QRect &r, bool bDown, const QColor &color)
{
    const QRectF b = PixelBox(r);
    QPainterPath path;
    if (bDown)
        path.addPolygon(QPolygonF({b.topLeft(), b.topRight(), QPointF(b.center().x(), b.bottom())}));
    else
        path.addPolygon(QPolygonF({b.topLeft(), QPointF(b.right(), b.center().y()), b.bottomLeft()}));
    path.closeSubpath();
    FillSmooth(p, path, color);
}

// Blurs an image's alpha (the picture of a black shape) by a Gaussian of
// deviation sigma, each way in turn.
void BlurAlpha(QImage &image, double sigma)
{
    const int w = image.width(), h = image.height();
    const int reach = int(std::ceil(3 * sigma));
    if (reach <= 0 || w <= 0 || h <= 0)
        return;
    std::vector<float> kernel(size_t(2 * reach + 1));
    float sum = 0;
    for (int i = -reach; i <= reach; ++i)
        sum += kernel[size_t(i + reach)] = float(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float &k : kernel)
        k /= sum;
    std::vector<float> a(size_t(w) * size_t(h)), b(a.size());
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[size_t(y) * w + x] = float(qAlpha(line[x]));
    }
    auto pass = [&](const std::vector<float> &from, std::vector<float> &to, bool across) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float v = 0;
                for (int i = -reach; i <= reach; ++i) {
                    const int xx = across ? x + i : x, yy = across ? y : y + i;
                    if (xx >= 0 && xx < w && yy >= 0 && yy < h)
                        v += kernel[size_t(i + reach)] * from[size_t(yy) * w + xx];
                }
                to[size_t(y) * w + x] = v;
            }
        }
    };
    pass(a, b, true);
    pass(b, a, false);
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgba(0, 0, 0, std::clamp(int(std::lround(a[size_t(y) * w + x])), 0, 255));
    }
}

// The shadow under a menu's box, outside the box only, where `visible`
// shows it.
void DrawShadow(QPainter &p, const QRect &box, int radius, const Look::CShadow &shadow, const QRect &visible)
{
    const int reach = CMenuRenderer::ShadowOutset(shadow.blur);
    const QRect cast = box.translated(0, shadow.dy).adjusted(-reach, -reach, reach, reach);
    // Only what can show is made: the shadow near the visible part.
    QRect area = cast;
    if (!visible.isEmpty())
        area &= visible.adjusted(-reach, -reach, reach, reach);
    if (area.isEmpty() || area.width() > CMenuRenderer::kMaxImageSide + 2 * reach
        || area.height() > CMenuRenderer::kMaxImageSide + 2 * reach)
        return;
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return;
    image.fill(Qt::transparent);
    {
        QPainter ip(&image);
        ip.setRenderHint(QPainter::Antialiasing, true);
        ip.translate(-area.topLeft());
        ip.fillPath(RoundedBox(PixelBox(box.translated(0, shadow.dy)), radius), QColor(0, 0, 0, shadow.alpha));
    }
    BlurAlpha(image, shadow.blur / 2.0);
    {
        // A box shadow shows outside its box only.
        QPainter ip(&image);
        ip.setRenderHint(QPainter::Antialiasing, true);
        ip.translate(-area.topLeft());
        ip.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        ip.fillPath(RoundedBox(PixelBox(box), radius), Qt::black);
    }
    p.drawImage(area.topLeft(), image);
}

int AlignedLeft(int align, int left, int room, int width)
{
    switch (align) {
    case 1:
        return left + (room - width) / 2;
    case 2:
        return left + room - width;
    default:
        return left;
    }
}

} // namespace

// ---------------------------------------------------------------------------

int CRenderState::ItemState(const CItemRef &item) const
{
    if (item.IsValid() && item == pressed)
        return 3;
    if (item.IsValid() && (item == hover || item == keys))
        return 2;
    if (item.IsValid() && !item.IsSub() && keys.IsSub() && keys.nMain == item.nMain)
        return 2;
    return IsCurrent(current, item) ? 3 : 1;
}

bool IsCurrent(const QList<CItemRef> &current, const CItemRef &item)
{
    if (!item.IsValid())
        return false;
    for (const CItemRef &here : current)
        if (here == item || (!item.IsSub() && here.IsSub() && here.nMain == item.nMain))
            return true;
    return false;
}

// ---------------------------------------------------------------------------

QRect CMenuLayout::CMenuGeometry::Item(int k) const
{
    const qint64 off = qint64(k) * ((horizontal ? w : h) + gap);
    return MakeRect(horizontal ? x + off : x, horizontal ? y : y + off, w, h);
}

int CMenuLayout::CMenuGeometry::IndexAt(const QPoint &pt) const
{
    if (!box.contains(pt))
        return -1;
    const qint64 size = horizontal ? w : h;
    const qint64 along = horizontal ? pt.x() - x : pt.y() - y;
    const qint64 step = size + gap;
    if (along < 0 || step <= 0)
        return -1;
    const qint64 k = along / step;
    if (k >= count || along - k * step >= size)
        return -1;
    return static_cast<int>(k);
}

void CMenuLayout::CMenuGeometry::Lay(const CAppletParameters &params, bool bSub, qint64 nX, qint64 nY, int nCount)
{
    const CConstMenuStyle style = MenuStyleFields(params, bSub);
    x = nX;
    y = nY;
    w = NonNegative(*style.pWidth);
    h = NonNegative(*style.pHeight);
    gap = NonNegative(*style.pItemGap);
    horizontal = *style.pMenuAlign == 1;
    count = nCount;
    Finish();
}

void CMenuLayout::CMenuGeometry::Finish()
{
    if (count <= 0) {
        box = QRect();
        return;
    }
    const qint64 along = count * (horizontal ? w : h) + (count - 1) * gap;
    box = horizontal ? MakeRect(x, y, along, h) : MakeRect(x, y, w, along);
}

CMenuLayout::CMenuLayout(const CAppletParameters &params, int nPageWidth)
{
    const CAppletMenu &menu = *params.m_pMainMenu;
    m_main.Lay(params, false, params.m_xPos, params.m_yPos, menu.GetCount());

    CMainMenuGeometry mainMenu;
    mainMenu.x = m_main.x;
    mainMenu.y = m_main.y;
    mainMenu.width = m_main.w;
    mainMenu.height = m_main.h;
    mainMenu.gap = m_main.gap;
    mainMenu.horizontal = m_main.horizontal;
    mainMenu.flush = params.m_ModernPage != 0;

    m_subs.resize(static_cast<size_t>(std::max(0, m_main.count)));
    for (int i = 0; i < m_main.count; ++i) {
        const CAppletMenuItem *item = menu.GetItem(i);
        CMenuGeometry &sub = m_subs[static_cast<size_t>(i)];
        if (!item || !item->m_pSubMenu)
            continue;
        const CMenuPoint origin = mainMenu.SubMenuOrigin(i);
        sub.Lay(params, true, origin.x, origin.y, item->m_pSubMenu->GetCount());
    }
    if (!mainMenu.flush) {
        // The area the page gives the applet; it leaves two pixels beyond
        // every sub menu.
        m_applet = params.GetAppletRect();
    } else {
        // A page for today's browsers: the main menu with the margin of its
        // position on every side; the sub menus float over the page.
        const qint64 mx = std::max<qint64>(0, m_main.x), my = std::max<qint64>(0, m_main.y);
        m_applet = m_main.box.isEmpty()
                       ? QRect()
                       : MakeRect(0, 0, qint64(m_main.box.right()) + 1 + mx, qint64(m_main.box.bottom()) + 1 + my);
    }
    m_bFlush = mainMenu.flush;
    if (mainMenu.flush && nPageWidth > 0 && !m_applet.isEmpty())
        KeepOnPage(params, nPageWidth);
    for (bool sub : {false, true}) {
        const CMenuLook look = ShownMenuLook(params, sub);
        CShadowReach &reach = m_shadows[sub ? 1 : 0];
        reach.on = look.shadow != Look::ShadowNone;
        reach.outset = CMenuRenderer::ShadowOutset(Look::kShadows[look.shadow].blur);
        reach.dy = Look::kShadows[look.shadow].dy;
    }
    m_extent = m_applet;
    if (!m_applet.isEmpty())
        m_extent |= ShadowRect(-1);
    for (int i = 0; i < m_main.count; ++i)
        if (HasSubMenu(i) && !m_applet.isEmpty())
            m_extent |= SubMenuRect(i) | ShadowRect(i);
    if (nPageWidth <= 0)
        m_extent &= QRect(0, 0, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

void CMenuLayout::KeepOnPage(const CAppletParameters &params, int nPageWidth)
{
    // Where the saved page puts the applet: in the body, less its margins,
    // at the page's alignment (0 centre, 1 left, 2 right); a box wider than
    // the room starts at its left.
    constexpr int kBodyMargin = CSmallMenuLayout::kPageMargin;
    const double room = nPageWidth - 2 * kBodyMargin;
    const double spare = std::max(0.0, room - m_applet.width());
    const double appletLeft = kBodyMargin + (params.m_Align == 1 ? 0.0 : params.m_Align == 2 ? spare : spare / 2);
    for (CMenuGeometry &sub : m_subs) {
        if (sub.count <= 0 || sub.box.isEmpty())
            continue;
        const qint64 width = sub.box.width();
        if (appletLeft + sub.x + width <= nPageWidth)
            continue;
        // The other side of the item, else as far left as the page allows.
        const qint64 other = m_main.horizontal ? sub.x + m_main.w - width : sub.x - m_main.w - width;
        if (appletLeft + other >= 0)
            sub.x = other;
        else
            sub.x = qint64(std::floor(std::max<double>(0, nPageWidth - width) - appletLeft));
        sub.Finish();
    }
}

bool CMenuLayout::NeedsSmallForm(const CAppletParameters &params, int nPageWidth)
{
    const CMenuLayout layout(params);
    if (!layout.m_bFlush || layout.m_applet.isEmpty())
        return false;
    if (CSmallMenuLayout::MenuWidth(nPageWidth) < layout.m_applet.width())
        return true;
    if (nPageWidth >= CSmallMenuLayout::kPhoneWidthLimit)
        return false;
    // A phone's page: targets a finger can hit and labels it can read.
    bool subs = false;
    for (const CMenuGeometry &sub : layout.m_subs)
        subs = subs || sub.count > 0;
    constexpr int kTarget = CSmallMenuLayout::kLeastTarget;
    if (std::min(layout.m_main.w, layout.m_main.h) < kTarget)
        return true;
    if (subs && std::min<qint64>(NonNegative(params.m_smWidth), NonNegative(params.m_smHeight)) < kTarget)
        return true;
    for (bool sub : {false, true})
        for (int state = 1; state <= 3 && (!sub || subs); ++state)
            if (CMenuRenderer::ItemFont(params, sub, state).pixelSize() < CSmallMenuLayout::kLeastFont)
                return true;
    return false;
}

QRect CMenuLayout::DrawingRect(int nOpenSubMenu) const
{
    if (m_applet.isEmpty())
        return m_applet;
    QRect area = m_applet | ShadowRect(-1);
    if (HasSubMenu(nOpenSubMenu))
        area |= SubMenuRect(nOpenSubMenu) | ShadowRect(nOpenSubMenu);
    return area & m_extent;
}

QRect CMenuLayout::ShadowRect(int nOwner) const
{
    const CShadowReach &reach = m_shadows[nOwner >= 0 ? 1 : 0];
    const QRect box = nOwner >= 0 ? SubMenuRect(nOwner) : m_main.box;
    if (!reach.on || box.isEmpty())
        return QRect();
    const qint64 outset = reach.outset;
    return MakeRect(qint64(box.left()) - outset, qint64(box.top()) + reach.dy - outset,
                    qint64(box.width()) + 2 * outset, qint64(box.height()) + 2 * outset);
}

bool CMenuLayout::HasSubMenu(int nMain) const
{
    return SubCount(nMain) > 0;
}

int CMenuLayout::SubCount(int nMain) const
{
    if (nMain < 0 || nMain >= m_main.count)
        return 0;
    return m_subs[static_cast<size_t>(nMain)].count;
}

QRect CMenuLayout::SubMenuRect(int nMain) const
{
    return HasSubMenu(nMain) ? m_subs[static_cast<size_t>(nMain)].box : QRect();
}

QRect CMenuLayout::ItemRect(const CItemRef &item) const
{
    if (item.nMain < 0 || item.nMain >= m_main.count)
        return QRect();
    if (!item.IsSub())
        return m_main.Item(item.nMain);
    if (item.nSub >= SubCount(item.nMain))
        return QRect();
    return m_subs[static_cast<size_t>(item.nMain)].Item(item.nSub);
}

CItemRef CMenuLayout::HitTest(const QPoint &pt, int nOpenSubMenu) const
{
    if (HasSubMenu(nOpenSubMenu)) {
        const CMenuGeometry &sub = m_subs[static_cast<size_t>(nOpenSubMenu)];
        if (sub.box.contains(pt)) {
            // The open sub menu covers what lies under it, gaps included.
            const int k = sub.IndexAt(pt);
            return k >= 0 ? CItemRef{nOpenSubMenu, k} : CItemRef{};
        }
    }
    const int k = m_main.IndexAt(pt);
    return k >= 0 ? CItemRef{k, -1} : CItemRef{};
}

// ---------------------------------------------------------------------------

QColor CMenuRenderer::ToQColor(int color)
{
    return QColor(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
}

QFont CMenuRenderer::ItemFont(const CAppletParameters &params, bool bSub, int nState)
{
    const CItemFont f = ShownItemFont(params, bSub, nState);
    // The page's own font is drawn in System UI: a picture cannot know it.
    const CFontFamilies &families = f.face >= 3 ? SystemUiFamilies() : FontFamilies(f.face);
    QFont font;
    font.setFamilies(families.families);
    font.setStyleHint(families.hint);
    font.setFixedPitch(families.hint == QFont::Monospace);
    font.setPixelSize(f.px);
    // Regular and Bold are faces every family of the tables has; Medium and
    // Semibold become the face a browser would take.
    int weight = f.weight;
    if (weight != Look::kRegular && weight != Look::kBold)
        weight = NearestFaceWeight(FirstInstalledFamily(families), weight, f.italic);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(f.italic);
    return font;
}

QSize CMenuRenderer::ArrowSize(int fontPx, bool bDown)
{
    const int a = std::max(3, fontPx * 3 / 10);
    return bDown ? QSize(2 * a, a) : QSize(a, 2 * a);
}

int CMenuRenderer::ShadowOutset(int blur)
{
    // Three deviations of the Gaussian, whose deviation is half the blur.
    return (3 * std::max(0, blur) + 1) / 2;
}

const QImage &CMenuRenderer::Image(const QString &storedPath) const
{
    static const QImage none;
    if (storedPath.isEmpty())
        return none;
    auto it = m_images.find(storedPath);
    if (it == m_images.end()) {
        QImage image;
        const QString found = FindImageFile(storedPath);
        if (!found.isEmpty() && image.load(found))
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        it = m_images.insert(storedPath, image);
    }
    return it.value();
}

void CMenuRenderer::BeginApplet(QPainter &p, const CAppletParameters &params, const QRect &clip,
                                const QRect &box) const
{
    p.setClipRect(clip, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.fillRect(box, ToQColor(params.m_appBKColor));
    const QImage &background = Image(params.m_appBKImagePath);
    if (!background.isNull())
        p.fillRect(box, QBrush(background)); // a brush tiles from the origin
}

QImage CMenuRenderer::Picture(const QRect &area, const std::function<void(QPainter &)> &draw)
{
    if (area.isEmpty() || area.width() > kMaxImageSide || area.height() > kMaxImageSide)
        return QImage();
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // Beyond the applet's box (a sub menu floating over the page) the page
    // shows: plain white.
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-area.topLeft()); // a sub menu kept on the page may lie left of the applet
    draw(p);
    p.end();
    return image;
}

void CMenuRenderer::Draw(QPainter &p, const CAppletParameters &params, const CRenderState &state,
                         int nPageWidth) const
{
    const CMenuLayout layout(params, nPageWidth);
    const QRect area = layout.AppletRect();
    if (area.isEmpty())
        return;
    p.save();
    BeginApplet(p, params, layout.Extent(), area);

    DrawMenu(p, params, layout, state, -1);
    if (layout.HasSubMenu(state.nOpenSubMenu))
        DrawMenu(p, params, layout, state, state.nOpenSubMenu);
    p.restore();
}

void CMenuRenderer::DrawItem(QPainter &p, const QRect &r, const CItemLook &look, int thickness,
                             const QString &label, const QString &imagePath) const
{
    const int t = std::clamp(thickness, 0, std::min(r.width(), r.height()) / 2);
    if (look.radius > 0) {
        const QBrush brush = FillBrush(r, look);
        if (brush.style() != Qt::NoBrush)
            FillSmooth(p, RoundedBox(PixelBox(r), look.radius), brush);
        DrawRoundBorder(p, r, look, t);
    } else {
        FillItem(p, r, look);
        DrawBorder(p, r, look, t);
    }

    QRect content = r.adjusted(t + look.inset, t, -(t + look.inset), -t);
    if (content.width() <= 0 || content.height() <= 0)
        return;
    if (look.arrow != CItemLook::NoArrow) {
        // The arrow keeps the right end of the room; the label and image
        // are laid out in what is left.
        const QSize size = ArrowSize(look.font.pixelSize(), look.arrow == CItemLook::ArrowDown);
        if (size.width() <= content.width()) {
            const QRect arrow(content.right() + 1 - size.width(),
                              content.top() + (content.height() - size.height()) / 2, size.width(), size.height());
            p.save();
            p.setClipRect(content, Qt::IntersectClip);
            DrawArrow(p, arrow, look.arrow == CItemLook::ArrowDown, look.fr);
            p.restore();
            content.setRight(arrow.left() - 1 - kArrowGap);
            if (content.width() <= 0)
                return;
        }
    }
    const QImage &image = Image(imagePath);
    QRect imageRect;
    if (!image.isNull()) {
        QSize size = image.size();
        if (size.width() > content.width() || size.height() > content.height())
            size.scale(content.size(), Qt::KeepAspectRatio);
        imageRect = QRect(QPoint(0, content.top() + (content.height() - size.height()) / 2), size);
    }
    QRect textRect = content;
    int textAlign = look.textAlign;
    if (!imageRect.isNull()) {
        const QFontMetrics fm(look.font);
        const int textWidth = label.isEmpty() ? 0 : fm.horizontalAdvance(label);
        const int together = imageRect.width() + (textWidth ? 4 + textWidth : 0);
        if (look.imageAlign == 1 && look.textAlign == 1 && together <= content.width()) {
            // Both centred: image and text side by side as one group.
            imageRect.moveLeft(content.left() + (content.width() - together) / 2);
            textRect.setLeft(imageRect.right() + 1 + 4);
            textAlign = 0;
        } else {
            imageRect.moveLeft(AlignedLeft(look.imageAlign, content.left(), content.width(),
                                           imageRect.width()));
            // The text keeps to the side of the image it is aligned to.
            const bool textLeftOfImage =
                look.imageAlign == 2 || (look.imageAlign == 1 && look.textAlign == 0);
            if (textLeftOfImage)
                textRect.setRight(imageRect.left() - 1 - 4);
            else
                textRect.setLeft(imageRect.right() + 1 + 4);
        }
        p.drawImage(imageRect, image);
    }
    if (!label.isEmpty() && textRect.width() > 0) {
        static const Qt::Alignment kAlign[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        p.setFont(look.font);
        p.setPen(look.fr);
        // The label's baseline: the font's ascent and descent in whole
        // pixels centred in the room, a half pixel rounded down the page.
        // The page script sets its labels on the same baseline (engines
        // centre line boxes of their own making, with or without the font's
        // line gap, and round halves their own way).
        const QFontMetrics fm(look.font);
        const int lineHeight = fm.ascent() + fm.descent();
        const int baseline = textRect.top() + fm.ascent() +
                             int(std::floor((textRect.height() - lineHeight + 1) / 2.0));
        const QRectF lineRect(textRect.left(), baseline - QFontMetricsF(look.font).ascent(),
                              textRect.width(), lineHeight);
        // The label is cut at the border of its room, as on the page.
        p.save();
        p.setClipRect(textRect, Qt::IntersectClip);
        p.drawText(lineRect, int(kAlign[textAlign] | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip),
                   label);
        p.restore();
    }
}

void CMenuRenderer::DrawMenu(QPainter &p, const CAppletParameters &params, const CMenuLayout &layout,
                             const CRenderState &state, int nOwner) const
{
    const bool sub = nOwner >= 0;
    const CAppletMenu *menu = sub ? params.m_pMainMenu->GetItem(nOwner)->m_pSubMenu.get()
                                  : params.m_pMainMenu.get();
    const QRect box = sub ? layout.SubMenuRect(nOwner) : layout.MainMenuRect();
    if (!menu || box.isEmpty())
        return;
    const int bkStyle = sub ? params.m_smBKStyle : params.m_mmBKStyle;
    const QColor menuColor = ToQColor(sub ? params.m_smBKColor : params.m_mmBKColor);
    const int thickness = sub ? params.m_smBorderThick : params.m_mmBorderThick;
    const CMenuLook menuLook = ShownMenuLook(params, sub);
    const QRect visible = p.clipBoundingRect().toAlignedRect();

    if (menuLook.shadow != Look::ShadowNone)
        DrawShadow(p, box, menuLook.panelRadius, Look::kShadows[menuLook.shadow], visible);
    if (bkStyle == 2 || bkStyle == 3) {
        if (menuLook.panelRadius > 0)
            FillSmooth(p, RoundedBox(PixelBox(box), menuLook.panelRadius), menuColor);
        else
            p.fillRect(box, menuColor);
    }
    // Items that open a sub menu carry an arrow, pointing where it opens.
    const CItemLook::EArrow arrow = !menuLook.arrows ? CItemLook::NoArrow
                                    : (!sub && params.m_mmMenuAlign == 1) ? CItemLook::ArrowDown
                                                                          : CItemLook::ArrowRight;

    // The three looks are worked out once, not per item.
    CItemLook looks[3];
    bool made[3] = {false, false, false};
    const int count = sub ? layout.SubCount(nOwner) : layout.MainCount();
    for (int k = 0; k < count; ++k) {
        const CItemRef ref = sub ? CItemRef{nOwner, k} : CItemRef{k, -1};
        const QRect r = layout.ItemRect(ref);
        if (r.isEmpty() || (!visible.isEmpty() && !visible.intersects(r)))
            continue;
        const int st = state.ItemState(ref);
        if (!made[st - 1]) {
            looks[st - 1] = LookOf(params, sub, st);
            made[st - 1] = true;
        }
        const CAppletMenuItem *item = menu->GetItem(k);
        const bool opens = !sub && arrow != CItemLook::NoArrow && layout.HasSubMenu(k);
        CItemLook withArrow;
        if (opens) {
            withArrow = looks[st - 1];
            withArrow.arrow = arrow;
        }
        const CItemLook &look = opens ? withArrow : looks[st - 1];
        if (item)
            DrawItem(p, r, look, thickness, item->m_strLabel, item->m_strImage);
        else
            DrawItem(p, r, look, thickness, QString(), QString());
    }

    if (bkStyle == 1 || bkStyle == 3) {
        const QColor frame = menuColor.lightness() < 80 ? Mix(menuColor, Qt::white, 0.5)
                                                        : Mix(menuColor, Qt::black, 0.45);
        if (menuLook.panelRadius > 0) {
            FillSmooth(p, RoundedRing(PixelBox(box), menuLook.panelRadius, 1), frame);
            return;
        }
        p.fillRect(QRect(box.left(), box.top(), box.width(), 1), frame);
        p.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), frame);
        p.fillRect(QRect(box.left(), box.top(), 1, box.height()), frame);
        p.fillRect(QRect(box.right(), box.top(), 1, box.height()), frame);
    }
}

QImage CMenuRenderer::RenderImage(const CAppletParameters &params, const CRenderState &state,
                                  int nPageWidth) const
{
    return Picture(CMenuLayout(params, nPageWidth).DrawingRect(state.nOpenSubMenu),
                   [&](QPainter &p) { Draw(p, params, state, nPageWidth); });
}

void CMenuRenderer::DrawSmall(QPainter &p, const CAppletParameters &params, const CSmallMenuLayout &layout,
                              const QList<CItemRef> &current) const
{
    p.save();
    BeginApplet(p, params, layout.Rect(), layout.Rect());

    // Normal looks, their labels never below the least font size; borders
    // as thick as the menus draw them.
    auto look = [&](bool sub, int state) {
        CItemLook l = LookOf(params, sub, state);
        l.font.setPixelSize(std::max(CSmallMenuLayout::kLeastFont, l.font.pixelSize()));
        return l;
    };
    auto thickness = [](int thick, int w, int h) { return std::clamp(thick, 0, std::max(0, std::min(w, h)) / 2); };
    const CItemLook mainLook = look(false, 1), subLook = look(true, 1);
    const CItemLook mainHere = look(false, 3), subHere = look(true, 3);
    const int mainThick = thickness(params.m_mmBorderThick, params.m_mmWidth, params.m_mmHeight);
    const int subThick = thickness(params.m_smBorderThick, params.m_smWidth, params.m_smHeight);
    const CAppletMenu &menu = *params.m_pMainMenu;
    for (const CSmallMenuLayout::CRow &row : layout.Rows()) {
        switch (row.kind) {
        case CSmallMenuLayout::ERow::Toggle:
            DrawItem(p, row.rect, mainLook, mainThick, QStringLiteral("Menu"), QString());
            break;
        case CSmallMenuLayout::ERow::Item: {
            const CAppletMenuItem *item = menu.GetItem(row.nMain);
            DrawItem(p, row.rect, IsCurrent(current, {row.nMain, -1}) ? mainHere : mainLook, mainThick,
                     item->m_strLabel, item->m_strImage);
            break;
        }
        case CSmallMenuLayout::ERow::Disclosure: {
            CItemLook centred = IsCurrent(current, {row.nMain, -1}) ? mainHere : mainLook;
            centred.textAlign = 1;
            const bool open = layout.Section() == row.nMain;
            DrawItem(p, row.rect, centred, mainThick, open ? QString(QChar(0x2212)) : QStringLiteral("+"), QString());
            break;
        }
        case CSmallMenuLayout::ERow::SubItem: {
            const CAppletMenuItem *item = menu.GetItem(row.nMain)->m_pSubMenu->GetItem(row.nSub);
            DrawItem(p, row.rect, IsCurrent(current, {row.nMain, row.nSub}) ? subHere : subLook, subThick,
                     item->m_strLabel, item->m_strImage);
            break;
        }
        }
    }
    p.restore();
}

QImage CMenuRenderer::RenderSmallImage(const CAppletParameters &params, const CSmallMenuLayout &layout,
                                       const QList<CItemRef> &current) const
{
    return Picture(layout.Rect(), [&](QPainter &p) { DrawSmall(p, params, layout, current); });
}
