#pragma once

#include "common/outcome.h"
#include "objmodel/objectmodel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace varn::objmodel {

// The tables of the object model and REQ_ENTITY, which links requirements to
// the entities they name.
enum class ModelTable {
    Entity,
    Attribute,
    Method,
    Inheritance,
    Aggregation,
    PossibleValue,
    RequirementEntity
};

// Where a read of the model stopped, for callers that word the failure
// themselves.
struct ModelReadFailure
{
    ModelTable table = ModelTable::Entity;
    QString recordSet;    // the record set the messages name: "ReqAtSet"
    bool partWay = false; // the statement ran, and its rows stopped coming
    QString errorText;    // the database's and the driver's words
    QString databaseText; // the database's words alone; the driver's when it gave none
};

// The one reader of the object model's tables: every read of OM_ENTITY,
// OM_ATTR, OM_METHOD, OM_INH, OM_AGG, OM_PV and REQ_ENTITY goes through here,
// read-only and with bound values. A read that fails is refused with
// "Cannot open <record set> recordset.\n" (or "Error querying the <record
// set> recordset.\n" when its rows stopped part-way) and the database's
// words; lastFailure() tells where it stopped.
//
// Statements are prepared once per reader: keep a reader for a run of reads,
// not across a closing of its connection.
class ObjectModelReader
{
public:
    // The orders rows come in. By name is as the database compares text; by
    // name ignoring case sorts letters without regard to case first, ties
    // broken by case, as the record sets sort names. Type then name orders
    // attributes by data type, then by name, each ignoring case first.
    enum class Order { Key, Name, NameIgnoringCase, TypeThenName };
    // Which attributes of an entity: all, the data members (neither pointer
    // nor reference), or its links of one kind.
    enum class Attributes { All, DataMembers, Pointers, References };
    // Entities related to one entity: those it is a kind of, those that are
    // kinds of it, those it is a part of, and those that point to it.
    enum class Relation { Bases, Kinds, Wholes, PointingEntities };
    // The names of one kind an entity's rows hold: its methods (OM_METHOD),
    // the entities that are kinds of it (OM_INH) and its parts (OM_AGG).
    enum class Names { Methods, Types, Parts };

    explicit ObjectModelReader(QString connectionName);
    ~ObjectModelReader();
    ObjectModelReader(const ObjectModelReader &) = delete;
    ObjectModelReader &operator=(const ObjectModelReader &) = delete;

    // The given tables whole, in the order given, as one model: on a shared
    // server after any regeneration under way has committed, and untouched
    // by the next one. A failure to begin that read counts as one of the
    // entity table.
    Result<ObjectModel> readModel(const QList<ModelTable> &tables);

    Result<QList<ObjectModel::Entity>> entities(Order order);
    Result<QStringList> entityNames(Order order);
    // The entity of that name with the lowest key; none when no entity has it.
    Result<std::optional<ObjectModel::Entity>> entityNamed(const QString &name);
    // Empty when no entity has that key.
    Result<QString> entityName(qint32 key);
    // The entities related to one, by key, in the order their rows were written.
    Result<QList<qint32>> related(qint32 entity, Relation relation);

    Result<QList<ObjectModel::Attribute>> attributesOf(qint32 entity, Attributes which,
                                                       Order order);
    Result<QStringList> namesOf(qint32 entity, Names which, Order order);
    // An attribute's possible values by name, ignoring case first.
    Result<QStringList> possibleValuesOf(qint32 attribute);

    // The entities a requirement's REQ_ENTITY rows link it to, each once.
    Result<QList<ObjectModel::Entity>> entitiesOfRequirement(qint32 number);
    // The requirements REQ_ENTITY links to the entity, functional and
    // structural, row by row.
    Result<QList<qint32>> requirementsOfEntity(qint32 entity);
    // Every distinct entity name the requirements use, as they wrote it, by name.
    Result<QStringList> requirementEntityNames();

    const ModelReadFailure &lastFailure() const;

private:
    class Queries;

    std::unique_ptr<Queries> m_queries;
};

} // namespace varn::objmodel
