// Runs a program to its end and keeps its exit code and both outputs: the command-line tools as
// a person runs them.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ProcessRun {
    int exitCode = -1;  // -1 when it crashed or did not end in time
    QByteArray out;
    QByteArray err;
};

inline ProcessRun RunProcess(const QString& program, const QStringList& args,
                             int timeoutMs = 60000) {
    QProcess process;
    process.start(program, args);
    ProcessRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
