#pragma once

#include <QObject>
#include <QString>

namespace varn::store {

// The server's word that another connection committed a save of
// requirements: every save of a team workspace announces itself on one
// channel, and a connection that listens hears each announcement of the
// others once the save commits (its own are not passed on). A workspace file
// has no such channel.
class SaveNotifications : public QObject
{
    Q_OBJECT

public:
    explicit SaveNotifications(QObject *parent = nullptr);
    ~SaveNotifications() override;

    // Subscribes on the connection; false where the database cannot tell
    // (a workspace file) or the subscription failed.
    bool listen(const QString &connectionName);
    void stop();
    bool isListening() const { return !m_connection.isEmpty(); }

signals:
    // Another connection committed a save.
    void savedElsewhere();

private:
    QString m_connection;
};

} // namespace varn::store
