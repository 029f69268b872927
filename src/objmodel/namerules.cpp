#include "objmodel/namerules.h"

namespace varn::objmodel::NameRules {

namespace {

struct Ending
{
    const char *ending; // with the end marker
    const char *replacement;
};

// Tried in order; the first found is replaced and no later one is tried.
constexpr Ending kVerbEndings[] = {
    {"eaded~", "ead"}, {"eeded~", "eed"}, {"aded~", "ade"}, {"eded~", "ede"}, {"ided~", "ide"},
    {"oded~", "ode"},  {"uded~", "ude"},  {"bbed~", "b"},   {"dded~", "d"},   {"gged~", "g"},
    {"mmed~", "m"},    {"nned~", "n"},    {"pped~", "p"},   {"rred~", "r"},   {"tted~", "t"},
    {"ied~", "y"},     {"ged~", "ge"},    {"ed~", ""},      {"ing~", ""},     {"sses~", "es"},
    {"ies~", "ies"},   {"s~", ""},
};

bool isAsciiUpper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

} // namespace

QString spacedForm(QStringView name)
{
    QString spaced = name.toString();
    const qsizetype originalLength = name.size();
    qsizetype position = 1;
    while (position < originalLength && position < spaced.size()) {
        if (isAsciiUpper(spaced[position])) {
            spaced.insert(position, QLatin1Char(' '));
            position += 2; // past the capital...
        }
        ++position; // ...and the character after it
    }
    return spaced;
}

QString valueDataType(QStringView text)
{
    if (text.isEmpty() || !(text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')))
        return QStringLiteral("int");
    if (text.contains(QLatin1Char('.')) || text.contains(QLatin1Char('/')))
        return QStringLiteral("double");
    return QStringLiteral("long");
}

QString upperFirst(QStringView text)
{
    QString result = text.toString();
    if (!result.isEmpty())
        result[0] = result[0].toUpper();
    return result;
}

QString lowerFirst(QStringView text)
{
    QString result = text.toString();
    if (!result.isEmpty())
        result[0] = result[0].toLower();
    return result;
}

QString capitalisedPhrase(QStringView text)
{
    QString result = upperFirst(text);
    for (qsizetype i = 1; i < result.size(); ++i) {
        if (result[i - 1].isSpace())
            result[i] = result[i].toUpper();
    }
    result.remove(QLatin1Char(' '));
    return result;
}

QString verbStem(QStringView text)
{
    const qsizetype lastBlank = text.lastIndexOf(QLatin1Char(' '));
    QString word = text.mid(lastBlank + 1).toString() + QLatin1Char('~');
    for (const Ending &rule : kVerbEndings) {
        const QLatin1String ending(rule.ending);
        const qsizetype at = word.indexOf(ending);
        if (at >= 0) {
            word.replace(at, ending.size(), QLatin1String(rule.replacement));
            return word;
        }
    }
    word.chop(1);
    return word;
}

QString typedName(QStringView type, QStringView entity)
{
    return type.toString() + QLatin1Char('_') + entity.toString();
}

QString typedBase(QStringView part)
{
    const qsizetype underscore = part.indexOf(QLatin1Char('_'));
    return underscore < 0 ? QString() : part.mid(underscore + 1).toString();
}

QString timerName(QStringView firstTerm, QStringView timed)
{
    QString name = upperFirst(firstTerm) + timed.toString();
    name.remove(QLatin1Char('_'));
    return name + QStringLiteral("Timer");
}

} // namespace varn::objmodel::NameRules
