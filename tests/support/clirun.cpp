#include "clirun.h"

#include "testbackend.h"

#include <QProcess>

CliRun CliRun::run(QStringList arguments, const QString &workspace)
{
    // Against the server, every new workspace is a team workspace in a
    // database of its own.
    if (TestBackend::isServer() && arguments.value(0) == QLatin1String("new") &&
        !arguments.contains(QStringLiteral("--server")) &&
        arguments.contains(QStringLiteral("--workspace")))
        arguments << QStringLiteral("--server") << TestBackend::freshServerDatabase();
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

QStringList CliRun::addTemplate9(const QString &entity)
{
    QStringList arguments{QStringLiteral("add"), QStringLiteral("--template"), QStringLiteral("9"),
                          QStringLiteral("--preamble"), QStringLiteral("1")};
    for (const QString &field :
         {QStringLiteral("1=notify"), QStringLiteral("4=operational subsystem"),
          QStringLiteral("5=when"), QStringLiteral("6=") + entity,
          QStringLiteral("8=runway weather station"), QStringLiteral("9=changes"),
          QStringLiteral("10=from"), QStringLiteral("11=nominal"), QStringLiteral("12=to"),
          QStringLiteral("13=caution")})
        arguments << QStringLiteral("--field") << field;
    return arguments;
}
