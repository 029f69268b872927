#include "templates/functionaldraft.h"

#include "common/requirementlimits.h"
#include "language/requirementbuilder.h"
#include "language/termvocabulary.h"
#include "store/requirementrows.h"

namespace varn::templates {

namespace {

// Builder letters that word lists produce; the other letters are typed.
bool isWordListLetter(char letter)
{
    return QByteArrayView("bfhijlmnorwxyz").contains(letter);
}

} // namespace

FunctionalDraft FunctionalDraft::forTemplate(int number)
{
    FunctionalDraft draft;
    draft.source = number;
    draft.preamble = TemplateCatalogue::preamblePhrases().first();
    const FunctionalTemplate *functionalTemplate = TemplateCatalogue::functional(number);
    if (!functionalTemplate)
        return draft;
    for (const FieldRole role : functionalTemplate->fields) {
        const FieldRoleInfo &info = TemplateCatalogue::role(role);
        DraftField field;
        field.kind = info.kind == FieldKind::List ? DraftField::Kind::List : DraftField::Kind::Text;
        field.letter = info.letter;
        field.list = TemplateCatalogue::listOf(role, number);
        draft.fields.append(field);
    }
    return draft;
}

FunctionalDraft FunctionalDraft::fromBuilder(const language::RequirementBuilder &builder)
{
    FunctionalDraft draft;
    draft.source = 0;
    draft.preamble = builder.preambleText();
    for (int cell = 0; cell < kMaxTerms; ++cell) {
        DraftField field;
        field.letter = builder.letterOfCell(cell);
        field.text = builder.cell(cell).text;
        field.kind =
            isWordListLetter(field.letter) ? DraftField::Kind::Word : DraftField::Kind::Text;
        draft.fields.append(field);
    }
    if (builder.requirementNumber() >= 0) {
        draft.loadedNumber = builder.requirementNumber();
        draft.edit = builder.isEditMode();
        draft.loadedVersion = builder.version();
        draft.loadedFirstVersion = builder.firstVersion();
    }
    return draft;
}

FunctionalDraft FunctionalDraft::fromStored(const store::FuncReqRow &fields,
                                            const store::MasterReqRow *master)
{
    FunctionalDraft draft = forTemplate(fields.Source);
    const QStringList preambles = TemplateCatalogue::preamblePhrases();
    draft.preamble = preambles.value(fields.Preamble.toInt(), preambles.first());
    for (int k = 0; k < draft.fields.size(); ++k) {
        DraftField &field = draft.fields[k];
        const QString &stored = fields.field(k);
        if (field.kind != DraftField::Kind::List) {
            field.text = stored;
            continue;
        }
        bool isNumber = false;
        const int position = stored.toInt(&isNumber);
        const auto items = TemplateCatalogue::items(field.list);
        if (isNumber && position >= 0 && position < int(items.size()))
            field.text = QString::fromUtf8(items[std::size_t(position)].text);
    }
    if (master)
        draft.takeStored(*master);
    return draft;
}

int FunctionalDraft::preamblePosition() const
{
    return TemplateCatalogue::preamblePhrases().indexOf(preamble);
}

void FunctionalDraft::setField(int field, const QString &text)
{
    if (isOpen(field))
        fields[field].text = text;
}

} // namespace varn::templates
