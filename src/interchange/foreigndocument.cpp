#include "interchange/foreigndocument.h"

#include "interchange/reqifobjectspill.h"

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

// How each kind of element is kept: its texts under short keys, and what is
// not a text (values, lists, flags) by the kind's own two functions. The keys
// are those of the layouts stored so far, so that every stored document
// reads back.
template <typename Element> struct TextField
{
    const char *key;
    QString Element::*member;
};

template <typename Element> struct Layout;

// The kinds whose elements keep the attributes the file wrote that nothing
// interprets (DESC, IS-EDITABLE ...), under "a" when there are any.
template <typename Element>
concept KeepsOtherAttributes = requires(Element element)
{
    element.otherAttributes;
};

Json attributesJson(const QHash<QString, QString> &attributes)
{
    Json json;
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
        json.insert(it.key(), it.value());
    return json;
}

QHash<QString, QString> attributesOf(const QJsonValue &value)
{
    QHash<QString, QString> attributes;
    const Json json = value.toObject();
    for (auto it = json.constBegin(); it != json.constEnd(); ++it)
        attributes.insert(it.key(), it.value().toString());
    return attributes;
}

template <typename Element> Json toJson(const Element &element)
{
    Json json;
    for (const TextField<Element> &field : Layout<Element>::kTexts)
        json.insert(QLatin1String(field.key), element.*field.member);
    Layout<Element>::writeRest(element, json);
    if constexpr (KeepsOtherAttributes<Element>) {
        if (!element.otherAttributes.isEmpty())
            json.insert(QLatin1String("a"), attributesJson(element.otherAttributes));
    }
    return json;
}

template <typename Element> Element fromJson(const Json &json)
{
    Element element{};
    for (const TextField<Element> &field : Layout<Element>::kTexts)
        element.*field.member = text(json, field.key);
    Layout<Element>::readRest(json, element);
    if constexpr (KeepsOtherAttributes<Element>)
        element.otherAttributes = attributesOf(json.value(QLatin1String("a")));
    return element;
}

template <typename Elements> QJsonArray arrayOf(const Elements &elements)
{
    QJsonArray array;
    for (const auto &element : elements)
        array.append(toJson(element));
    return array;
}

template <typename Element> QList<Element> listOf(const QJsonValue &value)
{
    QList<Element> elements;
    const QJsonArray array = value.toArray();
    elements.reserve(array.size());
    for (const QJsonValue &item : array)
        elements.append(fromJson<Element>(item.toObject()));
    return elements;
}

using Content = ReqIfContent;

template <> struct Layout<Content::Value>
{
    static constexpr TextField<Content::Value> kTexts[] = {{"d", &Content::Value::definition},
                                                           {"k", &Content::Value::kind},
                                                           {"t", &Content::Value::text},
                                                           {"o", &Content::Value::original}};
    static void writeRest(const Content::Value &, Json &) {}
    static void readRest(const Json &, Content::Value &) {}
};

template <> struct Layout<Content::EnumValue>
{
    static constexpr TextField<Content::EnumValue> kTexts[] = {
        {"i", &Content::EnumValue::identifier},
        {"n", &Content::EnumValue::longName},
        {"k", &Content::EnumValue::key},
        {"o", &Content::EnumValue::otherContent},
        {"c", &Content::EnumValue::lastChange}};
    static void writeRest(const Content::EnumValue &, Json &) {}
    static void readRest(const Json &, Content::EnumValue &) {}
};

template <> struct Layout<Content::Datatype>
{
    static constexpr TextField<Content::Datatype> kTexts[] = {
        {"i", &Content::Datatype::identifier},
        {"n", &Content::Datatype::longName},
        {"k", &Content::Datatype::kind},
        {"c", &Content::Datatype::lastChange}};
    static void writeRest(const Content::Datatype &datatype, Json &json)
    {
        Json facets;
        for (auto it = datatype.facets.cbegin(); it != datatype.facets.cend(); ++it)
            facets.insert(it.key(), it.value());
        json.insert(QLatin1String("f"), facets);
        json.insert(QLatin1String("v"), arrayOf(datatype.values));
    }
    static void readRest(const Json &json, Content::Datatype &datatype)
    {
        const Json facets = json.value(QLatin1String("f")).toObject();
        for (auto it = facets.constBegin(); it != facets.constEnd(); ++it)
            datatype.facets.insert(it.key(), it.value().toString());
        datatype.values = listOf<Content::EnumValue>(json.value(QLatin1String("v")));
    }
};

template <> struct Layout<Content::Definition>
{
    static constexpr TextField<Content::Definition> kTexts[] = {
        {"n", &Content::Definition::longName},   {"k", &Content::Definition::kind},
        {"i", &Content::Definition::identifier}, {"d", &Content::Definition::datatype},
        {"s", &Content::Definition::specType},   {"c", &Content::Definition::lastChange}};
    static void writeRest(const Content::Definition &definition, Json &json)
    {
        json.insert(QLatin1String("m"), definition.multiValued);
        json.insert(QLatin1String("u"), !definition.defined);
    }
    static void readRest(const Json &json, Content::Definition &definition)
    {
        definition.multiValued = json.value(QLatin1String("m")).toBool();
        definition.defined = !json.value(QLatin1String("u")).toBool();
    }
};

template <> struct Layout<Content::SpecType>
{
    static constexpr TextField<Content::SpecType> kTexts[] = {
        {"i", &Content::SpecType::identifier},
        {"n", &Content::SpecType::longName},
        {"k", &Content::SpecType::kind},
        {"c", &Content::SpecType::lastChange}};
    static void writeRest(const Content::SpecType &type, Json &json)
    {
        json.insert(QLatin1String("d"), strings(type.definitions));
    }
    static void readRest(const Json &json, Content::SpecType &type)
    {
        type.definitions = stringList(json.value(QLatin1String("d")));
    }
};

template <> struct Layout<Content::Object>
{
    static constexpr TextField<Content::Object> kTexts[] = {{"i", &Content::Object::identifier},
                                                            {"t", &Content::Object::type},
                                                            {"n", &Content::Object::longName},
                                                            {"c", &Content::Object::lastChange}};
    static void writeRest(const Content::Object &object, Json &json)
    {
        json.insert(QLatin1String("v"), arrayOf(object.values));
    }
    static void readRest(const Json &json, Content::Object &object)
    {
        object.values = listOf<Content::Value>(json.value(QLatin1String("v")));
    }
};

template <> struct Layout<Content::Specification>
{
    static constexpr TextField<Content::Specification> kTexts[] = {
        {"i", &Content::Specification::identifier},
        {"n", &Content::Specification::longName},
        {"t", &Content::Specification::type},
        {"c", &Content::Specification::lastChange}};
    static void writeRest(const Content::Specification &specification, Json &json)
    {
        json.insert(QLatin1String("v"), arrayOf(specification.values));
    }
    static void readRest(const Json &json, Content::Specification &specification)
    {
        specification.values = listOf<Content::Value>(json.value(QLatin1String("v")));
    }
};

template <> struct Layout<Content::Node>
{
    static constexpr TextField<Content::Node> kTexts[] = {{"o", &Content::Node::object},
                                                          {"p", &Content::Node::paragraph},
                                                          {"i", &Content::Node::identifier},
                                                          {"s", &Content::Node::specification},
                                                          {"c", &Content::Node::lastChange}};
    static void writeRest(const Content::Node &node, Json &json)
    {
        json.insert(QLatin1String("d"), node.depth);
    }
    static void readRest(const Json &json, Content::Node &node)
    {
        node.depth = json.value(QLatin1String("d")).toInt(1);
    }
};

} // namespace

namespace {

// A JSON string, written as the document classes would write it.
void appendString(QString &out, const QString &text)
{
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QLatin1String("\\\"");
            break;
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
}

// A hierarchy node as toJson writes it, without building a JSON object for
// each of a large document's nodes.
void appendNode(QString &out, const ReqIfContent::Node &node)
{
    out += QLatin1Char('{');
    for (const TextField<ReqIfContent::Node> &field : Layout<ReqIfContent::Node>::kTexts) {
        out += QLatin1Char('"') + QLatin1String(field.key) + QLatin1String("\":");
        appendString(out, node.*field.member);
        out += QLatin1Char(',');
    }
    out += QLatin1String("\"d\":") + QString::number(node.depth);
    if (!node.otherAttributes.isEmpty())
        out +=
            QLatin1String(",\"a\":") +
            QString::fromUtf8(
                QJsonDocument(attributesJson(node.otherAttributes)).toJson(QJsonDocument::Compact));
    out += QLatin1Char('}');
}

QString compact(const Json &json)
{
    return QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact));
}

} // namespace

QStringList ForeignDocument::objectIdentifiers(const ReqIfContent &content)
{
    QStringList identifiers;
    if (const ReqIfObjectSpill *spill = content.spilledObjects.get()) {
        identifiers.reserve(spill->size());
        for (qsizetype i = 0; i < spill->size(); ++i)
            identifiers.append(spill->identifier(i));
    }
    for (const ReqIfContent::Object &object : content.objects)
        identifiers.append(object.identifier);
    return identifiers;
}

Result<QString> ForeignDocument::encodeLayout(const ReqIfContent &content,
                                              const QSet<QString> &keptElsewhere)
{
    QString objects;
    Json kept; // the other attributes of what is kept elsewhere
    const auto take = [&](const ReqIfContent::Object &object) {
        if (!keptElsewhere.contains(object.identifier)) {
            if (!objects.isEmpty())
                objects += QLatin1Char(',');
            objects += compact(toJson(object));
        } else if (!object.otherAttributes.isEmpty()) {
            kept.insert(object.identifier, attributesJson(object.otherAttributes));
        }
    };
    // Of a large file's objects only those the layout keeps are read back.
    if (const ReqIfObjectSpill *spill = content.spilledObjects.get()) {
        for (qsizetype i = 0; i < spill->size(); ++i) {
            if (keptElsewhere.contains(spill->identifier(i)) && !spill->hasOtherAttributes(i))
                continue;
            const Result<ReqIfContent::Object> object = spill->at(i);
            if (!object)
                return object.outcome();
            take(object.value());
        }
    }
    for (const ReqIfContent::Object &object : content.objects)
        take(object);
    for (const ReqIfContent::Relation &relation : content.relations) {
        if (!relation.otherAttributes.isEmpty())
            kept.insert(relation.identifier, attributesJson(relation.otherAttributes));
    }
    const Json layout{{"tool", content.sourceToolId},
                      {"header", content.headerIdentifier},
                      {"title", content.title},
                      {"datatypes", arrayOf(content.datatypes)},
                      {"specTypes", arrayOf(content.specTypes)},
                      {"definitions", arrayOf(content.definitions)},
                      {"specifications", arrayOf(content.specifications)},
                      {"undefined", strings(content.undefinedReferences)},
                      {"kept", kept}};
    // The objects and the hierarchy, which grow with the document, are
    // written as text into the layout's object.
    QString text = compact(layout);
    text.chop(1);
    text += QLatin1String(",\"objects\":[") + objects + QLatin1String("],\"hierarchy\":[");
    objects.clear();
    bool first = true;
    for (const ReqIfContent::Node &node : content.hierarchy) {
        if (!first)
            text += QLatin1Char(',');
        first = false;
        appendNode(text, node);
    }
    text += QLatin1String("]}");
    return text;
}

ReqIfContent ForeignDocument::decodeLayout(const QString &layout)
{
    const Json json = QJsonDocument::fromJson(layout.toUtf8()).object();
    ReqIfContent content;
    content.sourceToolId = text(json, "tool");
    content.headerIdentifier = text(json, "header");
    content.title = text(json, "title");
    content.datatypes = listOf<ReqIfContent::Datatype>(json.value(QLatin1String("datatypes")));
    content.specTypes = listOf<ReqIfContent::SpecType>(json.value(QLatin1String("specTypes")));
    for (const ReqIfContent::Definition &definition :
         listOf<ReqIfContent::Definition>(json.value(QLatin1String("definitions"))))
        content.definitions.insert(definition.identifier, definition);
    content.objects = listOf<ReqIfContent::Object>(json.value(QLatin1String("objects")));
    content.specifications =
        listOf<ReqIfContent::Specification>(json.value(QLatin1String("specifications")));
    content.hierarchy = listOf<ReqIfContent::Node>(json.value(QLatin1String("hierarchy")));
    content.undefinedReferences = stringList(json.value(QLatin1String("undefined")));
    const Json kept = json.value(QLatin1String("kept")).toObject();
    for (auto it = kept.constBegin(); it != kept.constEnd(); ++it)
        content.keptAttributes.insert(it.key(), attributesOf(it.value()));
    return content;
}

QString ForeignDocument::encodeValues(const QList<ReqIfContent::Value> &values)
{
    if (values.isEmpty())
        return {};
    return QString::fromUtf8(QJsonDocument(arrayOf(values)).toJson(QJsonDocument::Compact));
}

QList<ReqIfContent::Value> ForeignDocument::decodeValues(const QString &text)
{
    if (text.isEmpty())
        return {};
    return listOf<ReqIfContent::Value>(QJsonDocument::fromJson(text.toUtf8()).array());
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
