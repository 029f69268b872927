#pragma once

#include "generate/classshape.h"

#include <QString>

namespace varn::generate {

// Renders the Java source of one class: banner, the class with enumerations,
// accessors with bodies, stub methods and fields, including the fields that
// create the associated and composed objects.
class JavaClassWriter
{
public:
    QString render(const ClassShape &shape) const;

private:
    static void writeBanner(QString &out, const ClassShape &shape);
    static void writeEnumerations(QString &out, const ClassShape &shape);
    static void writeAccessors(QString &out, const ClassShape &shape);
    static void writeMethods(QString &out, const ClassShape &shape);
    static void writeFields(QString &out, const ClassShape &shape);
};

} // namespace varn::generate
