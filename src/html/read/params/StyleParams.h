#pragma once

#include <QList>

class CAppletParameters;
class CParamFields;

// The params that carry the applet's and the menus' style values, each with
// how its fields are read back into the configuration: the page writer's
// formats (HtmlWriter.cpp) read the other way. The background picture, the
// items and the menu table (Misc) carry the menu tree and are read by
// CPageReader. A new look value the page carries is a row here.
struct CStyleParam {
    const char *pName; // as the page writer writes it
    void (*pRead)(CParamFields &fields, CAppletParameters &params);
    // Written only where the look differs from a menu's of old (today's
    // look): a page without it keeps the defaults without a note.
    bool bOptional = false;
};
const QList<CStyleParam> &StyleParams();
