#include "html/SiteBlock.h"

#include "html/AppletBlock.h"
#include "html/PageText.h"
#include "html/SiteLinks.h"
#include "store/ImageFile.h"

QByteArray SiteMenuBlock(const CAppletParameters &p, const QString &pageFolder, const QByteArray &eol,
                         const CMessageReporter &report)
{
    CPageText text;
    text.Put("\r\n");
    CAppletBlockPaths paths;
    paths.strPageFolder = pageFolder;
    paths.strPrefix = SiteFolderPrefix(pageFolder);
    CImageLookup images;
    AppendAppletBlock(text, p, true, paths, images, report);
    QByteArray block = QByteArray::fromStdString(text.Bytes());
    // Every value in the block is escaped, so its only CR LF pairs are its
    // line ends.
    if (eol != "\r\n")
        block.replace("\r\n", eol);
    return block;
}
