#pragma once

#include "model/config/AppletParameters.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// What reading a page found, beside the configuration.
struct CPageRead {
    enum class EFound {
        Nothing,  // no applet whose code names Glidebar.class
        Page,     // the applet of a page of its own, as the wizard saves one
        SitePage, // the menu block between the markers of an author's page
    };
    EFound found = EFound::Nothing;
    // A site page: the site folder its block's path to the script leads to,
    // and the page's folder relative to it ('/' between folders, empty for
    // the site folder itself).
    QString strSiteFolder;
    QString strPageFolder;
    // What could not be read as it stands or cannot be held, one sentence
    // each (CReadNotes).
    QStringList notes;
};

// Reads the menu a page carries back into a configuration: a page the
// wizard or vantrel-gen saved, or one of the author's pages carrying the
// menu block of a site update, also as hands and other programs leave them.
//
// The page is read the way a browser and the page script read it (one pass
// of the markup scanner, CMarkupScanner): tags and param names in any
// letter case, attributes in any order and quoted either way or not at
// all, character references, CR LF or LF. The first applet whose code
// names Glidebar.class (in the page's folder or another) is read; a second
// one is told. Its params give everything: the page title, the paragraph's
// alignment, the applet's colour, picture and the menu's position, both
// menu styles, the six item looks, every item (label, picture, target and
// link as the page script cuts the value at its commas) and every sub menu
// (by the Misc table, as the script reads it); the script line gives
// "Works in today's browsers". Where the params give the menu no item, the
// link list a page for today's browsers carries gives it. A site page's
// title is its menu's landmark name.
//
// What the page writer writes is read back exactly: writing the
// configuration again gives the same text, for a page of its own and for a
// site page's block alike. An empty code (what the writer writes for an
// index outside its list) is read as -1, which writes it again. Where a
// value cannot be read, its default stays and a note tells which param and
// why; where the project file cannot hold what the page says (a main menu
// of no items, a sub menu of none, sub menus below the first level) a note
// says so and the rest is kept.
//
// Pictures are taken from where the page's own links find them: relative
// to the page's folder, and only within it (a site page: within the site
// folder). A missing one is told and kept by the path it would have, so a
// save copies it once it is there; one outside, a wildcard name or an
// address of another site is told and left out. A link that runs code
// (javascript:, vbscript:, data:) is told and left out. A site page's
// links, written for its folder, are read back as the site folder's.
//
// The page's charset: see CPageDecoding. Bounds as the page script keeps
// them: at most kMaxStoredMenuItems items a menu and as many sub menus; the
// time taken is linear in the page's size, whatever it holds.
class CPageReader {
public:
    // `page`: the page's bytes; strPagePath: where it lies (its folder is
    // where its pictures are looked for).
    CPageReader(const QByteArray &page, const QString &strPagePath);

    // Replaces every value of `params`, as loading a project does; false,
    // with the defaults of an empty project, when the page carries no
    // Glidebar applet.
    bool Read(CAppletParameters &params, CPageRead *pRead);

    // Reads the page file at strPath: a regular file (a link to one
    // counts), read whole. False, with a reason that names the file, when
    // it is missing, a folder or special file, or cannot be read.
    static bool ReadPageFile(const QString &strPath, QByteArray *pBytes, QString *pError);

private:
    bool ReadBytes(const QByteArray &page, CAppletParameters &params, CPageRead *pRead);

    QByteArray m_page;
    // The page as the markup scanner reads it (CPageDecoding::AsciiCompatible).
    QByteArray m_ascii;
    QString m_strPagePath;
};
