#include "html/PageLinks.h"

#include "html/HtmlEscape.h"
#include "model/AppletMenu.h"
#include "model/StringTable.h"

namespace {

// One entry: <a href target [rel]>label</a>, or <span>label</span> for an
// item without a link. An empty target writes no target; a new window
// ("_blank") gets no hold on the page that opened it.
void AppendEntry(QString &out, const CAppletMenuItem &item)
{
    if (item.m_strLink.isEmpty()) {
        out += QLatin1String("<span>");
        AppendHtmlEscaped(out, item.m_strLabel);
        out += QLatin1String("</span>");
        return;
    }
    out += QLatin1String("<a href=\"");
    AppendHtmlEscaped(out, item.m_strLink);
    out += QLatin1Char('"');
    if (!item.m_strTarget.isEmpty()) {
        out += QLatin1String(" target=\"");
        AppendHtmlEscaped(out, item.m_strTarget);
        out += QLatin1Char('"');
        if (item.m_strTarget.compare(QLatin1String("_blank"), Qt::CaseInsensitive) == 0)
            out += QLatin1String(" rel=\"noopener\"");
    }
    out += QLatin1Char('>');
    AppendHtmlEscaped(out, item.m_strLabel);
    out += QLatin1String("</a>");
}

} // namespace

void AppendLinkList(QString &out, const CAppletMenu &root)
{
    out += QLatin1String("\t<ul class=\"glidebar-links\">");
    for (int i = 0; i < root.GetCount(); ++i) {
        const CAppletMenuItem &item = *root.GetItem(i);
        out += QLatin1String("<li>");
        AppendEntry(out, item);
        // One level deep, as the applet's params go.
        if (const CAppletMenu *sub = item.m_pSubMenu.get(); sub && sub->GetCount() > 0) {
            out += QLatin1String("<ul>");
            for (int j = 0; j < sub->GetCount(); ++j) {
                out += QLatin1String("<li>");
                AppendEntry(out, *sub->GetItem(j));
                out += QLatin1String("</li>");
            }
            out += QLatin1String("</ul>");
        }
        out += QLatin1String("</li>");
    }
    out += QLatin1String("</ul>\r\n");
}

void AppendScriptLine(QString &out)
{
    out += QLatin1String("<script src=\"");
    AppendHtmlEscaped(out, LoadString(StringId::PageScript));
    out += QLatin1String("\"></script>\r\n");
}
