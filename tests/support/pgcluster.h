#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A private PostgreSQL 15 cluster for one test process: started at the first
// call of instance(), reachable only through a Unix socket in a temporary
// folder with trust authentication, and stopped when the process ends. The
// data folder is copied from a template made once per build tree, so a suite
// pays for initdb only the first time. As root the server runs as the
// postgres user, since initdb refuses the superuser.
class PgCluster
{
public:
    // The running cluster, or nullptr (and a failed test) when it cannot start.
    static PgCluster *instance();
    ~PgCluster();

    QString socketFolder() const { return m_folder.path(); }
    static QString userName() { return QStringLiteral("varn"); }

    // Creates an empty database of a new name and returns the libpq string
    // that reaches it ("host=... port=... dbname=... user=..."); empty on failure.
    QString createDatabase();
    // Runs a psql script on one database; false with psql's output in the log.
    bool runScript(const QString &databaseName, const QString &scriptPath) const;

    // Stops the server at once (a server that goes away) and starts it again.
    bool stop();
    bool start();
    bool isRunning() const { return m_running; }

    static QString databaseOf(const QString &serverString);

private:
    PgCluster() = default;
    bool prepare();
    bool runAsOwner(const QStringList &command, QString *output = nullptr) const;

    QTemporaryDir m_folder;
    bool m_running = false;
    int m_databases = 0;
};
