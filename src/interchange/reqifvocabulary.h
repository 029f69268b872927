#pragma once

#include "interchange/exchangedrequirement.h"

#include <QLatin1StringView>
#include <QString>

#include <span>

namespace varn::interchange {

// The names a requirements exchange file uses, and the attributes that a
// Varn SE requirement carries in it.
namespace ReqIf {

inline constexpr QLatin1StringView kNamespace{"http://www.omg.org/spec/ReqIF/20110401/reqif.xsd"};
// The namespace of the earlier version, still written by some tools.
inline constexpr QLatin1StringView kEarlierNamespace{"http://www.omg.org/spec/ReqIF/20101201"};
inline constexpr QLatin1StringView kXhtmlNamespace{"http://www.w3.org/1999/xhtml"};
inline constexpr QLatin1StringView kVersion{"1.0"};
inline constexpr QLatin1StringView kToolId{"Varn SE"};

enum class ValueKind { Integer, String, Xhtml };

// What an attribute holds in ExchangedRequirement.
enum class Field {
    Number,
    Text,
    Sentence,
    Type,
    Template,
    Category,
    Priority,
    Release,
    Paragraph,
    Version,
    FirstVersion,
    Status,
    DateSaved,
    Comments,
    StoredFields,
};

struct AttributeInfo
{
    Field field;
    const char *identifier; // after the file's identifier prefix
    const char *longName;
    ValueKind kind;
};

// The attribute definitions of the requirement type, in file order.
std::span<const AttributeInfo> attributes();

// The attribute's value of a requirement, as text.
QString valueOf(const ExchangedRequirement &requirement, Field field);
// Sets the attribute's value; false when an integer attribute's text is no number.
bool setValue(ExchangedRequirement &requirement, Field field, const QString &text);

} // namespace ReqIf

} // namespace varn::interchange
