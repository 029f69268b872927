#include "cli/clicommand.h"
#include "cli/clitr.h"

#include "language/clauselabeler.h"
#include "language/gcodegrammar.h"
#include "language/termrecord.h"

namespace varn::cli {

namespace {

using namespace varn::language;

constexpr const char *CheckSynopsis = QT_TRANSLATE_NOOP("varn::cli", "check [--composing] GCODE");
constexpr const char *LabelSynopsis = QT_TRANSLATE_NOOP("varn::cli", "label GCODE");
constexpr const char *NormalizeSynopsis =
    QT_TRANSLATE_NOOP("varn::cli", "normalize [--name] LETTER TEXT");

int usage(const char *synopsis)
{
    return usageError({}, synopsis);
}

// Removes a leading option from the arguments; true when it was there.
bool takeOption(QStringList &arguments, QLatin1StringView option)
{
    if (arguments.isEmpty() || arguments.first() != option)
        return false;
    arguments.removeFirst();
    return true;
}

// check: the clause-sequence walk, with the end checks unless --composing.
int runCheck(const QStringList &given)
{
    QStringList arguments = given;
    const bool composing = takeOption(arguments, QLatin1StringView("--composing"));
    if (arguments.size() != 1)
        return usage(CheckSynopsis);
    return report(GCodeGrammar::ValidateSequence(arguments.first().toUtf8(), !composing));
}

// label: one line per term, "letter group form".
int runLabel(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return usage(LabelSynopsis);
    QList<TermRecord> records = termRecordsFromGCode(arguments.first().toUtf8());
    if (Outcome labelled = ClauseLabeler::LabelClauses(records); !labelled)
        return report(labelled);
    for (const TermRecord &record : records) {
        if (record.letter == 0)
            break;
        printLine(QString::fromLatin1(&record.letter, 1) + u' ' +
                  QString::fromLatin1(&record.group, 1) + u' ' + QString::number(record.form));
    }
    return Done;
}

// normalize: the model name of a term's text.
int runNormalize(const QStringList &given)
{
    QStringList arguments = given;
    const bool asName = takeOption(arguments, QLatin1StringView("--name"));
    if (arguments.size() != 2 || arguments.first().size() != 1 ||
        arguments.first().front().unicode() > 127)
        return usage(NormalizeSynopsis);
    const char letter = arguments.first().front().toLatin1();
    QString text = arguments.at(1);
    if (asName) {
        printLine(GCodeGrammar::NormalizeName(text, letter));
        return Done;
    }
    if (Outcome normalized = GCodeGrammar::NormalizeField(text, letter); !normalized)
        return report(normalized);
    printLine(text);
    return Done;
}

} // namespace

std::vector<Command> languageCommands()
{
    return {
        {"check", CheckSynopsis, runCheck},
        {"label", LabelSynopsis, runLabel},
        {"normalize", NormalizeSynopsis, runNormalize},
    };
}

} // namespace varn::cli
