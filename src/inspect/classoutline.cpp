#include "inspect/classoutline.h"
#include "inspect/inspecttr.h"

#include "generate/classnaming.h"
#include "generate/classshape.h"
#include "objmodel/objectmodelreader.h"

#include <optional>

namespace varn::inspect {

namespace {

using objmodel::ObjectModel;
using objmodel::ObjectModelReader;
using Order = ObjectModelReader::Order;

constexpr char kNoRequirements[] = QT_TRANSLATE_NOOP(
    "varn::inspect",
    "There are no requirements for the current system. To view your object model,\ncreate at "
    "least one functional or structural requirement.");
const QLatin1String kEnumPrefix("enum ");

QString capitalised(QString name)
{
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

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

// The entity's key and its attributes, with the possible values of its ints.
struct ReadMembers
{
    qint32 key = 0;
    QList<Attribute> attributes;
};

// None when no entity has the name.
Result<std::optional<ReadMembers>> readAttributes(ObjectModelReader &model, const QString &entity)
{
    const Result<std::optional<ObjectModel::Entity>> found = model.entityNamed(entity);
    if (!found)
        return found.outcome();
    if (!found.value())
        return std::optional<ReadMembers>();
    ReadMembers read{found.value()->id, {}};
    const Result<QList<ObjectModel::Attribute>> rows =
        model.attributesOf(read.key, ObjectModelReader::Attributes::All, Order::TypeThenName);
    if (!rows)
        return rows.outcome();
    for (const ObjectModel::Attribute &row : rows.value()) {
        Attribute attribute;
        attribute.key = row.id;
        attribute.name = row.name;
        attribute.type = row.dataType;
        if (attribute.type == QLatin1String("int")) {
            Result<QStringList> values = model.possibleValuesOf(attribute.key);
            if (!values)
                return values.outcome();
            attribute.values = values.takeValue();
            attribute.enumeration = !attribute.values.isEmpty();
        }
        read.attributes.append(attribute);
    }
    return std::optional<ReadMembers>(read);
}

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

Result<QStringList> ClassOutline::entityNames() const
{
    Result<QStringList> names = ObjectModelReader(m_connection).entityNames(Order::Key);
    if (names && names->isEmpty())
        return Outcome::refused(Tr::tr(kNoRequirements));
    return names;
}

Outline ClassOutline::membersOf(const QString &entity, OutlineLanguage language) const
{
    Outline outline;
    ObjectModelReader model(m_connection);
    Result<std::optional<ReadMembers>> read = readAttributes(model, entity);
    if (!read) {
        outline.problem = read.outcome();
        return outline;
    }
    if (!read.value())
        return outline;
    QList<Attribute> &attributes = read.value()->attributes;
    const Result<QStringList> methods = model.namesOf(
        read.value()->key, ObjectModelReader::Names::Methods, Order::NameIgnoringCase);
    if (!methods)
        outline.problem = methods.outcome();
    const ClassNames names =
        nameAsGenerated(entity, attributes, methods ? methods.value() : QStringList(), language);
    OutlineWriter(names.className, language)
        .write(attributes, methods ? &names.methods : nullptr, outline.nodes);
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
    ObjectModelReader model(m_connection);
    const Result<std::optional<ReadMembers>> read = readAttributes(model, entity);
    if (!read || !read.value()) {
        outline.problem = read.outcome();
        return outline;
    }
    const QList<Attribute> &attributes = read.value()->attributes;
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
