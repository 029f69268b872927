#pragma once

#include "objmodel/objectmodelwriter.h"
#include "store/requirementwriter.h"
#include "templates/commitresult.h"
#include "templates/composedrequirement.h"

#include <QDate>

namespace varn::templates {

// The Save that every composer shares: the record-set groups, the one
// transaction, the requirement number, the MASTER_REQ row with its attributes
// and version data, the grammar checks, the composer's own rows, the derived
// object model, the commit and, after an edit, the retired earlier version.
// A refusal at any step leaves rows and counters exactly as they were.
class SaveFrame
{
public:
    explicit SaveFrame(store::RecordObjects &records);

    CommitResult save(ComposedRequirement &requirement, const QDate &today);

private:
    class Run;
    store::RequirementWriter m_writer;
    objmodel::ObjectModelWriter m_modelTables; // its statements serve every save
};

} // namespace varn::templates
