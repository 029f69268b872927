#pragma once

#include "common/outcome.h"
#include "generate/generationtypes.h"
#include "generate/generatormessages.h"
#include "generate/objectmodel.h"

#include <QSqlDatabase>

#include <initializer_list>

namespace varn::generate {

// Reads the object-model tables of a requirements database into an
// ObjectModel, read-only, one whole-table query per record set. A failure
// comes back as the generator's message for that record set.
class ObjectModelReader
{
public:
    // Reads the tables behind the given record sets, in the order given; the
    // kind chooses the wording of the failure messages.
    static Result<ObjectModel> read(const QSqlDatabase &database,
                                    std::initializer_list<RecordSet> recordSets,
                                    GeneratorKind kind);
};

} // namespace varn::generate
