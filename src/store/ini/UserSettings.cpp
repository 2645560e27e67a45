#include "store/ini/UserSettings.h"

#include <QCoreApplication>
#include <QSettings>

std::unique_ptr<QSettings> OpenUserSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Kestrune"),
                                       QCoreApplication::applicationName());
}
