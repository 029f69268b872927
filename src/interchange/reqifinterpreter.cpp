#include "interchange/reqifinterpreter.h"

#include "common/templatenumbers.h"

#include "common/requirementlimits.h"
#include "common/storedwords.h"

#include "interchange/interchangetr.h"

#include "interchange/reqifvocabulary.h"

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

ImportBatch varnBatch(const ReqIfContent &content)
{
    ImportBatch batch;
    for (const ReqIfContent::Object &object : content.objects) {
        ImportBatch::Item item{object.identifier, {}, {}, {}, {}};
        item.requirement.type.clear();
        for (const ReqIfContent::Value &value : object.values) {
            const ReqIf::AttributeInfo *info =
                attributeNamed(content.definitions.value(value.definition).longName);
            if (info && !ReqIf::setValue(item.requirement, info->field, value.text))
                batch.report.append(Tr::tr("Requirement %1: \"%2\" is not a number.")
                                        .arg(object.identifier, value.text));
        }
        batch.items.append(item);
    }
    // Saved in their first order, so that a fresh workspace numbers them alike.
    std::stable_sort(batch.items.begin(), batch.items.end(), [](const auto &a, const auto &b) {
        return a.requirement.number < b.requirement.number;
    });
    addLinks(content, batch);
    return batch;
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

class ForeignBatch
{
public:
    ForeignBatch(ReqIfContent content, QString specification)
        : m_document(std::make_shared<const ReqIfContent>(std::move(content))),
          m_content(*m_document), m_specification(std::move(specification))
    {}

    Result<ImportBatch> build()
    {
        if (Outcome chosen = chooseSpecification(); !chosen)
            return chosen;
        m_batch.foreignDocument = m_document;
        reportUndefined();
        chooseTextAttributes();
        m_texts.reserve(m_content.objects.size());
        for (qsizetype i = 0; i < m_content.objects.size(); ++i) {
            const ReqIfContent::Object &object = m_content.objects[i];
            if (!m_index.contains(object.identifier))
                m_index.insert(object.identifier, i);
            m_texts.append(isChapterOnly(object) ? QString() : textOf(object));
        }
        placeInHierarchy();
        // Objects the hierarchy leaves out follow in file order, when every
        // document tree is taken.
        QStringList outside;
        for (qsizetype i = 0; i < m_content.objects.size(); ++i) {
            if (m_placed.contains(i))
                continue;
            if (m_chosen.isEmpty())
                add(i, {});
            else
                outside.append(m_content.objects[i].identifier);
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
        return std::move(m_batch);
    }

private:
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
            if (index >= 0 && m_texts[index].isEmpty() && isHeading(m_content.objects[index]))
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
            const ReqIfContent::Object &object = m_content.objects[index];
            const bool heading = m_texts[index].isEmpty() && isHeading(object);
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
            if (m_placed.contains(index))
                continue;
            m_placed.insert(index);
            if (heading) {
                ++m_headings;
                continue;
            }
            add(index,
                withHeadings.contains(node.specification) ? open.back().number : node.paragraph);
        }
    }

    void add(qsizetype index, QString paragraph)
    {
        const ReqIfContent::Object &object = m_content.objects[index];
        m_taken.insert(object.identifier);
        const QString &text = m_texts[index];
        if (text.isEmpty()) {
            if (isHeading(object)) {
                ++m_headings;
            } else {
                m_batch.report.append(Tr::tr("Requirement %1 is not imported: it holds no text.")
                                          .arg(object.identifier));
            }
            return;
        }
        ImportBatch::Item item{object.identifier, {}, {}, {}, {}};
        item.foreign = std::shared_ptr<const ReqIfContent::Object>(m_document, &object);
        item.requirement.type = QString::fromLatin1(StoredWords::kTechnical);
        item.requirement.source = TemplateNumber::kTechnical;
        item.requirement.category = QStringLiteral("Software");
        if (paragraph.size() > kLongestField) {
            const QString whole = paragraph;
            while (paragraph.size() > kLongestField)
                paragraph.truncate(qMax(0, int(paragraph.lastIndexOf(QLatin1Char('.')))));
            m_batch.report.append(Tr::tr("Requirement %1: its paragraph %2 is longer than %3 "
                                         "characters; it takes %4, the deepest heading that fits.")
                                      .arg(object.identifier, whole)
                                      .arg(kLongestField)
                                      .arg(paragraph));
        }
        item.requirement.paragraph = paragraph;
        item.requirement.text = sentenceText(object.identifier, text, item.fullText);
        const QString comment = QStringLiteral("ReqIF %1").arg(object.identifier);
        if (comment.size() <= kLongestText)
            item.requirement.comments = comment;
        m_batch.items.append(item);
    }

    // The text as a sentence holds it: control characters become blanks,
    // blanks are collapsed, and a text too long is shortened at a word,
    // its whole kept in fullText.
    QString sentenceText(const QString &identifier, const QString &original, QString &fullText)
    {
        QString text;
        text.reserve(original.size());
        int replaced = 0;
        for (const QChar c : original) {
            if (c.category() == QChar::Other_Control) {
                ++replaced;
                text += QLatin1Char(' ');
            } else {
                text += c;
            }
        }
        if (replaced > 0) {
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
        m_batch.report.append(Tr::tr("Requirement %1: its text of %2 characters is longer than a "
                                     "sentence may be; the sentence is shortened and the whole "
                                     "text is kept with it.")
                                  .arg(identifier)
                                  .arg(text.size()));
        return text.left(cut).trimmed() + mark;
    }

    std::shared_ptr<const ReqIfContent> m_document;
    const ReqIfContent &m_content;
    QString m_specification;
    QString m_chosen;
    ImportBatch m_batch;
    QHash<QString, qsizetype> m_index;
    QStringList m_texts; // each object's, in file order
    QHash<QString, QStringList> m_textAttributes;
    QHash<QString, QString> m_typeNames;
    QSet<qsizetype> m_placed;
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

ImportBatch ReqIfInterpreter::interpret(ReqIfContent content)
{
    if (isVarnFile(content))
        return varnBatch(content);
    return ForeignBatch(std::move(content), {}).build().takeValue();
}

Result<ImportBatch> ReqIfInterpreter::interpret(ReqIfContent content, const QString &specification)
{
    if (isVarnFile(content))
        return varnBatch(content);
    return ForeignBatch(std::move(content), specification).build();
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
