#pragma once

#include "templates/structuralcomposition.h"

namespace varn::templates {

// Template 19: an attribute of an entity, with its possible values or its
// data type, and its default. TCode "k" [t] "e" "z" "a", then "lg" per value.
class AttributeDefinition : public StructuralComposition
{
public:
    AttributeDefinition(StructuralDraft &draft, const QString &systemName)
        : StructuralComposition(draft, systemName)
    {}

    SentencePreview preview() const override;
    SaveStep checkBeforeSaving() override;
    SaveStep compose(QString &body, QList<language::TermRecord> &terms) override;

protected:
    QString masterPreamble() const override { return m_draft.article; }
    void fillRow(store::StrucReqRow &row) const override;
    QStringList storedValues() const override;

private:
    bool listsValues() const { return m_draft.valueGroup == 0; }
    bool hasDataType() const { return m_draft.valueGroup == 1; }
    int dataTypePosition() const;
};

} // namespace varn::templates
