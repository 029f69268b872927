#include "app/serverconnectioncheck.h"

#include "store/sqlconnection.h"
#include "store/teamdatabase.h"

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
    if (Outcome connected = store::SqlConnection::connectServer(kConnection, address); !connected)
        return Outcome::stop(QStringLiteral("Cannot connect to the server.\n") +
                             connected.message());
    const Result<QString> system = store::TeamDatabase::systemName(kConnection);
    store::SqlConnection::close(kConnection);
    if (!system)
        return system.outcome();
    if (system->isEmpty())
        return whoWhere(address) +
               QStringLiteral("The database holds no requirements yet: OK creates them.");
    return whoWhere(address) +
           QStringLiteral("The database holds the requirements of the system \"%1\": "
                          "OK with that System Name joins them.")
               .arg(system.value());
}

} // namespace varn::app
