#include "wizard/sheet/PageStack.h"

#include <QFontMetrics>
#include <QtMath>

namespace {

// Until the largest page (the item page: the menu tree beside the two item
// panels; the template page is as tall) is measured: its size in average
// character widths and line heights of the font, as measured with DejaVu
// Sans. Other fonts differ from it by up to a fifth.
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
    return m_measuredRoom.isValid() ? m_measuredRoom : InFontUnits(*this, kRoomChars, kRoomLines);
}

QSize CPageStack::LeastPageRoom() const
{
    return m_measuredLeast.isValid() ? m_measuredLeast
                                     : InFontUnits(*this, kLeastRoomChars, kLeastRoomLines);
}

void CPageStack::SetMeasuredRoom(const QSize &room, const QSize &least)
{
    m_measuredRoom = room;
    m_measuredLeast = least;
    updateGeometry();
}

QSize CPageStack::sizeHint() const
{
    // The room's width; in height the least room (or more, should the page
    // shown want it). The wizard opens that tall: the pages' wrapped texts
    // fit in it at the room's width.
    return QSize(qMax(QStackedWidget::sizeHint().width(), PageRoom().width()),
                 minimumSizeHint().height());
}

QSize CPageStack::minimumSizeHint() const
{
    return QStackedWidget::minimumSizeHint().expandedTo(LeastPageRoom());
}

bool CPageStack::hasHeightForWidth() const
{
    // The stack keeps its room whatever the width: a page lays out its own
    // wrapped texts in the width it is given. Answering for the page here
    // would have the sheet's layout ask every wrapped label its height
    // again, once more for each size hint the stack's layout takes.
    return false;
}
