#include "app/ProgramIcon.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <memory>

namespace {

QIcon ReadIcon()
{
    QImageReader reader(QStringLiteral(":/vantrel/icon.png"), "png");
    // With detection on, the reader asks every plugin whether it reads PNG.
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

// Hands every request to the icon read from the file, reading it on the
// first. Copies share what was read.
class CReadOnUseEngine : public QIconEngine {
public:
    CReadOnUseEngine() : m_icon(std::make_shared<QIcon>()) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QIconEngine *clone() const override { return new CReadOnUseEngine(*this); }
    QString key() const override { return QStringLiteral("CReadOnUseEngine"); }

private:
    const QIcon &Icon()
    {
        if (m_icon->isNull())
            *m_icon = ReadIcon();
        return *m_icon;
    }

    std::shared_ptr<QIcon> m_icon;
};

} // namespace

QIcon ProgramIcon()
{
    return QIcon(new CReadOnUseEngine);
}
