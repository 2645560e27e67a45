#pragma once

#include "model/site/SitePage.h"

class CIniFile;

// The site pages in the project file: section "Site Pages", for page n
// (from 1) the keys Page<n> (the path relative to the project's folder),
// Size<n>, Time<n> (ms since 1970 UTC), PageHash<n>, MenuHash<n> and
// Added<n> (what the updates added: the words "begin", "end", "viewport",
// "line-end", or "none"; absent when not known). The list ends at the first
// number without a Page key. A project without site pages has no such
// section, so it is written as before the list existed.
QString SitePagesSection();
CSitePageList ReadSitePages(const CIniFile &ini);
void WriteSitePages(CIniFile &ini, const CSitePageList &pages);
