#include "store/savenotifications.h"

#include "store/sqldialect.h"

#include <QSqlDatabase>
#include <QSqlDriver>

namespace varn::store {

SaveNotifications::SaveNotifications(QObject *parent) : QObject(parent) {}

SaveNotifications::~SaveNotifications()
{
    stop();
}

bool SaveNotifications::listen(const QString &connectionName)
{
    stop();
    if (!QSqlDatabase::contains(connectionName))
        return false;
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    QSqlDriver *driver = database.driver();
    if (!database.isOpen() || SqlDialect::announceChange(SqlDialect::of(database)).isEmpty() ||
        !driver->hasFeature(QSqlDriver::EventNotifications) ||
        !driver->subscribeToNotification(SqlDialect::changeChannel()))
        return false;
    connect(driver, &QSqlDriver::notification, this,
            [this](const QString &name, QSqlDriver::NotificationSource source, const QVariant &) {
                // This program's own saves list again where they are made.
                if (name == SqlDialect::changeChannel() && source != QSqlDriver::SelfSource)
                    emit savedElsewhere();
            });
    m_connection = connectionName;
    return true;
}

void SaveNotifications::stop()
{
    if (m_connection.isEmpty())
        return;
    // The connection may have closed with its workspace already.
    if (QSqlDatabase::contains(m_connection)) {
        const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        if (QSqlDriver *driver = database.driver()) {
            disconnect(driver, nullptr, this, nullptr);
            if (database.isOpen())
                driver->unsubscribeFromNotification(SqlDialect::changeChannel());
        }
    }
    m_connection.clear();
}

} // namespace varn::store
