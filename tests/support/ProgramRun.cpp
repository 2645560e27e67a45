#include "ProgramRun.h"

#include <QProcess>

CRun RunProgram(const QString &program, const QStringList &args, const QString &workDir,
                const QProcessEnvironment &env)
{
    QProcess process;
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    if (!env.isEmpty())
        process.setProcessEnvironment(env);
    process.start(program, args);
    CRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
