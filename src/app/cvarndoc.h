#pragma once

#include "app/datasource.h"
#include "app/workspacefile.h"

namespace varn::app {

// The workspace document: the values written to the ".vnp" file, the
// connection string built from them, and its own flags.
class CVarnDoc
{
public:
    CVarnDoc() = default;
    explicit CVarnDoc(WorkspaceValues values);

    const WorkspaceValues &values() const { return m_values; }
    DataSource requirementsSource() const;
    QString connectionString() const { return requirementsSource().attributeString(); }
    const QString &title() const { return m_values.systemName; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    bool dataSourceRegistered = false;
    bool requirementsConnectionOpen = false;
    bool applicationConnectionOpen = false;
    QString applicationDescription;

private:
    WorkspaceValues m_values;
    bool m_modified = false;
};

} // namespace varn::app
