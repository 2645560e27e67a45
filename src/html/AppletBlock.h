#pragma once

#include "model/config/AppletParameters.h"

#include <QString>

class CImageLookup;
class CPageText;

// Where the files and links of an applet block are seen from. A page beside
// its files writes them as they are (both empty); a page in a folder below
// the site folder reaches the script, the class file and the images through
// strPrefix ("../") and has its relative links rewritten for strPageFolder
// (see SiteLinks.h).
struct CAppletBlockPaths {
    QString strPrefix;
    QString strPageFolder;
};

// Appends the applet element with its params and, for a page for today's
// browsers (`modern`), the script line before it and the link list inside
// it: the lines a saved page carries from its script line to "</applet>",
// each ending in CR LF. Missing images and links that run code are
// reported through `report` (standard error when none is given).
void AppendAppletBlock(CPageText &out, const CAppletParameters &p, bool modern,
                       const CAppletBlockPaths &paths, CImageLookup &images,
                       const CMessageReporter &report);
