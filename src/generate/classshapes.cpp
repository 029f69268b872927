#include "generate/classshapes.h"

#include "generate/classnaming.h"
#include "generate/includeplan.h"

#include <QHash>
#include <QSet>

#include <functional>

namespace varn::generate {

using objmodel::ObjectModel;

namespace {

void cutInheritanceLoops(QList<ClassShape> &shapes, const QHash<QString, qsizetype> &index)
{
    for (ClassShape &shape : shapes) {
        QSet<QString> passed;
        QString next = shape.base;
        while (!next.isEmpty() && !passed.contains(next) && next != shape.name) {
            passed.insert(next);
            next = index.contains(next) ? shapes.at(index.value(next)).base : QString();
        }
        if (next == shape.name && !next.isEmpty())
            shape.base.clear();
    }
}

} // namespace

Result<QList<ClassShape>> ClassShapes::build(const ObjectModel &model, GeneratorKind kind,
                                             bool verbose)
{
    QList<ClassShape> shapes;
    QHash<QString, qsizetype> index;
    for (const ObjectModel::Entity &entity : model.entities()) {
        Result<ClassShape> shape = ClassShape::of(model, entity, kind);
        if (!shape)
            return shape.outcome();
        index.insert(entity.name, shapes.size());
        shapes.append(std::move(shape.value()));
    }
    cutInheritanceLoops(shapes, index);
    for (ClassShape &shape : shapes) {
        for (const ClassShape::Member &link : std::as_const(shape.linksByName)) {
            if (!index.contains(link.target))
                shape.missingTargets.insert(link.target);
        }
    }

    const ClassNaming naming(kind == GeneratorKind::Java ? CodeLanguage::Java : CodeLanguage::Cpp,
                             verbose);
    QList<bool> named(shapes.size(), false);
    const std::function<void(qsizetype)> name = [&](qsizetype i) {
        if (named.at(i))
            return;
        named[i] = true;
        const ClassShape &shape = shapes.at(i);
        const qsizetype base = shape.base.isEmpty() ? -1 : index.value(shape.base, -1);
        if (base >= 0)
            name(base);
        naming.apply(shapes[i], base >= 0 ? &shapes.at(base) : nullptr);
    };
    for (qsizetype i = 0; i < shapes.size(); ++i)
        name(i);

    if (kind == GeneratorKind::Cpp)
        IncludePlan::apply(shapes);
    return shapes;
}

} // namespace varn::generate
