#include "wizard/PageStack.h"

#include <QFontMetrics>
#include <QtMath>

namespace {

// Measured on the largest page (the item page: the menu tree beside the two
// item panels; the template page is as tall): in average character widths
// and line heights of the font.
constexpr double kRoomChars = 155.66;
constexpr double kRoomLines = 26.78;
constexpr double kLeastRoomChars = 143.0;
constexpr double kLeastRoomLines = 23.08;

QSize InFontUnits(const QWidget &widget, double chars, double lines)
{
    const QFontMetrics metrics(widget.font());
    return QSize(qCeil(chars * metrics.averageCharWidth()), qCeil(lines * metrics.lineSpacing()));
}

} // namespace

CPageStack::CPageStack(QWidget *parent) : QStackedWidget(parent) {}

QSize CPageStack::PageRoom() const
{
    return InFontUnits(*this, kRoomChars, kRoomLines);
}

QSize CPageStack::LeastPageRoom() const
{
    return InFontUnits(*this, kLeastRoomChars, kLeastRoomLines);
}

QSize CPageStack::sizeHint() const
{
    return QStackedWidget::sizeHint().expandedTo(PageRoom());
}

QSize CPageStack::minimumSizeHint() const
{
    return QStackedWidget::minimumSizeHint().expandedTo(LeastPageRoom());
}
