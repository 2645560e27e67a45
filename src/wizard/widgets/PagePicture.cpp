#include "wizard/widgets/PagePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// One palette for every picture and the program icon.
const QColor kDeep(0x17, 0x37, 0x63);
const QColor kBlue(0x23, 0x4d, 0x8a);
const QColor kSky(0x9f, 0xb7, 0xd8);
const QColor kPaper(0xea, 0xf1, 0xfb);
const QColor kOrange(0xf5, 0xa3, 0x3a);
const QColor kGreen(0x5c, 0xb8, 0x5c);

void Bar(QPainter &p, const QRectF &r, const QColor &fill)
{
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, 3, 3);
}

// A small menu: n bars, one highlighted, optionally a sub menu beside it.
void Menu(QPainter &p, QPointF at, qreal w, int n, int highlighted, bool withSub)
{
    const qreal h = 12, gap = 5;
    for (int i = 0; i < n; ++i)
        Bar(p, QRectF(at.x(), at.y() + i * (h + gap), w, h), i == highlighted ? kOrange : kPaper);
    if (withSub) {
        const QRectF sub(at.x() + w * 0.6, at.y() + highlighted * (h + gap) + h * 0.6, w * 0.8,
                         3 * (h - 2) + 14);
        p.setPen(QPen(kDeep, 2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(sub, 3, 3);
        for (int i = 0; i < 3; ++i)
            Bar(p, QRectF(sub.x() + 5, sub.y() + 5 + i * (h - 1), sub.width() - 10, h - 5),
                i == 0 ? kBlue : kSky);
    }
}

void Pointer(QPainter &p, QPointF tip)
{
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(0, 17));
    arrow.lineTo(tip + QPointF(4.5, 13));
    arrow.lineTo(tip + QPointF(8, 20));
    arrow.lineTo(tip + QPointF(10.5, 19));
    arrow.lineTo(tip + QPointF(7, 12));
    arrow.lineTo(tip + QPointF(12.5, 12));
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void Sparkle(QPainter &p, QPointF c, qreal r)
{
    QPainterPath star;
    star.moveTo(c + QPointF(0, -r));
    star.quadTo(c, c + QPointF(r, 0));
    star.quadTo(c, c + QPointF(0, r));
    star.quadTo(c, c + QPointF(-r, 0));
    star.quadTo(c, c + QPointF(0, -r));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 180));
    p.drawPath(star);
}

void Welcome(QPainter &p)
{
    Menu(p, QPointF(18, 70), 62, 4, 1, true);
    Sparkle(p, QPointF(86, 44), 9);
    Sparkle(p, QPointF(28, 40), 5);
    Sparkle(p, QPointF(96, 170), 6);
}

void Templates(QPainter &p)
{
    const QColor accents[] = {kGreen, kOrange, kSky};
    for (int i = 2; i >= 0; --i) {
        p.save();
        p.translate(58, 120);
        p.rotate((i - 1) * 9.0);
        const QRectF card(-34, -50, 68, 92);
        p.setPen(QPen(kDeep, 1.5));
        p.setBrush(i == 0 ? Qt::white : kPaper);
        p.drawRoundedRect(card, 5, 5);
        for (int k = 0; k < 4; ++k)
            Bar(p, QRectF(card.x() + 8, card.y() + 10 + k * 18, 40, 11), k == 1 ? accents[i] : kSky);
        p.restore();
    }
}

void General(QPainter &p)
{
    const QRectF page(14, 54, 88, 120);
    p.setPen(QPen(kDeep, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 4, 4);
    Bar(p, QRectF(page.x(), page.y(), page.width(), 14), kBlue);
    Bar(p, QRectF(page.x() + 6, page.y() + 4, 40, 6), kPaper);
    // The applet area with the menu placed at a position.
    const QRectF applet(page.x() + 10, page.y() + 26, page.width() - 20, 78);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(applet);
    p.setPen(QPen(kOrange, 1.5, Qt::DashLine));
    p.drawLine(QPointF(applet.left(), applet.top() + 22), QPointF(applet.left() + 22, applet.top() + 22));
    p.drawLine(QPointF(applet.left() + 22, applet.top()), QPointF(applet.left() + 22, applet.top() + 22));
    Bar(p, QRectF(applet.left() + 22, applet.top() + 22, 40, 9), kBlue);
    Bar(p, QRectF(applet.left() + 22, applet.top() + 34, 40, 9), kSky);
    Bar(p, QRectF(applet.left() + 22, applet.top() + 46, 40, 9), kSky);
}

void MenuStyle(QPainter &p)
{
    Menu(p, QPointF(16, 46), 50, 4, -1, false);
    for (int i = 0; i < 3; ++i)
        Bar(p, QRectF(16 + i * 29, 134, 26, 12), i == 0 ? kOrange : kPaper);
    const QColor swatches[] = {kOrange, kGreen, kSky, kPaper};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(kDeep, 1.5));
        p.setBrush(swatches[i]);
        p.drawEllipse(QPointF(86, 54 + i * 17), 7, 7);
    }
}

void ItemStyle(QPainter &p, bool sub)
{
    // One item in its three states: normal, under the pointer, pressed.
    const qreal x = sub ? 34 : 18, w = sub ? 66 : 80, h = 22;
    for (int i = 0; i < 3; ++i) {
        const QRectF r(x, 56 + i * 44, w, h);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, i == 1 ? kOrange.lighter(115) : i == 2 ? kBlue : kPaper);
        g.setColorAt(1, i == 1 ? kOrange : i == 2 ? kDeep : kSky);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(r);
        const QColor light = i == 2 ? kDeep.darker(150) : Qt::white;
        const QColor dark = i == 2 ? Qt::white : kDeep;
        p.setPen(QPen(light, 2));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(QPen(dark, 2));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        Bar(p, QRectF(r.x() + 8, r.y() + 8, w * 0.5, 6), i == 0 ? kBlue : Qt::white);
    }
    if (sub) {
        // The main item the sub menu opens from.
        Bar(p, QRectF(10, 40, 30, 12), kOrange);
        p.setPen(QPen(kPaper, 1.5, Qt::DotLine));
        p.drawLine(QPointF(25, 52), QPointF(25, 168));
    }
    Pointer(p, QPointF(x + w * 0.7, 56 + 44 + 10));
}

void Finish(QPainter &p)
{
    const QRectF page(16, 58, 70, 96);
    p.setPen(QPen(kDeep, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 4, 4);
    Menu(p, QPointF(page.x() + 8, page.y() + 10), 34, 4, 0, false);
    const QPointF c(80, 150);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(c, 20, 20);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(c + QPointF(-9, 1));
    tick.lineTo(c + QPointF(-2, 8));
    tick.lineTo(c + QPointF(10, -7));
    p.drawPath(tick);
}

} // namespace

QPixmap DrawPagePicture(int nBitmap, qreal dpr)
{
    QPixmap pixmap(QSize(kPagePictureWidth, kPagePictureHeight) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kPagePictureHeight);
    sky.setColorAt(0, kBlue);
    sky.setColorAt(1, kDeep);
    p.fillRect(QRectF(0, 0, kPagePictureWidth, kPagePictureHeight), sky);
    // A faint floor line shared by every picture.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(10, 214), QPointF(kPagePictureWidth - 10, 214));
    p.translate(0, 16);
    switch (nBitmap) {
    case 130: Welcome(p); break;
    case 131: Templates(p); break;
    case 132: General(p); break;
    case 133: MenuStyle(p); break;
    case 134: ItemStyle(p, false); break;
    case 135: ItemStyle(p, true); break;
    case 137: Finish(p); break;
    default: break;
    }
    return pixmap;
}
