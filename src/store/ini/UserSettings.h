#pragma once

#include <memory>

class QSettings;

// The per-user settings store of this program: organisation "Kestrune",
// application name = the executable's base name. The browser choice and the
// folders the file dialogs remember live there.
std::unique_ptr<QSettings> OpenUserSettings();
