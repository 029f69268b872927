#pragma once

#include <QString>
#include <QStringList>

// One run of varn-cli to its end, for the suites that drive the program as a
// user would. ctest names the program in VARN_CLI.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;

    // With a workspace, "--workspace FILE" goes after the command name. On
    // the server backend, "new" makes a team workspace in a fresh database.
    static CliRun run(QStringList arguments, const QString &workspace = {});
    // "add" of a functional requirement of template 9 about the entity.
    static QStringList addTemplate9(const QString &entity);
};
