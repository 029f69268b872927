#include "interchange/reqifinterpreter.h"

#include "common/templatenumbers.h"

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
        batch.links.append({relation.identifier, relation.source, relation.target});
}

ImportBatch varnBatch(const ReqIfContent &content)
{
    ImportBatch batch;
    for (const ReqIfContent::Object &object : content.objects) {
        ImportBatch::Item item{object.identifier, {}, {}};
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

QString foreignText(const ReqIfContent &content, const ReqIfContent::Object &object)
{
    const ReqIfContent::Value *first = nullptr;
    for (const ReqIfContent::Value &value : object.values) {
        const ReqIfContent::Definition definition = content.definitions.value(value.definition);
        if (definition.longName == QLatin1String("ReqIF.Text"))
            return value.text;
        if (!first &&
            (value.kind == QLatin1String("XHTML") || value.kind == QLatin1String("STRING")))
            first = &value;
    }
    return first ? first->text : QString();
}

ImportBatch foreignBatch(const ReqIfContent &content)
{
    ImportBatch batch;
    QHash<QString, const ReqIfContent::Object *> objects;
    for (const ReqIfContent::Object &object : content.objects) {
        if (!objects.contains(object.identifier))
            objects.insert(object.identifier, &object);
    }
    // An identifier given twice still reaches the import, which reports it.
    QSet<const ReqIfContent::Object *> placed;
    auto add = [&](const ReqIfContent::Object &object, const QString &paragraph) {
        ImportBatch::Item item{object.identifier, {}, {}};
        item.requirement.type = QString::fromLatin1(StoredWords::kTechnical);
        item.requirement.source = TemplateNumber::kTechnical;
        item.requirement.category = QStringLiteral("Software");
        item.requirement.paragraph = paragraph;
        item.requirement.text = foreignText(content, object);
        item.requirement.comments = QStringLiteral("ReqIF %1").arg(object.identifier);
        batch.items.append(item);
    };
    // The hierarchy's order first; objects it leaves out follow in file order.
    for (const ReqIfContent::Node &node : content.hierarchy) {
        const ReqIfContent::Object *object = objects.value(node.object);
        if (placed.contains(object))
            continue;
        placed.insert(object);
        add(*object, node.paragraph);
    }
    for (const ReqIfContent::Object &object : content.objects) {
        if (!placed.contains(&object))
            add(object, {});
    }
    addLinks(content, batch);
    return batch;
}

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

ImportBatch ReqIfInterpreter::interpret(const ReqIfContent &content)
{
    return isVarnFile(content) ? varnBatch(content) : foreignBatch(content);
}

} // namespace varn::interchange
