#include "app/cvarndoc.h"

namespace varn::app {

CVarnDoc::CVarnDoc(WorkspaceValues values) : m_values(std::move(values)) {}

DataSource CVarnDoc::requirementsSource() const
{
    return {m_values.dataSourceName, m_values.userId,           m_values.password,
            m_values.description,    m_values.databaseFileName, m_values.databaseFolder};
}

} // namespace varn::app
