#pragma once

#include "templates/structuralcomposition.h"

namespace varn::templates {

// Template 21: the system includes an entity, maybe of a type. TCode "k" [t] "e".
class EntityDefinition : public StructuralComposition
{
public:
    EntityDefinition(StructuralDraft &draft, const QString &systemName)
        : StructuralComposition(draft, systemName)
    {}

    SentencePreview preview() const override;
    SaveStep checkBeforeSaving() override;
    SaveStep compose(QString &body, QList<language::TermRecord> &terms) override;

protected:
    QString masterPreamble() const override;
    void fillRow(store::StrucReqRow &row) const override;
};

} // namespace varn::templates
