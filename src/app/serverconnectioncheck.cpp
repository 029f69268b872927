#include "app/serverconnectioncheck.h"

#include "app/teamdatabase.h"
#include "store/sqlconnection.h"

namespace varn::app {

namespace {

const QString kConnection = QStringLiteral("varn-server-check");

QString whoWhere(const store::ServerAddress &address)
{
    QString text = QStringLiteral("Connected to the database \"%1\" on %2, port %3")
                       .arg(address.databaseName(), address.host())
                       .arg(address.port());
    if (!address.userName().isEmpty())
        text += QStringLiteral(", as %1").arg(address.userName());
    return text + QStringLiteral(".\n");
}

} // namespace

Result<QString> ServerConnectionCheck::run(const store::ServerAddress &address)
{
    Result<QString> said = Outcome::silentlyRefused();
    {
        const Result<QSqlDatabase> database =
            store::SqlConnection::openServer(kConnection, address);
        if (!database)
            return Outcome::stop(QStringLiteral("Cannot connect to the server.\n") +
                                 database.outcome().message());
        const Result<QString> system = TeamDatabase::systemName(database.value());
        if (!system)
            said = system.outcome();
        else if (system->isEmpty())
            said = whoWhere(address) +
                   QStringLiteral("The database holds no requirements yet: OK creates them.");
        else
            said = whoWhere(address) +
                   QStringLiteral("The database holds the requirements of the system \"%1\": "
                                  "OK with that System Name joins them.")
                       .arg(system.value());
    }
    store::SqlConnection::close(kConnection);
    return said;
}

} // namespace varn::app
