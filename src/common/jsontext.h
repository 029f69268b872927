#pragma once

#include <QString>

namespace varn {

// A text as a JSON string literal, quotes included, written exactly as Qt's
// QJsonDocument writes it: '"', '\\' and the C0 controls escaped (\b \f \n
// \r \t by name, the rest as \u00xx), a surrogate without its pair as \uxxxx,
// everything else as it is. For writers that put out many small JSON values
// one at a time, where a document per value would cost more than the value.
namespace JsonText {

void appendQuoted(QString &out, QStringView text);

inline QString quoted(QStringView text)
{
    QString out;
    appendQuoted(out, text);
    return out;
}

} // namespace JsonText

} // namespace varn
