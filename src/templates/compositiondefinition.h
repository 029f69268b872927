#pragma once

#include "templates/structuralcomposition.h"

namespace varn::templates {

// Template 20: a whole that includes a part, with a count or a cardinality.
// TCode "kp" [t] "e": the part's type joins the part's name ("type_entity"),
// the whole's type is the only type term.
class CompositionDefinition : public StructuralComposition
{
public:
    CompositionDefinition(StructuralDraft &draft, const QString &systemName)
        : StructuralComposition(draft, systemName)
    {}

    SentencePreview preview() const override;
    SaveStep checkBeforeSaving() override;
    SaveStep compose(QString &body, QList<language::TermRecord> &terms) override;

protected:
    QString masterPreamble() const override;
    void fillRow(store::StrucReqRow &row) const override;

private:
    SaveStep appendPart(QList<language::TermRecord> &terms) const;
    SaveStep appendCount(QString &body) const;
};

} // namespace varn::templates
