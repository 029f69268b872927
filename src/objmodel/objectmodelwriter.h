#pragma once

#include "common/outcome.h"

#include <QHash>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>

namespace varn::store {
enum class Counter;
class CounterBatch;
class RowStatement;
} // namespace varn::store

namespace varn::objmodel {

// An object-model entity: its key and stored name.
struct ModelEntity
{
    qint32 key = 0;
    QString name;
};

// The one writer of the object-model tables, REQ_ENTITY and their key
// counters: what derivation and regeneration write goes through here, inside
// the caller's transaction. Lookups compare names exactly;
// what was found or written is remembered, so a requirement that names the
// same entity five times asks the database once. Keys come from the counter
// tables (store::CounterBatch): the counters are read once and written back
// by flushCounters(), which the caller runs before it commits.
//
// A rebuild that starts from empty tables says so (assumeEmpty), and every
// lookup is then answered from memory alone.
class ObjectModelWriter
{
public:
    // How long the writer's prepared statements live: across the saves of a
    // composer, or within the one transaction of a rebuild, which may then
    // write through SQLite's own handle.
    enum class Lifetime { ManySaves, OneTransaction };

    explicit ObjectModelWriter(QString connectionName, Lifetime lifetime = Lifetime::ManySaves);
    ~ObjectModelWriter();

    ObjectModelWriter(const ObjectModelWriter &) = delete;
    ObjectModelWriter &operator=(const ObjectModelWriter &) = delete;

    // The tables written here, in the order emptyAll() empties them.
    static std::span<const char *const> tables();
    // Deletes every row of the tables and sets their counters back to 0.
    [[nodiscard]] Outcome emptyAll();

    // Only valid while every row of the model tables is written through this
    // object, starting from empty tables.
    void assumeEmpty() { m_complete = true; }

    // Forgets what was looked up and the counters read, keeping the prepared
    // statements: for the next save, whose transaction starts afresh (what a
    // rolled-back save wrote must not be remembered).
    void reset();

    Result<std::optional<ModelEntity>> findEntity(const QString &name);
    Result<ModelEntity> addEntity(const QString &name);
    Result<ModelEntity> ensureEntity(const QString &name);

    Result<std::optional<qint32>> findAttribute(const QString &name, qint32 owner);
    Result<qint32> addAttribute(const QString &name, const QString &dataType, qint32 owner);
    Outcome setAttributeType(qint32 attribute, const QString &dataType);

    Result<std::optional<qint32>> findMethod(const QString &name, qint32 owner);
    Result<qint32> addMethod(const QString &name, qint32 owner);

    Outcome addInheritance(const QString &subEntity, qint32 base);
    Result<bool> hasAggregation(const QString &part, qint32 whole);
    Outcome addAggregation(const QString &part, qint32 whole);

    Result<bool> hasPossibleValue(const QString &value, qint32 attribute);
    Outcome addPossibleValue(const QString &value, qint32 attribute);

    // REQ_ENTITY: the requirement's wording of an entity and the entity it became.
    Outcome addRequirementEntity(const QString &spacedName, qint32 requirement, bool functional,
                                 qint32 entity);

    [[nodiscard]] Outcome flushCounters();

private:
    Result<qint32> allocate(store::Counter counter, const char *failureLine);
    store::RowStatement &prepared(int statement, const QString &sql);
    Outcome failure(const char *firstLine, const store::RowStatement &statement);

    QString m_connection;
    bool m_complete = false;
    std::unique_ptr<store::CounterBatch> m_counters;
    Lifetime m_lifetime;
    std::unordered_map<int, std::unique_ptr<store::RowStatement>> m_statements;

    QHash<QString, ModelEntity> m_entities;
    QHash<QPair<QString, qint32>, qint32> m_attributes;
    QHash<qint32, QString> m_attributeTypes; // as stored, where known
    QHash<QPair<QString, qint32>, qint32> m_methods;
    QHash<QPair<QString, qint32>, bool> m_aggregations;
    QHash<QPair<QString, qint32>, bool> m_possibleValues;
};

} // namespace varn::objmodel
