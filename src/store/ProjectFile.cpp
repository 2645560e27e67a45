#include "store/ProjectFile.h"

#include "html/ImageFile.h"
#include "model/AppletParameters.h"
#include "model/StringTable.h"
#include "store/IniFile.h"
#include "store/StoredConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Copies a file into a folder under its own name, replacing what is there
// only once the copy is complete (a temporary file renamed over it).
// Returns false when the copy failed; the caller ignores that.
bool CopyInto(const QString &strSource, const QString &strFolder)
{
    const QFileInfo source(strSource);
    if (!source.isFile())
        return false;
    const QString target = QDir(strFolder).filePath(source.fileName());
    const QFileInfo targetInfo(target);
    // A file already in the page's folder is its own copy.
    if (targetInfo.exists() && targetInfo.canonicalFilePath() == source.canonicalFilePath())
        return true;
    QFile in(strSource);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            out.cancelWriting();
            break;
        }
        if (got == 0)
            break;
        if (out.write(buffer, got) != got)
            break;
    }
    return out.commit();
}

void CopyImage(const QString &strStored, const QString &strFolder)
{
    if (strStored.isEmpty())
        return;
    const QString found = FindImageFile(strStored);
    if (!found.isEmpty())
        CopyInto(found, strFolder);
}

QString Reason(const QString &strPath, const QString &strError)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), strError);
}

} // namespace

QString ProjectPathFor(const QString &strHTMLPath)
{
    const QString name = QFileInfo(strHTMLPath).fileName();
    const QString folderPart = strHTMLPath.left(strHTMLPath.size() - name.size());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return folderPart + (dot < 0 ? name : name.left(dot)) + QStringLiteral(".qdx");
}

bool SavePage(const QString &strPath, const QString &strFolder, const CAppletParameters &params,
              const QString &strHTML, const QString &strAppDir, QString *pError)
{
    // The class file and the images; a failed copy is not an error.
    CopyInto(QDir(strAppDir).filePath(LoadString(StringId::AppletClass)), strFolder);
    CopyImage(params.m_appBKImagePath, strFolder);
    const CAppletMenu &menu = *params.m_pMainMenu;
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CAppletMenuItem &item = *menu.GetItem(i);
        CopyImage(item.m_strImage, strFolder);
        if (item.m_pSubMenu) {
            for (int j = 0; j < item.m_pSubMenu->GetCount(); ++j)
                CopyImage(item.m_pSubMenu->GetItem(j)->m_strImage, strFolder);
        }
    }

    // The page, written whole or not at all.
    QSaveFile page(strPath);
    const QByteArray bytes = strHTML.toUtf8();
    if (!page.open(QIODevice::WriteOnly) || page.write(bytes) != bytes.size() || !page.commit()) {
        if (pError)
            *pError = Reason(strPath, page.errorString());
        return false;
    }

    // The project file, always a fresh one, so no key of an earlier save stays.
    const QString projectPath = ProjectPathFor(strPath);
    QString error;
    if (!ProjectIniFor(params).Save(projectPath, &error)) {
        if (pError)
            *pError = Reason(projectPath, error);
        return false;
    }
    return true;
}

bool CAppletParameters::LoadProject(const QString &strPath)
{
    CIniFile ini;
    ini.Load(strPath);
    LoadProjectFromIni(*this, ini);
    return true;
}
