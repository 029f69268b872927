#include "store/systemsettings.h"
#include "store/storetr.h"

#include "store/creqsysnameset.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

namespace {

// The member of each Display flag, in flag order.
constexpr int SystemNameRow::*kFlagMembers[] = {
    &SystemNameRow::TypeSet,      &SystemNameRow::SourceSet,      &SystemNameRow::CategorySet,
    &SystemNameRow::PrioritySet,  &SystemNameRow::ReleaseSet,     &SystemNameRow::VersionSet,
    &SystemNameRow::ParagraphSet, &SystemNameRow::RequirementSet, &SystemNameRow::OrigNumSet,
    &SystemNameRow::DateSavedSet, &SystemNameRow::CommentsSet,
};
static_assert(std::size(kFlagMembers) == kDisplayFlagCount);

constexpr char kCannotOpen[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot open ReqSysNameSet recordset.\n");
constexpr char kCannotWrite[] =
    QT_TRANSLATE_NOOP("varn::store", "Error writing to the Requirements database.\n");
constexpr char kCannotWriteName[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot write to ReqSysNameSet recordset.\n");
constexpr char kNoRow[] = QT_TRANSLATE_NOOP("varn::store", "The SYSTEM_NAME table holds no row.");
const QString kNotOneRow = QStringLiteral("SYSTEM_NAME does not hold exactly one row.");

QString errorText(const QSqlError &error)
{
    TransientRetry::noteError(error);
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// Opens the set on its one row; empty, or the database's text of what failed.
QString openRow(CReqSysNameSet &set)
{
    if (Outcome opened = set.open(); !opened)
        return set.lastErrorText();
    if (set.isEOF())
        return Tr::tr(kNoRow);
    return {};
}

} // namespace

Outcome SystemSettings::failed(const QString &firstLine, const QString &text) const
{
    m_lastError = text;
    m_lastStatementError = text;
    return Outcome::stop(firstLine + text);
}

void SystemSettings::noteStatementError(const QSqlError &error) const
{
    m_lastError = errorText(error);
    m_lastStatementError = error.text();
}

Result<QString> SystemSettings::systemName() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("SELECT SystemName FROM SYSTEM_NAME")) || !query.next()) {
        noteStatementError(query.lastError());
        return Outcome::stop(Tr::tr(kCannotOpen) + m_lastError);
    }
    return query.value(0).toString();
}

Outcome SystemSettings::setSystemName(const QString &systemName) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    // The outcome carries the statement's whole report; lastErrorText() the
    // database's words, as the team database words its own message.
    if (!query.prepare(QStringLiteral("UPDATE SYSTEM_NAME SET SystemName = ?"))) {
        noteStatementError(query.lastError());
        return Outcome::stop(Tr::tr(kCannotOpen) + m_lastStatementError);
    }
    query.addBindValue(systemName);
    if (!query.exec()) {
        noteStatementError(query.lastError());
        if (!m_lastStatementError.trimmed().isEmpty())
            return Outcome::stop(Tr::tr(kCannotWriteName) + m_lastStatementError);
        return failed(Tr::tr(kCannotWriteName), kNotOneRow);
    }
    if (query.numRowsAffected() != 1)
        return failed(Tr::tr(kCannotWriteName), kNotOneRow);
    return Outcome::ok();
}

Result<DisplayChoices> SystemSettings::displayChoices() const
{
    CReqSysNameSet set(m_connection);
    if (const QString problem = openRow(set); !problem.isEmpty())
        return failed(Tr::tr(kCannotOpen), problem);
    DisplayChoices choices;
    for (int flag = 0; flag < kDisplayFlagCount; ++flag)
        choices.flags[flag] = set.row().*kFlagMembers[flag] != 0;
    choices.backgroundColour = set.row().BackgroundColor;
    set.close();
    return choices;
}

// Edits the one row with the change applied to the buffer, and writes it.
template <typename Change> Outcome SystemSettings::editRow(Change change) const
{
    CReqSysNameSet set(m_connection);
    if (const QString problem = openRow(set); !problem.isEmpty())
        return failed(Tr::tr(kCannotOpen), problem);
    if (Outcome editing = set.edit(); !editing)
        return failed(Tr::tr(kCannotWrite), set.lastErrorText());
    change(set.row());
    if (Outcome written = set.update(); !written)
        return failed(Tr::tr(kCannotWrite), set.lastErrorText());
    set.close();
    return Outcome::ok();
}

Outcome SystemSettings::setDisplayFlags(const DisplayFlags &flags) const
{
    return editRow([&](SystemNameRow &row) {
        for (int flag = 0; flag < kDisplayFlagCount; ++flag)
            row.*kFlagMembers[flag] = flags[flag] ? 1 : 0;
    });
}

Outcome SystemSettings::setBackgroundColour(int colour) const
{
    return editRow([&](SystemNameRow &row) { row.BackgroundColor = colour; });
}

} // namespace varn::store
