#pragma once

#include "model/site/SitePage.h"

#include <QStringList>

// The site pages to write into a project file that another program (the
// command line's site update) may have changed since it was read here: a
// three-way merge of the list as it was read (`onFile`), as it is here
// (`here`) and as the file holds it now (`now`).
//
// A page added or removed on one side only stays added or removed. Where
// both sides keep a page, the record the file holds now wins unless only
// this side changed it (a record changed here tells the next update what to
// do, as "replace my edits" does). A page removed on one side whose record
// the other side changed has changed both ways: it is named in `conflicts`
// ("about.html: removed here, updated by another program") and the removal
// stands, as that was the user's latest decision on it.
struct CSitePageMerge {
    CSitePageList pages;   // here's order, then pages added by the other program in the file's order
    QStringList added;     // pages the other program added
    QStringList removed;   // pages the other program removed
    QStringList conflicts; // one line a page changed both ways
};
CSitePageMerge MergeSitePages(const CSitePageList &onFile, const CSitePageList &here, const CSitePageList &now);
