#include "central/requirementchangelistener.h"

namespace varn::central {

RequirementChangeListener::RequirementChangeListener(QObject *parent) : QObject(parent)
{
    m_delay.setSingleShot(true);
    m_delay.setTimerType(Qt::PreciseTimer);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &RequirementChangeListener::changedElsewhere);
    connect(&m_saves, &store::SaveNotifications::savedElsewhere, this,
            &RequirementChangeListener::heard);
}

RequirementChangeListener::~RequirementChangeListener()
{
    stop();
}

bool RequirementChangeListener::listen(const QString &connectionName)
{
    stop();
    return m_saves.listen(connectionName);
}

void RequirementChangeListener::stop()
{
    m_delay.stop();
    m_saves.stop();
}

void RequirementChangeListener::heard()
{
    if (!m_delay.isActive())
        m_delay.start();
}

} // namespace varn::central
