#include "templates/functionalcommit.h"

#include "language/clauselabeler.h"
#include "language/gcodegrammar.h"
#include "language/termnormalizer.h"
#include "objmodel/modeltables.h"
#include "objmodel/objectmodelderiver.h"
#include "store/datesaved.h"
#include "store/recordobjects.h"
#include "store/savetransaction.h"
#include "store/storemessages.h"
#include "store/supersededversion.h"

namespace varn::templates {

using language::TermRecord;
using store::RecordGroup;

namespace {

constexpr int kLongestBody = 254;
constexpr int kLongestField = 50;
constexpr int kWhoWhat = 0;
constexpr int kDoWhat = 1;

const QString kNoPreamble =
    QStringLiteral("Validation error. A selection must be made from the first drop-down list.");
const QString kNoActor = QStringLiteral("Validation error. The 'who/what' field must be "
                                        "defined.\nSee your first drop-down list selection.");
const QString kMissingFunction = QStringLiteral(
    "Validation error. The '(to) do what' field must be defined for a functional requirement.");
const QString kPreambleNotChosen =
    QStringLiteral("No selection has been made\nfrom the System combo box.");
const QString kNotAnItem =
    QStringLiteral("Invalid entry in highlighted field. Must select from the list provided.");
const QString kFieldTooLong =
    QStringLiteral("Field value is too long. A field holds at most 50 characters.");
const QString kTooLong = QStringLiteral(
    "Requirement is too long. The combined length of all fields is greater than 254 "
    "characters.\nTry simplifying the requirement or breaking it down into two shorter ones.");

QString listNotChosen(const char *list)
{
    return QStringLiteral("Validation error. A selection must be made from the %1 drop-down list.")
        .arg(QLatin1String(list));
}

// Every run of blanks becomes one blank; trailing blanks go.
QString collapsedBody(QString body)
{
    while (body.contains(QLatin1String("  ")))
        body.replace(QLatin1String("  "), QLatin1String(" "));
    while (body.endsWith(QLatin1Char(' ')))
        body.chop(1);
    return body;
}

} // namespace

// One press of Save.
class FunctionalCommit::Run
{
public:
    Run(store::RecordObjects &records, objmodel::ModelTables &modelTables,
        const QString &systemName, FunctionalDraft &draft, const QDate &today)
        : m_records(records), m_modelTables(modelTables), m_systemName(systemName), m_draft(draft),
          m_today(today)
    {}

    CommitResult save()
    {
        if (!checkOpeningFields())
            return m_result;
        const int category = TemplateCatalogue::categories().indexOf(m_draft.category);
        const int priority = TemplateCatalogue::priorities().indexOf(m_draft.priority);
        const int release = TemplateCatalogue::priorities().indexOf(m_draft.release);

        if (Outcome opened = openGroups(); !opened)
            return refuse(opened);
        store::SaveTransaction transaction(m_records.connectionName());
        if (Outcome begun = transaction.begin(); !begun) {
            closeGroups();
            return refuse(begun);
        }
        const Result<qint32> number = m_records.pkRqMastrSet().nextKey();
        if (!number)
            return refuse(number.outcome());
        m_result.number = number.value();

        store::CReqMsSet &master = m_records.reqMsSet();
        if (!master.canAppend()) {
            transaction.rollback();
            closeGroups();
            return refuse(
                Outcome::refused(QString::fromLatin1(store::messages::kCannotWriteMsReqSet)));
        }
        if (Outcome adding = master.addNew(); !adding)
            return refuse(master.errorOutcome(
                QStringLiteral("Cannot add record to the MsReqSet recordset.\n")));
        if (Outcome filled = fillMasterRow(category, priority, release); !filled)
            return refuse(filled);

        QList<TermRecord> terms;
        QString body;
        if (!collectTerms(terms, body))
            return m_result;
        if (body.size() > kLongestBody)
            return refuse(Outcome::refused(kTooLong));
        QByteArray tcode;
        for (const TermRecord &term : terms)
            tcode.append(term.letter);
        terms.append(TermRecord{});

        if (Outcome valid = language::GCodeGrammar::ValidateSequence(tcode, true); !valid)
            return refuse(valid);
        if (Outcome labelled = language::ClauseLabeler::LabelClauses(terms); !labelled)
            return refuse(labelled);

        if (Outcome written = writeRows(body, tcode); !written)
            return refuse(written);
        if (Outcome derived = deriveModel(terms); !derived) {
            m_result.detail = derived.message();
            return refuse(
                Outcome::refused(QString::fromLatin1(store::messages::kObjectModelFailed)));
        }
        if (Outcome committed = transaction.commit(); !committed)
            return refuse(committed);
        closeGroups();
        retireEditedVersion();
        return m_result;
    }

private:
    CommitResult refuse(const Outcome &why, int focus = -1, bool select = false)
    {
        m_result.outcome = why;
        m_result.focusField = focus;
        m_result.selectField = select;
        return m_result;
    }

    const DraftField &field(int k) const
    {
        static const DraftField empty;
        return m_draft.isOpen(k) ? m_draft.fields[k] : empty;
    }

    bool actorPreamble() const
    {
        return m_draft.preamblePosition() >= TemplateCatalogue::kFirstActorPreamble;
    }

    bool checkOpeningFields()
    {
        if (m_draft.preamble.isEmpty()) {
            refuse(Outcome::refused(kNoPreamble));
            return false;
        }
        if (actorPreamble() && field(kWhoWhat).text.isEmpty()) {
            refuse(Outcome::refused(kNoActor), kWhoWhat);
            return false;
        }
        if (field(kDoWhat).text.isEmpty()) {
            const FunctionalTemplate *functionalTemplate =
                TemplateCatalogue::functional(m_draft.source);
            refuse(
                Outcome::refused(functionalTemplate
                                     ? QString::fromUtf8(functionalTemplate->missingFunctionMessage)
                                     : kMissingFunction),
                kDoWhat);
            return false;
        }
        return true;
    }

    Outcome openGroups()
    {
        if (Outcome functional = m_records.openGroup(RecordGroup::Functional); !functional)
            return functional;
        return m_records.openGroup(RecordGroup::ObjectModel);
    }

    void closeGroups()
    {
        m_records.closeGroup(RecordGroup::ObjectModel);
        m_records.closeGroup(RecordGroup::Functional);
    }

    Outcome fillMasterRow(int category, int priority, int release)
    {
        store::MasterReqRow &row = m_records.reqMsSet().row();
        const int preamble = m_draft.preamblePosition();
        if (preamble < 0)
            return Outcome::refused(kPreambleNotChosen);
        row.Preamble = QStringLiteral("The ") + m_systemName +
                       TemplateCatalogue::preambleSentencePhrase(preamble);
        row.Req_Num = m_result.number;
        row.FSTType = QStringLiteral("Functional");
        row.Source = m_draft.source;
        row.ParaNum = m_draft.paragraph.isEmpty() ? QStringLiteral("None") : m_draft.paragraph;
        if (!m_draft.comments.isEmpty())
            row.Comments = m_draft.comments;
        if (category < 0)
            return Outcome::refused(listNotChosen("Category"));
        row.Category = m_draft.category;
        if (priority < 0)
            return Outcome::refused(listNotChosen("Priority"));
        row.Priority = priority + 1;
        if (release < 0)
            return Outcome::refused(listNotChosen("Release"));
        row.Release = release + 1;
        row.DateSaved = store::DateSaved::text(m_today);
        return Outcome::ok();
    }

    // A typed field normalised into its term; false (with the refusal) when
    // the normaliser refuses it.
    bool takeTypedTerm(int k, char letter, QList<TermRecord> &terms)
    {
        QString text = field(k).text;
        if (text.size() > kLongestField) {
            refuse(Outcome::refused(kFieldTooLong), k, true);
            return false;
        }
        if (Outcome normalised = language::TermNormalizer::normalizeField(text, letter);
            !normalised) {
            refuse(normalised, k, true);
            return false;
        }
        terms.append(TermRecord{0, 0, letter, text});
        return true;
    }

    bool collectTerms(QList<TermRecord> &terms, QString &body)
    {
        if (actorPreamble()) {
            body = field(kWhoWhat).text + QLatin1Char(' ') + field(kDoWhat).text + QLatin1Char(' ');
            if (!takeTypedTerm(kWhoWhat, 'k', terms) || !takeTypedTerm(kDoWhat, 'd', terms))
                return false;
        } else {
            body = field(kDoWhat).text + QLatin1Char(' ');
            if (!takeTypedTerm(kDoWhat, 'd', terms))
                return false;
        }
        for (int k = kDoWhat + 1; k < m_draft.fields.size(); ++k) {
            const DraftField &entry = field(k);
            if (entry.text.isEmpty())
                continue;
            if (entry.text.size() > kLongestField) {
                refuse(Outcome::refused(kFieldTooLong), k, true);
                return false;
            }
            switch (entry.kind) {
            case DraftField::Kind::Text:
                if (entry.letter == 0)
                    continue;
                body += entry.text + QLatin1Char(' ');
                if (!takeTypedTerm(k, entry.letter, terms))
                    return false;
                break;
            case DraftField::Kind::List: {
                const int position = TemplateCatalogue::positionOf(entry.list, entry.text);
                if (position < 0) {
                    refuse(Outcome::refused(kNotAnItem), k);
                    return false;
                }
                body += entry.text + QLatin1Char(' ');
                const char letter =
                    TemplateCatalogue::items(entry.list)[std::size_t(position)].letter;
                terms.append(TermRecord{0, 0, letter, entry.text});
                break;
            }
            case DraftField::Kind::Word:
                if (entry.letter == 0)
                    continue;
                body += entry.text + QLatin1Char(' ');
                terms.append(TermRecord{0, 0, entry.letter, entry.text});
                break;
            }
        }
        return true;
    }

    QString storedField(int k) const
    {
        const DraftField &entry = field(k);
        if (entry.kind != DraftField::Kind::List)
            return entry.text;
        return QString::number(TemplateCatalogue::positionOf(entry.list, entry.text));
    }

    Outcome writeRows(const QString &body, const QByteArray &tcode)
    {
        store::CReqMsSet &master = m_records.reqMsSet();
        store::MasterReqRow &row = master.row();
        const bool edit = m_draft.edit && m_draft.loadedNumber >= 0;
        row.Version = edit ? m_draft.loadedVersion + 1 : 1;
        row.OrigReqNum = !edit                             ? m_result.number
                         : m_draft.loadedFirstVersion != 0 ? m_draft.loadedFirstVersion
                                                           : m_draft.loadedNumber;
        row.ReqText = collapsedBody(body);
        m_version = row.Version;
        m_firstVersion = row.OrigReqNum;
        if (Outcome updated = master.update(); !updated)
            return master.errorOutcome(
                QStringLiteral("Error adding new record to the ReqMsSet recordset.\n"));

        if (const Result<qint32> key = m_records.pkRqMastrSet().allocateKey(); !key)
            return m_records.pkRqMastrSet().errorOutcome(
                QStringLiteral("Error updating the PkMastrSet recordset.\n"));

        store::CReqSet &functional = m_records.reqSet();
        if (Outcome adding = functional.addNew(); !adding)
            return functional.errorOutcome(
                QStringLiteral("Error adding record to the ReqSet recordset.\n"));
        store::FuncReqRow &fields = functional.row();
        fields.F_ReqNum = m_result.number;
        fields.Source = m_draft.source;
        fields.Preamble = QString::number(m_draft.preamblePosition());
        for (int k = 0; k < m_draft.fields.size() && k < store::FuncReqRow::kFieldCount; ++k)
            fields.field(k) = storedField(k);
        fields.TCodeStrF = QString::fromLatin1(tcode);
        if (Outcome updated = functional.update(); !updated)
            return functional.errorOutcome(
                QStringLiteral("Error adding record to the ReqSet recordset.\n"));
        return Outcome::ok();
    }

    Outcome deriveModel(const QList<TermRecord> &terms)
    {
        m_modelTables.reset();
        objmodel::ObjectModelDeriver deriver(m_modelTables);
        if (Outcome derived = deriver.DeriveObjectModel(terms, m_result.number, true); !derived)
            return derived;
        return m_modelTables.flushCounters();
    }

    void retireEditedVersion()
    {
        if (!m_draft.edit || m_draft.loadedNumber < 0)
            return;
        m_result.retireProblem = store::SupersededVersion::markDeleted(
            m_records.connectionName(), m_draft.loadedNumber, m_today);
        if (!m_result.retireProblem)
            return;
        m_result.versionRetired = true;
        m_draft.loadedNumber = m_result.number;
        m_draft.loadedVersion = m_version;
        m_draft.loadedFirstVersion = m_firstVersion;
    }

    store::RecordObjects &m_records;
    objmodel::ModelTables &m_modelTables;
    const QString &m_systemName;
    FunctionalDraft &m_draft;
    const QDate m_today;
    CommitResult m_result;
    int m_version = 1;
    int m_firstVersion = 0;
};

FunctionalCommit::FunctionalCommit(store::RecordObjects &records, QString systemName)
    : m_records(records), m_systemName(std::move(systemName)),
      m_modelTables(QSqlDatabase::database(records.connectionName(), false))
{}

CommitResult FunctionalCommit::save(FunctionalDraft &draft, const QDate &today)
{
    return Run(m_records, m_modelTables, m_systemName, draft, today).save();
}

} // namespace varn::templates
