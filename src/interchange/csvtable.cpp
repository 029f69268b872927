#include "interchange/csvtable.h"

#include "interchange/interchangetr.h"

namespace varn::interchange {

QString CsvTable::record(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        const QString &field = fields[i];
        if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
            field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
            QString quoted = field;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            line += QLatin1Char('"') + quoted + QLatin1Char('"');
        } else {
            line += field;
        }
    }
    return line + QStringLiteral("\r\n");
}

Result<QList<QStringList>> CsvTable::parse(const QString &text)
{
    QList<QStringList> records;
    QStringList current;
    QString field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the field began with a quote
    int line = 1;
    auto endField = [&] {
        current.append(field);
        field.clear();
        wasQuoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (!field.isEmpty() || wasQuoted)
                return Outcome::warning(
                    Tr::tr("Line %1 of the file has a quote inside an unquoted field.").arg(line));
            quoted = wasQuoted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endField();
            records.append(current);
            current.clear();
            ++line;
        } else {
            if (wasQuoted)
                return Outcome::warning(
                    Tr::tr("Line %1 of the file has text after a closing quote.").arg(line));
            field += c;
        }
    }
    if (quoted)
        return Outcome::warning(
            Tr::tr("The file ends inside a quoted field begun on line %1.").arg(line));
    if (!field.isEmpty() || wasQuoted || !current.isEmpty()) {
        endField();
        records.append(current);
    }
    return records;
}

} // namespace varn::interchange
