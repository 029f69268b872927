#include "generate/classnaming.h"

#include <QSet>

namespace varn::generate {

namespace {

// The names given so far in one scope of a class.
class NameScope
{
public:
    bool contains(const QString &name) const { return m_names.contains(name); }
    void add(const QString &name) { m_names.insert(name); }

    // The wanted name, or the first of wanted + "_2", "_3", ... that is free
    // here and passes the test; the name is then taken.
    template <typename Free> QString claim(const QString &wanted, Free isFree)
    {
        QString name = wanted;
        for (int n = 2; m_names.contains(name) || !isFree(name); ++n)
            name = wanted + QLatin1Char('_') + QString::number(n);
        m_names.insert(name);
        return name;
    }
    QString claim(const QString &wanted)
    {
        return claim(wanted, [](const QString &) { return true; });
    }

private:
    QSet<QString> m_names;
};

QString getter(const QString &stem)
{
    return QLatin1String("get") + stem;
}

QString setter(const QString &stem)
{
    return QLatin1String("set") + stem;
}

enum class Group { Enumerated, PlainInt, LongOrDouble, Pointer, Reference };

Group groupOf(const ClassShape::Member &member)
{
    if (member.dataType == QLatin1String("int"))
        return member.values.isEmpty() ? Group::PlainInt : Group::Enumerated;
    if (member.dataType == QLatin1String("pointer"))
        return Group::Pointer;
    if (member.dataType == QLatin1String("reference"))
        return Group::Reference;
    return Group::LongOrDouble;
}

// The attributes of the groups, group by group in the order given, each in
// attribute order; the names are given to the attributes themselves.
QList<ClassShape::Member *> membersOf(ClassShape &shape, std::initializer_list<Group> groups)
{
    QList<ClassShape::Member *> members;
    for (Group group : groups) {
        for (ClassShape::Member &member : shape.attributes) {
            if (groupOf(member) == group)
                members.append(&member);
        }
    }
    return members;
}

constexpr std::initializer_list<Group> kLinks = {Group::Pointer, Group::Reference};
constexpr std::initializer_list<Group> kScalars = {Group::Enumerated, Group::PlainInt,
                                                   Group::LongOrDouble};
constexpr std::initializer_list<Group> kAll = {
    Group::Enumerated, Group::PlainInt, Group::LongOrDouble, Group::Pointer, Group::Reference};

} // namespace

QString ClassNaming::spelled(const QString &name) const
{
    return IdentifierSpelling::spell(name, m_language);
}

void ClassNaming::apply(ClassShape &shape, const ClassShape *base) const
{
    shape.className = spelled(shape.name);
    shape.baseClass = shape.base.isEmpty() ? QString() : spelled(shape.base);
    for (ClassShape::Member *link : membersOf(shape, kLinks))
        link->targetClass = spelled(link->target);
    if (m_language == CodeLanguage::Cpp)
        nameCpp(shape);
    else
        nameJava(shape, base);
    shape.regroup();
}

void ClassNaming::nameCpp(ClassShape &shape) const
{
    NameScope scope;
    scope.add(shape.className);
    for (const ClassShape::Member *link : membersOf(shape, kLinks))
        scope.add(link->targetClass);

    NameScope stems;
    QSet<QString> getters;
    QSet<QString> setters;
    const QList<ClassShape::Member *> withAccessors =
        m_verbose ? membersOf(shape, kScalars) : membersOf(shape, {Group::LongOrDouble});
    for (ClassShape::Member *member : withAccessors) {
        const bool isType = m_verbose && !member->values.isEmpty();
        member->stem =
            stems.claim(spelled(ClassShape::upperFirst(member->name)), [&](const QString &stem) {
                return !(isType && scope.contains(stem)) && !scope.contains(getter(stem)) &&
                       !scope.contains(setter(stem));
            });
        if (isType)
            scope.add(member->stem);
        scope.add(getter(member->stem));
        scope.add(setter(member->stem));
        getters.insert(getter(member->stem));
        setters.insert(setter(member->stem));
    }

    // The plain form writes every attribute in attribute order.
    QList<ClassShape::Member *> members = membersOf(shape, kAll);
    if (!m_verbose) {
        members.clear();
        for (ClassShape::Member &member : shape.attributes)
            members.append(&member);
    }
    for (ClassShape::Member *member : members) {
        if (member->isLink())
            member->field = scope.claim(spelled(member->name.mid(1)));
        else if (m_verbose && !member->values.isEmpty())
            member->field = scope.claim(QLatin1Char('_') + member->stem);
        else
            member->field = scope.claim(spelled(member->name));
    }

    for (ClassShape::Member *member : membersOf(shape, {Group::Enumerated})) {
        member->valueNames.clear();
        for (const QString &value : std::as_const(member->values))
            member->valueNames.append(m_verbose ? scope.claim(spelled(value)) : spelled(value));
    }

    QSet<QString> written;
    shape.methodNames.clear();
    for (const QString &method : std::as_const(shape.methods)) {
        const QString name = spelled(method);
        if (getters.contains(name) || written.contains(name))
            continue;
        const QString given = setters.contains(name) ? name : scope.claim(name);
        written.insert(given);
        shape.methodNames.append(given);
    }
}

void ClassNaming::nameJava(ClassShape &shape, const ClassShape *base) const
{
    NameScope types;
    types.add(shape.className);
    for (const ClassShape::Member *link : membersOf(shape, kLinks))
        types.add(link->targetClass);

    shape.parameterlessMethods = base ? base->parameterlessMethods : QHash<QString, QString>();
    const QHash<QString, QString> inherited = shape.parameterlessMethods;
    NameScope stems;
    for (ClassShape::Member *member : membersOf(shape, kScalars)) {
        const bool isType = !member->values.isEmpty();
        member->stem =
            stems.claim(spelled(ClassShape::upperFirst(member->name)), [&](const QString &stem) {
                const QString returned =
                    isType ? shape.className + QLatin1Char('.') + stem : member->dataType;
                const auto found = inherited.constFind(getter(stem));
                return !(isType && types.contains(stem)) &&
                       (found == inherited.constEnd() || *found == returned);
            });
        if (isType)
            types.add(member->stem);
        shape.parameterlessMethods.insert(getter(member->stem),
                                          isType ? shape.className + QLatin1Char('.') + member->stem
                                                 : member->dataType);
    }

    NameScope fields;
    for (ClassShape::Member *member : membersOf(shape, kScalars))
        member->field = fields.claim(spelled(member->name));
    for (ClassShape::Member *link : membersOf(shape, kLinks))
        link->field = fields.claim(spelled(ClassShape::lowerFirst(link->target)));

    for (ClassShape::Member *member : membersOf(shape, {Group::Enumerated})) {
        NameScope constants;
        member->valueNames.clear();
        for (const QString &value : std::as_const(member->values))
            member->valueNames.append(constants.claim(spelled(value)));
    }

    QSet<QString> own;
    for (const ClassShape::Member *member : membersOf(shape, kScalars))
        own.insert(getter(member->stem));
    shape.methodNames.clear();
    for (const QString &method : std::as_const(shape.methods)) {
        const QString name = spelled(method);
        if (own.contains(name) ||
            inherited.value(name, QStringLiteral("int")) != QLatin1String("int"))
            continue;
        own.insert(name);
        shape.parameterlessMethods.insert(name, QStringLiteral("int"));
        shape.methodNames.append(name);
    }
}

} // namespace varn::generate
