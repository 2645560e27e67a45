#include "app/ProgramIcon.h"

#include <QImageReader>
#include <QPixmap>

QIcon ProgramIcon()
{
    QImageReader reader(QStringLiteral(":/vantrel/icon.png"), "png");
    // With detection on, the reader asks every plugin whether it reads PNG.
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}
