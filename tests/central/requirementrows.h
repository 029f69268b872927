#pragma once

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

// Stored requirements for the Requirements Central suites, written with
// plain bound INSERTs: a MASTER_REQ row, its FUNC_REQ or STRUC_REQ row, and
// the entity names it mentions.
struct RequirementRow
{
    int number;
    QString type = QStringLiteral("Functional");
    int source = 9;
    QString paragraph = QStringLiteral("None");
    QString text = QStringLiteral("notify the operator");
    int version = 1;
    int original = 0; // 0: the number itself
    QStringList entities = {};
    int priority = 1;
    QString comments = {};
};

inline bool insertRequirement(const QSqlDatabase &database, const RequirementRow &row,
                              const QString &systemName = QStringLiteral("Acme"))
{
    QSqlQuery master(database);
    master.prepare(QStringLiteral("INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, "
                                  "Priority, Release, Version, ParaNum, Preamble, ReqText, "
                                  "OrigReqNum, DateSaved, Comments) VALUES (?, ?, ?, ?, ?, ?, ?, "
                                  "?, ?, ?, ?, ?, ?)"));
    const QVariantList values = {row.number,
                                 row.type,
                                 row.source,
                                 QStringLiteral("Software"),
                                 row.priority,
                                 1,
                                 row.version,
                                 row.paragraph,
                                 QStringLiteral("The ") + systemName +
                                     QStringLiteral(" system shall"),
                                 row.text,
                                 row.original ? row.original : row.number,
                                 QStringLiteral("3-7-2009"),
                                 row.comments};
    for (const QVariant &value : values)
        master.addBindValue(value);
    if (!master.exec()) {
        qWarning() << master.lastError().text();
        return false;
    }
    const bool structural = row.source >= 19 && row.source <= 22;
    QSqlQuery fields(database);
    fields.prepare(structural
                       ? QStringLiteral("INSERT INTO STRUC_REQ (S_ReqNum, Source) VALUES (?, ?)")
                       : QStringLiteral("INSERT INTO FUNC_REQ (F_ReqNum, Source) VALUES (?, ?)"));
    fields.addBindValue(row.number);
    fields.addBindValue(row.source);
    if (!fields.exec()) {
        qWarning() << fields.lastError().text();
        return false;
    }
    for (const QString &entity : row.entities) {
        QSqlQuery mention(database);
        mention.prepare(structural ? QStringLiteral("INSERT INTO REQ_ENTITY (Req_EntityID, "
                                                    "ReqEntity, FK_SReqNum) VALUES (?, ?, ?)")
                                   : QStringLiteral("INSERT INTO REQ_ENTITY (Req_EntityID, "
                                                    "ReqEntity, FK_FReqNum) VALUES (?, ?, ?)"));
        QSqlQuery next(database);
        next.exec(QStringLiteral("SELECT COALESCE(MAX(Req_EntityID), 0) + 1 FROM REQ_ENTITY"));
        next.next();
        mention.addBindValue(next.value(0).toInt());
        mention.addBindValue(entity);
        mention.addBindValue(row.number);
        if (!mention.exec()) {
            qWarning() << mention.lastError().text();
            return false;
        }
    }
    return true;
}

// A parent-dependent link, with the next free key.
inline bool insertDependent(const QSqlDatabase &database, int parent, int dependent)
{
    QSqlQuery link(database);
    link.prepare(QStringLiteral("INSERT INTO DEPENDENT_REQ (Dep_Num, FK_ReqNum, Dep_ReqNum) "
                                "VALUES ((SELECT COALESCE(MAX(Dep_Num), 0) + 1 FROM "
                                "DEPENDENT_REQ), ?, ?)"));
    link.addBindValue(parent);
    link.addBindValue(dependent);
    if (!link.exec()) {
        qWarning() << link.lastError().text();
        return false;
    }
    return true;
}
