#include "language/termnormalizer.h"

#include "language/languagemessages.h"
#include "language/letterset.h"

#include <QList>

#include <span>

namespace varn::language {

namespace {

// The small words each letter drops, in the order they are dropped.
constexpr QStringView InIntoWords[] = {u" into the", u" within the", u" into a", u" within a",
                                       u" into an",  u" within an",  u" into",   u" within"};
constexpr QStringView OfTheWords[] = {
    u"of these ", u"of those ", u"of their ", u"of the ",   u"of its ", u"of an ",
    u"of a ",     u"these ",    u"those ",    u"their ",    u"the ",    u"an ",
    u"a ",        u" of these", u" of those", u" of their", u" of the", u" of its",
    u" of an",    u" of a",     u" of",       u"of ",
};
constexpr QStringView DoWhatWords[] = {u" these", u" those", u" their", u" that the",
                                       u" that",  u" the",   u" its"};
constexpr QStringView DoWhatArticles[] = {u" an", u" a"};
constexpr QStringView DoWhatDirections[] = {u"to ", u"from "};
constexpr QStringView WhoWhatWords[] = {u"these ", u"those ", u"their ", u"the ",
                                        u"its ",   u"an ",    u"a "};
constexpr QStringView SpatialWords[] = {u"that is ", u"that are ", u"which is ", u"which are ",
                                        u"is ",      u"are ",      u"was ",      u"were "};

struct PluralRule
{
    QStringView ending;
    QStringView singular;
};

// The first ending that fits is replaced; a word ending in none of them
// loses a final "s".
constexpr PluralRule PluralRules[] = {
    {u"ys", u"y"},  {u"ies", u"y"}, {u"shes", u"sh"}, {u"ches", u"ch"}, {u"sses", u"ss"},
    {u"xes", u"x"}, {u"zes", u"z"}, {u"uses", u"us"}, {u"us", u"us"},
};

constexpr LetterSet DigitFirstAllowed{"gqv"};
constexpr LetterSet CapitalisedFirst{"epst"};
constexpr LetterSet WithoutSlashes{"ekpt"};
constexpr LetterSet Singularised{"ep"};

bool isWordCharacter(QChar character)
{
    return character.isLetterOrNumber() || character == u'_';
}

// A sequence matches only where it stands as whole words: where it begins or
// ends with a letter, the neighbour on that side must not be part of a word.
bool standsAlone(const QString &text, qsizetype from, QStringView sequence)
{
    const qsizetype to = from + sequence.size();
    const bool openBefore =
        sequence.front() == u' ' || from == 0 || !isWordCharacter(text.at(from - 1));
    const bool openAfter =
        sequence.back() == u' ' || to == text.size() || !isWordCharacter(text.at(to));
    return openBefore && openAfter;
}

// Replaces every whole-word occurrence of the sequence by one space.
void replaceWords(QString &text, QStringView sequence)
{
    qsizetype from = text.indexOf(sequence);
    if (from < 0)
        return;
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;
    for (; from >= 0; from = text.indexOf(sequence, from)) {
        if (!standsAlone(text, from, sequence)) {
            ++from;
            continue;
        }
        result += QStringView(text).mid(copied, from - copied);
        result += u' ';
        from += sequence.size();
        copied = from;
    }
    result += QStringView(text).mid(copied);
    text = result;
}

// Every word of the sequences above, each once.
const QList<QStringView> &smallWords()
{
    static const QList<QStringView> words = [] {
        QList<QStringView> all;
        for (std::span<const QStringView> sequences :
             {std::span<const QStringView>(InIntoWords), std::span<const QStringView>(OfTheWords),
              std::span<const QStringView>(DoWhatWords),
              std::span<const QStringView>(DoWhatArticles),
              std::span<const QStringView>(DoWhatDirections),
              std::span<const QStringView>(WhoWhatWords),
              std::span<const QStringView>(SpatialWords)}) {
            for (QStringView sequence : sequences) {
                for (QStringView word : sequence.tokenize(u' ', Qt::SkipEmptyParts)) {
                    if (!all.contains(word))
                        all.append(word);
                }
            }
        }
        return all;
    }();
    return words;
}

// Whether any whole word of the text is one of the small words. A sequence
// matches only as whole words, and dropping words never makes new ones, so
// a text without any has nothing to drop.
bool holdsSmallWord(const QString &text)
{
    qsizetype start = -1;
    for (qsizetype index = 0; index <= text.size(); ++index) {
        const bool inWord = index < text.size() && isWordCharacter(text.at(index));
        if (inWord && start < 0) {
            start = index;
        } else if (!inWord && start >= 0) {
            if (smallWords().contains(QStringView(text).mid(start, index - start)))
                return true;
            start = -1;
        }
    }
    return false;
}

void replaceAll(QString &text, std::span<const QStringView> sequences)
{
    for (QStringView sequence : sequences)
        replaceWords(text, sequence);
}

void trimAndCollapse(QString &text)
{
    text = text.trimmed();
    const QString twoBlanks = QStringLiteral("  ");
    while (text.contains(twoBlanks))
        text.replace(twoBlanks, QStringLiteral(" "));
}

void capitaliseWords(QString &text)
{
    for (qsizetype index = 1; index < text.size(); ++index) {
        if (text.at(index - 1).isSpace() && text.at(index).isLetter())
            text[index] = text.at(index).toUpper();
    }
}

void capitaliseAt(QString &text, qsizetype index)
{
    if (index >= 0 && index < text.size())
        text[index] = text.at(index).toUpper();
}

void removeCharacters(QString &text, QStringView characters)
{
    text.removeIf([characters](QChar character) { return characters.contains(character); });
}

void singularise(QString &text)
{
    for (const PluralRule &rule : PluralRules) {
        if (text.endsWith(rule.ending)) {
            text.chop(rule.ending.size());
            text += rule.singular;
            return;
        }
    }
    if (text.endsWith(u's'))
        text.chop(1);
}

Outcome checkFirstCharacter(const QString &text, char letter)
{
    if (text.isEmpty())
        return Outcome::ok();
    const QChar first = text.front();
    if (first.isDigit()) {
        return DigitFirstAllowed.contains(letter) ? Outcome::ok()
                                                  : refusal(LanguageMessage::FieldBeginsWithNumber);
    }
    return first.isLetter() ? Outcome::ok() : refusal(LanguageMessage::FieldMustBeginWithLetter);
}

} // namespace

void TermNormalizer::removeSmallWords(QString &text, char letter)
{
    if (!holdsSmallWord(text))
        return;
    switch (letter) {
    case 'a':
    case 'p':
        replaceAll(text, InIntoWords);
        replaceAll(text, OfTheWords);
        break;
    case 'e':
    case 'g':
    case 'q':
    case 't':
    case 'v':
        replaceAll(text, OfTheWords);
        break;
    case 'd':
        replaceAll(text, DoWhatWords);
        // An article after "to" or "from" stays: "send data to a printer".
        if (!text.contains(u"from a") && !text.contains(u"to a"))
            replaceAll(text, DoWhatArticles);
        replaceAll(text, DoWhatDirections);
        break;
    case 'k':
        replaceAll(text, WhoWhatWords);
        break;
    case 's':
        replaceAll(text, SpatialWords);
        break;
    default:
        break;
    }
}

// Steps 5 onwards, but the first-letter capital of step 6, which the two
// callers do in their own ways.
void TermNormalizer::finish(QString &text, char letter)
{
    // An action keeps its words apart; every other name is one word. Any
    // white space goes, not just blanks, so that no name carries a tab.
    if (letter != 'c')
        text.removeIf([](QChar character) { return character.isSpace(); });
    if (WithoutSlashes.contains(letter))
        removeCharacters(text, u"/\\");
    removeCharacters(text, u"'\",;");
    if (Singularised.contains(letter))
        singularise(text);
}

Outcome TermNormalizer::normalizeField(QString &text, char letter)
{
    text = text.trimmed().toLower();
    removeSmallWords(text, letter);
    trimAndCollapse(text);
    if (Outcome first = checkFirstCharacter(text, letter); !first)
        return first;
    capitaliseWords(text);
    if (CapitalisedFirst.contains(letter))
        capitaliseAt(text, 0);
    finish(text, letter);
    return Outcome::ok();
}

QString TermNormalizer::normalizeName(QStringView source, char letter)
{
    QString text = source.trimmed().toString().toLower();
    removeSmallWords(text, letter);
    trimAndCollapse(text);
    capitaliseWords(text);
    if (letter == 'p') {
        const qsizetype underscore = text.indexOf(u'_');
        if (underscore >= 0)
            capitaliseAt(text, underscore + 1);
    }
    if (CapitalisedFirst.contains(letter))
        capitaliseAt(text, 0);
    finish(text, letter);
    return text;
}

} // namespace varn::language
