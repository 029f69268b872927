#pragma once

#include "common/outcome.h"
#include "objmodel/objectmodel.h"
#include "store/storedrequirementreader.h"

namespace varn::objmodel {

// What one stored requirement derives into the object model on its own: its
// terms labelled and derived as the regeneration derives each requirement,
// into an empty database in memory, and read back as a model. The
// workspace's own model is not touched. Two versions of a requirement
// compare by what each contributes.
class ModelContribution
{
public:
    // An empty model for a requirement the model ignores (technical,
    // deleted); refused when its stored terms cannot be labelled or derived.
    static Result<ObjectModel> of(const store::StoredRequirement &stored);
};

} // namespace varn::objmodel
