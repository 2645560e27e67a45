#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What a program run printed and how it ended.
struct CRun {
    int exitCode = -1; // -1: it did not end normally within a minute
    QByteArray out;
    QByteArray err;
};

// Runs `program` with `args`, in workDir and with env when given.
CRun RunProgram(const QString &program, const QStringList &args, const QString &workDir = QString(),
                const QProcessEnvironment &env = QProcessEnvironment());
