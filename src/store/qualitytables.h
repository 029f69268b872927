#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::store {

// A word a workspace added to one quality rule's list.
struct QualityWordRow
{
    QString rule;
    QString word;

    friend bool operator==(const QualityWordRow &, const QualityWordRow &) = default;
};

// One finding a reviewer accepted on one stored row of a requirement.
struct QualityAcceptanceRow
{
    qint32 number = 0;       // MASTER_REQ.Req_Num of the version accepted
    qint32 firstVersion = 0; // its OrigReqNum
    qint32 version = 0;
    QString rule;
    QString words;
    QString reason;
    QString acceptedBy;
    QString acceptedAt;

    friend bool operator==(const QualityAcceptanceRow &, const QualityAcceptanceRow &) = default;
};

// QUALITY_RULE, QUALITY_WORD and QUALITY_ACCEPTED (data/extensions/quality.sql):
// the one route to a workspace's quality settings and accepted findings.
class QualityTables
{
public:
    explicit QualityTables(QString connectionName) : m_connection(std::move(connectionName)) {}

    // The rules switched off, by id.
    Result<QStringList> switchedOffRules() const;
    Outcome setSwitchedOff(const QString &rule, bool off) const;

    // The added words, by rule and word.
    Result<QList<QualityWordRow>> addedWords() const;
    // Adding a word twice keeps one.
    Outcome addWord(const QString &rule, const QString &word) const;
    // Whether the word was there.
    Result<bool> removeWord(const QString &rule, const QString &word) const;

    // Every acceptance, by number, rule and words.
    Result<QList<QualityAcceptanceRow>> acceptances() const;
    // Accepting the same finding again replaces its reason, who and when.
    Outcome accept(const QualityAcceptanceRow &row) const;
    // Whether there was such an acceptance.
    Result<bool> withdraw(qint32 number, const QString &rule, const QString &words) const;

private:
    QString m_connection;
};

} // namespace varn::store
