#pragma once

#include "common/outcome.h"
#include "templates/draftattributes.h"

#include <QString>

namespace varn::templates {

// A technical requirement as the "Compose Technical Requirement" dialog holds
// it: free text after "The <system> system shall", and the attributes.
struct TechnicalDraft : DraftAttributes
{
    QString text;

    // Opening on a stored requirement: its text and attributes from its
    // MASTER_REQ row; refuses with "Error querying the Requirements database.".
    static Result<TechnicalDraft> stored(const QString &connectionName, int number, bool edit);
    // Clear: the text emptied, a new requirement again; the attributes stay.
    void clear();
};

} // namespace varn::templates
