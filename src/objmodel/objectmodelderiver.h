#pragma once

#include "common/outcome.h"
#include "language/termrecord.h"
#include "objmodel/objectmodelwriter.h"

#include <span>

namespace varn::objmodel {

// Turns one labelled requirement into object-model rows: its entities and
// their requirement links, typed sub-entities (inheritance), parts
// (aggregation with "&r" reference attributes), attributes with data types
// and possible values, methods, pointers between associated entities, and
// timers. Rows are only ever added (or an attribute's type changed), so the
// requirements that mention the same entity build one shared model.
class ObjectModelDeriver
{
public:
    explicit ObjectModelDeriver(ObjectModelWriter &tables) : m_tables(tables) {}

    // The records as LabelClauses left them, ended by a record whose group
    // is 0. Refuses with the database's message when a write fails, and with
    // "Invalid GCode character encountered." for a group it does not know;
    // the rows written so far stay in the caller's transaction.
    Outcome DeriveObjectModel(std::span<const language::TermRecord> records, qint32 requirement,
                              bool functional);

private:
    class Walk;
    ObjectModelWriter &m_tables;
};

} // namespace varn::objmodel
