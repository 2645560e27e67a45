#include "model/site/SitePageMerge.h"

#include <QHash>

namespace {

QHash<QString, const CSitePage *> ByPath(const CSitePageList &pages)
{
    QHash<QString, const CSitePage *> by;
    for (const CSitePage &page : pages)
        if (!by.contains(page.strPath))
            by.insert(page.strPath, &page);
    return by;
}

} // namespace

CSitePageMerge MergeSitePages(const CSitePageList &onFile, const CSitePageList &here, const CSitePageList &now)
{
    const auto base = ByPath(onFile);
    const auto mine = ByPath(here);
    const auto theirs = ByPath(now);
    CSitePageMerge merge;

    for (const CSitePage &page : here) {
        const CSitePage *b = base.value(page.strPath);
        const CSitePage *t = theirs.value(page.strPath);
        if (mine.value(page.strPath) != &page)
            continue; // a second entry of the same path
        if (t) {
            merge.pages.append(b && *t == *b ? page : *t);
            continue;
        }
        if (!b) {
            merge.pages.append(page); // added here
            continue;
        }
        // Removed by the other program.
        merge.removed.append(page.strPath);
        if (page != *b)
            merge.conflicts.append(
                QStringLiteral("%1: removed by another program, changed here").arg(page.strPath));
    }
    for (const CSitePage &page : now) {
        if (mine.contains(page.strPath) || theirs.value(page.strPath) != &page)
            continue;
        const CSitePage *b = base.value(page.strPath);
        if (!b) {
            merge.pages.append(page); // added by the other program
            merge.added.append(page.strPath);
        } else if (page != *b) {
            merge.conflicts.append(
                QStringLiteral("%1: removed here, updated by another program").arg(page.strPath));
        }
    }
    return merge;
}
