#pragma once

#include "common/outcome.h"

#include <QString>

#include <array>

class QSqlError;

namespace varn::store {

// SYSTEM_NAME's Display flags, in its column order (TypeSet ... CommentsSet).
inline constexpr int kDisplayFlagCount = 11;
using DisplayFlags = std::array<bool, kDisplayFlagCount>;

// What Requirements Central shows of a workspace, as its SYSTEM_NAME row keeps it.
struct DisplayChoices
{
    DisplayFlags flags{};
    int backgroundColour = 0; // as stored, which may be no colour at all
};

// SYSTEM_NAME, the one row of a workspace's own settings: the system's name,
// the columns Requirements Central shows and its background colour. The one
// route to the table. A failure is a stop naming the ReqSysNameSet recordset
// (or the write that failed), followed by the database's text;
// lastErrorText() keeps that text for a caller that words its own message.
class SystemSettings
{
public:
    explicit SystemSettings(QString connectionName) : m_connection(std::move(connectionName)) {}

    Result<QString> systemName() const;
    // Refused unless the table holds exactly one row, which then names the system.
    Outcome setSystemName(const QString &systemName) const;

    // Refused when the table holds no row.
    Result<DisplayChoices> displayChoices() const;
    Outcome setDisplayFlags(const DisplayFlags &flags) const;
    // Writes the number as it is; which numbers name a colour is the caller's.
    Outcome setBackgroundColour(int colour) const;

    // The database's own words about the last failure.
    const QString &lastErrorText() const { return m_lastError; }
    // The same with the driver's words after them, as a statement that
    // failed reports itself; the database's words alone where no statement ran.
    const QString &lastStatementError() const { return m_lastStatementError; }

private:
    template <typename Change> Outcome editRow(Change change) const;
    Outcome failed(const QString &firstLine, const QString &text) const;
    void noteStatementError(const QSqlError &error) const;

    QString m_connection;
    mutable QString m_lastError;
    mutable QString m_lastStatementError;
};

} // namespace varn::store
