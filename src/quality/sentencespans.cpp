#include "quality/sentencespans.h"

#include "common/storedwords.h"
#include "common/templatenumbers.h"
#include "store/requirementrows.h"
#include "store/requirementsetreader.h"
#include "templates/functionaldraft.h"
#include "templates/storedrequirementloader.h"
#include "templates/structuralcomposition.h"
#include "templates/structuraldraft.h"
#include "templates/technicalcommit.h"

#include <QRegularExpression>

#include <variant>

namespace varn::quality {

namespace {

// Template 20 composes an entity of parts; 21 names an entity and its type.
constexpr int kCompositionDefinition = 20;
constexpr int kEntityDefinition = 21;

// A piece of the sentence in its order: the user's (with the role the
// grammar gives it) or the system's.
struct Piece
{
    QString text;
    bool user = false;
    SpanRole role = SpanRole::Other;
    char letter = 0;
};

QString collapsed(const QString &text)
{
    return text.simplified();
}

SpanRole roleOfLetter(char letter)
{
    switch (letter) {
    case 'k':
        return SpanRole::WhoWhat;
    case 'd':
        return SpanRole::DoWhat;
    case 'c':
        return SpanRole::Action;
    case 'e':
        return SpanRole::Entity;
    case 't':
        return SpanRole::Type;
    case 'p':
        return SpanRole::Part;
    case 'a':
        return SpanRole::Attribute;
    case 'v':
        return SpanRole::Value;
    case 'g':
        return SpanRole::State;
    case 'q':
        return SpanRole::Quantity;
    case 'u':
        return SpanRole::Units;
    case 's':
        return SpanRole::Spatial;
    default:
        return SpanRole::Other;
    }
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Where the text stands as whole words at or after `from`, ignoring case
// when it does not stand there as written; -1 when nowhere.
int findWhole(const QString &sentence, const QString &text, int from)
{
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int at = sentence.indexOf(text, from, cs); at >= 0;
             at = sentence.indexOf(text, at + 1, cs)) {
            const int end = at + int(text.size());
            const bool startsWord =
                at == 0 || !isWordCharacter(sentence[at - 1]) || !isWordCharacter(text.front());
            const bool endsWord = end >= sentence.size() || !isWordCharacter(sentence[end]) ||
                                  !isWordCharacter(text.back());
            if (startsWord && endsWord)
                return at;
        }
    }
    return -1;
}

// Finds the pieces in order in the sentence, from `from` on; a piece that is
// not found is skipped.
CheckedSentence located(QString sentence, int from, const QList<Piece> &pieces, int templateNumber)
{
    CheckedSentence checked;
    checked.sentence = std::move(sentence);
    checked.templateNumber = templateNumber;
    int at = from;
    for (const Piece &piece : pieces) {
        const QString text = collapsed(piece.text);
        if (text.isEmpty())
            continue;
        const int found = findWhole(checked.sentence, text, at);
        if (found < 0)
            continue;
        if (piece.user)
            checked.spans.append({found, int(text.size()), piece.role, piece.letter});
        at = found + int(text.size());
    }
    return checked;
}

QList<Piece> functionalPieces(const templates::FunctionalDraft &draft)
{
    using templates::DraftField;
    QList<Piece> pieces;
    if (draft.source == TemplateNumber::kBuilder) {
        // The Builder's cells in order, each with the letter of its term;
        // the word lists' cells are the system's.
        for (const DraftField &field : draft.fields) {
            if (field.text.trimmed().isEmpty() || field.letter == 0)
                continue;
            const bool user = field.kind == DraftField::Kind::Text;
            pieces.append({field.text, user, user ? roleOfLetter(field.letter) : SpanRole::Other,
                           field.letter});
        }
        return pieces;
    }
    const bool actor =
        draft.preamblePosition() >= templates::TemplateCatalogue::kFirstActorPreamble;
    for (int k = 0; k < draft.fields.size(); ++k) {
        if (k == 0 && !actor)
            continue;
        const DraftField &field = draft.fields[k];
        if (field.text.trimmed().isEmpty())
            continue;
        const char letter = k == 0 ? 'k' : k == 1 ? 'd' : field.letter;
        if (k > 1 && field.kind == DraftField::Kind::Text && letter == 0)
            continue; // a field the sentence leaves out
        const bool user = k <= 1 || field.kind == DraftField::Kind::Text;
        pieces.append({field.text, user, user ? roleOfLetter(letter) : SpanRole::Other, letter});
    }
    return pieces;
}

QString structuralPreamble(const QString &systemName)
{
    return QStringLiteral("The ") + systemName + QStringLiteral(" system shall include");
}

QList<Piece> structuralPieces(const templates::StructuralDraft &draft)
{
    QList<Piece> pieces;
    auto user = [&](const QString &text, char letter) {
        pieces.append({text, true, roleOfLetter(letter), letter});
    };
    auto system = [&](const QString &text) { pieces.append({text, false, SpanRole::Other, 0}); };
    switch (draft.source) {
    case TemplateNumber::kAttributeDefinition:
        user(draft.type, 't');
        user(draft.entity, 'e');
        user(draft.attribute, 'a');
        if (draft.valueGroup == 1) {
            system(draft.dataType);
        } else {
            for (const QString &value : draft.possibleValues)
                user(value, 'v');
        }
        user(draft.defaultValue, 'v');
        break;
    case kCompositionDefinition:
        user(draft.type, 't');
        user(draft.entity, 'e');
        user(draft.howMany, 'q');
        system(draft.cardinality);
        user(draft.partType, 't');
        user(draft.partEntity, 'p');
        break;
    case kEntityDefinition:
        user(draft.type, 't');
        user(draft.entity, 'e');
        break;
    case TemplateNumber::kMessageDefinition:
        user(draft.entity, 'e');
        user(draft.attribute, 'a');
        for (const QString &value : draft.possibleValues)
            user(value, 'v');
        user(draft.from, 'v');
        user(draft.to, 'v');
        break;
    default:
        break;
    }
    return pieces;
}

// Where the user's words start: after the preamble, or after a structural
// sentence's article.
int afterArticle(const QString &sentence)
{
    const int blank = int(sentence.indexOf(QLatin1Char(' ')));
    return blank < 0 ? 0 : blank + 1;
}

} // namespace

CheckedSentence SentenceSpans::functional(const QString &systemName,
                                          const templates::FunctionalDraft &draft)
{
    const QList<Piece> pieces = functionalPieces(draft);
    QString head = QStringLiteral("The ") + systemName + QStringLiteral(" system ") +
                   collapsed(draft.preamble);
    QString body;
    for (const Piece &piece : pieces)
        body += QLatin1Char(' ') + collapsed(piece.text);
    return located(head + body + QLatin1Char('.'), int(head.size()), pieces, draft.source);
}

CheckedSentence SentenceSpans::structural(const QString &systemName,
                                          const templates::StructuralDraft &draft)
{
    templates::StructuralDraft copy = draft;
    const auto composition = templates::StructuralComposition::forDraft(copy, systemName);
    if (!composition)
        return {};
    const templates::SentencePreview preview = composition->preview();
    if (!preview.outcome)
        return {QString(), {}, draft.source};
    const int from = draft.source == kEntityDefinition ? int(structuralPreamble(systemName).size())
                                                       : afterArticle(preview.sentence);
    return located(preview.sentence, from, structuralPieces(draft), draft.source);
}

CheckedSentence SentenceSpans::technical(const QString &systemName, const QString &text)
{
    const QString head = templates::TechnicalCommit::sentenceHead(systemName) + QLatin1Char(' ');
    QString words = text.trimmed();
    while (words.endsWith(QLatin1Char('.')))
        words.chop(1);
    CheckedSentence checked;
    checked.sentence = head + words + QLatin1Char('.');
    if (!words.isEmpty())
        checked.spans.append({int(head.size()), int(words.size()), SpanRole::FreeText, 0});
    return checked;
}

CheckedSentence SentenceSpans::text(const QString &text)
{
    CheckedSentence checked;
    checked.sentence = text;
    if (!text.isEmpty())
        checked.spans.append({0, int(text.size()), SpanRole::FreeText, 0});
    return checked;
}

CheckedSentence SentenceSpans::stored(const store::WholeRequirement &requirement)
{
    const store::MasterReqRow &master = requirement.master;
    const QString sentence = master.Preamble + QLatin1Char(' ') + master.ReqText + QLatin1Char('.');
    const int from = int(master.Preamble.size()) + 1;
    if (requirement.composerTable == QLatin1String("FUNC_REQ")) {
        const store::FuncReqRow row = store::composerRowOf(requirement, store::kFuncReqColumns);
        Result<templates::FunctionalDraft> draft =
            templates::StoredRequirementLoader::fromRows(row, master);
        if (draft)
            return located(sentence, from, functionalPieces(draft.value()), master.Source);
    } else if (requirement.composerTable == QLatin1String("STRUC_REQ")) {
        const store::StrucReqRow row = store::composerRowOf(requirement, store::kStrucReqColumns);
        const templates::StructuralDraft draft =
            templates::StructuralDraft::fromStored(row, requirement.possibleValues);
        // The stored preamble holds the article of Templates 19, 20 and 22.
        const int start = master.Source == kEntityDefinition ? from : afterArticle(sentence);
        return located(sentence, start, structuralPieces(draft), master.Source);
    }
    // A technical requirement, or one whose template rows are gone: the
    // text after the preamble is the user's.
    CheckedSentence checked;
    checked.sentence = sentence;
    const QString words = master.ReqText;
    if (!words.isEmpty())
        checked.spans.append({from, int(words.size()), SpanRole::FreeText, 0});
    return checked;
}

} // namespace varn::quality
