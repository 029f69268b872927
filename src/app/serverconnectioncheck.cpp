#include "app/serverconnectioncheck.h"
#include "app/apptr.h"

#include "store/sqlconnection.h"
#include "store/teamdatabase.h"

namespace varn::app {

namespace {

const QString kConnection = QStringLiteral("varn-server-check");

QString whoWhere(const store::ServerAddress &address)
{
    if (address.userName().isEmpty())
        return Tr::tr("Connected to the database \"%1\" on %2, port %3.\n")
            .arg(address.databaseName(), address.host(), QString::number(address.port()));
    return Tr::tr("Connected to the database \"%1\" on %2, port %3, as %4.\n")
        .arg(address.databaseName(), address.host(), QString::number(address.port()),
             address.userName());
}

} // namespace

Result<QString> ServerConnectionCheck::run(const store::ServerAddress &address)
{
    if (Outcome connected = store::SqlConnection::connectServer(kConnection, address); !connected)
        return Outcome::stop(Tr::tr("Cannot connect to the server.\n") + connected.message());
    const Result<QString> system = store::TeamDatabase::systemName(kConnection);
    store::SqlConnection::close(kConnection);
    if (!system)
        return system.outcome();
    if (system->isEmpty())
        return whoWhere(address) +
               Tr::tr("The database holds no requirements yet: OK creates them.");
    return whoWhere(address) + Tr::tr("The database holds the requirements of the system \"%1\": "
                                      "OK with that System Name joins them.")
                                   .arg(system.value());
}

} // namespace varn::app
