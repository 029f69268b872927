#pragma once

#include "common/outcome.h"
#include "generate/generationtypes.h"

#include <QString>

#include <optional>

namespace varn::generate {

// Writes the object model of an open requirements database (its connection
// named) as the data-model
// SQL module, one C++ header per class or one Java class per class, into the
// output folder of the system. Refusals and failures come back as the
// messages the user is to see; nothing is shown or printed here.
class ModelGenerator
{
public:
    static Result<GeneratedFiles> generate(GeneratorKind kind, const QString &connectionName,
                                           const GeneratorSettings &settings,
                                           const GenerationCallbacks &callbacks = {});

    // installation path + system name + " SQL" / " C++ Files" / " Java Files".
    static QString outputFolder(GeneratorKind kind, const QString &installPath,
                                const QString &systemName);
    // ".sql", ".h", ".java"
    static QString fileSuffix(GeneratorKind kind);
    // "sql", "cpp", "java", as varn-cli names them.
    static std::optional<GeneratorKind> kindFromName(const QString &name);
    static QString kindName(GeneratorKind kind);
};

} // namespace varn::generate
