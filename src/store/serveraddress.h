#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::store {

// Where a team's requirements database lives: a libpq keyword/value string
// such as "host=db.example port=5432 dbname=reqs user=ann". Only plain
// keyword=value pairs of known keywords are accepted, and never a password
// (it comes from ~/.pgpass or PGPASSWORD), so the string can travel in a
// workspace file and is never pasted into SQL.
class ServerAddress
{
public:
    static Result<ServerAddress> parse(const QString &text);
    // The address a form's fields give, each named by its label in a
    // refusal. An empty host is the local server; an empty user, the login
    // name the driver uses.
    struct Fields
    {
        QString host;
        int port = 5432;
        QString databaseName;
        QString userName;
    };
    static Result<ServerAddress> fromFields(const Fields &fields);

    const QString &host() const { return m_host; }
    int port() const { return m_port; }
    const QString &databaseName() const { return m_databaseName; }
    const QString &userName() const { return m_userName; }
    // The keywords the connection passes on as they are (sslmode, ...).
    const QString &connectOptions() const { return m_connectOptions; }

    // The canonical text: the pairs in a fixed order, what a workspace keeps.
    QString text() const;

private:
    QString m_host;
    int m_port = 5432;
    QString m_databaseName;
    QString m_userName;
    QString m_connectOptions;
};

} // namespace varn::store
