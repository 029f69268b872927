#include "interchange/foreigndocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace varn::interchange {

namespace {

using Json = QJsonObject;

QString text(const Json &json, const char *key)
{
    return json.value(QLatin1String(key)).toString();
}

QJsonArray strings(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QStringList stringList(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list.append(item.toString());
    return list;
}

Json valueJson(const ReqIfContent::Value &value)
{
    return Json{
        {"d", value.definition}, {"k", value.kind}, {"t", value.text}, {"o", value.original}};
}

ReqIfContent::Value valueOf(const Json &json)
{
    return {text(json, "d"), text(json, "k"), text(json, "t"), text(json, "o")};
}

QJsonArray valuesJson(const QList<ReqIfContent::Value> &values)
{
    QJsonArray array;
    for (const ReqIfContent::Value &value : values)
        array.append(valueJson(value));
    return array;
}

QList<ReqIfContent::Value> valuesOf(const QJsonValue &json)
{
    QList<ReqIfContent::Value> values;
    for (const QJsonValue &item : json.toArray())
        values.append(valueOf(item.toObject()));
    return values;
}

Json datatypeJson(const ReqIfContent::Datatype &datatype)
{
    Json facets;
    for (auto it = datatype.facets.cbegin(); it != datatype.facets.cend(); ++it)
        facets.insert(it.key(), it.value());
    QJsonArray values;
    for (const ReqIfContent::EnumValue &value : datatype.values)
        values.append(Json{{"i", value.identifier},
                           {"n", value.longName},
                           {"k", value.key},
                           {"o", value.otherContent},
                           {"c", value.lastChange}});
    return Json{{"i", datatype.identifier},
                {"n", datatype.longName},
                {"k", datatype.kind},
                {"c", datatype.lastChange},
                {"f", facets},
                {"v", values}};
}

ReqIfContent::Datatype datatypeOf(const Json &json)
{
    ReqIfContent::Datatype datatype{
        text(json, "i"), text(json, "n"), text(json, "k"), text(json, "c"), {}, {}};
    const Json facets = json.value(QLatin1String("f")).toObject();
    for (auto it = facets.constBegin(); it != facets.constEnd(); ++it)
        datatype.facets.insert(it.key(), it.value().toString());
    for (const QJsonValue &item : json.value(QLatin1String("v")).toArray()) {
        const Json value = item.toObject();
        datatype.values.append({text(value, "i"), text(value, "n"), text(value, "k"),
                                text(value, "o"), text(value, "c")});
    }
    return datatype;
}

Json definitionJson(const ReqIfContent::Definition &definition)
{
    return Json{{"n", definition.longName},    {"k", definition.kind},
                {"i", definition.identifier},  {"d", definition.datatype},
                {"s", definition.specType},    {"c", definition.lastChange},
                {"m", definition.multiValued}, {"u", !definition.defined}};
}

ReqIfContent::Definition definitionOf(const Json &json)
{
    ReqIfContent::Definition definition;
    definition.longName = text(json, "n");
    definition.kind = text(json, "k");
    definition.identifier = text(json, "i");
    definition.datatype = text(json, "d");
    definition.specType = text(json, "s");
    definition.lastChange = text(json, "c");
    definition.multiValued = json.value(QLatin1String("m")).toBool();
    definition.defined = !json.value(QLatin1String("u")).toBool();
    return definition;
}

Json objectJson(const ReqIfContent::Object &object)
{
    return Json{{"i", object.identifier},
                {"t", object.type},
                {"n", object.longName},
                {"c", object.lastChange},
                {"v", valuesJson(object.values)}};
}

ReqIfContent::Object objectOf(const Json &json)
{
    return {text(json, "i"), text(json, "t"), text(json, "n"), text(json, "c"),
            valuesOf(json.value(QLatin1String("v")))};
}

} // namespace

QString ForeignDocument::encodeLayout(const ReqIfContent &content,
                                      const QSet<QString> &keptElsewhere)
{
    QJsonArray datatypes;
    for (const ReqIfContent::Datatype &datatype : content.datatypes)
        datatypes.append(datatypeJson(datatype));
    QJsonArray specTypes;
    for (const ReqIfContent::SpecType &type : content.specTypes)
        specTypes.append(Json{{"i", type.identifier},
                              {"n", type.longName},
                              {"k", type.kind},
                              {"c", type.lastChange},
                              {"d", strings(type.definitions)}});
    QJsonArray definitions;
    for (const ReqIfContent::Definition &definition : content.definitions)
        definitions.append(definitionJson(definition));
    QJsonArray objects;
    for (const ReqIfContent::Object &object : content.objects) {
        if (!keptElsewhere.contains(object.identifier))
            objects.append(objectJson(object));
    }
    QJsonArray specifications;
    for (const ReqIfContent::Specification &specification : content.specifications)
        specifications.append(Json{{"i", specification.identifier},
                                   {"n", specification.longName},
                                   {"t", specification.type},
                                   {"c", specification.lastChange},
                                   {"v", valuesJson(specification.values)}});
    QJsonArray hierarchy;
    for (const ReqIfContent::Node &node : content.hierarchy)
        hierarchy.append(Json{{"o", node.object},
                              {"p", node.paragraph},
                              {"i", node.identifier},
                              {"d", node.depth},
                              {"s", node.specification},
                              {"c", node.lastChange}});
    const Json layout{
        {"tool", content.sourceToolId}, {"header", content.headerIdentifier},
        {"title", content.title},       {"datatypes", datatypes},
        {"specTypes", specTypes},       {"definitions", definitions},
        {"objects", objects},           {"specifications", specifications},
        {"hierarchy", hierarchy},       {"undefined", strings(content.undefinedReferences)}};
    return QString::fromUtf8(QJsonDocument(layout).toJson(QJsonDocument::Compact));
}

ReqIfContent ForeignDocument::decodeLayout(const QString &layout)
{
    const Json json = QJsonDocument::fromJson(layout.toUtf8()).object();
    ReqIfContent content;
    content.sourceToolId = text(json, "tool");
    content.headerIdentifier = text(json, "header");
    content.title = text(json, "title");
    for (const QJsonValue &item : json.value(QLatin1String("datatypes")).toArray())
        content.datatypes.append(datatypeOf(item.toObject()));
    for (const QJsonValue &item : json.value(QLatin1String("specTypes")).toArray()) {
        const Json type = item.toObject();
        content.specTypes.append({text(type, "i"), text(type, "n"), text(type, "k"),
                                  text(type, "c"), stringList(type.value(QLatin1String("d")))});
    }
    for (const QJsonValue &item : json.value(QLatin1String("definitions")).toArray()) {
        const ReqIfContent::Definition definition = definitionOf(item.toObject());
        content.definitions.insert(definition.identifier, definition);
    }
    for (const QJsonValue &item : json.value(QLatin1String("objects")).toArray())
        content.objects.append(objectOf(item.toObject()));
    for (const QJsonValue &item : json.value(QLatin1String("specifications")).toArray()) {
        const Json specification = item.toObject();
        content.specifications.append({text(specification, "i"), text(specification, "n"),
                                       text(specification, "t"), text(specification, "c"),
                                       valuesOf(specification.value(QLatin1String("v")))});
    }
    for (const QJsonValue &item : json.value(QLatin1String("hierarchy")).toArray()) {
        const Json node = item.toObject();
        ReqIfContent::Node place;
        place.object = text(node, "o");
        place.paragraph = text(node, "p");
        place.identifier = text(node, "i");
        place.depth = node.value(QLatin1String("d")).toInt(1);
        place.specification = text(node, "s");
        place.lastChange = text(node, "c");
        content.hierarchy.append(place);
    }
    content.undefinedReferences = stringList(json.value(QLatin1String("undefined")));
    return content;
}

QString ForeignDocument::encodeValues(const QList<ReqIfContent::Value> &values)
{
    if (values.isEmpty())
        return {};
    return QString::fromUtf8(QJsonDocument(valuesJson(values)).toJson(QJsonDocument::Compact));
}

QList<ReqIfContent::Value> ForeignDocument::decodeValues(const QString &text)
{
    if (text.isEmpty())
        return {};
    return valuesOf(QJsonDocument::fromJson(text.toUtf8()).array());
}

store::ForeignObjectRow ForeignDocument::objectRow(const ReqIfContent &content,
                                                   const ReqIfContent::Object &object)
{
    store::ForeignObjectRow row;
    row.identifier = object.identifier;
    row.type = object.type;
    for (const ReqIfContent::SpecType &type : content.specTypes) {
        if (type.identifier == object.type) {
            row.typeName = type.longName;
            break;
        }
    }
    row.longName = object.longName;
    row.lastChange = object.lastChange;
    row.values.reserve(object.values.size());
    for (const ReqIfContent::Value &value : object.values) {
        const auto definition = content.definitions.constFind(value.definition);
        row.values.append(
            {value.definition,
             definition == content.definitions.cend() ? QString() : definition->longName,
             value.kind, value.text, value.original});
    }
    return row;
}

ReqIfContent::Object ForeignDocument::object(const store::ForeignObjectRow &row)
{
    ReqIfContent::Object object{row.identifier, row.type, row.longName, row.lastChange, {}};
    object.values.reserve(row.values.size());
    for (const store::ForeignValueRow &value : row.values)
        object.values.append({value.definition, value.kind, value.text, value.original});
    return object;
}

store::ForeignRelationRow ForeignDocument::relationRow(const ReqIfContent &content,
                                                       const ReqIfContent::Relation &relation)
{
    QString typeName;
    for (const ReqIfContent::SpecType &type : content.specTypes) {
        if (type.identifier == relation.type) {
            typeName = type.longName;
            break;
        }
    }
    return {0,
            relation.identifier,
            relation.source,
            relation.target,
            relation.type,
            typeName,
            relation.longName,
            relation.lastChange,
            encodeValues(relation.values)};
}

ReqIfContent::Relation ForeignDocument::relation(const store::ForeignRelationRow &row)
{
    return {row.identifier,          row.source, row.target, row.type, row.longName, row.lastChange,
            decodeValues(row.values)};
}

bool ForeignDocument::sameValues(const ReqIfContent::Object &a, const ReqIfContent::Object &b)
{
    if (a.type != b.type || a.longName != b.longName || a.values.size() != b.values.size())
        return false;
    for (qsizetype i = 0; i < a.values.size(); ++i) {
        const ReqIfContent::Value &x = a.values[i];
        const ReqIfContent::Value &y = b.values[i];
        if (x.definition != y.definition || x.kind != y.kind || x.original != y.original ||
            x.text != y.text)
            return false;
    }
    return true;
}

} // namespace varn::interchange
