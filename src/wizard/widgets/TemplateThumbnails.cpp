#include "wizard/widgets/TemplateThumbnails.h"

#include "model/config/AppletParameters.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QWidget>
#include <algorithm>

CTemplateThumbnails::CTemplateThumbnails(const QSize &size, QObject *parent)
    : QStyledItemDelegate(parent), m_size(size)
{
}

void CTemplateThumbnails::SetLibrary(const QString &strLibraryPath)
{
    if (strLibraryPath == m_strLibraryPath)
        return;
    m_strLibraryPath = strLibraryPath;
    m_pictures.clear();
}

QImage CTemplateThumbnails::Thumbnail(int nTemplate, double dpr) const
{
    dpr = std::clamp(dpr, 1.0, 4.0);
    const QPair<int, int> key(nTemplate, qRound(dpr * 100));
    const auto it = m_pictures.constFind(key);
    if (it != m_pictures.constEnd())
        return it.value();

    CAppletParameters params;
    params.LoadTemplate(nTemplate, m_strLibraryPath);
    CRenderState state;
    const CMenuLayout layout(params);
    for (int i = 0; i < layout.MainCount() && state.nOpenSubMenu < 0; ++i) {
        if (layout.HasSubMenu(i)) {
            state.nOpenSubMenu = i;
            state.hover = CItemRef{i, -1};
        }
    }
    // Shrunk to fit the room, never enlarged; sharp at the screen's density.
    const QRect area = layout.DrawingRect(state.nOpenSubMenu);
    QImage picture;
    if (!area.isEmpty()) {
        const double fit = std::min({1.0, double(m_size.width()) / area.width(),
                                     double(m_size.height()) / area.height()});
        const double scale = fit * dpr;
        const QSize pixels(std::max(1, qRound(area.width() * scale)), std::max(1, qRound(area.height() * scale)));
        if (scale >= 1.0) {
            picture = QImage(pixels, QImage::Format_RGB32);
            if (!picture.isNull()) {
                picture.fill(Qt::white);
                QPainter p(&picture);
                p.scale(scale, scale);
                p.translate(-area.topLeft());
                m_renderer.Draw(p, params, state);
            }
        } else {
            // Drawn at full size and shrunk smoothly: small type reads
            // better so than drawn small.
            const QImage full = m_renderer.RenderImage(params, state);
            if (!full.isNull())
                picture = full.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        if (!picture.isNull())
            picture.setDevicePixelRatio(dpr);
    }
    m_pictures.insert(key, picture);
    return picture;
}

bool CTemplateThumbnails::IsDrawn(int nTemplate) const
{
    for (auto it = m_pictures.constBegin(); it != m_pictures.constEnd(); ++it)
        if (it.key().first == nTemplate)
            return true;
    return false;
}

QSize CTemplateThumbnails::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Room above and below the picture, so that rows stand apart.
    size.setHeight(std::max(size.height(), m_size.height() + 8));
    return size;
}

void CTemplateThumbnails::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = m_size;
    option->icon = QIcon();
}

void CTemplateThumbnails::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, widget);
    const QImage picture = Thumbnail(index.row(), painter->device()->devicePixelRatioF());
    if (picture.isNull() || room.isEmpty())
        return;
    const QSizeF size = picture.deviceIndependentSize();
    const QRectF at(room.x() + (room.width() - size.width()) / 2, room.y() + (room.height() - size.height()) / 2,
                    size.width(), size.height());
    painter->save();
    // Dimmed with the list while a saved page is the choice.
    if (!(opt.state & QStyle::State_Enabled))
        painter->setOpacity(0.45);
    painter->drawImage(at, picture);
    // A hairline frame, so that a picture on white stands apart from the row.
    painter->setPen(opt.palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(at.adjusted(-0.5, -0.5, 0.5, 0.5));
    painter->restore();
}
