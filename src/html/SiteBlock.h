#pragma once

#include "model/config/AppletParameters.h"
#include "store/site/SiteUpdate.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The menu as one block that the author's own pages carry between two
// marker lines (store/site/SitePageText.h).

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

// What a site update asks for each page: SiteMenuBlock, made once per folder
// and line end however many pages share them. Missing images and links that
// run code are told through `report` for the first block only, so a site of
// many pages tells each once. The maker keeps a reference to `p`.
CSiteBlockMaker SiteBlockMaker(const CAppletParameters &p, const CMessageReporter &report = CMessageReporter());

// The menu as a page made in another program takes it: a comment naming the
// files to copy beside the page (the script, the class file and the images,
// each with the folder it is in now) and the viewport line for the page's
// head, then the block between its markers as a site update writes it into
// a page of the site folder; lines end in "\n". *pFiles (when given) gets
// the names of those files in the order named.
QString MenuCodeText(const CAppletParameters &p, const QString &strAppDir, QStringList *pFiles = nullptr,
                     const CMessageReporter &report = CMessageReporter());
