#pragma once

#include "generate/classshape.h"
#include "generate/identifierspelling.h"

namespace varn::generate {

// Chooses the names one class file declares, so that the file compiles:
// every model name spelled as an identifier (IdentifierSpelling), and names
// that would clash in the class made distinct. Names keep the form the class
// file has always had wherever they do not clash.
//
// Names are given in this order, and a name already given to something else
// in the class takes the first free suffix "_2", "_3", ...:
// 1. the class and the classes it names (base, pointer and reference targets);
// 2. accessor stems: "getSpeed" and "getspeed" of the twins "Speed" and
//    "speed" would both be "getSpeed", so the second becomes "getSpeed_2";
//    an enumeration is never named like the class or a class it names;
// 3. data members and fields ("*pEngine" and "&rEngine" both give the Java
//    field "engine"; the second is "engine_2");
// 4. C++ enumerators, which share the class's scope ("open" in two
//    enumerations of one class: the second is "open_2"); Java enumerators
//    only need to differ within their enumeration;
// 5. derived methods. A derived method named like a getter the class writes
//    or inherits is written once, as that getter: "int getSpeed()" beside the
//    accessor "long getSpeed()" is left out.
class ClassNaming
{
public:
    ClassNaming(CodeLanguage language, bool verbose) : m_language(language), m_verbose(verbose) {}

    // Fills the written names of the shape. base is the shape of its base
    // class, already named, or null.
    void apply(ClassShape &shape, const ClassShape *base) const;

private:
    QString spelled(const QString &name) const;
    void nameCpp(ClassShape &shape) const;
    void nameJava(ClassShape &shape, const ClassShape *base) const;

    CodeLanguage m_language;
    bool m_verbose;
};

} // namespace varn::generate
