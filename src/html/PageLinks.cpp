#include "html/PageLinks.h"

#include "html/ItemName.h"
#include "html/PageText.h"
#include "html/SiteLinks.h"
#include "model/menu/AppletMenu.h"
#include "model/text/StringTable.h"

namespace {

// One entry: <a href target [rel]>label</a>, or <span>label</span> for an
// item without a link. An empty target writes no target; a new window
// ("_blank") gets no hold on the page that opened it.
void AppendEntry(CPageText &out, const CAppletMenuItem &item, const QString &pageFolder)
{
    if (item.m_strLink.isEmpty() || LinkRunsCode(item.m_strLink)) {
        out.Put("<span>");
        out.PutEscaped(ReadableItemName(item));
        out.Put("</span>");
        return;
    }
    out.Put("<a href=\"");
    out.PutEscaped(SiteLinkForPage(item.m_strLink, pageFolder));
    out.Put('"');
    if (!item.m_strTarget.isEmpty()) {
        out.Put(" target=\"");
        out.PutEscaped(item.m_strTarget);
        out.Put('"');
        if (item.m_strTarget.compare(QLatin1String("_blank"), Qt::CaseInsensitive) == 0)
            out.Put(" rel=\"noopener\"");
    }
    out.Put('>');
    out.PutEscaped(ReadableItemName(item));
    out.Put("</a>");
}

} // namespace

QString MenuLandmarkName(const QString &title)
{
    const QString name = title.trimmed();
    if (name.isEmpty() || name == QLatin1String("Untitled"))
        return QStringLiteral("Site menu");
    return title;
}

void AppendLinkList(CPageText &out, const CAppletMenu &root, const QString &name,
                    const QString &pageFolder)
{
    out.Put("\t<nav class=\"glidebar-links\" aria-label=\"");
    out.PutEscaped(name);
    // Without scripts the list keeps its bullets beside its links, also on a
    // page that centres the applet.
    out.Put("\" style=\"display:inline-block;text-align:left\"><ul>");
    for (int i = 0; i < root.GetCount(); ++i) {
        const CAppletMenuItem &item = *root.GetItem(i);
        out.Put("<li>");
        AppendEntry(out, item, pageFolder);
        // One level deep, as the applet's params go.
        if (const CAppletMenu *sub = item.m_pSubMenu.get(); sub && sub->GetCount() > 0) {
            out.Put("<ul>");
            for (int j = 0; j < sub->GetCount(); ++j) {
                out.Put("<li>");
                AppendEntry(out, *sub->GetItem(j), pageFolder);
                out.Put("</li>");
            }
            out.Put("</ul>");
        }
        out.Put("</li>");
    }
    out.Put("</ul></nav>\r\n");
}

void AppendScriptLine(CPageText &out, const QString &prefix)
{
    out.Put("<script src=\"");
    out.PutEscaped(prefix + LoadString(StringId::PageScript));
    out.Put("\"></script>\r\n");
}
