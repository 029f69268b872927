#pragma once

#include "common/outcome.h"
#include "common/storedwords.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

namespace varn::store {

class RowStatement;

// A stored requirement as the object model is rebuilt from it: its kind, its
// term codes, and the texts of its FUNC_REQ fields or STRUC_REQ columns.
struct StoredRequirement
{
    qint32 number = 0;
    QString kind;           // "Functional", "Structural", or another kind the model ignores
    bool hasOwnRow = false; // its FUNC_REQ or STRUC_REQ row exists
    QString tcode;
    QStringList fields; // Field0..Field27, or the STRUC_REQ columns below
    QString typeBasic, entityBasic, typeAttr, entityAttr, attrName;
    QString typeWithList, entityWithList, typeInList, entityInList;
    QStringList possibleValues;

    bool isFunctional() const { return kind == QLatin1String(StoredWords::kFunctional); }
    bool isStructural() const { return kind == QLatin1String(StoredWords::kStructural); }
};

// The positions of a stored requirement's columns in the reader's rows.
struct StoredRequirementColumns
{
    int number = -1, kind = -1, functionalRow = -1, functionalCode = -1;
    int firstField = -1, structuralRow = -1, structuralCode = -1;
    int firstStructuralText = -1;

    void locate(const RowStatement &rows);
    // The requirement of the current row, without its possible values. As
    // composed, a deleted or superseded version is read as the kind whose
    // row its composer stored.
    enum class Kind { AsNow, AsComposed };
    void read(const RowStatement &rows, StoredRequirement &stored, Kind kind = Kind::AsNow) const;
};

// Reads every stored requirement in number order, each with its FUNC_REQ or
// STRUC_REQ row and possible values, by column name, in one forward pass:
// the object model's regeneration reads the requirements through it. The
// pass reads through the connection's own handle on SQLite, so the reader is
// destroyed before the connection closes.
class StoredRequirementReader
{
public:
    explicit StoredRequirementReader(QString connectionName);
    ~StoredRequirementReader();
    StoredRequirementReader(const StoredRequirementReader &) = delete;
    StoredRequirementReader &operator=(const StoredRequirementReader &) = delete;

    // Counts the requirements and starts the pass. Refused silently when
    // there is no functional or structural requirement to rebuild from.
    Outcome open();
    int total() const { return m_total; }
    // False after the last requirement, or when the pass failed.
    bool next(StoredRequirement &stored);
    // After next() returned false: whether the pass read every requirement.
    Outcome passOutcome() const;

private:
    Outcome readPossibleValues();

    QString m_connection;
    std::unique_ptr<RowStatement> m_rows;
    QHash<qint32, QStringList> m_possibleValues;
    int m_total = 0;
    StoredRequirementColumns m_columns; // looked up by name once
};

// Reads one stored requirement by its number, as the reader reads each, for
// the callers that look at single requirements (the trace).
class StoredRequirementLookup
{
public:
    explicit StoredRequirementLookup(QString connectionName);
    ~StoredRequirementLookup();
    StoredRequirementLookup(const StoredRequirementLookup &) = delete;
    StoredRequirementLookup &operator=(const StoredRequirementLookup &) = delete;

    // With an empty kind when no requirement has the number. AsComposed
    // reads an earlier (superseded) version by its own stored rows, as it
    // was derived when it was the newest.
    using Kind = StoredRequirementColumns::Kind;
    Result<StoredRequirement> read(qint32 number, Kind kind = Kind::AsNow);

private:
    QString m_connection;
    std::unique_ptr<RowStatement> m_row;
    std::unique_ptr<RowStatement> m_values;
    StoredRequirementColumns m_columns;
};

} // namespace varn::store
