#pragma once

#include "html/read/AppletScan.h"
#include "html/read/PagePictures.h"

#include <QString>
#include <QStringList>

#include <memory>

class CAppletMenuItem;
class CAppletParameters;
class CPageDecoding;
class CReadNotes;

// Makes the configuration from what a scan of a page found (CAppletScan):
// the style params by their rules (StyleParams.h), the menu tree by the Misc
// table and the item params as the page script reads them, else by the
// link list. Values are decoded here; what cannot be read or held is told
// in the notes.
class CAppletReader {
public:
    // strPageFolder: the page's folder relative to the site folder, for a
    // site page whose links are written for it; empty otherwise.
    CAppletReader(const CAppletScan &scan, const CPageDecoding &decoding, CAppletParameters &params,
                  CReadNotes &notes, CPagePictures &pictures, const QString &strPageFolder);

    // The applet's, the menus' and the items' looks, and its picture.
    void Styles();
    // The menu tree by the Misc table, as the page script reads it; the link
    // list where the params give no item.
    void Tree();

    // A text as the configuration keeps it: a control character, which the
    // page writer writes as U+FFFD (it would not reach the menu intact), is
    // read as U+FFFD, so that what is read is what is written again.
    static QString Kept(QString text);

private:
    // An attribute value of the page as the configuration keeps it.
    QString Value(QByteArrayView bytes) const;
    bool Named(const char *name, QString *pValue) const;
    // The number of item params menu m has from 0 on, up to `count` (and
    // the bound).
    int Present(int m, qint64 count) const;
    // True when the table reads "%d," fields as the writer writes them.
    static bool IsPlainTable(const QStringList &table, qint64 menus);
    // A new item from the param of item i of menu m.
    std::unique_ptr<CAppletMenuItem> Item(int m, int i);
    QString Link(const QString &link, const CParamName &param);
    // An item of the link list. Its texts cannot carry a comma (the item's
    // param and the project file cut at commas): each is cut at its first.
    void SetItem(CAppletMenuItem &item, const CListEntry &entry, const QString &where);
    void FromList();

    const CAppletScan &m_scan;
    const CPageDecoding &m_decoding;
    CAppletParameters &m_params;
    CReadNotes &m_notes;
    CPagePictures &m_pictures;
    QString m_strPageFolder;
};
