#pragma once

#include "common/outcome.h"
#include "objmodel/objectmodel.h"
#include "store/storedrequirementreader.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::objmodel {

// The classes a requirement's derivation makes beside the entities its
// REQ_ENTITY rows link to it: a typed entity for each of its types ("premium
// customer account" makes Premium_CustomerAccount, a kind of
// CustomerAccount), each part it names with the entity a typed part is a
// kind of (Passenger_Plane and Plane), and its timer. Only the names are
// made here, from the requirement's stored terms as the regeneration reads
// them; inModel() looks up which of them the model holds.
class ObjectModelReader;

class ProducedClasses
{
public:
    static QStringList candidates(const store::StoredRequirement &stored,
                                  const QStringList &linkedEntities);
    // The classes of the model that requirement number (stored as given)
    // produced, by name: the entities linked to it and those of its
    // candidates the model holds.
    static Result<QList<ObjectModel::Entity>>
    inModel(qint32 number, const store::StoredRequirement &stored, ObjectModelReader &model);
};

} // namespace varn::objmodel
