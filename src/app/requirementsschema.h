#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::app {

// Tells a Varn SE requirements database from any other file before anything
// writes to it: the file must be an SQLite database holding every table of
// the blank image with every one of its columns. The file is only read (an
// immutable read where it may not be written), so a refused file is left
// exactly as it was.
class RequirementsSchema
{
public:
    // Ok, or the reason in one sentence.
    static Outcome verify(const QString &databasePath);
    // The system whose requirements a verified database holds (SYSTEM_NAME),
    // read the same way; the reason in one sentence when it cannot be read.
    static Result<QString> systemName(const QString &databasePath);

    // Nobody may write the file or its folder: no write permission for this
    // user, or none for anyone (which even the superuser respects here).
    static bool isWritable(const QString &path);

    // The database and its folder may be written (its write-ahead log too).
    static bool mayBeWritten(const QString &databasePath);
};

} // namespace varn::app
