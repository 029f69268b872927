#include "templates/structuralcomposition.h"

#include "common/storedwords.h"
#include "common/templatenumbers.h"
#include "templates/templatestr.h"

#include "common/requirementlimits.h"
#include "language/gcodegrammar.h"
#include "language/termnormalizer.h"
#include "templates/attributedefinition.h"
#include "templates/compositiondefinition.h"
#include "templates/entitydefinition.h"
#include "templates/messagedefinition.h"
#include "templates/storedtextcheck.h"
#include "templates/structuralmessages.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

using language::TermRecord;

namespace {

// The template between the attribute and the entity definitions.
constexpr int kCompositionDefinition = TemplateNumber::kAttributeDefinition + 1;

QString message(const char *text)
{
    return Tr::tr(text);
}

} // namespace

std::unique_ptr<StructuralComposition> StructuralComposition::forDraft(StructuralDraft &draft,
                                                                       const QString &systemName)
{
    switch (draft.source) {
    case TemplateNumber::kAttributeDefinition:
        return std::make_unique<AttributeDefinition>(draft, systemName);
    case kCompositionDefinition:
        return std::make_unique<CompositionDefinition>(draft, systemName);
    case TemplateNumber::kPartDefinition:
        return std::make_unique<EntityDefinition>(draft, systemName);
    case TemplateNumber::kMessageDefinition:
        return std::make_unique<MessageDefinition>(draft, systemName);
    default:
        return nullptr;
    }
}

// Every box and list of the sentence is one line of text.
SaveStep StructuralComposition::checkCharacters() const
{
    using Control = StructuralControl;
    const std::pair<const QString *, Control> texts[] = {
        {&m_draft.article, Control::Article},
        {&m_draft.type, Control::Type},
        {&m_draft.entity, Control::Entity},
        {&m_draft.attribute, Control::Attribute},
        {&m_draft.dataType, Control::DataType},
        {&m_draft.defaultValue, Control::Default},
        {&m_draft.howMany, Control::HowMany},
        {&m_draft.cardinality, Control::Cardinality},
        {&m_draft.partType, Control::PartType},
        {&m_draft.partEntity, Control::PartEntity},
        {&m_draft.position, Control::Position},
        {&m_draft.from, Control::From},
        {&m_draft.to, Control::To},
    };
    for (const auto &[text, control] : texts) {
        if (StoredTextCheck::hasControlCharacter(*text))
            return SaveStep::stop(StoredTextCheck::controlInField(), int(control), true);
    }
    for (const QString &value : m_draft.possibleValues) {
        if (StoredTextCheck::hasControlCharacter(value))
            return SaveStep::stop(StoredTextCheck::controlInField(), int(Control::PossibleValues));
    }
    return SaveStep::proceed();
}

SaveStep StructuralComposition::describeMaster(store::MasterReqRow &row)
{
    row.FSTType = QString::fromLatin1(StoredWords::kStructural);
    row.Source = m_draft.source;
    row.Preamble = masterPreamble();
    return SaveStep::proceed();
}

Outcome StructuralComposition::writeOwnRows(store::RequirementWriter &writer, qint32 number,
                                            const QByteArray &tcode)
{
    store::StrucReqRow row;
    row.S_ReqNum = number;
    row.Source = m_draft.source;
    fillRow(row);
    row.TCodeStrS = QString::fromLatin1(tcode);
    return writer.addStructural(row, storedValues());
}

SaveStep StructuralComposition::stop(const char *text, StructuralControl control, bool select)
{
    return SaveStep::stop(Outcome::refused(message(text)), int(control), select);
}

SentencePreview StructuralComposition::refusePreview(const char *text, StructuralControl control)
{
    return {Outcome::refused(message(text)), int(control), {}};
}

// Trailing blanks removed and the full stop appended.
SentencePreview StructuralComposition::previewOf(QString sentence)
{
    while (sentence.endsWith(QLatin1Char(' ')))
        sentence.chop(1);
    return {Outcome::ok(), -1, sentence + QLatin1Char('.')};
}

SaveStep StructuralComposition::checkTerm(const QString &text, char letter,
                                          StructuralControl control, bool select)
{
    if (text.size() > kLongestField)
        return stop(messages::kFieldTooLong, control, true);
    QString normalised = text;
    if (Outcome accepted = language::TermNormalizer::normalizeField(normalised, letter); !accepted)
        return SaveStep::stop(accepted, int(control), select);
    return SaveStep::proceed();
}

// The rebuild normalises every text by its letter, but one that begins with a
// digit is a name only for g, q and v.
void StructuralComposition::appendTerm(QList<TermRecord> &terms, char letter, const QString &text)
{
    const bool number = !text.isEmpty() && text.front().isDigit();
    const bool named = !number || QByteArrayView("gqv").contains(letter);
    terms.append(TermRecord{0, 0, letter,
                            named ? language::GCodeGrammar::NormalizeName(text, letter) : text});
}

int StructuralComposition::articlePosition() const
{
    return TemplateCatalogue::articles().indexOf(m_draft.article);
}

SaveStep StructuralComposition::appendValueTerms(QList<TermRecord> &terms) const
{
    const QStringList values = storedValues();
    for (const QString &value : values) {
        if (value.size() > kLongestField)
            return stop(messages::kFieldTooLong, StructuralControl::PossibleValues);
    }
    // Two terms per value, and the TCode holds at most kMaxTerms letters.
    const qsizetype room = (kMaxTerms - terms.size()) / 2;
    if (values.size() > room)
        return SaveStep::stop(Outcome::refused(message(messages::kTooManyValues).arg(room)),
                              int(StructuralControl::PossibleValues));
    for (const QString &value : values) {
        appendTerm(terms, 'l', QStringLiteral("of"));
        appendTerm(terms, 'g', value);
    }
    return SaveStep::proceed();
}

QString StructuralComposition::bodyFromPreview() const
{
    QString sentence = preview().sentence;
    sentence.chop(1); // the full stop
    return collapsedBody(sentence.mid(m_draft.article.size() + 1));
}

} // namespace varn::templates
