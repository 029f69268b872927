#pragma once

#include "common/outcome.h"
#include "language/requirementbuilder.h"
#include "templates/functionaldraft.h"

#include <QString>

namespace varn::store {
struct FuncReqRow;
struct MasterReqRow;
} // namespace varn::store

namespace varn::templates {

// Reads a stored functional requirement into the draft its composer opens
// with: a template's fields and lists, or the Builder's cells, with the
// attributes and version data of its MASTER_REQ row. Works on the
// requirements database (edit and re-use) and on the application database
// (the worked examples).
class StoredRequirementLoader
{
public:
    // For an edit the draft saves a new version of the requirement; otherwise
    // a later save stores an independent requirement.
    static Result<FunctionalDraft> functional(const QString &connectionName, int number, bool edit);
    // A requirement composed in the Builder (or its worked example) as the
    // Builder loads it: the preamble, the 28 cells and the G-code, with the
    // version data when the MASTER_REQ row is there.
    static Result<language::StoredBuilderRequirement> builderCells(const QString &connectionName,
                                                                   int number, bool edit);
    // The draft of rows read elsewhere (an exchange file): a template's
    // fields, or the Builder's cells when Source is 0. The draft holds a new
    // requirement.
    static Result<FunctionalDraft> fromRows(const store::FuncReqRow &fields,
                                            const store::MasterReqRow &master);
    // The numbers of the stored functional requirements, in order.
    static Result<QList<int>> functionalNumbers(const QString &connectionName);
};

} // namespace varn::templates
