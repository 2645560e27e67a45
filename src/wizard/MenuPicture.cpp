#include "wizard/MenuPicture.h"

#include <QPainter>

CMenuPicture::CMenuPicture(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(tr("Template picture"));
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
    if (m_scaled.size() != size)
        m_scaled = size == m_picture.size()
                       ? m_picture
                       : m_picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.drawImage(room.left() + (room.width() - m_scaled.width()) / 2,
                room.top() + (room.height() - m_scaled.height()) / 2, m_scaled);
}
