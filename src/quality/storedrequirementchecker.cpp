#include "quality/storedrequirementchecker.h"

#include "quality/sentencechecker.h"
#include "quality/sentencespans.h"
#include "quality/workspacequality.h"
#include "store/recordcolumn.h"
#include "store/requirementreader.h"
#include "store/requirementrows.h"
#include "store/requirementsetreader.h"

#include <algorithm>
#include <span>

namespace varn::quality {

namespace {

// The composer row's columns after its key, by name and as text, as the
// set reader hands them over.
template <typename Row, std::size_t N>
void putColumns(const Row &row, const store::RecordColumn<Row> (&columns)[N],
                store::WholeRequirement &requirement)
{
    for (std::size_t i = 1; i < N; ++i) {
        requirement.composerColumns.append(QLatin1String(columns[i].name));
        if (const auto *number = std::get_if<int Row::*>(&columns[i].member))
            requirement.composerTexts.append(QString::number(row.**number));
        else
            requirement.composerTexts.append(row.*std::get<QString Row::*>(columns[i].member));
    }
}

} // namespace

StoredRequirementChecker::StoredRequirementChecker(QString connectionName)
    : m_connection(std::move(connectionName))
{
    // A workspace without the quality tables (opened only to read, made
    // before them) is checked with the program's rules.
    Result<RuleSettings> settings = WorkspaceQuality::readSettings(m_connection);
    m_checker = std::make_unique<SentenceChecker>(settings ? settings.value() : RuleSettings{});
    Result<QList<store::QualityAcceptanceRow>> accepted =
        store::QualityTables(m_connection).acceptances();
    if (accepted)
        m_accepted = accepted.value();
}

StoredRequirementChecker::~StoredRequirementChecker() = default;

Result<QList<Finding>> StoredRequirementChecker::findingsOf(qint32 number) const
{
    const store::RequirementReader reader(m_connection);
    Result<std::optional<store::MasterReqRow>> master = reader.master(number);
    if (!master)
        return master.outcome();
    if (!master.value())
        return QList<Finding>{};
    store::WholeRequirement requirement;
    requirement.master = *master.value();
    Result<std::optional<store::StrucReqRow>> structural = reader.structural(number);
    if (!structural)
        return structural.outcome();
    if (structural.value()) {
        requirement.composerTable = QStringLiteral("STRUC_REQ");
        putColumns(*structural.value(), store::kStrucReqColumns, requirement);
        Result<QStringList> values = reader.possibleValues(number);
        if (!values)
            return values.outcome();
        requirement.possibleValues = values.value();
    } else {
        Result<std::optional<store::FuncReqRow>> functional = reader.functional(number);
        if (!functional)
            return functional.outcome();
        if (functional.value()) {
            requirement.composerTable = QStringLiteral("FUNC_REQ");
            putColumns(*functional.value(), store::kFuncReqColumns, requirement);
        }
    }
    QList<Finding> findings = m_checker->check(SentenceSpans::stored(requirement));
    findings.removeIf([&](const Finding &finding) {
        return std::any_of(m_accepted.cbegin(), m_accepted.cend(),
                           [&](const store::QualityAcceptanceRow &row) {
                               return row.number == number && row.rule == finding.rule &&
                                      row.words == finding.words;
                           });
    });
    return findings;
}

} // namespace varn::quality
