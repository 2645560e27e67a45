#include "html/read/PageReader.h"

#include "html/PageLinks.h"
#include "html/read/AppletReader.h"
#include "html/read/AppletScan.h"
#include "html/read/text/CharacterReferences.h"
#include "html/read/text/PageDecoding.h"
#include "html/read/PagePictures.h"
#include "html/read/params/ParamFields.h"
#include "html/read/params/ReadNotes.h"
#include "model/text/PageLanguage.h"
#include "model/text/StringTable.h"
#include "store/files/FolderHandle.h"
#include "store/site/SitePageText.h"

#include <QDir>
#include <QFileInfo>

#include <climits>

namespace {

// The page folder's path to the site folder ("../../"), from the block's
// script or class file path: the number of folders up, -1 when the path
// leads elsewhere.
int FoldersUp(const QString &path, const QString &file)
{
    QString prefix = path.trimmed();
    prefix.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!prefix.endsWith(file, Qt::CaseInsensitive))
        return -1;
    prefix.chop(file.size());
    int up = 0;
    for (const QString &part : prefix.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            ++up;
        else if (part != QLatin1String("."))
            return -1;
    }
    if (prefix.startsWith(QLatin1Char('/')))
        return -1;
    return up;
}

void ResetToDefaults(CAppletParameters &params)
{
    static_cast<CAppletValues &>(params) = CAppletValues();
    params.m_pMainMenu->SetItemCount(4, 0);
    params.m_pMainMenu->m_nCurrent = 0;
}

} // namespace

CPageReader::CPageReader(const QByteArray &page, const QString &strPagePath)
    : m_page(page), m_ascii(CPageDecoding::AsciiCompatible(page)), m_strPagePath(strPagePath)
{
}

bool CPageReader::Read(CAppletParameters &params, CPageRead *pRead)
{
    // A page taken for UTF-16 by the zero bytes of its start alone may be
    // a page of bytes with zeros in it: read as it is when read so it
    // carries no menu.
    return ReadBytes(m_ascii, params, pRead)
           || (m_ascii.constData() != m_page.constData() && ReadBytes(m_page, params, pRead));
}

bool CPageReader::ReadBytes(const QByteArray &page, CAppletParameters &params, CPageRead *pRead)
{
    CPageRead read;
    CReadNotes notes;
    ResetToDefaults(params);
    const CPageDecoding decoding(page);
    const CAppletScan scan = CAppletScanner(page, decoding).Run();
    if (scan.nAppletStart < 0) {
        if (pRead)
            *pRead = read;
        return false;
    }
    if (!decoding.Problem().isEmpty())
        notes.Add(QStringLiteral("The page's charset: %1").arg(decoding.Problem()));

    // A site page: the applet lies between the menu markers. Its script
    // (else its class file) is named from the site folder.
    const QFileInfo pageInfo(m_strPagePath);
    const QString canonical = pageInfo.canonicalFilePath();
    const QString pageFolder =
        QFileInfo(canonical.isEmpty() ? pageInfo.absoluteFilePath() : canonical).absolutePath();
    // (A page without the end marker's words has no pair of markers: it is
    // not read again for them.)
    const CMenuPlace place = page.contains("/Vantrel menu") ? FindMenuPlace(page) : CMenuPlace();
    const bool sitePage =
        place.kind == CMenuPlace::Between && scan.nAppletStart >= place.nBegin && scan.nAppletStart < place.nEnd;
    read.found = sitePage ? CPageRead::EFound::SitePage : CPageRead::EFound::Page;
    QString siteFolder = pageFolder;
    QString pageInSite;
    if (sitePage) {
        const CRawValue script = scan.scriptBefore.bThere ? scan.scriptBefore : scan.scriptAfter;
        const QString scriptName = LoadString(StringId::PageScript);
        const QString classFile = LoadString(StringId::AppletClass);
        const auto text = [&decoding](QByteArrayView bytes) {
            return DecodeHtmlText(decoding.Decode(bytes), EHtmlTextKind::Attribute);
        };
        int up = script.bThere ? FoldersUp(text(script.bytes), scriptName) : -1;
        if (up < 0)
            up = FoldersUp(text(scan.code.bytes), classFile);
        const QStringList parts = pageFolder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (up < 0 || up > parts.size()) {
            notes.Add(QStringLiteral("The menu block's script is not in a folder above the page; the page's own "
                                     "folder is taken as the site folder"));
            up = 0;
        }
        pageInSite = parts.mid(parts.size() - up).join(QLatin1Char('/'));
        for (int i = 0; i < up; ++i)
            siteFolder = QFileInfo(siteFolder).absolutePath();
        read.strSiteFolder = siteFolder;
        read.strPageFolder = pageInSite;
    }

    // The page's own values: its title (a site page's is its menu's
    // landmark name), the paragraph's alignment, the script line.
    const auto kept = [&decoding](QByteArrayView bytes, EHtmlTextKind kind) {
        return CAppletReader::Kept(DecodeHtmlText(decoding.Decode(bytes), kind));
    };
    if (sitePage && scan.listName.bThere) {
        const QString name = kept(scan.listName.bytes, EHtmlTextKind::Attribute);
        params.m_HTMLTitle = name == MenuLandmarkName(QString()) ? QStringLiteral("Untitled") : name;
    } else if (scan.title.bThere) {
        params.m_HTMLTitle = kept(scan.title.bytes, EHtmlTextKind::Text);
    } else if (!sitePage) {
        notes.Add(QStringLiteral("The page has no title; \"Untitled\" is kept"));
    }
    if (!sitePage) {
        if (!scan.bParagraph) {
            notes.Add(QStringLiteral("The applet is in no paragraph that aligns it; Center is kept"));
        } else {
            CParamFields align(QStringLiteral("The paragraph's alignment"),
                               DecodeHtmlText(decoding.Decode(scan.align.bytes), EHtmlTextKind::Attribute), notes);
            if (scan.align.bThere)
                align.Code(0, QStringLiteral("the code"), StringRange::PageAlign, &params.m_Align);
            else
                notes.Add(QStringLiteral("The applet's paragraph has no alignment; Center is kept"));
        }
    }
    params.m_ModernPage = scan.scriptBefore.bThere || scan.scriptAfter.bThere ? 1 : 0;
    // Its language and description (an author's own page has its own).
    if (!sitePage && scan.lang.bThere) {
        const QString lang = DecodeHtmlText(decoding.Decode(scan.lang.bytes), EHtmlTextKind::Attribute).trimmed();
        if (IsLanguageTag(lang))
            params.m_PageLang = lang;
        else
            notes.Add(QStringLiteral("The page's language \"%1\" is no language tag; the system's, %2, is kept")
                          .arg(lang, params.m_PageLang));
    }
    if (!sitePage && scan.description.bThere)
        params.m_PageDescription =
            DecodeHtmlText(decoding.Decode(scan.description.bytes), EHtmlTextKind::Attribute).trimmed();

    CPagePictures pictures(pageFolder, siteFolder);
    CAppletReader reader(scan, decoding, params, notes, pictures, pageInSite);
    reader.Styles();
    reader.Tree();

    if (scan.nSecondApplets > 0)
        notes.Add(QStringLiteral("The page carries %1 more Glidebar applet%2; only the first is read")
                      .arg(scan.nSecondApplets)
                      .arg(scan.nSecondApplets == 1 ? QString() : QStringLiteral("s")));
    if (scan.nDuplicates > 0)
        notes.Add(QStringLiteral("%1 params repeat a name given before; the first of each name is read, as in the "
                                 "page script")
                      .arg(scan.nDuplicates));
    if (scan.nUnknown > 0)
        notes.Add(QStringLiteral("%1 params of no use to the menu are ignored: %2%3")
                      .arg(scan.nUnknown)
                      .arg(scan.unknownNames.join(QStringLiteral(", ")),
                           scan.nUnknown > scan.unknownNames.size() ? QStringLiteral(", ...") : QString()));

    // The applet's size follows from the menu; a page that gives another
    // one is written again with the menu's.
    qint64 width = 0, height = 0;
    const QRect rect = params.GetAppletRect();
    if (scan.width.bThere && scan.height.bThere
        && CParamFields::PlainNumber(decoding.Decode(scan.width.bytes).trimmed(), 0, INT_MAX, &width)
        && CParamFields::PlainNumber(decoding.Decode(scan.height.bytes).trimmed(), 0, INT_MAX, &height)
        && (width != rect.width() || height != rect.height()))
        notes.Add(QStringLiteral("The applet is %1 x %2 pixels on the page; its menu makes it %3 x %4, as a page "
                                 "written again has it")
                      .arg(width).arg(height).arg(rect.width()).arg(rect.height()));

    read.notes = notes.Lines();
    if (pRead)
        *pRead = read;
    return true;
}

bool CPageReader::ReadPageFile(const QString &strPath, QByteArray *pBytes, QString *pError)
{
    pBytes->clear();
    const QFileInfo info(strPath);
    const QString shown = QDir::toNativeSeparators(strPath);
    // A link to the page is the user's choice: it is followed here, once;
    // what it leads to is read without following another.
    const QString real = info.canonicalFilePath();
    if (real.isEmpty()) {
        if (pError)
            *pError = QStringLiteral("%1: no such file").arg(shown);
        return false;
    }
    CFolderHandle folder;
    if (!folder.Open(QFileInfo(real).absolutePath(), pError))
        return false;
    return folder.ReadFile(QFileInfo(real).fileName(), pBytes, nullptr, pError);
}
