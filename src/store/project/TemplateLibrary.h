#pragma once

#include <QStringList>

// The descriptions of the templates in the library file, in library order.
// A missing library (or one without "TemplateKey") offers one: "Blank".
QStringList ListTemplates(const QString &strLibraryPath);
