#include "interchange/storedfields.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace varn::interchange {

namespace {

const QString kTable = QStringLiteral("Table");
const QString kValues = QStringLiteral("Values");
const QString kFunctionalTable = QStringLiteral("FUNC_REQ");
const QString kStructuralTable = QStringLiteral("STRUC_REQ");

// Fills a row's members from the object by the table's column names; the key
// column is left to the new requirement.
template <typename Row, std::size_t N>
Row rowOf(const QJsonObject &fields, const store::RecordColumn<Row> (&columns)[N])
{
    Row row;
    for (std::size_t i = 1; i < N; ++i) {
        const QJsonValue value = fields.value(QLatin1String(columns[i].name));
        if (value.isUndefined())
            continue;
        if (const auto *number = std::get_if<int Row::*>(&columns[i].member))
            row.**number = value.isString() ? value.toString().toInt() : value.toInt();
        else
            row.*std::get<QString Row::*>(columns[i].member) =
                value.isString() ? value.toString() : QString::number(value.toInt());
    }
    return row;
}

} // namespace

QString StoredFields::encode(const QString &table, const QSqlRecord &record,
                             const QStringList &values)
{
    QJsonObject fields{{kTable, table}};
    // The key (the first column) belongs to the exporting workspace.
    for (int i = 1; i < record.count(); ++i) {
        const QVariant value = record.value(i);
        if (value.isNull() || value.toString().isEmpty())
            continue;
        fields.insert(record.fieldName(i), value.toString());
    }
    if (!values.isEmpty())
        fields.insert(kValues, QJsonArray::fromStringList(values));
    return QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact));
}

std::optional<QJsonObject> StoredFields::decode(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject fields = document.object();
    if (!isFunctional(fields) && !isStructural(fields))
        return std::nullopt;
    return fields;
}

bool StoredFields::isFunctional(const QJsonObject &fields)
{
    return fields.value(kTable).toString() == kFunctionalTable;
}

bool StoredFields::isStructural(const QJsonObject &fields)
{
    return fields.value(kTable).toString() == kStructuralTable;
}

store::FuncReqRow StoredFields::functionalRow(const QJsonObject &fields)
{
    return rowOf(fields, store::kFuncReqColumns);
}

store::StrucReqRow StoredFields::structuralRow(const QJsonObject &fields)
{
    return rowOf(fields, store::kStrucReqColumns);
}

QStringList StoredFields::possibleValues(const QJsonObject &fields)
{
    QStringList values;
    for (const QJsonValue &value : fields.value(kValues).toArray())
        values.append(value.toString());
    return values;
}

} // namespace varn::interchange
