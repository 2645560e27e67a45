#include "wizard/widgets/MenuPicture.h"

#include <QPainter>

#include <algorithm>

CMenuPicture::CMenuPicture(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Template picture"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void CMenuPicture::ShowTemplate(int nTemplate, const QString &strLibraryPath)
{
    if (nTemplate < 0) {
        Clear();
        return;
    }
    m_params.LoadTemplate(nTemplate, strLibraryPath);
    m_renderer.ClearImageCache();
    m_bEmpty = false;
    Changed();
}

void CMenuPicture::ShowConfiguration(const CAppletParameters &params)
{
    m_params.CopyFrom(params);
    m_renderer.ClearImageCache();
    m_bEmpty = false;
    Changed();
}

void CMenuPicture::Clear()
{
    m_bEmpty = true;
    Changed();
}

int CMenuPicture::OpenSubMenu() const
{
    const CMenuLayout layout(m_params);
    for (int i = 0; i < layout.MainCount(); ++i)
        if (layout.HasSubMenu(i))
            return i;
    return -1;
}

QImage CMenuPicture::Picture() const
{
    if (m_bEmpty)
        return QImage();
    CRenderState state;
    state.nOpenSubMenu = OpenSubMenu();
    return m_renderer.RenderImage(m_params, state);
}

void CMenuPicture::Changed()
{
    m_picture = Picture();
    m_scaled = QImage();
    update();
}

QImage CMenuPicture::PictureAt(double dpr) const
{
    if (m_picture.isNull())
        return QImage();
    // At the screen's pixel density, so that it stays sharp at 2x; within a
    // sane size for very large applets.
    const int side = std::max(m_picture.width(), m_picture.height());
    dpr = std::min(dpr, 4096.0 / side);
    if (dpr <= 1.0)
        return m_picture;
    QImage image(QSize(qRound(m_picture.width() * dpr), qRound(m_picture.height() * dpr)),
                 QImage::Format_RGB32);
    if (image.isNull())
        return m_picture;
    image.fill(Qt::black);
    QPainter p(&image);
    p.scale(dpr, dpr);
    CRenderState state;
    state.nOpenSubMenu = OpenSubMenu();
    m_renderer.Draw(p, m_params, state);
    return image;
}

void CMenuPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect room = rect().adjusted(6, 6, -6, -6);
    if (m_picture.isNull() || room.isEmpty())
        return;
    // Drawn at full size and shrunk smoothly to fit, never enlarged, centred.
    QSize size = m_picture.size();
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room.size(), Qt::KeepAspectRatio);
    const double dpr = devicePixelRatioF();
    const QSize pixels(qRound(size.width() * dpr), qRound(size.height() * dpr));
    if (m_scaled.size() != pixels || m_scaledRatio != dpr) {
        const QImage full = PictureAt(dpr);
        m_scaled = full.size() == pixels
                       ? full
                       : full.scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(dpr);
        m_scaledRatio = dpr;
    }
    p.drawImage(QPointF(room.left() + (room.width() - size.width()) / 2,
                        room.top() + (room.height() - size.height()) / 2),
                m_scaled);
}
