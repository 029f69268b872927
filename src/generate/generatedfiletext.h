#pragma once

#include "generate/generationtypes.h"

#include <QString>

namespace varn::generate {

// What the generated-file viewer shows for a class: its generated C++ header
// or Java class with every line ended by a carriage return and a line feed,
// or the text that says why it cannot be shown.
class GeneratedFileText
{
public:
    // kind is Cpp or Java; folder is that kind's output folder. The class is
    // named as the model names its entity; its file is named as the class
    // is written (IdentifierSpelling).
    static QString forClass(const QString &folder, const QString &className, GeneratorKind kind);
};

} // namespace varn::generate
