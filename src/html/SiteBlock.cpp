#include "html/SiteBlock.h"

#include "html/AppletBlock.h"
#include "html/PageText.h"
#include "html/SiteLinks.h"
#include "model/text/StringTable.h"
#include "store/beside/ImageFile.h"
#include "store/beside/BesideFiles.h"
#include "store/site/SitePageText.h"

#include <QDir>
#include <QFileInfo>

#include <QHash>

#include <memory>

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

CSiteBlockMaker SiteBlockMaker(const CAppletParameters &p, const CMessageReporter &report)
{
    struct CMade {
        QHash<QString, QByteArray> blocks;
        bool bReported = false;
    };
    auto made = std::make_shared<CMade>();
    return [&p, report, made](const QString &folder, const QByteArray &eol) {
        const QString key = folder + QLatin1Char('\n') + QString::fromLatin1(eol);
        const auto found = made->blocks.constFind(key);
        if (found != made->blocks.constEnd())
            return *found;
        const CMessageReporter once = [&](const QString &message) {
            if (!made->bReported && report)
                report(message);
        };
        const QByteArray block = SiteMenuBlock(p, folder, eol, once);
        made->bReported = true;
        made->blocks.insert(key, block);
        return block;
    };
}

namespace {

// A comment ends at "--": a path that holds one is written with a space
// between the dashes.
QString InComment(QString text)
{
    while (text.contains(QLatin1String("--")))
        text.replace(QLatin1String("--"), QLatin1String("- -"));
    return text;
}

} // namespace

QString MenuCodeText(const CAppletParameters &p, const QString &strAppDir, QStringList *pFiles,
                     const CMessageReporter &report)
{
    // Each file with the folder it is copied from; images of one name are
    // one file beside the page, as a save copies them.
    QList<QPair<QString, QString>> files;
    files.append({LoadString(StringId::PageScript), strAppDir});
    files.append({LoadString(StringId::AppletClass), strAppDir});
    for (const QString &image : ImageFilesToCopy(p)) {
        const QFileInfo info(image);
        bool named = false;
        for (const auto &file : files)
            named = named || file.first == info.fileName();
        if (!named)
            files.append({info.fileName(), info.absolutePath()});
    }

    QString note = QStringLiteral("<!-- Vantrel menu code. Copy these files beside the page:\n");
    for (const auto &file : files) {
        note += QStringLiteral("  ") + InComment(file.first);
        if (!file.second.isEmpty())
            note += QStringLiteral(" (from %1)").arg(InComment(QDir::toNativeSeparators(file.second)));
        note += QLatin1Char('\n');
    }
    note += QStringLiteral("Put this line into the page's head where it has none:\n  %1\n-->\n")
                .arg(QLatin1String(kViewportLine));
    if (pFiles) {
        pFiles->clear();
        for (const auto &file : files)
            pFiles->append(file.first);
    }
    const QByteArray block = SiteMenuBlock(p, QString(), "\n", report);
    return note + QLatin1String(kMenuMarkerBegin) + QString::fromLatin1(block) + QLatin1String(kMenuMarkerEnd)
           + QLatin1Char('\n');
}
