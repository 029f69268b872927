#pragma once

#include "templates/structuralcomposition.h"

namespace varn::templates {

// Template 22: one field of an external message, with its position, data
// type, and its possible values or its range. Stored and derived like an
// attribute definition: TCode "keza", then "lg" per value.
class MessageDefinition : public StructuralComposition
{
public:
    MessageDefinition(StructuralDraft &draft, const QString &systemName)
        : StructuralComposition(draft, systemName)
    {}

    SentencePreview preview() const override;
    SaveStep checkBeforeSaving() override;
    SaveStep compose(QString &body, QList<language::TermRecord> &terms) override;

    // The position typed or chosen, 1 to 99; -1 for none, 0 for a text that
    // is no item of the list.
    static int positionNumber(const QString &shown);

protected:
    QString masterPreamble() const override { return m_draft.article; }
    void fillRow(store::StrucReqRow &row) const override;
    QStringList storedValues() const override { return m_draft.possibleValues; }

private:
    std::optional<SentencePreview> checkRange() const;
};

} // namespace varn::templates
