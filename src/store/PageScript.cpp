#include "store/PageScript.h"

#include "model/AppletParameters.h"
#include "model/StringTable.h"
#include "store/AtomicFile.h"

#include <QDir>
#include <QFile>

bool CopyPageScriptFor(const CAppletParameters &params, const QString &strAppDir,
                       const QString &strFolder, const QString &strPagePath, QString *pError)
{
    return !params.m_ModernPage || CopyPageScript(strAppDir, strFolder, strPagePath, pError);
}

bool CopyPageScript(const QString &strAppDir, const QString &strFolder, const QString &strPagePath,
                    QString *pError)
{
    auto Fail = [&](const QString &strPath, const QString &strReason) {
        if (pError)
            *pError = QStringLiteral("%1: %2 (%3 loads it)")
                          .arg(QDir::toNativeSeparators(strPath), strReason,
                               QDir::toNativeSeparators(strPagePath));
        return false;
    };
    const QString name = LoadString(StringId::PageScript);
    const QString source = QDir(strAppDir).filePath(name);
    const QString target = QDir(strFolder).filePath(name);

    // The script is small: read whole, then written whole under a temporary
    // name and renamed, so a failure never leaves part of it beside the page.
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return Fail(source, QStringLiteral("the menu script cannot be read: %1").arg(in.errorString()));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return Fail(source, QStringLiteral("the menu script cannot be read: %1").arg(in.errorString()));
    in.close();

    QString error;
    if (!WriteFileAtomically(target, bytes, &error))
        return Fail(target, error);
    return true;
}
