#pragma once

#include "common/outcome.h"
#include "store/requirementlisting.h"

#include <QString>

#include <functional>

namespace varn::store {

// What a listing writes of one requirement: its number, its kind and the two
// parts of its sentence.
struct ListedRow
{
    qint32 number = 0;
    QString type;
    QString preamble;
    QString text;
};

// The rows a selection lists, in the order asked for, read by one
// forward-only query and handed over as they arrive: a listing of any length
// is written in the memory of a row, on a server as in a workspace file. The
// order and the rows are those RequirementListing gives Requirements Central.
// A failure says "Cannot open ReqMsSet recordset.\n" and the database's text.
// While the rows go by the connection runs nothing else: take writes them
// out and leaves the database alone.
class ListingReader
{
public:
    explicit ListingReader(QString connectionName) : m_connection(std::move(connectionName)) {}

    using Take = std::function<void(const ListedRow &)>;
    Outcome forEach(const RequirementSelection &selection, RequirementOrder order, bool ascending,
                    const Take &take) const;

private:
    QString m_connection;
};

} // namespace varn::store
