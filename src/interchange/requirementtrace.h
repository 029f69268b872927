#pragma once

#include "common/outcome.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

namespace varn::interchange {

// A line of a generated file.
struct CodeLocation
{
    QString file;
    int line = 0;
    friend bool operator==(const CodeLocation &, const CodeLocation &) = default;
};

struct TracedMember
{
    QString name;
    QList<CodeLocation> locations;
};

struct TracedEntity
{
    QString name;
    QList<CodeLocation> locations; // where its class (or table) is declared
    QList<TracedMember> attributes;
    QList<TracedMember> methods;
};

struct TracedRequirement
{
    qint32 number = 0;
    QString sentence;
    bool deleted = false;
    QList<TracedEntity> entities;
};

// The trace between requirements and what they produced. A requirement
// produced the entities it names (its REQ_ENTITY rows) and, of those
// entities' attributes and methods, the ones whose names hold the words of
// one of its fields ("wind sensor" gives windSensor and changeWindSensor).
// When code was generated, the generated files and lines that declare each.
class RequirementTrace
{
public:
    RequirementTrace(QString connectionName, QString installPath, QString systemName);

    // Refused (warning) when no requirement has that number.
    Result<TracedRequirement> ofRequirement(qint32 number);
    // The requirements that produced the entity (its class name or its
    // spaced form, any case), in number order; refused when no entity has
    // that name.
    Result<QList<TracedRequirement>> ofEntity(const QString &name);

    // "notifyOperationalSubsystem" -> notify, operational, subsystem.
    static QStringList nameWords(QStringView name);
    // The trace as lines of text, as varn-cli prints it.
    static QStringList describe(const TracedRequirement &requirement);

private:
    Result<QStringList> fieldTexts(qint32 number);
    Result<QList<TracedMember>> membersOf(const QString &table, const QString &column,
                                          qint32 entity, const QList<QStringList> &fieldWords);
    void locate(TracedEntity &entity) const;
    QSqlQuery &prepared(int slot, const QString &sql);

    QString m_connection;
    QString m_installPath;
    QString m_systemName;
    QSqlQuery m_queries[8];
    bool m_prepared[8] = {};
};

} // namespace varn::interchange
