#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace varn::generate {

// The three outputs a workspace's object model can be written as.
enum class GeneratorKind { Sql, Cpp, Java };

// What a generator needs besides the database: where the workspace's output
// folders live, whose model it is, and the one option of the C++ output.
struct GeneratorSettings
{
    QString installPath; // folder that holds the per-system output folders
    QString systemName;
    bool verbose = false; // C++ only: enums, accessors of int attributes, constructors
};

// Reports to whoever shows the work: the status line ("Please wait...") and
// the percentage with the name (entity or table) being written. Either may be
// left empty.
struct GenerationCallbacks
{
    std::function<void(const QString &status)> status;
    std::function<void(int percent, const QString &name)> progress;
};

// What a finished generation wrote. A notice is a message to show although
// the run succeeded (the heavy-table explanation of the SQL module).
struct GeneratedFiles
{
    QString folder;    // absolute path of the output folder
    QStringList files; // file names inside the folder, in the order written
    QString notice;    // empty when there is nothing to tell
};

} // namespace varn::generate
