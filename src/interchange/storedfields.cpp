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

// A JSON string: quotes and backslashes escaped, control characters as
// \u00XX.
void appendString(QString &json, const QString &text)
{
    json += QLatin1Char('"');
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            json += QLatin1Char('\\');
            json += c;
        } else if (c.unicode() < 0x20) {
            json += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
        } else {
            json += c;
        }
    }
    json += QLatin1Char('"');
}

} // namespace

QString StoredFields::encode(const QString &table, const QStringList &names,
                             const QStringList &texts, const QStringList &values)
{
    // Written by hand: an export encodes one object per requirement, and this
    // is several times faster than building a document for each.
    QString json = QStringLiteral("{\"Table\":");
    appendString(json, table);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (texts[i].isEmpty())
            continue;
        json += QLatin1Char(',');
        appendString(json, names[i]);
        json += QLatin1Char(':');
        appendString(json, texts[i]);
    }
    if (!values.isEmpty()) {
        json += QStringLiteral(",\"Values\":[");
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (i > 0)
                json += QLatin1Char(',');
            appendString(json, values[i]);
        }
        json += QLatin1Char(']');
    }
    return json + QLatin1Char('}');
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
