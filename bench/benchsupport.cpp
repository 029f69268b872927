#include "benchsupport.h"

#include "central/requirementtablemodel.h"

#include <sqlite3.h>

namespace BenchSupport {

bool exec(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool step(sqlite3_stmt *statement)
{
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    return done;
}

qsizetype readFirstScreen(const varn::central::RequirementTableModel &model, int rows)
{
    qsizetype characters = 0;
    for (int column = 0; column < model.columnCount(); ++column)
        characters += model.headerData(column, Qt::Horizontal).toString().size();
    for (int row = 0; row < rows && row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column)
            characters += model.data(model.index(row, column)).toString().size();
    }
    return characters;
}

} // namespace BenchSupport
