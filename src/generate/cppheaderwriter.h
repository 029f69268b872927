#pragma once

#include "generate/classshape.h"

#include <QString>

namespace varn::generate {

// Renders the C++ header of one class: banner, includes, the class with its
// accessors, derived methods and members. Verbose adds enumerations, the
// accessors of int attributes, constructors and a destructor.
class CppHeaderWriter
{
public:
    explicit CppHeaderWriter(bool verbose) : m_verbose(verbose) {}

    QString render(const ClassShape &shape) const;

private:
    void writeBanner(QString &out, const ClassShape &shape) const;
    void writeIncludes(QString &out, const ClassShape &shape) const;
    void writeForwardDeclarations(QString &out, const ClassShape &shape) const;
    void writeVerboseAccessors(QString &out, const ClassShape &shape) const;
    void writeAccessors(QString &out, const ClassShape &shape) const;
    void writeMethods(QString &out, const ClassShape &shape) const;
    void writeConstructors(QString &out, const ClassShape &shape) const;
    void writeMembers(QString &out, const ClassShape &shape) const;

    bool m_verbose;
};

} // namespace varn::generate
