#pragma once

#include "store/project/StoredConfig.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

class CMarkupScanner;
class CPageDecoding;

// What one pass of the markup scanner over a page finds of the menu: the
// first applet whose code names Glidebar.class, its params, its link list
// and what the page says around it (title, paragraph, script line), as
// byte ranges of the page, decoded only where they are read
// (CAppletReader). The page script's bounds hold here already: item params
// past them are only counted.

// Item params are kept by menu and item number: menu * kItemParamStride + item.
constexpr int kItemParamStride = kMaxStoredMenuItems;
// Menus a Misc table may count, root included (as the page script reads it).
constexpr int kMaxParamMenus = kMaxStoredMenuItems + 1;

// A value of the page: its bytes, and whether it is there at all.
struct CRawValue {
    QByteArrayView bytes;
    bool bThere = false;
};

// One entry of the link list a page for today's browsers carries.
struct CListEntry {
    QList<QByteArrayView> label; // the pieces of text of its link or span
    QByteArrayView link;
    QByteArrayView target;
    QList<CListEntry> subs;
};

struct CAppletScan {
    qsizetype nAppletStart = -1;
    CRawValue width, height;
    CRawValue title;
    // What a page for today's browsers says of itself: the language of its
    // <html> tag, the content of its description.
    CRawValue lang, description;
    bool bParagraph = false; // a <p> open where the applet starts
    CRawValue align;
    CRawValue scriptBefore, scriptAfter; // the menu script's path nearest before it, first after it
    CRawValue code;
    // The params: by lower-case name (the first of a name counts, as in the
    // page script) and the items by number.
    QHash<QByteArray, QByteArrayView> named;
    QHash<int, QByteArrayView> items;
    qsizetype nDuplicates = 0;
    QStringList unknownNames;
    qsizetype nUnknown = 0;
    qsizetype nItemsBeyond = 0; // item params past the bounds
    qsizetype nSecondApplets = 0;
    // The link list.
    bool bList = false;
    CRawValue listName;
    QList<CListEntry> list;
    bool bDeepList = false;
};

// Reads a page once for its menu applet (the page's bytes must stay while
// the scan's ranges are used).
class CAppletScanner {
public:
    CAppletScanner(const QByteArray &page, const CPageDecoding &decoding);
    CAppletScan Run();

private:
    enum EWhere { Before, Inside, After };

    void StartTag(const CMarkupScanner &scan);
    // An attribute's value with its character references read, as bytes
    // of ASCII names are compared ("Glidebar&#46;class").
    QByteArray AttributeText(const CMarkupScanner &scan, const char *name) const;
    void EndTag(const CMarkupScanner &scan);
    void Param(const CMarkupScanner &scan);
    // The link list: <nav class="glidebar-links"><ul><li><a>...</a><ul>...
    void ListStart(const CMarkupScanner &scan);
    // The params of other names than the items', lower case.
    static const QSet<QByteArray> &KnownNames();

    const QByteArray &m_page;
    const CPageDecoding &m_decoding;
    CAppletScan m_scan;
    EWhere m_where = Before;
    bool m_bParagraph = false;
    CRawValue m_align;
    bool m_bTitleText = false;
    // The link list: nav elements open (1 and more inside the list), lists
    // open in it, and the entry being read. Entries are kept in QLists that
    // grow only at their ends after the entry in hand is done with.
    int m_nList = 0;
    int m_nDepth = 0;
    CListEntry *m_pEntry = nullptr;
    bool m_bInEntry = false;
    bool m_bEntryTaken = false;
    QByteArray m_entryTag;
};
