#pragma once

#include "templates/composedrequirement.h"
#include "templates/structuraldraft.h"

#include <memory>

namespace varn::store {
struct StrucReqRow;
}

namespace varn::templates {

// The sentence that Preview shows, or the refusal (and the control to focus).
struct SentencePreview
{
    Outcome outcome = Outcome::ok();
    int focusField = -1;
    QString sentence;
};

// What the four structural templates share in the save: the structural
// record-set group, the "Structural" MASTER_REQ row, the STRUC_REQ row with
// its TCode and the POSS_VALS rows, and terms whose texts are exactly those
// the object-model rebuild makes of the stored columns.
class StructuralComposition : public ComposedRequirement
{
public:
    // nullptr for a source outside 19 to 22.
    static std::unique_ptr<StructuralComposition> forDraft(StructuralDraft &draft,
                                                           const QString &systemName);

    store::RecordGroup recordGroup() const override { return store::RecordGroup::Structural; }
    DraftAttributes &attributes() override { return m_draft; }
    // A structural edit carries the loaded first version over as it is, even
    // when it is unknown (0).
    qint32 firstVersionOfEdit() override { return m_draft.loadedFirstVersion; }
    SaveStep checkCharacters() const override;
    SaveStep describeMaster(store::MasterReqRow &row) override;
    Outcome writeOwnRows(store::RequirementWriter &writer, qint32 number,
                         const QByteArray &tcode) override;

    virtual SentencePreview preview() const = 0;

protected:
    StructuralComposition(StructuralDraft &draft, const QString &systemName)
        : m_draft(draft), m_systemName(systemName)
    {}

    // MASTER_REQ.Preamble.
    virtual QString masterPreamble() const = 0;
    // The template's STRUC_REQ columns (key, Source and TCode are the frame's).
    virtual void fillRow(store::StrucReqRow &row) const = 0;
    // The POSS_VALS rows, in list order.
    virtual QStringList storedValues() const { return {}; }

    // A text the user filled in: blanks alone count as nothing.
    static bool given(const QString &text) { return !text.trimmed().isEmpty(); }
    // As stored: a text of blanks alone is stored empty, so that the rebuild
    // finds no term where the save made none.
    static QString stored(const QString &text) { return given(text) ? text : QString(); }
    static SaveStep stop(const char *message, StructuralControl control, bool select = false);
    static SentencePreview refusePreview(const char *message, StructuralControl control);
    static SentencePreview previewOf(QString sentence);

    // The checks of a typed field taken as a term: at most 50 characters,
    // accepted by field normalisation with the letter.
    static SaveStep checkTerm(const QString &text, char letter, StructuralControl control,
                              bool select = true);
    // A term with its text as the rebuild makes it of the stored text.
    static void appendTerm(QList<language::TermRecord> &terms, char letter, const QString &text);
    // The article's position, -1 when it shows no item.
    int articlePosition() const;
    // The possible values as terms: "of" and the value, once per value, after
    // checking their length and that the TCode has room for them.
    SaveStep appendValueTerms(QList<language::TermRecord> &terms) const;
    // The body of Templates 19 and 22: the preview without its article and
    // final full stop.
    QString bodyFromPreview() const;

    StructuralDraft &m_draft;
    const QString &m_systemName;
};

} // namespace varn::templates
