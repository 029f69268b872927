#include "templates/templateform.h"

#include "templates/templatestr.h"

namespace varn::templates {

TemplateForm::TemplateForm(int number)
    : m_number(number), m_template(TemplateCatalogue::functional(number))
{
    if (!m_template)
        return;
    bool entitySeen = false;
    int field = 0;
    for (const FieldRole role : m_template->fields) {
        const FieldRoleInfo &info = TemplateCatalogue::role(role);
        bool red = role == FieldRole::WhoWhat || role == FieldRole::DoWhat;
        if (info.kind == FieldKind::Entity && !entitySeen) {
            entitySeen = true;
            red = true;
        }
        m_controls.append({field++, role, info.kind, QString::fromUtf8(info.label),
                           Tr::tr(info.tooltip), TemplateCatalogue::listOf(role, number), red});
    }
}

QString TemplateForm::title() const
{
    return m_template ? Tr::tr(m_template->title) : QString();
}

int TemplateForm::exampleNumber() const
{
    return m_template ? m_template->exampleNumber : -1;
}

QString TemplateForm::sentenceHead(const QString &systemName)
{
    return QStringLiteral("The ") + systemName + QStringLiteral(" system");
}

bool TemplateForm::takesActor(int preamblePosition)
{
    return preamblePosition >= TemplateCatalogue::kFirstActorPreamble;
}

QString TemplateForm::preview(const QString &systemName, const FunctionalDraft &draft)
{
    QString sentence = sentenceHead(systemName) + QLatin1Char(' ');
    if (!draft.preamble.isEmpty())
        sentence += draft.preamble + QLatin1Char(' ');
    for (const DraftField &field : draft.fields) {
        if (!field.text.isEmpty())
            sentence += field.text + QLatin1Char(' ');
    }
    while (sentence.endsWith(QLatin1Char(' ')))
        sentence.chop(1);
    return sentence + QLatin1Char('.');
}

void TemplateForm::takeExample(FunctionalDraft &draft, const FunctionalDraft &example)
{
    draft.preamble = example.preamble;
    for (int k = 0; k < draft.fields.size() && k < example.fields.size(); ++k)
        draft.fields[k].text = example.fields[k].text;
    draft.forgetLoaded();
}

void TemplateForm::clearFields(FunctionalDraft &draft)
{
    for (DraftField &field : draft.fields)
        field.text.clear();
    draft.forgetLoaded();
}

} // namespace varn::templates
