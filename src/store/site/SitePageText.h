#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The author's own pages carry the menu between two markers; only the text
// between them is Vantrel's. These functions work on a page's bytes as they
// are, so everything outside the markers stays byte for byte: the charset,
// the line ends, a byte-order mark. They need a page whose charset keeps
// ASCII as it is (UTF-8 and the single-byte charsets); the menu block is
// ASCII only.
constexpr char kMenuMarkerBegin[] = "<!-- Vantrel menu -->";
constexpr char kMenuMarkerEnd[] = "<!-- /Vantrel menu -->";
// The line that has a page for today's browsers laid out at the phone's own
// width (without its line end).
constexpr char kViewportLine[] = "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">";

// True when an applet's code attribute names the menu's class file, in any
// letter case, in the page's folder or another ("Glidebar.class",
// "../Glidebar.class"); blanks around it do not count.
bool IsMenuAppletCode(QByteArrayView code);

// What an update would do to a page.
enum class ESitePageState {
    Add,          // no markers yet: the menu goes after <body> or at the author's marker
    Update,       // the markers are there: the text between them is replaced
    ChangedSince, // the text between the markers is not what Vantrel last wrote there
    NoPlace,      // no markers, no marker line, no <body>, or a charset that
                  // does not keep ASCII (UTF-7)
    Doubled,      // more than one pair of markers: which one is the menu's is not known
    Utf16,        // the page is in UTF-16 (or UTF-32), whose bytes are not ASCII's
    Utf32,
};
// True for the states a page can be updated in (ChangedSince only when told to).
bool SitePageCanTakeMenu(ESitePageState state);
// The state as the user reads it ("menu will be added", ...).
QString SitePageStateText(ESitePageState state);

// The page's line end: that of its first line ("\r\n", "\n" or "\r"); CR LF
// for a page of one line.
QByteArray PageLineEnd(const QByteArray &page);

// The charset the page declares (<meta charset>, or the charset of a
// <meta http-equiv="Content-Type">), lower case; empty when none. A
// byte-order mark overrides it ("utf-8", "utf-16le", "utf-16be").
QByteArray PageCharset(const QByteArray &page);
// True when ASCII characters are the page's own bytes: every charset but
// UTF-16 and UTF-32 (by byte-order mark, declaration or the zero bytes of
// ASCII text written in them) and UTF-7.
bool PageKeepsAscii(const QByteArray &page);
// 2 for a page in UTF-16, 4 for one in UTF-32, by the same signs; else 1.
int PageCodeUnitWidth(const QByteArray &page);
// The same by the page's bytes alone (its byte-order mark, else the zero
// bytes of its start), not by the charset it declares: what a page whose
// bytes keep ASCII declares is read by them.
int PageCodeUnitWidthOfBytes(const QByteArray &page);

// The BLAKE2b-256 of bytes in lower-case hexadecimal, as the project file keeps
// it (a third of the time SHA-256 takes here, for a whole site of pages).
QByteArray ContentHash(const QByteArray &bytes);

// Where the menu goes in a page.
struct CMenuPlace {
    enum EKind {
        None,        // nowhere
        Between,     // replaces [nBegin, nEnd): the text between a pair of markers
        AfterMarker, // after the author's lone begin marker line, which ends at nBegin
        AfterBody,   // after the <body> tag, which ends at nBegin
        Applet,      // replaces [nBegin, nEnd): the lines of a page's own menu applet (a page
                     // Vantrel saved whole), its script line before it included
        Doubled,     // nowhere: the page has more than one pair of markers
    } kind = None;
    qsizetype nBegin = 0;
    qsizetype nEnd = 0;
};
// Markers count only as comments of the page's markup (not inside a script,
// a style sheet, a textarea, an attribute value, CDATA or another comment),
// <body> only as a tag; the page is read once, in time linear in its size.
CMenuPlace FindMenuPlace(const QByteArray &page);

// The state of a page whose markers held, after Vantrel last wrote them,
// text of the hash lastMenuHash (empty: not known).
ESitePageState SitePageState(const QByteArray &page, const QByteArray &lastMenuHash);

// What an update added to a page beyond the text between the markers, as
// flags; a removal takes out what was added and nothing else.
enum ESiteAdded {
    kAddedBeginMarker = 1, // the begin marker (else it is the author's own)
    kAddedEndMarker = 2,   // the end marker
    kAddedViewport = 4,    // the viewport line
    kAddedLineEnd = 8,     // a line end after the end marker
};
// Not known: a page recorded before these flags were kept.
constexpr int kAddedUnknown = -1;

// The page with `block` (SiteMenuBlock: the text between the markers) in
// its place, and the viewport line added to its head where it has none;
// false, leaving *pOut alone, when the page has no place for the menu.
// *pMenuHash gets the hash of `block`, *pAdded the ESiteAdded flags of what
// this call added. Where there were no markers, the markers and the block
// are inserted as one piece, right after the <body> tag or the author's
// begin marker, so every byte of the page outside them stays where it was;
// the viewport line, with at most one line end, likewise.
bool PutMenuIntoPage(const QByteArray &page, const QByteArray &block, QByteArray *pOut,
                     QByteArray *pMenuHash = nullptr, int *pAdded = nullptr);

// The page with the menu taken out: what the updates added to it by `added`
// (ESiteAdded flags, or kAddedUnknown: both markers, and the viewport line
// when it is Vantrel's very line) and the text between the markers. False,
// leaving *pOut alone, when the page holds no single pair of markers.
bool TakeMenuOutOfPage(const QByteArray &page, int added, QByteArray *pOut);
