#pragma once

#include "model/site/SitePage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class CAppletParameters;

// The project file that belongs to a page: the page's path up to its last
// dot, then ".qdx" (menu.htm -> menu.qdx).
QString ProjectPathFor(const QString &strHTMLPath);
// The page a project file belongs to, the other way round: the .htm or
// .html page of its name beside it, whichever is there (the .htm one when
// both or neither are).
QString PagePathFor(const QString &strProjectPath);

// Finishes (or undoes) a save of a page whose project file is at
// strProjectPath that was interrupted by a kill, so that the page and the
// project file are one save's; waits for a save under way. Every reader of a
// project file calls this first. Nothing happens where no lock can be made
// (a read-only folder).
void RecoverInterruptedSave(const QString &strProjectPath);

// The site pages the project file at strProjectPath holds now (read again
// before a save replaces it, so that what another program changed is
// kept); false when there is no such file or it cannot be read.
bool ReadProjectSitePages(const QString &strProjectPath, CSitePageList *pPages);

// Saves a page: copies the class file from strAppDir and every image the
// configuration names into strFolder, writes strHTML as the page at strPath
// and the project file beside it. The page and the project file are each
// written whole or not at all. Returns false, with the reason in *pError,
// when the page or the project file could not be written. *pBeside gets the
// names of the files copied beside the page (script, class file, images).
bool SavePage(const QString &strPath, const QString &strFolder, const CAppletParameters &params,
              const QString &strHTML, const QString &strAppDir, QString *pError = nullptr,
              QStringList *pBeside = nullptr);
// The same with the page's bytes as they are written (GenerateHTMLBytes),
// which saves encoding the text again.
bool SavePageBytes(const QString &strPath, const QString &strFolder, const CAppletParameters &params,
                   const QByteArray &html, const QString &strAppDir, QString *pError = nullptr,
                   QStringList *pBeside = nullptr);

// Writes the project file of `params` alone, at strProjectPath (a project
// brought back from its page, before any save of the page): as one change
// of the page's file set, so it is whole or not there, never through a
// link. Refused, with nothing written, when a file is at that name (unless
// bReplace), when it would replace the template library in strAppDir, and
// when its folder does not exist. *pError gives the reason.
bool SaveProjectFile(const QString &strProjectPath, const CAppletParameters &params, const QString &strAppDir,
                     bool bReplace, QString *pError = nullptr);
