#include "generate/classshape.h"

#include "generate/generatormessages.h"

#include <algorithm>

namespace varn::generate {

using objmodel::ObjectModel;

namespace {

bool isType(const ClassShape::Member &member, const char *type)
{
    return member.dataType == QLatin1String(type);
}

void sortMember(ClassShape &shape, const ClassShape::Member &member)
{
    if (isType(member, "int"))
        (member.values.isEmpty() ? shape.plainInts : shape.enumerated).append(member);
    else if (isType(member, "long") || isType(member, "double"))
        shape.longsAndDoubles.append(member);
    else if (isType(member, "pointer"))
        shape.pointers.append(member);
    else if (isType(member, "reference"))
        shape.references.append(member);
}

} // namespace

Result<ClassShape> ClassShape::of(const ObjectModel &model, const ObjectModel::Entity &entity,
                                  GeneratorKind kind)
{
    ClassShape shape;
    shape.name = entity.name;
    const QList<const ObjectModel::Inheritance *> bases = model.basesOf(entity.name);
    if (!bases.isEmpty()) {
        const ObjectModel::Entity *base = model.entity(bases.first()->baseId);
        if (!base)
            return Outcome::stop(GeneratorMessages::missingEntity(kind, bases.first()->baseId));
        shape.base = base->name;
    }

    for (const ObjectModel::Attribute *attribute : model.attributesOf(entity.id)) {
        Member member;
        member.id = attribute->id;
        member.name = attribute->name;
        member.dataType = attribute->dataType;
        member.capitalised = upperFirst(attribute->name);
        if (member.isLink())
            member.target = attribute->name.mid(2);
        else if (isType(member, "int"))
            member.values = model.valuesOf(attribute->id);
        shape.attributes.append(member);
    }
    shape.regroup();
    shape.methods = model.methodsOf(entity.id);
    return shape;
}

void ClassShape::regroup()
{
    for (QList<Member> *group : {&enumerated, &plainInts, &longsAndDoubles, &pointers, &references})
        group->clear();
    for (const Member &member : std::as_const(attributes))
        sortMember(*this, member);
    linksByName = pointers + references;
    std::stable_sort(linksByName.begin(), linksByName.end(),
                     [](const Member &left, const Member &right) {
                         return ObjectModel::nameLess(left.name, right.name);
                     });
}

QString ClassShape::upperFirst(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString result = text;
    result[0] = result.at(0).toUpper();
    return result;
}

QString ClassShape::lowerFirst(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString result = text;
    result[0] = result.at(0).toLower();
    return result;
}

} // namespace varn::generate
