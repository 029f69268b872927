#include "interchange/workspacerequirements.h"

#include "common/templatenumbers.h"

#include "common/storedwords.h"

#include "interchange/storedfields.h"
#include "store/requirementsetreader.h"

#include <QSet>

namespace varn::interchange {

store::MasterReqRow ExchangedRequirement::masterRow(MasterColumns columns) const
{
    store::MasterReqRow row;
    row.Category = category;
    row.Priority = priority;
    row.Release = release;
    row.ParaNum = paragraph;
    row.Comments = comments;
    row.Version = version;
    row.OrigReqNum = firstVersion;
    if (columns == MasterColumns::All) {
        row.Req_Num = number;
        row.FSTType = deleted ? QString::fromLatin1(StoredWords::kDeleted) : type;
        row.Source = source;
        row.Preamble = preamble;
        row.ReqText = text;
        row.DateSaved = dateSaved;
    }
    return row;
}

QString ExchangedRequirement::kindOfSource(qint32 source)
{
    if (source == TemplateNumber::kBuilder || TemplateNumber::isFunctional(source))
        return QString::fromLatin1(StoredWords::kFunctional);
    if (TemplateNumber::isStructural(source))
        return QString::fromLatin1(StoredWords::kStructural);
    return QString::fromLatin1(StoredWords::kTechnical);
}

Result<ExchangeSet> WorkspaceRequirements::read(const QString &connectionName,
                                                const QString &systemName, bool everyVersion)
{
    const store::RequirementSetReader reader(connectionName);
    ExchangeSet set;
    set.systemName = systemName;
    QSet<qint32> numbers;
    const Outcome read = reader.forEach(everyVersion, [&](const store::WholeRequirement &whole) {
        const store::MasterReqRow &row = whole.master;
        ExchangedRequirement requirement;
        requirement.number = row.Req_Num;
        requirement.source = row.Source;
        requirement.deleted = row.FSTType == QLatin1String(StoredWords::kDeleted);
        requirement.type = requirement.deleted
                               ? ExchangedRequirement::kindOfSource(requirement.source)
                               : row.FSTType;
        requirement.category = row.Category;
        requirement.priority = row.Priority;
        requirement.release = row.Release;
        requirement.version = row.Version;
        requirement.paragraph = row.ParaNum;
        requirement.preamble = row.Preamble;
        requirement.text = row.ReqText;
        requirement.firstVersion = row.OrigReqNum;
        requirement.dateSaved = row.DateSaved;
        requirement.comments = row.Comments;
        if (!whole.composerTable.isEmpty())
            requirement.storedFields =
                StoredFields::encode(whole.composerTable, whole.composerColumns,
                                     whole.composerTexts, whole.possibleValues);
        numbers.insert(requirement.number);
        set.requirements.append(std::move(requirement));
    });
    if (!read)
        return read;

    const Result<QList<store::StoredLink>> links = reader.links();
    if (!links)
        return links.outcome();
    for (const store::StoredLink &link : links.value()) {
        if (numbers.contains(link.parent) && numbers.contains(link.dependent))
            set.links.append({link.parent, link.dependent});
    }
    return set;
}

} // namespace varn::interchange
