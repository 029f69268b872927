#pragma once

#include "common/outcome.h"

#include <QString>
#include <QStringList>

namespace varn::templates {

// What the System Entities window lists for one entity: its attributes,
// types and parts as readable words; a list without rows holds "None.".
struct EntityDefinitionLists
{
    QStringList attributes;
    QStringList types;
    QStringList parts;
};

// The queries of the System Entities window over the requirements database.
class SystemEntities
{
public:
    explicit SystemEntities(QString connectionName) : m_connection(std::move(connectionName)) {}

    // The distinct entity names of the requirements, sorted.
    Result<QStringList> entities() const;
    // The object-model entities whose name holds an underscore, as
    // "Cargo Bay : Door" for CargoBay_Door.
    Result<QStringList> typeEntities() const;
    // The definition of a line of either list.
    Result<EntityDefinitionLists> definition(const QString &line, bool typeEntity) const;

    static QString typeEntityLine(const QString &entity);
    // An attribute or part name as words: "WindSensor" gives "wind sensor".
    static QString memberWords(const QString &name);
    // A type: the name up to its underscore, a blank before each capital.
    static QString typeWords(const QString &name);

private:
    QString m_connection;
};

} // namespace varn::templates
