#pragma once

#include "common/outcome.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace varn::store {

class RowStatement;

// One attribute value of an object another tool wrote, with its definition.
struct ForeignValueRow
{
    QString definition; // the definition's identifier
    QString longName;   // the definition's long name
    QString kind;       // "STRING", "XHTML", "ENUMERATION"...
    QString text;       // readable
    QString original;   // as written

    friend bool operator==(const ForeignValueRow &, const ForeignValueRow &) = default;
};

// The object a requirement version came from: REQIF_OBJECT and its
// REQIF_VALUE rows.
struct ForeignObjectRow
{
    qint32 number = 0;   // Req_Num of the version
    qint32 document = 0; // Doc_Num
    QString identifier;
    QString type;
    QString typeName; // the type's long name
    QString longName;
    QString lastChange;
    QList<ForeignValueRow> values;
};

// REQIF_DOCUMENT: an imported document's header and, as the exchange code
// encodes it, the rest of what writing it back needs.
struct ForeignDocumentRow
{
    qint32 number = 0;
    QString identifier;
    QString sourceTool;
    QString title;
    QString layout;
};

// REQIF_RELATION: a relation of a document between two of its objects.
struct ForeignRelationRow
{
    qint32 document = 0;
    QString identifier;
    QString source; // the objects' identifiers
    QString target;
    QString type;
    QString typeName;
    QString longName;
    QString lastChange;
    QString values; // as the exchange code encodes them
};

// The one route to the tables that keep other tools' documents with the
// requirements imported from them (REQIF_DOCUMENT, REQIF_OBJECT,
// REQIF_VALUE, REQIF_RELATION) and to FULL_TEXT, the whole text of a
// requirement whose sentence had to be shortened. Writes run inside the
// caller's save transaction; with Route::Direct the statements (reads too)
// go straight to SQLite, so such an object must end before its connection
// closes.
class ForeignObjects
{
public:
    enum class Route { Qt, Direct };

    explicit ForeignObjects(QString connectionName, Route route = Route::Qt);
    ~ForeignObjects();
    ForeignObjects(const ForeignObjects &) = delete;
    ForeignObjects &operator=(const ForeignObjects &) = delete;

    // A new document with the next free number; that number.
    Result<qint32> addDocument(const ForeignDocumentRow &document);
    // Replaces the header and layout of a document that exists.
    Outcome replaceDocument(const ForeignDocumentRow &document);
    Result<QList<ForeignDocumentRow>> documents();

    Outcome addObject(const ForeignObjectRow &object);
    // An edit's new version `to` takes the object of the version `from` it
    // replaces, inside the edit's transaction, so that a newer file still
    // finds it and an export writes it back as the other tool's. The object
    // keeps its identifier, type and values, but for the value its text
    // came from, which takes the edited text (XHTML as one escaped <div>).
    // A text the edit left as it was keeps its whole text (FULL_TEXT) too.
    // Both texts are the versions' stored sentences after the preamble.
    Outcome carryForward(qint32 from, qint32 to, const QString &previousText,
                         const QString &editedText);
    // Whether a version came with an object or a whole text.
    Result<bool> keepsAnythingOf(qint32 number);
    // The object, values and whole text of a version, gone: before a newer
    // file's object replaces what an edit carried forward.
    Outcome forget(qint32 number);
    // The object of a requirement version; nullopt when it came from nowhere else.
    Result<std::optional<ForeignObjectRow>> objectOf(qint32 number);
    // Every object with its values, by requirement number.
    Result<QHash<qint32, ForeignObjectRow>> allObjects();

    Outcome replaceRelations(qint32 document, const QList<ForeignRelationRow> &relations);
    Result<QList<ForeignRelationRow>> relations();

    Outcome setFullText(qint32 number, const QString &text);
    // Empty when the sentence holds the whole text.
    Result<QString> fullTextOf(qint32 number);
    Result<QHash<qint32, QString>> allFullTexts();

private:
    enum Statement { InsertObject, InsertFullText, InsertRelation, StatementCount };
    // An object's values go in a few rows per statement.
    static constexpr qsizetype kValuesPerInsert = 16;
    RowStatement &prepared(Statement statement, const char *sql);
    RowStatement &valueInsert(qsizetype rows);
    RowStatement query(const char *sql) const;
    Outcome failure(const RowStatement &statement) const;
    Outcome readFailure(const RowStatement &statement) const;
    Outcome readValues(QHash<qint32, ForeignObjectRow> &objects, const char *sql,
                       std::optional<qint32> number);

    QString m_connection;
    Route m_route;
    std::array<std::unique_ptr<RowStatement>, StatementCount> m_statements;
    std::array<std::unique_ptr<RowStatement>, kValuesPerInsert> m_valueInserts; // by rows - 1
};

} // namespace varn::store
