#include "clirun.h"

#include <QProcess>

CliRun CliRun::run(QStringList arguments, const QString &workspace)
{
    if (!workspace.isEmpty()) {
        arguments.insert(1, QStringLiteral("--workspace"));
        arguments.insert(2, workspace);
    }
    QProcess process;
    process.start(qEnvironmentVariable("VARN_CLI"), arguments);
    if (!process.waitForFinished(30000))
        return {-1, QString(), QStringLiteral("varn-cli did not finish: ") + process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
