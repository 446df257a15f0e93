// Running a program for the package tests: its exit code and its output.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct TRun {
    bool Finished = false;
    int ExitCode = -1;
    QString Output; // stdout and stderr together
};

inline TRun Run(const QString &program, const QStringList &args,
                const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                const QString &workDir = QString(), int timeoutMs = 60000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    TRun r;
    r.Finished = p.waitForStarted() && p.waitForFinished(timeoutMs);
    r.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Output = QString::fromLocal8Bit(p.readAll());
    return r;
}
