#include "central/requirementchangelistener.h"

#include "store/sqldialect.h"

#include <QSqlDatabase>

namespace varn::central {

using store::SqlDialect;

RequirementChangeListener::RequirementChangeListener(QObject *parent) : QObject(parent)
{
    m_delay.setSingleShot(true);
    m_delay.setTimerType(Qt::PreciseTimer);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &RequirementChangeListener::changedElsewhere);
}

RequirementChangeListener::~RequirementChangeListener()
{
    stop();
}

bool RequirementChangeListener::listen(const QString &connectionName)
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
                heard(name, source);
            });
    m_connection = connectionName;
    return true;
}

void RequirementChangeListener::stop()
{
    m_delay.stop();
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

void RequirementChangeListener::heard(const QString &name, QSqlDriver::NotificationSource source)
{
    // This program's own saves list again where they are made.
    if (name != SqlDialect::changeChannel() || source == QSqlDriver::SelfSource)
        return;
    if (!m_delay.isActive())
        m_delay.start();
}

} // namespace varn::central
