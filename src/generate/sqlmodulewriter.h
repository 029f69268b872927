#pragma once

#include "common/outcome.h"
#include "generate/generationtypes.h"
#include "objmodel/objectmodel.h"

#include <QList>
#include <QString>

namespace varn::generate {

// Renders the data-model SQL module of an object model: one subroutine that
// creates a table per entity and adds the foreign-key constraints, with the
// constraints of heavily related tables set apart in a commented section.
class SqlModuleWriter
{
public:
    // Tables with more relationships than this go to the separate section.
    static constexpr int kHeavyRelationshipCount = 30;
    // The separate section holds at most this many tables.
    static constexpr int kMaxHeavyTables = 51;
    // A CREATE statement takes columns while its length estimate stays below
    // this; the rest are added one ALTER TABLE at a time.
    static constexpr int kStatementEstimateLimit = 900;

    struct HeavyTable
    {
        int id = 0;
        QString name;
    };

    SqlModuleWriter(const objmodel::ObjectModel &model, QString systemName,
                    GenerationCallbacks callbacks = {});

    // The whole module text, or the refusal that ends generation (too many
    // heavy tables, a key that names no entity).
    Result<QString> render();

    // The heavily related tables found by the last render, in the order found.
    const QList<HeavyTable> &heavyTables() const { return m_heavyTables; }

    // The subroutine's name: the system name and "_Schema", spelled as the
    // class generators spell names ("Acme Telecom" gives
    // Acme_x0020_Telecom_Schema), and beginning with a letter as a Basic
    // name must ("3D" gives System_x0033_D_Schema).
    static QString procedureName(const QString &systemName);

private:
    struct Column
    {
        QString name;
        QString type;
    };
    struct TableColumns
    {
        QList<Column> columns;
        qsizetype foreignKeys = 0; // the trailing FKp_, FKr_ and FKi_ columns
    };
    // One foreign key: the constraint prefix and key, the referenced owner
    // (pointer holder, whole, base) and the table that gets the column.
    struct Relationship
    {
        int key = 0;
        int ownerId = 0;
        QString owner;
        QString target;
    };
    struct Pass
    {
        QString prefix;
        QList<Relationship> relationships;
    };

    void writeHeader();
    Outcome writeTables();
    Result<TableColumns> columnsOf(const objmodel::ObjectModel::Entity &entity) const;
    int relationshipCount(const objmodel::ObjectModel::Entity &entity,
                          qsizetype foreignKeyColumns) const;
    void writeTable(const objmodel::ObjectModel::Entity &entity, const QList<Column> &columns);
    Result<QList<Pass>> constraintPasses() const;
    void writeConstraints(const QList<Pass> &passes);
    void writeHeavySection(const QList<Pass> &passes);
    void writeConstraint(const QString &prefix, const Relationship &relationship);
    bool isHeavy(const Relationship &relationship) const;
    Result<QString> entityName(int id) const;
    void reportStatus(const QString &status) const;
    void reportProgress(qsizetype done, qsizetype total, const QString &name) const;

    const objmodel::ObjectModel &m_model;
    QString m_systemName;
    GenerationCallbacks m_callbacks;
    QString m_text;
    QList<HeavyTable> m_heavyTables;
};

} // namespace varn::generate
