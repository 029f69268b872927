#include "inspect/classoutline.h"

#include "generate/classnaming.h"
#include "generate/classshape.h"
#include "generate/objectmodel.h"
#include "inspect/modelqueries.h"

#include <QSqlError>
#include <QSqlQuery>

#include <optional>

namespace varn::inspect {

namespace {

using namespace modelqueries;

const QString kValueOpen = QStringLiteral("Cannot open ReqOmPvSet recordset.\n");
const QString kValueQuery = QStringLiteral("Error querying the ReqOmPvSet recordset.\n");
const QString kNoRequirements = QStringLiteral(
    "There are no requirements for the current system. To view your object model,\ncreate at "
    "least one functional or structural requirement.");
const QLatin1String kEnumPrefix("enum ");

QString capitalised(QString name)
{
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

} // namespace

struct OutlineAttribute
{
    qint32 key = 0;
    QString name;
    QString type;
    bool enumeration = false;
    QStringList values;

    // As the generated class file writes them (generate::ClassNaming).
    QString stem;
    QString field;
    QString targetClass;

    QString cap() const { return stem; }
};

// The names the generated class file gives the entity's members, so the
// outline shows what the file holds: the generators' own shaping and naming
// run over the rows read here.
struct ClassNames
{
    QString className;
    QStringList methods;
};

namespace {

using Attribute = OutlineAttribute;

ClassNames nameAsGenerated(const QString &entity, QList<Attribute> &attributes,
                           const QStringList &methods, OutlineLanguage language)
{
    using namespace varn::generate;
    ObjectModel model;
    model.addEntity({1, entity});
    for (const Attribute &attribute : std::as_const(attributes)) {
        model.addAttribute({attribute.key, attribute.name, attribute.type, 1});
        for (const QString &value : attribute.values)
            model.addPossibleValue({0, attribute.key, value});
    }
    for (const QString &method : methods)
        model.addMethod({0, method, 1});
    model.finish();
    const bool cpp = language == OutlineLanguage::Cpp;
    Result<ClassShape> shape = ClassShape::of(model, model.entities().first(),
                                              cpp ? GeneratorKind::Cpp : GeneratorKind::Java);
    if (!shape)
        return {entity, methods};
    ClassNaming(cpp ? CodeLanguage::Cpp : CodeLanguage::Java, true).apply(shape.value(), nullptr);
    for (Attribute &attribute : attributes) {
        for (const ClassShape::Member &member : std::as_const(shape->attributes)) {
            if (member.id != attribute.key)
                continue;
            attribute.stem = member.stem.isEmpty() ? capitalised(member.name) : member.stem;
            attribute.field = member.field;
            attribute.targetClass = member.targetClass;
            attribute.values = member.valueNames;
        }
    }
    return {shape->className, shape->methodNames};
}

class Reader
{
public:
    explicit Reader(const QSqlDatabase &database) : m_query(database) {}

    // The entity's key; none when no entity has that name.
    std::optional<qint32> entityKey(const QString &name, Outcome &problem)
    {
        return firstKey(
            QStringLiteral("SELECT Entity_ID FROM OM_ENTITY WHERE Entity = ? ORDER BY Entity_ID"),
            {name}, kEntityOpen, problem);
    }

    bool attributes(qint32 entity, QList<Attribute> &attributes, Outcome &problem)
    {
        if (!run(QStringLiteral("SELECT Attr_ID, Attribute, DataTypeDef FROM OM_ATTR WHERE "
                                "FK_EntityID = ? ORDER BY ") +
                     nameOrder("DataTypeDef") + QStringLiteral(", ") + nameOrder("Attribute"),
                 {entity})) {
            problem = failure(kAttributeOpen);
            return false;
        }
        while (m_query.next()) {
            Attribute attribute;
            attribute.key = m_query.value(0).toInt();
            attribute.name = m_query.value(1).toString();
            attribute.type = m_query.value(2).toString();
            attributes.append(attribute);
        }
        return true;
    }

    bool values(qint32 attribute, QStringList &values, Outcome &problem)
    {
        return texts(QStringLiteral("SELECT Value FROM OM_PV WHERE FK_AttrID = ? ORDER BY ") +
                         nameOrder("Value"),
                     attribute, values, {kValueOpen, kValueQuery}, problem);
    }

    bool methods(qint32 entity, QStringList &methods, Outcome &problem)
    {
        return texts(
            QStringLiteral("SELECT Method FROM OM_METHOD WHERE FK_EntityID = ? ORDER BY ") +
                nameOrder("Method"),
            entity, methods, {kMethodOpen, kMethodOpen}, problem);
    }

    std::optional<qint32> attributeKey(qint32 entity, const QString &name, Outcome &problem)
    {
        return firstKey(QStringLiteral("SELECT Attr_ID FROM OM_ATTR WHERE FK_EntityID = ? AND "
                                       "Attribute = ? ORDER BY Attr_ID"),
                        {entity, name}, kAttributeOpen, problem);
    }

private:
    // The first column of the first row; none when there is no row.
    std::optional<qint32> firstKey(const QString &sql, const QVariantList &values,
                                   const QString &failureLine, Outcome &problem)
    {
        if (!run(sql, values)) {
            problem = failure(failureLine);
            return std::nullopt;
        }
        if (!m_query.next())
            return std::nullopt;
        const qint32 key = m_query.value(0).toInt();
        m_query.finish();
        return key;
    }

    struct FailureLines
    {
        const QString &open;
        const QString &read;
    };

    // The first column of every row of a query on one key.
    bool texts(const QString &sql, qint32 key, QStringList &texts, FailureLines lines,
               Outcome &problem)
    {
        if (!run(sql, {key})) {
            problem = failure(lines.open);
            return false;
        }
        while (m_query.next())
            texts.append(m_query.value(0).toString());
        if (m_query.lastError().isValid()) {
            problem = failure(lines.read);
            return false;
        }
        return true;
    }

    // Prepares, binds and runs one statement; false when any step fails, with
    // that step's error kept for the message.
    bool run(const QString &sql, const QVariantList &values)
    {
        if (!m_query.prepare(sql))
            return false;
        for (const QVariant &value : values)
            m_query.addBindValue(value);
        return m_query.exec();
    }

    Outcome failure(const QString &firstLine) const
    {
        return Outcome::stop(firstLine + m_query.lastError().text());
    }

    QSqlQuery m_query;
};

// Builds the outline of one class from its attributes and methods.
class OutlineWriter
{
public:
    OutlineWriter(const QString &entity, OutlineLanguage language)
        : m_entity(entity), m_cpp(language == OutlineLanguage::Cpp)
    {}

    // Without methods (their read failed) the outline ends before them.
    void write(const QList<Attribute> &attributes, const QStringList *methods,
               QList<OutlineNode> &nodes)
    {
        m_nodes = &nodes;
        for (const Attribute &attribute : attributes) {
            if (attribute.enumeration)
                add(kEnumPrefix + attribute.cap(), NodeImage::Enumeration, true);
        }
        for (const Attribute &attribute : attributes) {
            if (attribute.type == QLatin1String("int"))
                accessors(attribute, attribute.enumeration ? attribute.cap() : attribute.type);
        }
        bool ownsPointers = false;
        for (const Attribute &attribute : attributes) {
            if (attribute.type == QLatin1String("long") ||
                attribute.type == QLatin1String("double"))
                accessors(attribute, attribute.type);
            ownsPointers = ownsPointers || attribute.type == QLatin1String("pointer");
        }
        if (!methods)
            return;
        for (const QString &method : *methods)
            add(QStringLiteral("int ") + method +
                    (m_cpp ? QLatin1String("();") : QLatin1String("()")),
                NodeImage::Method);
        if (m_cpp)
            constructors(ownsPointers);
        members(attributes);
    }

private:
    void add(const QString &text, NodeImage image, bool expandable = false)
    {
        m_nodes->append({text, image, expandable});
    }

    void accessors(const Attribute &attribute, const QString &type)
    {
        const QString cap = attribute.cap();
        if (m_cpp) {
            add(type + QStringLiteral(" get") + cap + QStringLiteral("();"), NodeImage::Method);
            add(QStringLiteral("void set") + cap + QLatin1Char('(') + type + QStringLiteral(");"),
                NodeImage::Method);
            m_parameters += type + QStringLiteral(", ");
        } else {
            add(type + QStringLiteral(" get") + cap + QStringLiteral("()"), NodeImage::Method);
            add(QStringLiteral("void set") + cap + QLatin1Char('(') + type + QStringLiteral(" in") +
                    cap + QLatin1Char(')'),
                NodeImage::Method);
        }
    }

    void constructors(bool ownsPointers)
    {
        add(m_entity + QStringLiteral("();"), NodeImage::Method);
        if (!m_parameters.isEmpty()) {
            QString withParameters =
                m_entity + QLatin1Char('(') + m_parameters.trimmed() + QStringLiteral(");");
            withParameters.replace(QStringLiteral(",)"), QStringLiteral(")"));
            add(withParameters, NodeImage::Method);
        }
        if (ownsPointers)
            add(QLatin1Char('~') + m_entity + QStringLiteral("();"), NodeImage::Method);
    }

    void members(const QList<Attribute> &attributes)
    {
        for (const Attribute &attribute : attributes) {
            if (attribute.enumeration)
                add(attribute.cap() + QLatin1Char(' ') + attribute.field + QLatin1Char(';'),
                    NodeImage::Member);
        }
        for (const Attribute &attribute : attributes) {
            if (attribute.type == QLatin1String("int") && !attribute.enumeration)
                add(QStringLiteral("int ") + attribute.field + QLatin1Char(';'), NodeImage::Member);
        }
        for (const char *type : {"long", "double"}) {
            for (const Attribute &attribute : attributes) {
                if (attribute.type == QLatin1String(type))
                    add(attribute.type + QLatin1Char(' ') + attribute.field + QLatin1Char(';'),
                        NodeImage::Member);
            }
        }
        for (const auto &[type, image] : {std::pair{"pointer", NodeImage::Pointer},
                                          std::pair{"reference", NodeImage::Reference}}) {
            for (const Attribute &attribute : attributes) {
                if (attribute.type != QLatin1String(type))
                    continue;
                const QString field =
                    m_cpp ? QLatin1Char(attribute.type == QLatin1String("pointer") ? '*' : '&') +
                                attribute.field
                          : attribute.field;
                add(attribute.targetClass + QLatin1Char(' ') + field + QLatin1Char(';'), image);
            }
        }
    }

    QString m_entity;
    bool m_cpp;
    QString m_parameters;
    QList<OutlineNode> *m_nodes = nullptr;
};

} // namespace

Result<QStringList> ClassOutline::entities() const
{
    return entityNames(m_database, kNoRequirements);
}

// The entity's key and attributes, with the possible values of its ints.
std::optional<qint32> ClassOutline::readAttributes(const QString &entity,
                                                   QList<OutlineAttribute> &attributes,
                                                   Outcome &problem) const
{
    Reader reader(m_database);
    const std::optional<qint32> key = reader.entityKey(entity, problem);
    if (!key || !reader.attributes(*key, attributes, problem))
        return std::nullopt;
    for (Attribute &attribute : attributes) {
        if (attribute.type != QLatin1String("int"))
            continue;
        if (!reader.values(attribute.key, attribute.values, problem))
            return std::nullopt;
        attribute.enumeration = !attribute.values.isEmpty();
    }
    return key;
}

Outline ClassOutline::members(const QString &entity, OutlineLanguage language) const
{
    Outline outline;
    QList<Attribute> attributes;
    const std::optional<qint32> key = readAttributes(entity, attributes, outline.problem);
    if (!key)
        return outline;
    QStringList methods;
    const bool methodsRead = Reader(m_database).methods(*key, methods, outline.problem);
    const ClassNames names = nameAsGenerated(entity, attributes, methods, language);
    OutlineWriter(names.className, language)
        .write(attributes, methodsRead ? &names.methods : nullptr, outline.nodes);
    return outline;
}

// The node shows the enumeration's name as the class file writes it, in
// either language; the values are shown as that file writes them.
Outline ClassOutline::enumerationValues(const QString &entity, const QString &enumerationNode) const
{
    Outline outline;
    const QString shown = enumerationNode.startsWith(kEnumPrefix)
                              ? enumerationNode.mid(kEnumPrefix.size())
                              : enumerationNode;
    QList<Attribute> attributes;
    if (!readAttributes(entity, attributes, outline.problem))
        return outline;
    for (OutlineLanguage language : {OutlineLanguage::Cpp, OutlineLanguage::Java}) {
        QList<Attribute> named = attributes;
        nameAsGenerated(entity, named, {}, language);
        for (const Attribute &attribute : std::as_const(named)) {
            if (!attribute.enumeration || attribute.stem != shown)
                continue;
            for (const QString &value : attribute.values)
                outline.nodes.append({value, NodeImage::Value, false});
            return outline;
        }
    }
    return outline;
}

} // namespace varn::inspect
