#include "inspect/modelbrowser.h"
#include "inspect/inspecttr.h"

#include "objmodel/objectmodelreader.h"

namespace varn::inspect {

namespace {

const BrowserSpec kSpecs[] = {
    {BrowserKind::Entities,
     QT_TRANSLATE_NOOP("varn::inspect", "Object Model Entities"),
     QT_TRANSLATE_NOOP("varn::inspect", "See Types >>"),
     QT_TRANSLATE_NOOP("varn::inspect", "Displays selected entity's types"),
     QT_TRANSLATE_NOOP("varn::inspect", "An entity must be selected to see its definition."),
     {{QT_TRANSLATE_NOOP("varn::inspect", "Types"), ResultQuery::Types}},
     false},
    {BrowserKind::Attributes,
     QT_TRANSLATE_NOOP("varn::inspect", "Object Model Attributes"),
     QT_TRANSLATE_NOOP("varn::inspect", "See Attributes >>"),
     QT_TRANSLATE_NOOP("varn::inspect", "Displays selected object's attributes"),
     QT_TRANSLATE_NOOP("varn::inspect", "Select an entity to see attributes."),
     {{QT_TRANSLATE_NOOP("varn::inspect", "Data Member Attributes"), ResultQuery::DataMembers},
      {QT_TRANSLATE_NOOP("varn::inspect", "Association Attributes"), ResultQuery::Associations},
      {QT_TRANSLATE_NOOP("varn::inspect", "Composition Attributes"), ResultQuery::Compositions}},
     true},
    {BrowserKind::Methods,
     QT_TRANSLATE_NOOP("varn::inspect", "Object Model Methods"),
     QT_TRANSLATE_NOOP("varn::inspect", "See Methods >>"),
     QT_TRANSLATE_NOOP("varn::inspect", "Displays selected object's methods"),
     QT_TRANSLATE_NOOP("varn::inspect", "Select an entity to see methods."),
     {{QT_TRANSLATE_NOOP("varn::inspect", "Methods"), ResultQuery::Methods}},
     true},
};

using objmodel::ObjectModel;
using objmodel::ObjectModelReader;
using Order = ObjectModelReader::Order;

// "*pEngine" and "&rEngine" both read "Engine engine;".
QString linkField(const QString &attribute)
{
    const QString target = attribute.mid(2);
    QString field = target;
    if (!field.isEmpty())
        field[0] = field[0].toLower();
    return target + QLatin1Char(' ') + field + QLatin1Char(';');
}

// The lines of one list: its rows by name, case aside first.
Result<QStringList> resultLines(ObjectModelReader &model, ResultQuery query, qint32 entity)
{
    using Attributes = ObjectModelReader::Attributes;
    QStringList lines;
    switch (query) {
    case ResultQuery::Types:
        return model.namesOf(entity, ObjectModelReader::Names::Types, Order::NameIgnoringCase);
    case ResultQuery::DataMembers:
    case ResultQuery::Associations:
    case ResultQuery::Compositions: {
        const Attributes which = query == ResultQuery::DataMembers    ? Attributes::DataMembers
                                 : query == ResultQuery::Associations ? Attributes::Pointers
                                                                      : Attributes::References;
        const Result<QList<ObjectModel::Attribute>> attributes =
            model.attributesOf(entity, which, Order::NameIgnoringCase);
        if (!attributes)
            return attributes.outcome();
        for (const ObjectModel::Attribute &attribute : attributes.value())
            lines.append(query == ResultQuery::DataMembers
                             ? attribute.dataType + QLatin1Char(' ') + attribute.name
                             : linkField(attribute.name));
        return lines;
    }
    case ResultQuery::Methods: {
        const Result<QStringList> methods =
            model.namesOf(entity, ObjectModelReader::Names::Methods, Order::NameIgnoringCase);
        if (!methods)
            return methods.outcome();
        for (const QString &method : methods.value())
            lines.append(QStringLiteral("int ") + method + QStringLiteral("();"));
        return lines;
    }
    }
    return lines;
}

} // namespace

const BrowserSpec &ModelBrowser::spec(BrowserKind kind)
{
    return kSpecs[int(kind)];
}

Result<QStringList> ModelBrowser::entityNames() const
{
    return ObjectModelReader(m_connection).entityNames(Order::NameIgnoringCase);
}

Result<QList<QStringList>> ModelBrowser::resultLists(BrowserKind kind, const QString &entity) const
{
    ObjectModelReader model(m_connection);
    const Result<std::optional<ObjectModel::Entity>> found = model.entityNamed(entity);
    if (!found)
        return found.outcome();
    QList<QStringList> lists;
    for (const ResultListSpec &list : spec(kind).lists) {
        QStringList lines;
        if (found.value()) {
            Result<QStringList> read = resultLines(model, list.query, found.value()->id);
            if (!read)
                return read.outcome();
            lines = read.takeValue();
        }
        if (lines.isEmpty())
            lines.append(Tr::tr(kNone));
        lists.append(lines);
    }
    return lists;
}

} // namespace varn::inspect
