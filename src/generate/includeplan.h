#pragma once

#include "generate/classshape.h"

#include <QList>

namespace varn::generate {

// Decides which headers include which. Every header is guarded and declares
// the classes it points to, so an include of a pointer or reference target
// is needed only for convenience; a base class must be complete. Guarded
// headers that include each other compile unless the cycle holds a base
// class: then, started from the base, the derived class would meet its base
// half declared. So an include of a target is left out exactly when the
// target's header leads back to the including header through includes of
// which at least one is a base; targets that are no class of the model are
// never included.
class IncludePlan
{
public:
    // Fills targetsNotIncluded of every shape.
    static void apply(QList<ClassShape> &shapes);
};

} // namespace varn::generate
