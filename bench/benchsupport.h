#pragma once

#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

namespace varn::central {
class RequirementTableModel;
}

// What several benchmarks do alike: fill a database straight through the
// SQLite C API (the arrangement, not what is measured), and read the first
// screen of Requirements Central's list.
namespace BenchSupport {

// One statement without values; false when it fails.
bool exec(sqlite3 *db, const char *sql);
// Runs a statement with the values bound to it, then resets it for the
// next; false unless it ran to the end.
bool step(sqlite3_stmt *statement);

// What the list asks for to paint its first screen: every shown cell of the
// first rows, and the headers. Returns the characters read.
qsizetype readFirstScreen(const varn::central::RequirementTableModel &model, int rows = 30);

} // namespace BenchSupport
