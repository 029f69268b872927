#pragma once

#include "store/storedrequirementreader.h"

#include <QString>
#include <QStringList>

namespace varn::objmodel {

// The classes a requirement's derivation makes beside the entities its
// REQ_ENTITY rows link to it: a typed entity for each of its types ("premium
// customer account" makes Premium_CustomerAccount, a kind of
// CustomerAccount), each part it names with the entity a typed part is a
// kind of (Passenger_Plane and Plane), and its timer. Only the names are
// made here, from the requirement's stored terms as the regeneration reads
// them; which of them the model holds is for the caller to look up.
class ProducedClasses
{
public:
    static QStringList candidates(const store::StoredRequirement &stored,
                                  const QStringList &linkedEntities);
};

} // namespace varn::objmodel
