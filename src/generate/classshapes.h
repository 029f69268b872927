#pragma once

#include "common/outcome.h"
#include "generate/classshape.h"
#include "generate/generationtypes.h"
#include "objmodel/objectmodel.h"

#include <QList>

namespace varn::generate {

// Every class of a model shaped and named for one language, ready to write:
// a chain of bases that leads back to its start is cut where the first
// class of the model (in table order) on it names its base, so the classes
// can be declared; names are given by ClassNaming, bases before the classes
// built on them; for C++ the includes that would close a cycle through a
// base class are left out (IncludePlan).
class ClassShapes
{
public:
    // kind is Cpp or Java; verbose applies to C++.
    static Result<QList<ClassShape>> build(const objmodel::ObjectModel &model, GeneratorKind kind,
                                           bool verbose);
};

} // namespace varn::generate
