#include "store/beside/BesideFiles.h"

#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"
#include "store/beside/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// File names compared as the platform's file systems compare them.
QString NameKey(const QString &name)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return name.toCaseFolded();
#else
    return name;
#endif
}

} // namespace

QStringList ImageFilesToCopy(const CAppletParameters &params)
{
    CImageLookup images;
    QStringList files;
    QSet<QString> seen;
    auto add = [&](const QString &strStored) {
        if (strStored.isEmpty())
            return;
        const QString found = images.Find(strStored);
        if (found.isEmpty())
            return;
        const QString key = QFileInfo(found).canonicalFilePath();
        if (!seen.contains(key)) {
            seen.insert(key);
            files.append(found);
        }
    };
    add(params.m_appBKImagePath);
    params.m_pMainMenu->ForEachItem([&](const CAppletMenuItem &item, int, int) { add(item.m_strImage); });
    return files;
}

bool CollectBesideFiles(const CAppletParameters &params, const QString &strAppDir, const QString &strFolder,
                        bool bScript, const QString &strPagePath, const QStringList &taken,
                        CBesideFiles *pBeside, QString *pError)
{
    *pBeside = CBesideFiles();
    const QDir folder(strFolder);
    const QDir app(strAppDir);
    const QString scriptName = LoadString(StringId::PageScript);
    const QString className = LoadString(StringId::AppletClass);

    // The script is small: read whole now, so that a program folder without
    // it stops the save before anything is written.
    if (bScript) {
        const QString source = app.filePath(scriptName);
        QFile in(source);
        QByteArray bytes;
        if (QFileInfo(source).isFile() && in.open(QIODevice::ReadOnly))
            bytes = in.readAll();
        if (!in.isOpen() || in.error() != QFileDevice::NoError) {
            if (pError)
                *pError = QStringLiteral("%1: the menu script cannot be read: %2 (%3 loads it)")
                              .arg(Shown(source), in.isOpen() || QFileInfo::exists(source) ? in.errorString()
                                                                                           : QStringLiteral("No such file or directory"),
                                   Shown(strPagePath));
            return false;
        }
        pBeside->files.append(CFileContent(folder.filePath(scriptName), bytes));
        pBeside->names.append(scriptName);
    }
    // The class file, when the program folder has one (a stand-in, or the
    // vendor's); anything but a regular file is not read.
    const QString classSource = app.filePath(className);
    if (QFileInfo(classSource).isFile()) {
        CFileContent copy(folder.filePath(className), QByteArray());
        copy.strCopyFrom = classSource;
        pBeside->files.append(copy);
        pBeside->names.append(className);
    }

    // Which file takes each name in the folder, for the message.
    QHash<QString, QString> owners;
    for (const QString &name : taken)
        owners.insert(NameKey(name), folder.filePath(name));
    owners.insert(NameKey(scriptName), app.filePath(scriptName));
    owners.insert(NameKey(className), app.filePath(className));
    for (const QString &image : ImageFilesToCopy(params)) {
        const QString name = QFileInfo(image).fileName();
        const auto owner = owners.constFind(NameKey(name));
        if (owner != owners.constEnd()) {
            if (pError)
                *pError = QStringLiteral("%1: its copy in %2 would take the name of %3; rename one of them")
                              .arg(Shown(image), Shown(strFolder), Shown(owner.value()));
            return false;
        }
        owners.insert(NameKey(name), image);
        CFileContent copy(folder.filePath(name), QByteArray());
        copy.strCopyFrom = image;
        copy.bPictureOnly = true;
        pBeside->files.append(copy);
        pBeside->names.append(name);
    }
    return true;
}
