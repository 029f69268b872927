#pragma once

#include "store/requirementrows.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace varn::interchange {

// The rows a composer stored for one requirement, carried in an exchange file
// as one JSON object: "Table" (FUNC_REQ or STRUC_REQ), every non-empty
// column by name, and "Values", the possible values in stored order.
class StoredFields
{
public:
    // The non-empty columns of a row after its key: `names` and `texts` side
    // by side, in the table's order.
    static QString encode(const QString &table, const QStringList &names, const QStringList &texts,
                          const QStringList &values);
    // nullopt when the text is no such object.
    static std::optional<QJsonObject> decode(const QString &text);

    static bool isFunctional(const QJsonObject &fields);
    static bool isStructural(const QJsonObject &fields);
    static store::FuncReqRow functionalRow(const QJsonObject &fields);
    static store::StrucReqRow structuralRow(const QJsonObject &fields);
    static QStringList possibleValues(const QJsonObject &fields);
};

} // namespace varn::interchange
