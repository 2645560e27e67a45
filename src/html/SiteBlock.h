#pragma once

#include "model/AppletParameters.h"

#include <QByteArray>
#include <QString>

// The menu as one block that the author's own pages carry between two
// marker lines (store/SitePageText.h).

// The text between the markers of a page in `pageFolder` (relative to the
// site folder, '/'-separated, empty for the site folder itself): a line end,
// then the script line, the applet element with its params and the link list
// as a page for today's browsers has them, each line ending in `eol`. The
// script, the class file and the images are named as files of the site
// folder, and relative links are rewritten for the page's folder. Every
// character beyond ASCII is written as a character reference, so the block
// reads the same in a page of any charset that keeps ASCII as it is.
QByteArray SiteMenuBlock(const CAppletParameters &p, const QString &pageFolder,
                         const QByteArray &eol, const CMessageReporter &report = CMessageReporter());
