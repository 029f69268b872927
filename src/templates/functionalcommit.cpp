#include "templates/functionalcommit.h"

#include "common/storedwords.h"
#include "templates/templatestr.h"

#include "templates/storedtextcheck.h"

#include "common/requirementlimits.h"
#include "language/termnormalizer.h"

namespace varn::templates {

using language::TermRecord;

namespace {

constexpr int kWhoWhat = 0;
constexpr int kDoWhat = 1;

constexpr char kNoPreamble[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Validation error. A selection must be made from the first drop-down list.");
constexpr char kNoActor[] =
    QT_TRANSLATE_NOOP("varn::templates", "Validation error. The 'who/what' field must be "
                                         "defined.\nSee your first drop-down list selection.");
constexpr char kMissingFunction[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "Validation error. The '(to) do what' field must be defined for a functional requirement.");
constexpr char kPreambleNotChosen[] =
    QT_TRANSLATE_NOOP("varn::templates", "No selection has been made\nfrom the System combo box.");
constexpr char kNotAnItem[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Invalid entry in highlighted field. Must select from the list provided.");
constexpr char kFieldTooLong[] = QT_TRANSLATE_NOOP(
    "varn::templates", "Field value is too long. A field holds at most 50 characters.");
} // namespace

// A functional draft as the save frame sees it: its checks, its terms and its
// FUNC_REQ row.
class FunctionalCommit::Requirement : public ComposedRequirement
{
public:
    Requirement(FunctionalDraft &draft, const QString &systemName)
        : m_draft(draft), m_systemName(systemName)
    {}

    store::RecordGroup recordGroup() const override { return store::RecordGroup::Functional; }
    DraftAttributes &attributes() override { return m_draft; }

    SaveStep checkBeforeSaving() override
    {
        if (m_draft.preamble.isEmpty())
            return SaveStep::stop(Outcome::refused(Tr::tr(kNoPreamble)));
        if (actorPreamble() && field(kWhoWhat).text.isEmpty())
            return SaveStep::stop(Outcome::refused(Tr::tr(kNoActor)), kWhoWhat);
        if (field(kDoWhat).text.isEmpty()) {
            const FunctionalTemplate *functionalTemplate =
                TemplateCatalogue::functional(m_draft.source);
            return SaveStep::stop(
                Outcome::refused(functionalTemplate
                                     ? Tr::tr(functionalTemplate->missingFunctionMessage)
                                     : Tr::tr(kMissingFunction)),
                kDoWhat);
        }
        return SaveStep::proceed();
    }

    SaveStep checkCharacters() const override
    {
        for (int k = 0; k < m_draft.fields.size(); ++k) {
            if (StoredTextCheck::hasControlCharacter(m_draft.fields[k].text))
                return SaveStep::stop(StoredTextCheck::controlInField(), k, true);
        }
        return SaveStep::proceed();
    }

    SaveStep describeMaster(store::MasterReqRow &row) override
    {
        const int preamble = m_draft.preamblePosition();
        if (preamble < 0)
            return SaveStep::stop(Outcome::refused(Tr::tr(kPreambleNotChosen)));
        row.Preamble = QStringLiteral("The ") + m_systemName +
                       TemplateCatalogue::preambleSentencePhrase(preamble);
        row.FSTType = QString::fromLatin1(StoredWords::kFunctional);
        row.Source = m_draft.source;
        return SaveStep::proceed();
    }

    SaveStep compose(QString &body, QList<TermRecord> &terms) override
    {
        if (actorPreamble()) {
            body = field(kWhoWhat).text + QLatin1Char(' ') + field(kDoWhat).text + QLatin1Char(' ');
            if (SaveStep step = takeTypedTerm(kWhoWhat, 'k', terms); !step.proceeds())
                return step;
        } else {
            body = field(kDoWhat).text + QLatin1Char(' ');
        }
        if (SaveStep step = takeTypedTerm(kDoWhat, 'd', terms); !step.proceeds())
            return step;
        for (int k = kDoWhat + 1; k < m_draft.fields.size(); ++k) {
            if (SaveStep step = takeField(k, body, terms); !step.proceeds())
                return step;
        }
        return SaveStep::proceed();
    }

    Outcome writeOwnRows(store::RequirementWriter &writer, qint32 number,
                         const QByteArray &tcode) override
    {
        store::FuncReqRow fields;
        fields.F_ReqNum = number;
        fields.Source = m_draft.source;
        fields.Preamble = QString::number(m_draft.preamblePosition());
        for (int k = 0; k < m_draft.fields.size() && k < kMaxTerms; ++k)
            fields.field(k) = storedField(k);
        fields.TCodeStrF = QString::fromLatin1(tcode);
        return writer.addFunctional(fields);
    }

private:
    const DraftField &field(int k) const
    {
        static const DraftField empty;
        return m_draft.isOpen(k) ? m_draft.fields[k] : empty;
    }

    bool actorPreamble() const
    {
        return m_draft.preamblePosition() >= TemplateCatalogue::kFirstActorPreamble;
    }

    // A typed field normalised into its term.
    SaveStep takeTypedTerm(int k, char letter, QList<TermRecord> &terms) const
    {
        QString text = field(k).text;
        if (text.size() > kLongestField)
            return SaveStep::stop(Outcome::refused(Tr::tr(kFieldTooLong)), k, true);
        if (Outcome normalised = language::TermNormalizer::normalizeField(text, letter);
            !normalised)
            return SaveStep::stop(normalised, k, true);
        terms.append(TermRecord{0, 0, letter, text});
        return SaveStep::proceed();
    }

    // One field after do-what: its text joins the body and its term the terms.
    SaveStep takeField(int k, QString &body, QList<TermRecord> &terms) const
    {
        const DraftField &entry = field(k);
        if (entry.text.isEmpty())
            return SaveStep::proceed();
        if (entry.text.size() > kLongestField)
            return SaveStep::stop(Outcome::refused(Tr::tr(kFieldTooLong)), k, true);
        switch (entry.kind) {
        case DraftField::Kind::Text:
            if (entry.letter == 0)
                return SaveStep::proceed();
            body += entry.text + QLatin1Char(' ');
            return takeTypedTerm(k, entry.letter, terms);
        case DraftField::Kind::List: {
            const int position = TemplateCatalogue::positionOf(entry.list, entry.text);
            if (position < 0)
                return SaveStep::stop(Outcome::refused(Tr::tr(kNotAnItem)), k);
            body += entry.text + QLatin1Char(' ');
            const char letter = TemplateCatalogue::items(entry.list)[std::size_t(position)].letter;
            terms.append(TermRecord{0, 0, letter, entry.text});
            return SaveStep::proceed();
        }
        case DraftField::Kind::Word:
            if (entry.letter == 0)
                return SaveStep::proceed();
            body += entry.text + QLatin1Char(' ');
            terms.append(TermRecord{0, 0, entry.letter, entry.text});
            return SaveStep::proceed();
        }
        return SaveStep::proceed();
    }

    QString storedField(int k) const
    {
        const DraftField &entry = field(k);
        if (entry.kind != DraftField::Kind::List)
            return entry.text;
        return QString::number(TemplateCatalogue::positionOf(entry.list, entry.text));
    }

    FunctionalDraft &m_draft;
    const QString &m_systemName;
};

FunctionalCommit::FunctionalCommit(store::RecordObjects &records, QString systemName)
    : m_frame(records), m_systemName(std::move(systemName))
{}

CommitResult FunctionalCommit::save(FunctionalDraft &draft, const QDate &today)
{
    Requirement requirement(draft, m_systemName);
    return m_frame.save(requirement, today);
}

} // namespace varn::templates
