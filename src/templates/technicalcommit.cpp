#include "templates/technicalcommit.h"

#include "common/storedwords.h"
#include "templates/templatestr.h"

#include "templates/templatecatalogue.h"

namespace varn::templates {

namespace {

constexpr char kNoText[] =
    QT_TRANSLATE_NOOP("varn::templates", "Validation error. The requirement text must be defined.");
// A multi-line text may end in line breaks as well as blanks.
QString withoutTrailingSpace(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace

class TechnicalCommit::Requirement : public ComposedRequirement
{
public:
    Requirement(TechnicalDraft &draft, const QString &systemName)
        : m_draft(draft), m_systemName(systemName)
    {}

    store::RecordGroup recordGroup() const override { return store::RecordGroup::Functional; }
    bool derivesObjectModel() const override { return false; }
    DraftAttributes &attributes() override { return m_draft; }
    SaveStep checkBeforeSaving() override { return SaveStep::proceed(); }

    SaveStep describeMaster(store::MasterReqRow &row) override
    {
        row.FSTType = QString::fromLatin1(StoredWords::kTechnical);
        row.Source = TemplateCatalogue::kTechnicalSource;
        row.Preamble = sentenceHead(m_systemName);
        return SaveStep::proceed();
    }

    // The text and the blank after it against the limit.
    SaveStep compose(QString &body, QList<language::TermRecord> &) override
    {
        if (storedText(m_draft.text).trimmed().isEmpty())
            return SaveStep::stop(Outcome::refused(Tr::tr(kNoText)), kTextField);
        body = m_draft.text + QLatin1Char(' ');
        return SaveStep::proceed();
    }

    // The sentence gets its full stop when shown, so a typed one is dropped.
    QString storedText(const QString &body) const override
    {
        QString text = withoutTrailingSpace(collapsedBody(body));
        if (text.endsWith(QLatin1Char('.')))
            text = withoutTrailingSpace(text.chopped(1));
        return text;
    }

    Outcome writeOwnRows(store::RequirementWriter &, qint32, const QByteArray &) override
    {
        return Outcome::ok();
    }

private:
    TechnicalDraft &m_draft;
    const QString &m_systemName;
};

TechnicalCommit::TechnicalCommit(store::RecordObjects &records, QString systemName)
    : m_frame(records), m_systemName(std::move(systemName))
{}

CommitResult TechnicalCommit::save(TechnicalDraft &draft, const QDate &today)
{
    Requirement requirement(draft, m_systemName);
    return m_frame.save(requirement, today);
}

QString TechnicalCommit::sentenceHead(const QString &systemName)
{
    return QStringLiteral("The ") + systemName + QStringLiteral(" system shall");
}

} // namespace varn::templates
