#pragma once

#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace varn::store {

// The worked examples of the application database (MASTER_REQ, FUNC_REQ,
// STRUC_REQ and POSS_VALS there), read only: the rows the navigators show and
// the rows a template's See Example fills in. A failure is the record set's
// own ("Cannot open VarnStSet recordset.\n" and the database's text) unless
// a method says otherwise.
class WorkedExamples
{
public:
    explicit WorkedExamples(QString applicationConnection)
        : m_connection(std::move(applicationConnection))
    {}

    // At most `count` MASTER_REQ rows in number order, from the row at
    // position `first` (counted from 1). A failure says "Cannot open
    // VarnMsSet recordset.\n" and the database's text.
    Result<QList<VarnMasterRow>> masterRows(int first, int count) const;
    // The example's STRUC_REQ row; nullopt when there is none.
    Result<std::optional<StrucReqRow>> structural(qint32 number) const;
    // The values the example lists, in the order saved.
    Result<QStringList> possibleValues(qint32 number) const;
    // The numbers of the functional examples (FUNC_REQ), in order. A failure
    // says "Cannot open VarnSet recordset.\n".
    Result<QList<int>> functionalNumbers() const;

private:
    QString m_connection;
};

} // namespace varn::store
