#include "interchange/reqifinterpreter.h"

#include "common/templatenumbers.h"

#include "common/requirementlimits.h"
#include "common/storedwords.h"

#include "interchange/interchangetr.h"

#include "interchange/reqifobjectspill.h"
#include "interchange/reqifvocabulary.h"

#include <QBitArray>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace varn::interchange {

namespace {

const ReqIf::AttributeInfo *attributeNamed(const QString &longName)
{
    for (const ReqIf::AttributeInfo &info : ReqIf::attributes()) {
        if (longName == QLatin1String(info.longName))
            return &info;
    }
    return nullptr;
}

void addLinks(const ReqIfContent &content, ImportBatch &batch)
{
    for (const ReqIfContent::Relation &relation : content.relations)
        batch.links.append({relation.identifier, relation.source, relation.target, {}});
}

// The file's objects by their place, whether held in the content or kept
// apart in a spill.
class Objects
{
public:
    explicit Objects(std::shared_ptr<const ReqIfContent> document)
        : m_document(std::move(document)), m_spill(m_document->spilledObjects.get())
    {}

    qsizetype size() const { return m_spill ? m_spill->size() : m_document->objects.size(); }
    const QString &identifier(qsizetype index) const
    {
        return m_spill ? m_spill->identifier(index) : m_document->objects[index].identifier;
    }
    Result<std::shared_ptr<const ReqIfContent::Object>> at(qsizetype index) const
    {
        if (!m_spill)
            return std::shared_ptr<const ReqIfContent::Object>(m_document,
                                                               &m_document->objects[index]);
        Result<ReqIfContent::Object> object = m_spill->at(index);
        if (!object)
            return object.outcome();
        return std::shared_ptr<const ReqIfContent::Object>(
            std::make_shared<const ReqIfContent::Object>(object.takeValue()));
    }

private:
    std::shared_ptr<const ReqIfContent> m_document;
    const ReqIfObjectSpill *m_spill;
};

// The requirements of an interpreted file in the order they are saved, each
// made from its object when asked for: a batch either holds them all or
// gives them one at a time.
struct Plan
{
    ImportBatch batch;
    QList<qsizetype> order; // the objects' places
    QStringList paragraphs; // beside each, when it has one
    // The requirement the object at the place becomes (none: it is left
    // out); with report, what is left out or changed is reported (the
    // interpreter has done so before the plan is made).
    std::function<Result<std::optional<ImportBatch::Item>>(qsizetype at, bool report)> make;
    qsizetype total = 0;

    // Every item made now, held in the batch.
    Result<ImportBatch> whole()
    {
        for (qsizetype at = 0; at < order.size(); ++at) {
            Result<std::optional<ImportBatch::Item>> item = make(at, false);
            if (!item)
                return item.outcome();
            if (item->has_value())
                batch.items.append(std::move(*item.value()));
        }
        return std::move(batch);
    }

    // The report made now; the items one at a time when asked for.
    ReqIfInterpreter::Streamed streamed()
    {
        ReqIfInterpreter::Streamed result;
        result.total = total;
        auto shared = std::make_shared<Plan>(std::move(*this));
        result.batch = shared->batch;
        auto at = std::make_shared<qsizetype>(0);
        result.next = [shared, at]() -> Result<std::optional<ImportBatch::Item>> {
            while (*at < shared->order.size()) {
                Result<std::optional<ImportBatch::Item>> item = shared->make((*at)++, false);
                if (!item || item->has_value())
                    return item;
            }
            return std::optional<ImportBatch::Item>();
        };
        return result;
    }
};

Result<Plan> varnPlan(std::shared_ptr<const ReqIfContent> document)
{
    auto objects = std::make_shared<Objects>(document);
    Plan plan;
    // Made twice (once for the report and the order, once to be saved).
    auto make = [document,
                 objects](qsizetype index,
                          QStringList *report) -> Result<std::optional<ImportBatch::Item>> {
        Result<std::shared_ptr<const ReqIfContent::Object>> object = objects->at(index);
        if (!object)
            return object.outcome();
        ImportBatch::Item item{object.value()->identifier, {}, {}, {}, {}};
        item.requirement.type.clear();
        for (const ReqIfContent::Value &value : object.value()->values) {
            const ReqIf::AttributeInfo *info =
                attributeNamed(document->definitions.value(value.definition).longName);
            if (info && !ReqIf::setValue(item.requirement, info->field, value.text) && report)
                report->append(Tr::tr("Requirement %1: \"%2\" is not a number.")
                                   .arg(object.value()->identifier, value.text));
        }
        return std::optional<ImportBatch::Item>(std::move(item));
    };
    // Saved in their first order, so that a fresh workspace numbers them alike.
    QList<qint32> numbers;
    numbers.reserve(objects->size());
    for (qsizetype index = 0; index < objects->size(); ++index) {
        Result<std::optional<ImportBatch::Item>> item = make(index, &plan.batch.report);
        if (!item)
            return item.outcome();
        numbers.append(item.value()->requirement.number);
        plan.order.append(index);
    }
    std::stable_sort(plan.order.begin(), plan.order.end(),
                     [&](qsizetype a, qsizetype b) { return numbers[a] < numbers[b]; });
    const QList<qsizetype> order = plan.order;
    plan.make = [make, order](qsizetype at, bool) { return make(order[at], nullptr); };
    plan.total = order.size();
    addLinks(*document, plan.batch);
    return plan;
}

const QLatin1StringView kText{"ReqIF.Text"};
const QLatin1StringView kChapterName{"ReqIF.ChapterName"};

// Standard attributes that describe an object rather than state it.
bool isBookkeeping(const QString &longName)
{
    static const QSet<QString> names = {QStringLiteral("ReqIF.ChapterName"),
                                        QStringLiteral("ReqIF.ChapterNumber"),
                                        QStringLiteral("ReqIF.ForeignID"),
                                        QStringLiteral("ReqIF.ForeignCreatedBy"),
                                        QStringLiteral("ReqIF.ForeignCreatedOn"),
                                        QStringLiteral("ReqIF.ForeignModifiedBy"),
                                        QStringLiteral("ReqIF.ForeignModifiedOn"),
                                        QStringLiteral("ReqIF.ForeignDeleted"),
                                        QStringLiteral("ReqIF.Prefix")};
    return names.contains(longName);
}

// Names up to ten of them, then "...".
QString someOf(const QStringList &names)
{
    constexpr qsizetype kNamed = 10;
    QStringList shown = names.first(qMin(kNamed, names.size()));
    if (names.size() > kNamed)
        shown.append(QStringLiteral("..."));
    return shown.join(QStringLiteral(", "));
}

class ForeignBatch : public std::enable_shared_from_this<ForeignBatch>
{
public:
    ForeignBatch(std::shared_ptr<const ReqIfContent> document, QString specification)
        : m_document(std::move(document)), m_content(*m_document), m_objects(m_document),
          m_specification(std::move(specification))
    {}

    Result<Plan> build()
    {
        if (Outcome chosen = chooseSpecification(); !chosen)
            return chosen;
        Plan plan;
        m_batch.foreignDocument = m_document;
        reportUndefined();
        chooseTextAttributes();
        const qsizetype count = m_objects.size();
        m_flags.resize(count);
        m_placed.resize(count);
        m_index.reserve(count);
        for (qsizetype i = 0; i < count; ++i) {
            const QString &identifier = m_objects.identifier(i);
            if (!m_index.contains(identifier))
                m_index.insert(identifier, i);
            Result<std::shared_ptr<const ReqIfContent::Object>> object = m_objects.at(i);
            if (!object)
                return object.outcome();
            const QString text =
                isChapterOnly(*object.value()) ? QString() : textOf(*object.value());
            if (!text.isEmpty())
                m_flags[i] = kHasText | (needsNoNote(text) ? kPlainText : 0);
            else
                m_flags[i] = isHeading(*object.value()) ? kHeading : 0;
        }
        placeInHierarchy();
        // Objects the hierarchy leaves out follow in file order, when every
        // document tree is taken.
        QStringList outside;
        for (qsizetype i = 0; i < count; ++i) {
            if (m_placed.testBit(i))
                continue;
            if (m_chosen.isEmpty()) {
                m_order.append(i);
                m_paragraphs.append(QString());
            } else {
                outside.append(m_objects.identifier(i));
            }
        }
        // What is left out or changed is reported in the order saved; an
        // object whose text and paragraph are taken as they are has nothing
        // to report and is not read again.
        for (qsizetype at = 0; at < m_order.size(); ++at) {
            const qsizetype index = m_order[at];
            if (plainText(index) && m_paragraphs[at].size() <= kLongestField) {
                if (!m_chosen.isEmpty())
                    m_taken.insert(m_objects.identifier(index));
                ++plan.total;
                continue;
            }
            Result<std::optional<ImportBatch::Item>> item = make(at, true);
            if (!item)
                return item.outcome();
            if (item->has_value())
                ++plan.total;
        }
        if (!outside.isEmpty())
            m_batch.report.append(
                Tr::tr("%n object(s) outside specification \"%1\" are not imported: %2", nullptr,
                       int(outside.size()))
                    .arg(m_specification, someOf(outside)));
        if (m_headings > 0)
            m_batch.report.append(Tr::tr("%n object(s) are headings: they number the paragraphs "
                                         "and are not imported as requirements.",
                                         nullptr, m_headings));
        if (m_replaced > 0)
            m_batch.report.append(
                Tr::tr("%1 control character(s) in the texts of requirement(s) %2 are replaced "
                       "by a blank.")
                    .arg(m_replaced)
                    .arg(someOf(m_replacedIn)));
        for (const ReqIfContent::Relation &relation : m_content.relations) {
            if (!m_chosen.isEmpty() && !m_taken.contains(relation.source) &&
                !m_taken.contains(relation.target))
                continue;
            m_batch.links.append({relation.identifier, relation.source, relation.target,
                                  m_typeNames.value(relation.type, relation.type)});
        }
        // Only the items are made from here on: what placed them goes.
        m_index = {};
        plan.batch = std::move(m_batch);
        plan.order = m_order;
        plan.make = [self = shared_from_this()](qsizetype at, bool report) {
            return self->make(at, report);
        };
        return plan;
    }

private:
    // kPlainText: the text has no control characters and is short enough
    // for a sentence whatever its blanks.
    enum Flag : quint8 { kHasText = 1, kHeading = 2, kPlainText = 4 };

    bool hasText(qsizetype index) const { return m_flags[index] & kHasText; }
    bool plainText(qsizetype index) const { return m_flags[index] & kPlainText; }

    // Whether sentenceText takes the text without a note: no character it
    // replaces and no more characters than a sentence holds.
    static bool needsNoNote(QStringView text)
    {
        return text.size() <= kLongestText - 1 && !hasControl(text);
    }

    // The control characters (Cc) are U+0000 to U+001F and U+007F to U+009F.
    static bool hasControl(QStringView text)
    {
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
                return true;
        }
        return false;
    }

    bool heading(qsizetype index) const { return m_flags[index] & kHeading; }

    // The requirement the object at the place in the order becomes.
    Result<std::optional<ImportBatch::Item>> make(qsizetype at, bool report)
    {
        const qsizetype index = m_order[at];
        Result<std::shared_ptr<const ReqIfContent::Object>> object = m_objects.at(index);
        if (!object)
            return object.outcome();
        return add(index, object.value(), m_paragraphs[at], report);
    }

    Outcome chooseSpecification()
    {
        if (m_specification.isEmpty())
            return Outcome::ok();
        for (const ReqIfContent::Specification &specification : m_content.specifications) {
            if (specification.longName == m_specification ||
                specification.identifier == m_specification) {
                m_chosen = specification.identifier;
                return Outcome::ok();
            }
        }
        return Outcome::warning(
            Tr::tr("The file holds no specification named \"%1\". It holds: %2.\n"
                   "Nothing was imported.")
                .arg(m_specification,
                     ReqIfInterpreter::specificationNames(m_content).join(QStringLiteral(", "))));
    }

    void reportUndefined()
    {
        for (const QString &identifier : m_content.undefinedReferences) {
            const auto definition = m_content.definitions.constFind(identifier);
            if (definition != m_content.definitions.cend() && !definition->defined)
                m_batch.report.append(
                    Tr::tr("The file refers to the attribute definition \"%1\", which it does not "
                           "define: its values come in as text under that identifier.")
                        .arg(identifier));
            else
                m_batch.report.append(
                    Tr::tr("The file refers to \"%1\", which it does not define.").arg(identifier));
        }
        for (const ReqIfContent::SpecType &type : m_content.specTypes)
            m_typeNames.insert(type.identifier,
                               type.longName.isEmpty() ? type.identifier : type.longName);
    }

    // Per type, the attributes that give an object's text, best first.
    void chooseTextAttributes()
    {
        QHash<QString, QStringList> used; // per type, its definitions in use, in order
        QHash<QString, qint64> lengths;   // per type and definition, all its values' lengths
        for (const ReqIfContent::SpecType &type : m_content.specTypes)
            used[type.identifier] = type.definitions;
        if (m_content.spilledObjects) {
            const auto &usage = m_content.spilledObjects->usage();
            for (auto it = usage.cbegin(); it != usage.cend(); ++it) {
                QStringList &definitions = used[it.key()];
                for (const QString &definition : it->definitions) {
                    if (!definitions.contains(definition))
                        definitions.append(definition);
                    lengths[it.key() + QChar(0) + definition] += it->lengths.value(definition);
                }
            }
        }
        for (const ReqIfContent::Object &object : m_content.objects) {
            QStringList &definitions = used[object.type];
            for (const ReqIfContent::Value &value : object.values) {
                if (!definitions.contains(value.definition))
                    definitions.append(value.definition);
                lengths[object.type + QChar(0) + value.definition] += value.text.size();
            }
        }
        for (auto it = used.cbegin(); it != used.cend(); ++it) {
            QStringList texts, xhtml, strings;
            for (const QString &identifier : it.value()) {
                const ReqIfContent::Definition definition = m_content.definitions.value(identifier);
                if (definition.longName == kText)
                    texts.append(identifier);
                else if (isBookkeeping(definition.longName))
                    continue;
                else if (definition.kind == QLatin1String("XHTML"))
                    xhtml.append(identifier);
                else if (definition.kind == QLatin1String("STRING"))
                    strings.append(identifier);
            }
            const QString type = it.key();
            std::stable_sort(
                strings.begin(), strings.end(), [&](const QString &a, const QString &b) {
                    return lengths.value(type + QChar(0) + a) > lengths.value(type + QChar(0) + b);
                });
            m_textAttributes.insert(type, texts + xhtml + strings);
        }
    }

    // The object's text, empty when it has none.
    QString textOf(const ReqIfContent::Object &object) const
    {
        for (const QString &definition : m_textAttributes.value(object.type)) {
            for (const ReqIfContent::Value &value : object.values) {
                if (value.definition == definition && !value.text.trimmed().isEmpty())
                    return value.text;
            }
        }
        return {};
    }

    // A chapter name and no ReqIF.Text: a heading, whatever else the object
    // carries.
    bool isChapterOnly(const ReqIfContent::Object &object) const
    {
        bool chapter = false;
        for (const ReqIfContent::Value &value : object.values) {
            const auto definition = m_content.definitions.constFind(value.definition);
            if (definition == m_content.definitions.cend() || value.text.trimmed().isEmpty())
                continue;
            if (definition->longName == kText)
                return false;
            chapter = chapter || definition->longName == kChapterName;
        }
        return chapter;
    }

    bool isHeading(const ReqIfContent::Object &object) const
    {
        if (m_textAttributes.value(object.type).isEmpty())
            return true;
        for (const ReqIfContent::Value &value : object.values) {
            const auto definition = m_content.definitions.constFind(value.definition);
            if (definition != m_content.definitions.cend() &&
                definition->longName == kChapterName && !value.text.trimmed().isEmpty())
                return true;
        }
        return false;
    }

    void placeInHierarchy()
    {
        struct Heading
        {
            int depth = 0;
            QString number;
            int children = 0;
        };
        // Which document trees number by headings.
        QSet<QString> withHeadings;
        for (const ReqIfContent::Node &node : m_content.hierarchy) {
            const qsizetype index = m_index.value(node.object, -1);
            if (index >= 0 && heading(index))
                withHeadings.insert(node.specification);
        }
        QList<Heading> open;
        QString specification;
        QSet<qsizetype> headings;
        for (const ReqIfContent::Node &node : m_content.hierarchy) {
            if (!m_chosen.isEmpty() && node.specification != m_chosen)
                continue;
            if (node.specification != specification || open.isEmpty()) {
                specification = node.specification;
                open = {Heading{}};
            }
            const qsizetype index = m_index.value(node.object, -1);
            if (index < 0)
                continue; // listed among the references the file does not define
            const bool heading = this->heading(index);
            while (open.size() > 1 &&
                   (open.back().depth > node.depth || (heading && open.back().depth == node.depth)))
                open.removeLast();
            if (heading) {
                Heading &parent = open.back();
                ++parent.children;
                const QString number =
                    parent.number.isEmpty()
                        ? QString::number(parent.children)
                        : parent.number + QLatin1Char('.') + QString::number(parent.children);
                open.append({node.depth, number, 0});
            }
            if (m_placed.testBit(index))
                continue;
            m_placed.setBit(index);
            if (heading) {
                ++m_headings;
                continue;
            }
            m_order.append(index);
            m_paragraphs.append(withHeadings.contains(node.specification) ? open.back().number
                                                                          : node.paragraph);
        }
    }

    std::optional<ImportBatch::Item> add(qsizetype index,
                                         const std::shared_ptr<const ReqIfContent::Object> &foreign,
                                         QString paragraph, bool report)
    {
        const ReqIfContent::Object &object = *foreign;
        if (report && !m_chosen.isEmpty())
            m_taken.insert(object.identifier);
        if (!hasText(index)) {
            if (!report)
                return std::nullopt;
            if (heading(index) || isHeading(object)) {
                ++m_headings;
            } else {
                m_batch.report.append(Tr::tr("Requirement %1 is not imported: it holds no text.")
                                          .arg(object.identifier));
            }
            return std::nullopt;
        }
        const QString text = textOf(object);
        ImportBatch::Item item{object.identifier, {}, {}, {}, {}};
        item.foreign = foreign;
        item.requirement.type = QString::fromLatin1(StoredWords::kTechnical);
        item.requirement.source = TemplateNumber::kTechnical;
        item.requirement.category = QStringLiteral("Software");
        if (paragraph.size() > kLongestField) {
            const QString whole = paragraph;
            while (paragraph.size() > kLongestField)
                paragraph.truncate(qMax(0, int(paragraph.lastIndexOf(QLatin1Char('.')))));
            if (report)
                m_batch.report.append(
                    Tr::tr("Requirement %1: its paragraph %2 is longer than %3 "
                           "characters; it takes %4, the deepest heading that fits.")
                        .arg(object.identifier, whole)
                        .arg(kLongestField)
                        .arg(paragraph));
        }
        item.requirement.paragraph = paragraph;
        item.requirement.text = sentenceText(object.identifier, text, item.fullText, report);
        const QString comment = QLatin1String("ReqIF ") + object.identifier;
        if (comment.size() <= kLongestText)
            item.requirement.comments = comment;
        return item;
    }

    // The text as a sentence holds it: control characters become blanks,
    // blanks are collapsed, and a text too long is shortened at a word,
    // its whole kept in fullText.
    QString sentenceText(const QString &identifier, const QString &original, QString &fullText,
                         bool report)
    {
        QString text = original;
        int replaced = 0;
        // Copied only when it holds a control character.
        if (hasControl(original)) {
            for (QChar &c : text) {
                if (c.category() == QChar::Other_Control) {
                    ++replaced;
                    c = QLatin1Char(' ');
                }
            }
        }
        if (replaced > 0 && report) {
            m_replaced += replaced;
            m_replacedIn.append(identifier);
        }
        text = text.simplified();
        // The stored body is the text and one blank.
        constexpr qsizetype kLongest = kLongestText - 1;
        if (text.size() <= kLongest)
            return text;
        fullText = text;
        const QString mark = QString::fromUtf16(ReqIfInterpreter::kShortenedMark);
        qsizetype cut = kLongest - mark.size();
        const qsizetype blank = text.lastIndexOf(QLatin1Char(' '), cut);
        if (blank > cut / 2)
            cut = blank;
        else if (text[cut].isLowSurrogate())
            --cut;
        if (report)
            m_batch.report.append(
                Tr::tr("Requirement %1: its text of %2 characters is longer than a "
                       "sentence may be; the sentence is shortened and the whole "
                       "text is kept with it.")
                    .arg(identifier)
                    .arg(text.size()));
        return text.left(cut).trimmed() + mark;
    }

    std::shared_ptr<const ReqIfContent> m_document;
    const ReqIfContent &m_content;
    Objects m_objects;
    QString m_specification;
    QString m_chosen;
    ImportBatch m_batch;
    QHash<QString, qsizetype> m_index;
    QList<quint8> m_flags;    // each object's, in file order
    QList<qsizetype> m_order; // the objects' places, in the order they are saved
    QStringList m_paragraphs; // beside each
    QHash<QString, QStringList> m_textAttributes;
    QHash<QString, QString> m_typeNames;
    QBitArray m_placed; // each object's, in file order
    QSet<QString> m_taken;
    int m_headings = 0;
    int m_replaced = 0;
    QStringList m_replacedIn;
};

} // namespace

bool ReqIfInterpreter::isVarnFile(const ReqIfContent &content)
{
    if (content.sourceToolId != ReqIf::kToolId)
        return false;
    QSet<QString> longNames;
    for (const ReqIfContent::Definition &definition : content.definitions)
        longNames.insert(definition.longName);
    for (const ReqIf::AttributeInfo &info : ReqIf::attributes()) {
        if (!longNames.contains(QLatin1String(info.longName)))
            return false;
    }
    return true;
}

namespace {

Result<Plan> planOf(ReqIfContent content, const QString &specification)
{
    auto document = std::make_shared<const ReqIfContent>(std::move(content));
    if (ReqIfInterpreter::isVarnFile(*document))
        return varnPlan(document);
    return std::make_shared<ForeignBatch>(document, specification)->build();
}

} // namespace

ImportBatch ReqIfInterpreter::interpret(ReqIfContent content)
{
    Result<ImportBatch> batch = interpret(std::move(content), QString());
    return batch ? batch.takeValue() : ImportBatch();
}

Result<ImportBatch> ReqIfInterpreter::interpret(ReqIfContent content, const QString &specification)
{
    Result<Plan> plan = planOf(std::move(content), specification);
    if (!plan)
        return plan.outcome();
    return plan->whole();
}

Result<ReqIfInterpreter::Streamed> ReqIfInterpreter::stream(ReqIfContent content,
                                                            const QString &specification)
{
    Result<Plan> plan = planOf(std::move(content), specification);
    if (!plan)
        return plan.outcome();
    return plan->streamed();
}

QStringList ReqIfInterpreter::specificationNames(const ReqIfContent &content)
{
    QStringList names;
    for (const ReqIfContent::Specification &specification : content.specifications)
        names.append(specification.longName.isEmpty() ? specification.identifier
                                                      : specification.longName);
    return names;
}

} // namespace varn::interchange
