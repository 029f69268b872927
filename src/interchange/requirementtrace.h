#pragma once

#include "common/outcome.h"
#include "objmodel/objectmodel.h"
#include "objmodel/objectmodelreader.h"
#include "store/requirementreader.h"
#include "store/storedrequirementreader.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

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
// produced the entities it names (its REQ_ENTITY rows), the classes its
// derivation made beside them (typed entities, parts, timers: see
// objmodel::ProducedClasses) and, of those classes' attributes and methods,
// the ones whose names hold the words of one of its fields ("wind sensor"
// gives windSensor and changeWindSensor). When code was generated, the
// generated files and lines that declare each.
class RequirementTrace
{
public:
    RequirementTrace(QString connectionName, QString installPath, QString systemName);
    ~RequirementTrace();

    // Refused (warning) when no requirement has that number.
    Result<TracedRequirement> ofRequirement(qint32 number);
    // The requirements that produced the entity (its class name, any case,
    // or its words: "premium customer account" for
    // Premium_CustomerAccount), in number order; refused when no entity has
    // that name, or no requirement produced it.
    Result<QList<TracedRequirement>> ofEntity(const QString &name);

    // "notifyOperationalSubsystem" -> notify, operational, subsystem.
    static QStringList nameWords(QStringView name);
    // The trace as lines of text, as varn-cli prints it.
    static QStringList describe(const TracedRequirement &requirement);

private:
    using ModelClass = objmodel::ObjectModel::Entity;

    // The classes the requirement produced, by name.
    Result<QList<ModelClass>> producedClasses(qint32 number);
    // The requirements that may have produced the class: those linked to it
    // or to the classes its derivation starts from (its base, the whole it
    // is a part of, the entity that points to it as a timer).
    Result<QList<qint32>> possibleProducers(const ModelClass &modelClass);
    void locate(TracedEntity &entity) const;

    QString m_connection;
    QString m_installPath;
    QString m_systemName;
    objmodel::ObjectModelReader m_model;
    // The requirement tables' reads, its statements prepared once.
    store::RequirementReader m_requirements;
    std::unique_ptr<store::StoredRequirementLookup> m_stored;
};

} // namespace varn::interchange
