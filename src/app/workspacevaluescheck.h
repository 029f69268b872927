#pragma once

#include "app/workspacefile.h"
#include "common/outcome.h"

namespace varn::app {

// A workspace file may come from anyone: its values are checked before any of
// them is written anywhere (the user's ODBC file, the database, a folder).
// A refusal carries the reason in one sentence, without the offending text.
class WorkspaceValuesCheck
{
public:
    static Outcome check(const WorkspaceValues &values);
    // The same 254-character limit on the connection string that New applies,
    // refused with New's message.
    static Outcome checkConnectionLength(const WorkspaceValues &values);
    // The database the values name must be an existing regular file.
    static Outcome checkDatabaseFile(const QString &path);
    // True for a character a name or a line of the ODBC file must not hold:
    // control characters, line and paragraph separators, direction overrides.
    static bool isUnsafeCharacter(QChar c);
};

} // namespace varn::app
