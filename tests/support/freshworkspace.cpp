#include "freshworkspace.h"

#include "storetestsupport.h"

FreshWorkspace::FreshWorkspace(const QString &connectionName) : m_connection(connectionName)
{
    if (StoreTestSupport::openFreshDatabase(m_folder, m_connection))
        m_records = std::make_unique<varn::store::RecordObjects>(m_connection);
}

FreshWorkspace::~FreshWorkspace()
{
    // The record sets go before the connection they read through.
    m_records.reset();
    StoreTestSupport::closeDatabase(m_connection);
}
