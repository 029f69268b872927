#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace varn::quality {

// Sentence rules look at one sentence's user words; set rules at the live
// requirements together.
enum class RuleKind { Sentence, Set };

struct RuleInfo
{
    const char *id; // "vague-term": stored, printed and typed as it is
    RuleKind kind;
    const char *title;   // translated where shown (Tr::tr)
    const char *message; // the finding's message, translated; %1 the words
    bool takesWords;     // a workspace may add words to its list
};

// What a workspace changed of the rules: those switched off, and the words
// added to a rule's list (each a word or phrase, matched ignoring case).
struct RuleSettings
{
    QStringList switchedOff;
    QHash<QString, QStringList> addedWords;

    bool isOn(const QString &rule) const { return !switchedOff.contains(rule); }
};

// The rules the checks know, in the order the reports list them.
class RuleBook
{
public:
    static const QList<RuleInfo> &rules();
    // nullptr for an unknown id.
    static const RuleInfo *rule(const QString &id);
    static QStringList ids();
    // The finding's message for the words, in the user's language.
    static QString message(const QString &id, const QString &words);
    static QString title(const QString &id);
};

} // namespace varn::quality
