#include "interchange/reqifvocabulary.h"

namespace varn::interchange::ReqIf {

namespace {

constexpr AttributeInfo kAttributes[] = {
    {Field::Number, "number", "ReqIF.ForeignID", ValueKind::Integer},
    {Field::Text, "text", "ReqIF.Text", ValueKind::Xhtml},
    {Field::Sentence, "sentence", "Sentence", ValueKind::String},
    {Field::Type, "type", "Type", ValueKind::String},
    {Field::Template, "template", "Template", ValueKind::Integer},
    {Field::Category, "category", "Category", ValueKind::String},
    {Field::Priority, "priority", "Priority", ValueKind::Integer},
    {Field::Release, "release", "Release", ValueKind::Integer},
    {Field::Paragraph, "paragraph", "Paragraph", ValueKind::String},
    {Field::Version, "version", "Version", ValueKind::Integer},
    {Field::FirstVersion, "first-version", "First Version", ValueKind::Integer},
    {Field::Status, "status", "Status", ValueKind::String},
    {Field::DateSaved, "date-saved", "Date Saved", ValueKind::String},
    {Field::Comments, "comments", "Comments", ValueKind::String},
    {Field::StoredFields, "stored-fields", "Stored Fields", ValueKind::String},
};

} // namespace

std::span<const AttributeInfo> attributes()
{
    return kAttributes;
}

QString valueOf(const ExchangedRequirement &requirement, Field field)
{
    switch (field) {
    case Field::Number:
        return QString::number(requirement.number);
    case Field::Text:
    case Field::Sentence:
        return requirement.sentence();
    case Field::Type:
        return requirement.type;
    case Field::Template:
        return QString::number(requirement.source);
    case Field::Category:
        return requirement.category;
    case Field::Priority:
        return QString::number(requirement.priority);
    case Field::Release:
        return QString::number(requirement.release);
    case Field::Paragraph:
        return requirement.paragraph;
    case Field::Version:
        return QString::number(requirement.version);
    case Field::FirstVersion:
        return QString::number(requirement.firstVersion);
    case Field::Status:
        return requirement.status();
    case Field::DateSaved:
        return requirement.dateSaved;
    case Field::Comments:
        return requirement.comments;
    case Field::StoredFields:
        return requirement.storedFields;
    }
    return {};
}

bool setValue(ExchangedRequirement &requirement, Field field, const QString &text)
{
    bool numeric = true;
    const int number = text.toInt(&numeric);
    switch (field) {
    case Field::Number:
        requirement.number = number;
        return numeric;
    case Field::Text:
        return true; // the sentence is composed again from its fields
    case Field::Sentence:
        requirement.text = text;
        return true;
    case Field::Type:
        requirement.type = text;
        return true;
    case Field::Template:
        requirement.source = number;
        return numeric;
    case Field::Category:
        requirement.category = text;
        return true;
    case Field::Priority:
        requirement.priority = number;
        return numeric;
    case Field::Release:
        requirement.release = number;
        return numeric;
    case Field::Paragraph:
        requirement.paragraph = text;
        return true;
    case Field::Version:
        requirement.version = number;
        return numeric;
    case Field::FirstVersion:
        requirement.firstVersion = number;
        return numeric;
    case Field::Status:
        requirement.deleted = text == QLatin1String("Deleted");
        return true;
    case Field::DateSaved:
        requirement.dateSaved = text;
        return true;
    case Field::Comments:
        requirement.comments = text;
        return true;
    case Field::StoredFields:
        requirement.storedFields = text;
        return true;
    }
    return false;
}

} // namespace varn::interchange::ReqIf
