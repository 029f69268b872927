#pragma once

#include "store/savenotifications.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace varn::central {

// Hears of requirements that other users saved into a team workspace: the
// server tells every connection that listens when a save commits. A burst
// of saves is told once, at most a fixed delay after the first of them, so
// a list follows a busy team without reading itself again for every save.
// On a workspace file nobody else writes, and nothing is ever told.
class RequirementChangeListener : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDelayMs = 250;

    explicit RequirementChangeListener(QObject *parent = nullptr);
    ~RequirementChangeListener() override;

    // Starts listening on the connection; false where the database cannot
    // tell (a workspace file) or the subscription failed.
    bool listen(const QString &connectionName);
    void stop();
    bool isListening() const { return m_saves.isListening(); }

signals:
    // Requirements changed elsewhere since the last time this was said.
    void changedElsewhere();

private:
    void heard();

    store::SaveNotifications m_saves;
    QTimer m_delay;
};

} // namespace varn::central
