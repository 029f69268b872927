#include "language/requirementbuilder.h"

#include "common/requirementlimits.h"
#include "language/gcodegrammar.h"
#include "language/languagemessages.h"
#include "language/sentencerenderer.h"

#include <algorithm>
#include <optional>

namespace varn::language {

namespace {

using M = LanguageMessage;

// The message for a position outside each list, in the order of TermList.
constexpr std::array<LanguageMessage, TermVocabulary::TermListCount> InvalidSelection = {
    M::InvalidTemporalSelection,    M::InvalidStateTransitionSelection,
    M::InvalidRelationalSelection,  M::InvalidPossessiveSelection,
    M::InvalidLogicalSelection,     M::InvalidEventActionSelection,
    M::InvalidAssociativeSelection, M::InvalidAssociativeSelection,
};

// The captions of the worked example's cells.
constexpr std::array<QStringView, RequirementBuilder::ExampleCellCount> ExampleCaptions = {
    u"who/what", u"(to) do what?", u"attribute", u"type",  u"entity",  u"before", u"type",
    u"entity",   u"action",        u"to/from",   u"state", u"to/from", u"state",  u"if",
    u"type",     u"entity",        u"is/are",    u"state", u"or/and",  u"is/are", u"state",
};

constexpr int ActionPosition = 6; // "action" in the Event/Action list

const BuilderCell EmptyCell;

// The Builder's grid holds at most 28 letters with who/what, 27 without.
std::optional<LanguageMessage> storedGCodeProblem(QByteArrayView gcode, bool whoWhatMode)
{
    if (gcode.size() > kMaxTerms)
        return M::GCodeTooLong;
    if (gcode.isEmpty() || gcode.size() > (whoWhatMode ? 28 : 27))
        return M::InvalidGCode;
    if (!std::all_of(gcode.begin(), gcode.end(), LetterSet::isLetter))
        return M::InvalidGCode;
    return std::nullopt;
}

// A stored position outside the list selects no preamble.
int preambleOrNone(int position)
{
    return position >= 0 && position < TermVocabulary::PreambleCount ? position : -1;
}

} // namespace

RequirementBuilder::RequirementBuilder()
{
    // The first preamble always exists.
    [[maybe_unused]] const Outcome chosen = choosePreamble(0);
    Q_ASSERT(chosen);
}

Outcome RequirementBuilder::choosePreamble(int position)
{
    if (position < 0 || position >= TermVocabulary::PreambleCount)
        return refusal(M::NoPreambleSelected);
    m_termControlsEnabled = true;
    resetGrid();
    m_preamble = position;
    if (position >= TermVocabulary::FirstActorPreamble) {
        if (auto actor = appendTerm('k', TermVocabulary::TermName('k'), false); !actor)
            return actor.outcome();
        return appendTerm('d', TermVocabulary::TermName('d'), false).outcome();
    }
    Result<AppendedTerm> doWhat = appendTerm('d', TermVocabulary::TermName('d'), false);
    m_cells[0] = BuilderCell();
    return doWhat.outcome();
}

Outcome RequirementBuilder::clear()
{
    return choosePreamble(0);
}

Result<AppendedTerm> RequirementBuilder::appendButton(TermButton button)
{
    return appendTerm(TermVocabulary::buttonLetter(button), TermVocabulary::buttonCaption(button),
                      false);
}

Result<AppendedTerm> RequirementBuilder::appendListEntry(TermList list, int position)
{
    if (position < 0 || position >= TermVocabulary::entryCount(list))
        return refusal(InvalidSelection[std::size_t(list)]);
    if (list == TermList::Relational)
        return appendRelational(position);
    const char letter = TermVocabulary::entryLetter(list, position);
    if (list == TermList::EventAction && position == ActionPosition)
        return appendTerm(letter, TermVocabulary::entry(list, position), false);
    return appendTerm(letter, TermVocabulary::entry(list, position), true);
}

Result<AppendedTerm> RequirementBuilder::appendRelational(int position)
{
    QString notice;
    const Result<char> letter = relationalLetter(position, notice);
    if (!letter)
        return letter.outcome();
    Result<AppendedTerm> appended =
        appendTerm(letter.value(), TermVocabulary::entry(TermList::Relational, position), true);
    if (appended)
        appended->notice = notice;
    return appended;
}

// The Relational rules: which letter an entry gives, given the range flag
// (toggled by every range word) and the terms so far.
Result<char> RequirementBuilder::relationalLetter(int position, QString &notice)
{
    const qsizetype terms = m_gcode.size();
    const char last = terms > 0 ? m_gcode.at(terms - 1) : 0;
    const char fourBeforeLast = terms >= 5 ? m_gcode.at(terms - 5) : 0;
    const bool compound = m_rangeOn && terms >= (m_whoWhatMode ? 7 : 6);
    switch (TermVocabulary::relationalKind(position)) {
    case RelationalKind::Neutral:
        return 'l';
    case RelationalKind::Or:
        if (compound && fourBeforeLast == 'l')
            return refusal(M::OrWithRange);
        return 'r';
    case RelationalKind::And:
        if (compound)
            return fourBeforeLast == 'l' ? Result<char>(refusal(M::AndWithRange)) : 'r';
        if (m_requirementNumber > 0) {
            if (last != 'a')
                notice = languageMessageText(M::AndNotValidatedNotice);
            return 'r';
        }
        if (m_rangeOn || last == 'a')
            return 'r';
        return refusal(M::AndNeedsRange);
    case RelationalKind::Plain:
        if (m_rangeOn)
            return refusal(M::RangeRequired);
        return 'l';
    case RelationalKind::Range:
        // A second range word closes the range; the flag stays toggled even
        // when the grammar then refuses the term.
        m_rangeOn = !m_rangeOn;
        return 'l';
    }
    return refusal(M::InvalidRelationalSelection);
}

Result<AppendedTerm> RequirementBuilder::appendTerm(char letter, const QString &caption, bool fill)
{
    if (isFull())
        return refusal(M::TermGridFull);
    if (letter == 'k')
        m_whoWhatMode = true;
    if (letter == 'e')
        m_validationActive = true;
    const QByteArray candidate = m_gcode + letter;
    if (m_validationActive) {
        if (Outcome checked = GCodeGrammar::ValidateSequence(candidate, false); !checked)
            return checked;
    }
    m_gcode = candidate;
    if (!m_whoWhatMode && m_termCount == 0)
        m_termCount = 1;
    const int position = m_termCount++;
    BuilderCell &cell = m_cells[std::size_t(position)];
    cell.caption = caption;
    if (fill)
        cell.text = caption;
    cell.enabled = true;
    cell.received = true;
    // With who/what the do-what cell is enabled but the actor keeps the focus.
    if (!(m_whoWhatMode && letter == 'd'))
        m_focusCell = position;
    if (isFull())
        m_termControlsEnabled = false;
    return AppendedTerm{position, letter, {}};
}

void RequirementBuilder::resetGrid()
{
    m_cells.fill(BuilderCell());
    m_gcode.clear();
    m_termCount = 0;
    m_requirementNumber = -1;
    m_editMode = false;
    m_version = 1;
    m_firstVersion = 0;
    m_validationActive = false;
    m_whoWhatMode = false;
    m_rangeOn = false;
    m_focusCell = 1;
}

void RequirementBuilder::fillCells(const QStringList &fields, int count)
{
    for (int position = 0; position < kMaxTerms; ++position) {
        BuilderCell &cell = m_cells[std::size_t(position)];
        cell.text = fields.value(position);
        cell.enabled = position < count;
    }
}

Outcome RequirementBuilder::loadStored(const StoredBuilderRequirement &stored)
{
    const bool whoWhatMode = stored.gcode.startsWith('k');
    if (const auto problem = storedGCodeProblem(stored.gcode, whoWhatMode))
        return refusal(*problem);
    resetGrid();
    m_preamble = preambleOrNone(stored.preamble);
    m_gcode = stored.gcode;
    m_whoWhatMode = whoWhatMode;
    m_validationActive = true;
    m_termCount = int(m_gcode.size()) + (whoWhatMode ? 0 : 1);
    m_termControlsEnabled = !isFull();
    m_requirementNumber = stored.number;
    m_editMode = stored.edit;
    m_version = stored.version;
    m_firstVersion = stored.firstVersion;
    fillCells(stored.fields, m_termCount);
    for (int position = 0; position < kMaxTerms; ++position) {
        const char letter = letterOfCell(position);
        m_cells[std::size_t(position)].caption =
            letter ? TermVocabulary::TermName(letter) : QString();
    }
    if (!whoWhatMode)
        m_cells[0].enabled = false;
    m_focusCell = whoWhatMode ? 0 : 1;
    return Outcome::ok();
}

Outcome RequirementBuilder::loadExample(const StoredBuilderRequirement &example)
{
    if (const auto problem = storedGCodeProblem(example.gcode, true))
        return refusal(*problem);
    resetGrid();
    m_preamble = preambleOrNone(example.preamble);
    m_gcode = example.gcode;
    m_whoWhatMode = true;
    m_validationActive = true;
    m_termCount = int(m_gcode.size());
    m_termControlsEnabled = false;
    fillCells(example.fields.mid(0, ExampleCellCount), ExampleCellCount);
    for (int position = 0; position < ExampleCellCount; ++position) {
        const QStringView caption = ExampleCaptions[std::size_t(position)];
        m_cells[std::size_t(position)].caption =
            QString::fromRawData(caption.data(), caption.size());
    }
    m_focusCell = 0;
    return Outcome::ok();
}

bool RequirementBuilder::setCellText(int position, const QString &text)
{
    if (position < 0 || position >= kMaxTerms)
        return false;
    m_cells[std::size_t(position)].text = text;
    return true;
}

const BuilderCell &RequirementBuilder::cell(int position) const
{
    if (position < 0 || position >= kMaxTerms)
        return EmptyCell;
    return m_cells[std::size_t(position)];
}

char RequirementBuilder::letterOfCell(int position) const
{
    const qsizetype index = m_whoWhatMode ? position : position - 1;
    if (position < 0 || position >= kMaxTerms || index < 0 || index >= m_gcode.size())
        return 0;
    return m_gcode.at(index);
}

QStringList RequirementBuilder::cellTexts() const
{
    QStringList texts;
    texts.reserve(kMaxTerms);
    for (const BuilderCell &cell : m_cells)
        texts << cell.text;
    return texts;
}

QString RequirementBuilder::sentence(const QString &systemName) const
{
    return SentenceRenderer::render(systemName, preambleText(), cellTexts());
}

} // namespace varn::language
