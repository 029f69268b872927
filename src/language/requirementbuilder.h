#pragma once

#include "common/outcome.h"
#include "common/requirementlimits.h"
#include "language/termvocabulary.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace varn::language {

// One cell of the Builder's term grid.
struct BuilderCell
{
    QString caption;
    QString text;
    bool enabled = false;
    bool received = false; // has received a term since the grid was reset (drawn on white)
};

// A stored requirement (or the worked example) as the Builder loads it.
struct StoredBuilderRequirement
{
    int number = -1;
    bool edit = false;
    int preamble = 0;
    QStringList fields; // Field0 .. Field27
    QByteArray gcode;   // TCodeStrF
    int version = 1;
    int firstVersion = 0;
};

// A term the Builder took: the cell it landed in, its letter, and the notice
// to show (the Relational rules give one for "and" on a stored requirement).
struct AppendedTerm
{
    int cell = -1;
    char letter = 0;
    QString notice;
};

// The Requirement Builder's composition state, without widgets: the preamble,
// the term grid and its G-code, appending terms with the grammar checks from
// the first entity on, the Relational rules with their range flag, and
// loading a stored requirement or the example. The dialog drives this class.
class RequirementBuilder
{
public:
    // The edit boxes of the cells take at most this many characters.
    static constexpr int MaxCellLength = 50;
    // Cells the worked example fills.
    static constexpr int ExampleCellCount = 21;

    // A new requirement: preamble "shall", G-code "d".
    RequirementBuilder();

    // Choosing a preamble empties the grid and starts again with 'd', or with
    // 'k' and 'd' for the preambles that introduce the actor.
    Outcome choosePreamble(int position);
    Outcome clear();

    Result<AppendedTerm> appendButton(TermButton button);
    Result<AppendedTerm> appendListEntry(TermList list, int position);

    // A refused load leaves the Builder as it was.
    Outcome loadStored(const StoredBuilderRequirement &stored);
    Outcome loadExample(const StoredBuilderRequirement &example);

    // The user's words in a cell; false for a position outside the grid.
    bool setCellText(int position, const QString &text);

    const QByteArray &gcode() const { return m_gcode; }
    int termCount() const { return m_termCount; }
    bool isWhoWhatMode() const { return m_whoWhatMode; }
    bool isValidationActive() const { return m_validationActive; }
    bool isRangeOn() const { return m_rangeOn; }
    bool termControlsEnabled() const { return m_termControlsEnabled; }
    bool isFull() const { return m_termCount >= kMaxTerms; }
    int requirementNumber() const { return m_requirementNumber; }
    bool isEditMode() const { return m_editMode; }
    int version() const { return m_version; }
    int firstVersion() const { return m_firstVersion; }
    int preamblePosition() const { return m_preamble; }
    QString preambleText() const { return TermVocabulary::preambleEntry(m_preamble); }
    int focusCell() const { return m_focusCell; }

    // An empty cell for a position outside the grid.
    const BuilderCell &cell(int position) const;
    // The G-code letter a cell holds; 0 when it holds none.
    char letterOfCell(int position) const;
    QStringList cellTexts() const;
    QString sentence(const QString &systemName) const;

private:
    Result<AppendedTerm> appendTerm(char letter, const QString &caption, bool fill);
    Result<AppendedTerm> appendRelational(int position);
    Result<char> relationalLetter(int position, QString &notice);
    void resetGrid();
    void fillCells(const QStringList &fields, int count);

    std::array<BuilderCell, kMaxTerms> m_cells;
    QByteArray m_gcode;
    int m_termCount = 0;
    int m_preamble = 0;
    int m_requirementNumber = -1;
    int m_version = 1;
    int m_firstVersion = 0;
    int m_focusCell = 1;
    bool m_whoWhatMode = false;
    bool m_validationActive = false;
    bool m_rangeOn = false;
    bool m_editMode = false;
    bool m_termControlsEnabled = true;
};

} // namespace varn::language
