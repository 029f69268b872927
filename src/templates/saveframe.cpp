#include "templates/saveframe.h"

#include "common/requirementlimits.h"
#include "templates/templatestr.h"

#include "language/clauselabeler.h"
#include "language/gcodegrammar.h"
#include "objmodel/objectmodelderiver.h"
#include "store/datesaved.h"
#include "store/savetransaction.h"
#include "store/storemessages.h"
#include "store/storetr.h"
#include "store/supersededversion.h"
#include "store/transientretry.h"
#include "templates/storedtextcheck.h"
#include "templates/templatecatalogue.h"

#include <QScopeGuard>

namespace varn::templates {

using language::TermRecord;
using store::RecordGroup;

namespace {

constexpr int kLongestBody = kLongestText;

constexpr char kTooLong[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Requirement is too long. The combined length of all fields is greater than 254 "
    "characters.\nTry simplifying the requirement or breaking it down into two shorter ones.");
QString listNotChosen(const char *list)
{
    return Tr::tr("Validation error. A selection must be made from the %1 drop-down list.")
        .arg(QLatin1String(list));
}

} // namespace

// One press of Save.
class SaveFrame::Run
{
public:
    Run(store::RequirementWriter &writer, objmodel::ObjectModelWriter &modelTables,
        ComposedRequirement &requirement, const QDate &today)
        : m_writer(writer), m_modelTables(modelTables), m_requirement(requirement),
          m_attributes(requirement.attributes()), m_today(today)
    {}

    CommitResult save()
    {
        if (!take(m_requirement.checkBeforeSaving()))
            return m_result;
        if (!take(m_requirement.checkCharacters()))
            return m_result;
        if (Outcome fits =
                StoredTextCheck::attributes(m_attributes.paragraph, m_attributes.comments);
            !fits)
            return refuse(fits);
        const int category = TemplateCatalogue::categories().indexOf(m_attributes.category);
        const int priority = TemplateCatalogue::priorities().indexOf(m_attributes.priority);
        const int release = TemplateCatalogue::priorities().indexOf(m_attributes.release);

        // The write lock first: the counters and rows are then read as this
        // save will write them, with no other writer in between.
        store::SaveTransaction transaction(m_writer.connectionName());
        if (Outcome begun = transaction.begin(); !begun)
            return refuse(begun);
        if (Outcome opened = openGroups(); !opened)
            return refuse(opened);
        // Whatever way the save ends, its record sets are closed again (before
        // the transaction rolls back), so no read of theirs stays pending; a
        // batch that holds them open gets them back only from a committed save.
        bool committed = false;
        const auto closeOnExit = qScopeGuard([this, &committed] {
            if (committed)
                closeGroups();
            else
                m_writer.drop(m_requirement.recordGroup());
        });
        const Result<qint32> number = m_writer.nextNumber();
        if (!number)
            return refuse(number.outcome());
        m_result.number = number.value();

        if (Outcome writable = m_writer.checkCanAdd(); !writable) {
            (void)transaction.rollback();
            return refuse(writable);
        }
        if (!fillMasterRow(category, priority, release))
            return m_result;

        QList<TermRecord> terms;
        QString body;
        if (!take(m_requirement.compose(body, terms)))
            return m_result;
        if (body.size() > kLongestBody)
            return refuse(Outcome::refused(Tr::tr(kTooLong)));
        if (Outcome safe = StoredTextCheck::composition(m_requirement.storedText(body), terms);
            !safe)
            return refuse(safe);
        QByteArray tcode;
        if (m_requirement.derivesObjectModel() && !checkGrammar(terms, tcode))
            return m_result;

        if (Outcome written = writeRows(body, tcode); !written)
            return refuse(written);
        if (m_requirement.derivesObjectModel()) {
            if (Outcome derived = deriveModel(terms); !derived) {
                m_result.detail = derived.message();
                return refuse(Outcome::refused(store::Tr::tr(store::messages::kObjectModelFailed)));
            }
        }
        // Reads still pending at the commit would keep the write-ahead log
        // from being checkpointed, and it would grow with every save.
        closeGroups();
        if (Outcome retired = retireEditedVersion(); !retired)
            return refuse(retired);
        if (Outcome done = transaction.commit(); !done)
            return refuse(done);
        committed = true;
        m_result.sentence = m_master.Preamble + QLatin1Char(' ') + m_master.ReqText;
        becomeLoadedVersion();
        return m_result;
    }

private:
    CommitResult refuse(const Outcome &why)
    {
        m_result.outcome = why;
        return m_result;
    }

    // False (with the refusal taken into the result) when the step stops.
    bool take(const SaveStep &step)
    {
        if (step.proceeds())
            return true;
        m_result.outcome = step.outcome;
        m_result.focusField = step.focusField;
        m_result.selectField = step.selectField;
        return false;
    }

    // The save's own record sets; the derived object model is written
    // through ObjectModelWriter.
    Outcome openGroups() { return m_writer.open(m_requirement.recordGroup()); }

    void closeGroups() { m_writer.close(m_requirement.recordGroup()); }

    bool fillMasterRow(int category, int priority, int release)
    {
        store::MasterReqRow &row = m_master;
        if (!take(m_requirement.describeMaster(row)))
            return false;
        row.Req_Num = m_result.number;
        row.ParaNum =
            m_attributes.paragraph.isEmpty() ? QStringLiteral("None") : m_attributes.paragraph;
        if (!m_attributes.comments.isEmpty())
            row.Comments = m_attributes.comments;
        if (category < 0)
            return take(SaveStep::stop(Outcome::refused(listNotChosen("Category"))));
        row.Category = m_attributes.category;
        if (priority < 0)
            return take(SaveStep::stop(Outcome::refused(listNotChosen("Priority"))));
        row.Priority = priority + 1;
        if (release < 0)
            return take(SaveStep::stop(Outcome::refused(listNotChosen("Release"))));
        row.Release = release + 1;
        row.DateSaved = store::DateSaved::text(m_today);
        return true;
    }

    // The TCode from the terms' letters, the end checks and clause labelling.
    bool checkGrammar(QList<TermRecord> &terms, QByteArray &tcode)
    {
        for (const TermRecord &term : terms)
            tcode.append(term.letter);
        terms.append(TermRecord{});
        if (Outcome valid = language::GCodeGrammar::ValidateSequence(tcode, true); !valid)
            return take(SaveStep::stop(valid));
        if (Outcome labelled = language::ClauseLabeler::LabelClauses(terms); !labelled)
            return take(SaveStep::stop(labelled));
        return true;
    }

    Outcome writeRows(const QString &body, const QByteArray &tcode)
    {
        store::MasterReqRow &row = m_master;
        const bool edit = m_attributes.isEditing();
        row.Version = edit ? m_attributes.loadedVersion + 1 : 1;
        row.OrigReqNum = edit ? m_requirement.firstVersionOfEdit() : m_result.number;
        row.ReqText = m_requirement.storedText(body);
        m_version = row.Version;
        m_firstVersion = row.OrigReqNum;
        if (Outcome added = m_writer.addMaster(row); !added)
            return added;
        return m_requirement.writeOwnRows(m_writer, m_result.number, tcode);
    }

    Outcome deriveModel(const QList<TermRecord> &terms)
    {
        m_modelTables.reset();
        objmodel::ObjectModelDeriver deriver(m_modelTables);
        const bool functional = m_requirement.recordGroup() == RecordGroup::Functional;
        if (Outcome derived = deriver.DeriveObjectModel(terms, m_result.number, functional);
            !derived)
            return derived;
        return m_modelTables.flushCounters();
    }

    // In the save's transaction: the edited version is marked "Deleted", so
    // that an edit never leaves two live versions behind.
    Outcome retireEditedVersion()
    {
        if (!m_attributes.isEditing())
            return Outcome::ok();
        return store::SupersededVersion::markDeletedInSave(
            m_writer.connectionName(), m_attributes.loadedNumber, m_today, m_result.number);
    }

    // After the commit, the new version becomes the loaded one so that a
    // further save versions it.
    void becomeLoadedVersion()
    {
        if (!m_attributes.isEditing())
            return;
        m_result.versionRetired = true;
        m_attributes.loadedNumber = m_result.number;
        m_attributes.loadedVersion = m_version;
        m_attributes.loadedFirstVersion = m_firstVersion;
    }

    store::RequirementWriter &m_writer;
    objmodel::ObjectModelWriter &m_modelTables;
    ComposedRequirement &m_requirement;
    DraftAttributes &m_attributes;
    const QDate m_today;
    CommitResult m_result;
    // The new MASTER_REQ row, written once the sentence is composed.
    store::MasterReqRow m_master;
    int m_version = 1;
    int m_firstVersion = 0;
};

SaveFrame::SaveFrame(store::RecordObjects &records)
    : m_writer(records), m_modelTables(m_writer.connectionName())
{}

CommitResult SaveFrame::save(ComposedRequirement &requirement, const QDate &today)
{
    // A save that met another writer's conflict is run again from the start.
    return store::TransientRetry::run(
        [&] { return Run(m_writer, m_modelTables, requirement, today).save(); });
}

} // namespace varn::templates
