#pragma once

#include <QString>

namespace varn::store {
class RecordObjects;
}

// The worked examples of the application database, read through a read-only
// connection and saved into a workspace as its users would save them.
namespace WorkedExamples {

// Opens the application database the build made, read only, under the name
// given; fails the test when it cannot.
bool openApplicationDatabase(const QString &connectionName);

// Saves every functional worked example, in number order, as a new
// requirement of the system. Returns how many were saved, or -1 (with a
// warning) at the first one that does not load or save.
int saveAll(const QString &applicationConnection, varn::store::RecordObjects &records,
            const QString &system);

} // namespace WorkedExamples
