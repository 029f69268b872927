#include "language/grammarverdict.h"

namespace varn::language {

Outcome GrammarVerdict::toOutcome() const
{
    switch (status) {
    case Status::Accepted:
        return Outcome::ok();
    case Status::RefusedSilently:
        return Outcome::silentlyRefused();
    case Status::Refused:
        break;
    }
    if (messageCount <= 1)
        return refusal(messages[0]);
    QString text = languageMessageText(messages[0]);
    for (int index = 1; index < messageCount; ++index) {
        text += QStringLiteral("\n\n");
        text += languageMessageText(messages[std::size_t(index)]);
    }
    return Outcome::refused(text);
}

} // namespace varn::language
