#include "objmodel/producedclasses.h"

#include "objmodel/namerules.h"
#include "objmodel/objectmodelreader.h"
#include "objmodel/objectmodelregenerator.h"

#include <algorithm>

namespace varn::objmodel {

using namespace NameRules;

QStringList ProducedClasses::candidates(const store::StoredRequirement &stored,
                                        const QStringList &linkedEntities)
{
    if (!(stored.isFunctional() || stored.isStructural()) || !stored.hasOwnRow)
        return {};
    const Result<QList<language::TermRecord>> records =
        ObjectModelRegenerator::rebuildTerms(stored);
    if (!records)
        return {};
    QStringList texts;
    QStringList names;
    for (const language::TermRecord &record : records.value()) {
        if (record.letter == 0)
            break;
        texts.append(record.text);
        if (record.letter == 't') {
            for (const QString &entity : linkedEntities)
                names.append(typedName(record.text, entity));
        } else if (record.letter == 'p') {
            names.append(record.text);
            if (const QString base = typedBase(record.text); !base.isEmpty())
                names.append(base);
        }
    }
    // The timer is named after the first term and either the second term or
    // the entity it times, typed or not.
    if (!texts.isEmpty()) {
        QStringList timed = linkedEntities + names;
        if (texts.size() > 1)
            timed.append(upperFirst(texts[1]));
        for (const QString &entity : std::as_const(timed))
            names.append(timerName(texts.first(), entity));
    }
    names.removeDuplicates();
    return names;
}

Result<QList<ObjectModel::Entity>> ProducedClasses::inModel(qint32 number,
                                                            const store::StoredRequirement &stored,
                                                            ObjectModelReader &model)
{
    Result<QList<ObjectModel::Entity>> linked = model.entitiesOfRequirement(number);
    if (!linked)
        return linked.outcome();
    QList<ObjectModel::Entity> classes = linked.takeValue();
    QStringList names;
    for (const ObjectModel::Entity &entity : std::as_const(classes))
        names.append(entity.name);
    for (const QString &candidate : candidates(stored, names)) {
        if (names.contains(candidate))
            continue;
        const Result<std::optional<ObjectModel::Entity>> named = model.entityNamed(candidate);
        if (!named)
            return named.outcome();
        if (named.value()) {
            classes.append(*named.value());
            names.append(candidate);
        }
    }
    std::sort(
        classes.begin(), classes.end(),
        [](const ObjectModel::Entity &a, const ObjectModel::Entity &b) { return a.name < b.name; });
    return classes;
}

} // namespace varn::objmodel
