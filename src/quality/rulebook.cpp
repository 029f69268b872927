#include "quality/rulebook.h"
#include "quality/qualitytr.h"

namespace varn::quality {

namespace {

const QList<RuleInfo> kRules = {
    {"vague-term", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Vague term"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" is subjective or cannot be measured: state a measurable value."),
     true},
    {"escape-clause", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Escape clause"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" lets the requirement be met by not meeting it: remove it or state "
                       "the condition."),
     true},
    {"open-ended", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Open-ended list"),
     QT_TRANSLATE_NOOP("varn::quality", "\"%1\" leaves the list open: name every item it covers."),
     true},
    {"placeholder", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Placeholder"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" is a placeholder: the requirement is not finished."),
     true},
    {"superfluous-infinitive", RuleKind::Sentence,
     QT_TRANSLATE_NOOP("varn::quality", "Superfluous infinitive"),
     QT_TRANSLATE_NOOP("varn::quality", "\"%1\" adds nothing: state what the system shall do."),
     true},
    {"pronoun", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Pronoun reference"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" refers to something named elsewhere: name it here."),
     true},
    {"absolute", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Absolute"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" admits no exception and cannot be verified: state the limits."),
     true},
    {"temporal-vague", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Vague time"),
     QT_TRANSLATE_NOOP("varn::quality", "\"%1\" gives no time: state a duration or period."), true},
    {"comparative", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Comparative"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" compares with nothing: add \"than\" and what it is compared with."),
     true},
    {"compound", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Compound requirement"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" joins two requirements in one sentence: write one each."),
     true},
    {"passive", RuleKind::Sentence, QT_TRANSLATE_NOOP("varn::quality", "Passive voice"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "\"%1\" is passive and names no agent: say who or what does it."),
     true},
    {"number-without-unit", RuleKind::Sentence,
     QT_TRANSLATE_NOOP("varn::quality", "Number without unit"),
     QT_TRANSLATE_NOOP("varn::quality", "\"%1\" needs a unit: seconds, metres, per second..."),
     true},
    {"duplicate", RuleKind::Set, QT_TRANSLATE_NOOP("varn::quality", "Duplicate"),
     QT_TRANSLATE_NOOP("varn::quality", "Requirement %1 says the same."), false},
    {"near-duplicate", RuleKind::Set, QT_TRANSLATE_NOOP("varn::quality", "Near-duplicate"),
     QT_TRANSLATE_NOOP("varn::quality",
                       "Requirement %1 says almost the same: merge them or make the difference "
                       "clear."),
     false},
    {"value-conflict", RuleKind::Set, QT_TRANSLATE_NOOP("varn::quality", "Value conflict"),
     QT_TRANSLATE_NOOP("varn::quality", "\"%1\" is not a value the attribute's definition allows."),
     false},
    {"definition-conflict", RuleKind::Set,
     QT_TRANSLATE_NOOP("varn::quality", "Definition conflict"),
     QT_TRANSLATE_NOOP("varn::quality", "%1 is defined in two ways."), false},
    {"dependency-cycle", RuleKind::Set, QT_TRANSLATE_NOOP("varn::quality", "Dependency cycle"),
     QT_TRANSLATE_NOOP("varn::quality", "The dependent links return to their start: %1."), false},
};

} // namespace

const QList<RuleInfo> &RuleBook::rules()
{
    return kRules;
}

const RuleInfo *RuleBook::rule(const QString &id)
{
    for (const RuleInfo &info : kRules) {
        if (id == QLatin1String(info.id))
            return &info;
    }
    return nullptr;
}

QStringList RuleBook::ids()
{
    QStringList ids;
    for (const RuleInfo &info : kRules)
        ids.append(QLatin1String(info.id));
    return ids;
}

QString RuleBook::message(const QString &id, const QString &words)
{
    const RuleInfo *info = rule(id);
    return info ? Tr::tr(info->message).arg(words) : words;
}

QString RuleBook::title(const QString &id)
{
    const RuleInfo *info = rule(id);
    return info ? Tr::tr(info->title) : id;
}

} // namespace varn::quality
