#include "wizard/widgets/ColorButton.h"

#include "app/UserInterface.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

QColor FromColorRef(int color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace

CColorButton::CColorButton(QWidget *parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

CColorButton::CColorButton(CUserInterface &ui, QWidget *parent) : CColorButton(parent)
{
    m_pUi = &ui;
}

void CColorButton::SetColor(int color)
{
    m_color = color;
    update();
}

bool CColorButton::ChooseColor(QWidget *owner)
{
    int color = m_color;
    if (!m_pUi || !m_pUi->ChooseColor(owner, color))
        return false;
    SetColor(color);
    emit ColorChosen(color);
    return true;
}

QSize CColorButton::sizeHint() const
{
    // Wide enough to show the colour well inside the frame and focus rectangle.
    const int h = qMax(24, fontMetrics().height() + 10);
    return QSize(h * 2, h);
}

QSize CColorButton::minimumSizeHint() const
{
    return QSize(24, 18);
}

void CColorButton::paintEvent(QPaintEvent *)
{
    if (!isEnabled())
        return;
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r.adjusted(5, 5, -5, -5), FromColorRef(m_color));

    // The frame, edge by edge in this order: top, left, right, bottom.
    const QColor light = isDown() ? Qt::black : Qt::white;
    const int w = r.width();
    const int h = r.height();
    painter.fillRect(QRect(0, 0, w, 2), light);
    painter.fillRect(QRect(0, 0, 2, h), light);
    painter.fillRect(QRect(w - 2, 0, 2, h), Qt::black);
    painter.fillRect(QRect(0, h - 2, w, 2), Qt::black);

    if (hasFocus()) {
        // A dotted line in black or white, whichever stands out on the fill;
        // the style's own focus frame would tint the colour being shown.
        const QColor fill = FromColorRef(m_color);
        QPen pen(qGray(fill.rgb()) < 128 ? Qt::white : Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(5, 5, -6, -6));
    }
}
