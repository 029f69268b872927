#include "interchange/workspacerequirements.h"

#include "common/templatenumbers.h"

#include "common/storedwords.h"

#include "interchange/foreigndocument.h"
#include "interchange/storedfields.h"
#include "store/foreignobjects.h"
#include "store/requirementsetreader.h"

#include <QSet>

#include <algorithm>
#include <vector>

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

namespace {

// Numbers read in ascending order, held as a sorted array: four bytes each.
class NumberSet
{
public:
    void append(qint32 number) { m_numbers.push_back(number); }
    bool contains(qint32 number) const
    {
        return std::binary_search(m_numbers.cbegin(), m_numbers.cend(), number);
    }

private:
    std::vector<qint32> m_numbers;
};

ExchangedRequirement exchanged(const store::WholeRequirement &whole)
{
    const store::MasterReqRow &row = whole.master;
    ExchangedRequirement requirement;
    requirement.number = row.Req_Num;
    requirement.source = row.Source;
    requirement.deleted = row.FSTType == QLatin1String(StoredWords::kDeleted);
    requirement.type =
        requirement.deleted ? ExchangedRequirement::kindOfSource(requirement.source) : row.FSTType;
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
        requirement.storedFields = StoredFields::encode(whole.composerTable, whole.composerColumns,
                                                        whole.composerTexts, whole.possibleValues);
    return requirement;
}

} // namespace

Result<ExchangeSet> WorkspaceRequirements::read(const QString &connectionName,
                                                const QString &systemName, bool everyVersion)
{
    const store::RequirementSetReader reader(connectionName);
    ExchangeSet set;
    set.systemName = systemName;
    // Which requirements the export holds, and which of them are live, from
    // their numbers alone: the rows themselves are read as they are written.
    NumberSet numbers, live;
    const Outcome read = reader.forEachNumber(everyVersion, [&](qint32 number, bool deleted) {
        ++set.count;
        numbers.append(number);
        if (!deleted)
            live.append(number);
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
    if (Outcome kept = readForeign(
            connectionName, [&numbers](qint32 number) { return numbers.contains(number); },
            [&live](qint32 number) { return live.contains(number); }, set);
        !kept)
        return kept;
    set.forEachRequirement = [connectionName, everyVersion](const ExchangeSet::Visit &visit) {
        const store::RequirementSetReader rows(connectionName);
        return rows.read(everyVersion, [&visit](const store::WholeRequirement &whole) {
            return visit(exchanged(whole));
        });
    };
    return set;
}

Outcome WorkspaceRequirements::readForeign(const QString &connectionName, const Holds &exported,
                                           const Holds &live, ExchangeSet &set)
{
    // Read straight from SQLite where the workspace is a file: a large
    // document holds millions of values.
    store::ForeignObjects stored(connectionName, store::ForeignObjects::Route::Direct);
    const Result<QHash<qint32, QString>> fullTexts = stored.allFullTexts();
    if (!fullTexts)
        return fullTexts.outcome();
    for (auto text = fullTexts->cbegin(); text != fullTexts->cend(); ++text) {
        if (exported(text.key()))
            set.fullTexts.insert(text.key(), text.value());
    }
    const Result<QList<store::ForeignDocumentRow>> documents = stored.documents();
    if (!documents)
        return documents.outcome();
    if (documents->isEmpty())
        return Outcome::ok();
    const Result<QHash<qint32, store::ForeignObjectRow>> objects = stored.allObjects();
    if (!objects)
        return objects.outcome();
    auto foreign = std::make_shared<ForeignRecords>();
    QSet<qint32> used;
    QSet<QString> identifiers;
    // Live requirements only: a superseded version is written as a
    // requirement of this workspace, never under its successor's identifier.
    for (const store::ForeignObjectRow &row : objects.value()) {
        if (!live(row.number) || identifiers.contains(row.identifier))
            continue;
        identifiers.insert(row.identifier);
        foreign->objects.insert(row.number, ForeignDocument::object(row));
        foreign->documentOf.insert(row.number, row.document);
        used.insert(row.document);
    }
    if (used.isEmpty())
        return Outcome::ok();
    const Result<QList<store::ForeignRelationRow>> relations = stored.relations();
    if (!relations)
        return relations.outcome();
    for (const store::ForeignDocumentRow &row : documents.value()) {
        if (!used.contains(row.number))
            continue;
        ForeignRecords::Document document{row.number, ForeignDocument::decodeLayout(row.layout)};
        const auto &kept = document.content.keptAttributes;
        for (const store::ForeignRelationRow &relation : relations.value()) {
            if (relation.document != row.number)
                continue;
            ReqIfContent::Relation read = ForeignDocument::relation(relation);
            read.otherAttributes = kept.value(read.identifier);
            document.content.relations.append(std::move(read));
        }
        for (auto object = foreign->objects.begin(); object != foreign->objects.end(); ++object) {
            if (foreign->documentOf.value(object.key()) == row.number)
                object->otherAttributes = kept.value(object->identifier);
        }
        foreign->documents.append(std::move(document));
    }
    set.foreign = std::move(foreign);
    return Outcome::ok();
}

} // namespace varn::interchange
