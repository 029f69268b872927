#include "store/foreignobjects.h"
#include "store/storetr.h"

#include "store/rowstatement.h"
#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace varn::store {

namespace {

constexpr char kWriteFailed[] =
    QT_TRANSLATE_NOOP("varn::store", "Error writing another tool's objects to the database.\n");
constexpr char kReadFailed[] =
    QT_TRANSLATE_NOOP("varn::store", "Error reading another tool's objects from the database.\n");

QSqlDatabase databaseOf(const QString &connection)
{
    return QSqlDatabase::database(connection, false);
}

} // namespace

ForeignObjects::ForeignObjects(QString connectionName, Route route)
    : m_connection(std::move(connectionName)), m_route(route)
{}

ForeignObjects::~ForeignObjects() = default;

RowStatement &ForeignObjects::prepared(Statement statement, const char *sql)
{
    std::unique_ptr<RowStatement> &slot = m_statements[statement];
    if (!slot || !slot->isPrepared())
        slot = std::make_unique<RowStatement>(databaseOf(m_connection), QString::fromLatin1(sql),
                                              m_route == Route::Direct ? RowStatement::Route::Direct
                                                                       : RowStatement::Route::Qt);
    return *slot;
}

RowStatement &ForeignObjects::valueInsert(qsizetype rows)
{
    std::unique_ptr<RowStatement> &slot = m_valueInserts[rows - 1];
    if (!slot || !slot->isPrepared()) {
        QString sql = QStringLiteral("INSERT INTO REQIF_VALUE (Req_Num, Place, Definition, "
                                     "LongName, Kind, ValueText, Original) VALUES ");
        for (qsizetype row = 0; row < rows; ++row)
            sql += row == 0 ? QStringLiteral("(?, ?, ?, ?, ?, ?, ?)")
                            : QStringLiteral(", (?, ?, ?, ?, ?, ?, ?)");
        slot = std::make_unique<RowStatement>(databaseOf(m_connection), sql,
                                              m_route == Route::Direct ? RowStatement::Route::Direct
                                                                       : RowStatement::Route::Qt);
    }
    return *slot;
}

RowStatement ForeignObjects::query(const char *sql) const
{
    return RowStatement(databaseOf(m_connection), QString::fromLatin1(sql),
                        m_route == Route::Direct ? RowStatement::Route::Direct
                                                 : RowStatement::Route::Qt);
}

Outcome ForeignObjects::failure(const RowStatement &statement) const
{
    TransientRetry::noteError(statement.lastError());
    return Outcome::stop(Tr::tr(kWriteFailed) + statement.lastError().text());
}

Outcome ForeignObjects::readFailure(const RowStatement &statement) const
{
    return Outcome::stop(Tr::tr(kReadFailed) + statement.lastError().text());
}

Result<qint32> ForeignObjects::addDocument(const ForeignDocumentRow &document)
{
    // Two imports of new documents at once on a server would both take the
    // same number, and the second would fail whole at its insert: the number
    // is taken under a lock the importing transaction holds to its end.
    const QSqlDatabase database = databaseOf(m_connection);
    const QString lock =
        SqlDialect::exclusiveLock(SqlDialect::of(database), SqlDialect::LockScope::Transaction,
                                  SqlDialect::LockName::ForeignDocuments);
    if (!lock.isEmpty()) {
        RowStatement locked(database, lock, RowStatement::Route::Qt);
        if (!locked.exec())
            return failure(locked);
        locked.finish();
    }
    RowStatement last = query("SELECT MAX(Doc_Num) FROM REQIF_DOCUMENT");
    if (!last.exec())
        return failure(last);
    const qint32 number = last.next() ? last.intValue(0) + 1 : 1;
    last.finish();
    RowStatement insert =
        query("INSERT INTO REQIF_DOCUMENT (Doc_Num, Identifier, SourceTool, Title, Layout) "
              "VALUES (?, ?, ?, ?, ?)");
    insert.add(number);
    insert.add(document.identifier);
    insert.add(document.sourceTool);
    insert.add(document.title);
    insert.add(document.layout);
    if (!insert.exec())
        return failure(insert);
    return number;
}

Outcome ForeignObjects::replaceDocument(const ForeignDocumentRow &document)
{
    RowStatement update = query("UPDATE REQIF_DOCUMENT SET Identifier = ?, SourceTool = ?, "
                                "Title = ?, Layout = ? WHERE Doc_Num = ?");
    update.add(document.identifier);
    update.add(document.sourceTool);
    update.add(document.title);
    update.add(document.layout);
    update.add(document.number);
    if (!update.exec())
        return failure(update);
    return Outcome::ok();
}

Result<QList<ForeignDocumentRow>> ForeignObjects::documents()
{
    RowStatement select = query("SELECT Doc_Num, Identifier, SourceTool, Title, Layout FROM "
                                "REQIF_DOCUMENT ORDER BY Doc_Num");
    if (!select.exec())
        return readFailure(select);
    QList<ForeignDocumentRow> documents;
    while (select.next())
        documents.append({select.intValue(0), select.textValue(1), select.textValue(2),
                          select.textValue(3), select.textValue(4)});
    return documents;
}

Outcome ForeignObjects::addObject(const ForeignObjectRow &object)
{
    RowStatement &insert = prepared(
        InsertObject, "INSERT INTO REQIF_OBJECT (Req_Num, Doc_Num, Identifier, ObjectType, "
                      "TypeName, LongName, LastChange) VALUES (?, ?, ?, ?, ?, ?, ?)");
    insert.add(object.number);
    insert.add(object.document);
    insert.add(object.identifier);
    insert.add(object.type);
    insert.add(object.typeName);
    insert.add(object.longName);
    insert.add(object.lastChange);
    if (!insert.exec())
        return failure(insert);
    const qsizetype count = object.values.size();
    for (qsizetype first = 0; first < count; first += kValuesPerInsert) {
        const qsizetype rows = qMin(kValuesPerInsert, count - first);
        RowStatement &value = valueInsert(rows);
        for (qsizetype place = first; place < first + rows; ++place) {
            const ForeignValueRow &row = object.values[place];
            value.add(object.number);
            value.add(qint32(place));
            value.add(row.definition);
            value.add(row.longName);
            value.add(row.kind);
            value.add(row.text);
            value.add(row.original);
        }
        if (!value.exec())
            return failure(value);
    }
    return Outcome::ok();
}

namespace {

// A text as a sentence was made from it: control characters as blanks,
// blanks collapsed, no full stop at the end.
QString asSentence(const QString &text)
{
    QString plain = text;
    for (QChar &c : plain) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    plain = plain.simplified();
    while (plain.endsWith(QLatin1Char('.')))
        plain = plain.chopped(1).trimmed();
    return plain;
}

bool holdsText(const ForeignValueRow &value)
{
    return value.kind == QLatin1String("XHTML") || value.kind == QLatin1String("STRING");
}

// The value the requirement's text came from: the text value that reads as
// the sentence (the standard text attribute first), else the standard text
// attribute, else the first XHTML value; -1 when there is none.
qsizetype textValueOf(const QList<ForeignValueRow> &values, const QString &text)
{
    const QString sentence = asSentence(text);
    qsizetype found = -1;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (!holdsText(values[i]) || asSentence(values[i].text) != sentence)
            continue;
        if (values[i].longName == QLatin1String("ReqIF.Text"))
            return i;
        if (found < 0)
            found = i;
    }
    if (found >= 0)
        return found;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (holdsText(values[i]) && values[i].longName == QLatin1String("ReqIF.Text"))
            return i;
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (values[i].kind == QLatin1String("XHTML"))
            return i;
    }
    return -1;
}

} // namespace

Outcome ForeignObjects::carryForward(qint32 from, qint32 to, const QString &previousText,
                                     const QString &editedText)
{
    const Result<std::optional<ForeignObjectRow>> object = objectOf(from);
    if (!object)
        return object.outcome();
    const Result<QString> fullText = fullTextOf(from);
    if (!fullText)
        return fullText.outcome();
    const bool sameText = previousText == editedText;
    if (sameText && !fullText->isEmpty()) {
        if (Outcome kept = setFullText(to, fullText.value()); !kept)
            return kept;
    }
    if (!object->has_value())
        return Outcome::ok();
    ForeignObjectRow row = *object.value();
    row.number = to;
    if (!sameText) {
        const qsizetype text =
            textValueOf(row.values, fullText->isEmpty() ? previousText : fullText.value());
        if (text >= 0) {
            ForeignValueRow &value = row.values[text];
            value.text = editedText;
            value.original = value.kind == QLatin1String("XHTML")
                                 ? QStringLiteral("<xhtml:div>") + editedText.toHtmlEscaped() +
                                       QStringLiteral("</xhtml:div>")
                                 : editedText;
        }
    }
    return addObject(row);
}

Result<bool> ForeignObjects::keepsAnythingOf(qint32 number)
{
    RowStatement select = query("SELECT (SELECT COUNT(*) FROM REQIF_OBJECT WHERE Req_Num = ?) + "
                                "(SELECT COUNT(*) FROM FULL_TEXT WHERE Req_Num = ?)");
    select.add(number);
    select.add(number);
    if (!select.exec())
        return readFailure(select);
    const bool kept = select.next() && select.intValue(0) > 0;
    select.finish();
    return kept;
}

Outcome ForeignObjects::forget(qint32 number)
{
    for (const char *sql :
         {"DELETE FROM REQIF_VALUE WHERE Req_Num = ?", "DELETE FROM REQIF_OBJECT WHERE Req_Num = ?",
          "DELETE FROM FULL_TEXT WHERE Req_Num = ?"}) {
        RowStatement remove = query(sql);
        remove.add(number);
        if (!remove.exec())
            return failure(remove);
    }
    return Outcome::ok();
}

Outcome ForeignObjects::readValues(QHash<qint32, ForeignObjectRow> &objects, const char *sql,
                                   std::optional<qint32> number)
{
    RowStatement select = query(sql);
    if (number)
        select.add(*number);
    if (!select.exec())
        return readFailure(select);
    while (select.next()) {
        const auto object = objects.find(select.intValue(0));
        if (object == objects.end())
            continue;
        object->values.append({select.textValue(1), select.textValue(2), select.textValue(3),
                               select.textValue(4), select.textValue(5)});
    }
    return Outcome::ok();
}

Result<std::optional<ForeignObjectRow>> ForeignObjects::objectOf(qint32 number)
{
    RowStatement select = query("SELECT Req_Num, Doc_Num, Identifier, ObjectType, TypeName, "
                                "LongName, LastChange FROM REQIF_OBJECT WHERE Req_Num = ?");
    select.add(number);
    if (!select.exec())
        return readFailure(select);
    if (!select.next())
        return std::optional<ForeignObjectRow>();
    QHash<qint32, ForeignObjectRow> objects;
    objects.insert(number, {select.intValue(0),
                            select.intValue(1),
                            select.textValue(2),
                            select.textValue(3),
                            select.textValue(4),
                            select.textValue(5),
                            select.textValue(6),
                            {}});
    select.finish();
    if (Outcome read = readValues(objects,
                                  "SELECT Req_Num, Definition, LongName, Kind, ValueText, "
                                  "Original FROM REQIF_VALUE WHERE Req_Num = ? ORDER BY Place",
                                  number);
        !read)
        return read;
    return std::optional<ForeignObjectRow>(objects.take(number));
}

Result<QHash<qint32, ForeignObjectRow>> ForeignObjects::allObjects()
{
    RowStatement select = query("SELECT Req_Num, Doc_Num, Identifier, ObjectType, TypeName, "
                                "LongName, LastChange FROM REQIF_OBJECT");
    if (!select.exec())
        return readFailure(select);
    QHash<qint32, ForeignObjectRow> objects;
    while (select.next()) {
        const qint32 number = select.intValue(0);
        objects.insert(number, {number,
                                select.intValue(1),
                                select.textValue(2),
                                select.textValue(3),
                                select.textValue(4),
                                select.textValue(5),
                                select.textValue(6),
                                {}});
    }
    if (Outcome read = readValues(objects,
                                  "SELECT Req_Num, Definition, LongName, Kind, ValueText, "
                                  "Original FROM REQIF_VALUE ORDER BY Req_Num, Place",
                                  std::nullopt);
        !read)
        return read;
    return objects;
}

Outcome ForeignObjects::replaceRelations(qint32 document,
                                         const QList<ForeignRelationRow> &relations)
{
    RowStatement remove = query("DELETE FROM REQIF_RELATION WHERE Doc_Num = ?");
    remove.add(document);
    if (!remove.exec())
        return failure(remove);
    RowStatement &insert = prepared(
        InsertRelation,
        "INSERT INTO REQIF_RELATION (Doc_Num, Identifier, SourceObject, TargetObject, "
        "RelationType, TypeName, LongName, LastChange, ValuesJson) VALUES (?, ?, ?, ?, ?, ?, ?, "
        "?, ?)");
    for (const ForeignRelationRow &relation : relations) {
        insert.add(document);
        insert.add(relation.identifier);
        insert.add(relation.source);
        insert.add(relation.target);
        insert.add(relation.type);
        insert.add(relation.typeName);
        insert.add(relation.longName);
        insert.add(relation.lastChange);
        insert.add(relation.values);
        if (!insert.exec())
            return failure(insert);
    }
    return Outcome::ok();
}

Result<QList<ForeignRelationRow>> ForeignObjects::relations()
{
    RowStatement select =
        query("SELECT Doc_Num, Identifier, SourceObject, TargetObject, RelationType, TypeName, "
              "LongName, LastChange, ValuesJson FROM REQIF_RELATION ORDER BY Doc_Num");
    if (!select.exec())
        return readFailure(select);
    QList<ForeignRelationRow> relations;
    while (select.next())
        relations.append({select.intValue(0), select.textValue(1), select.textValue(2),
                          select.textValue(3), select.textValue(4), select.textValue(5),
                          select.textValue(6), select.textValue(7), select.textValue(8)});
    return relations;
}

Outcome ForeignObjects::setFullText(qint32 number, const QString &text)
{
    RowStatement &insert =
        prepared(InsertFullText, "INSERT INTO FULL_TEXT (Req_Num, FullText) VALUES (?, ?)");
    insert.add(number);
    insert.add(text);
    if (!insert.exec())
        return failure(insert);
    return Outcome::ok();
}

Result<QString> ForeignObjects::fullTextOf(qint32 number)
{
    RowStatement select = query("SELECT FullText FROM FULL_TEXT WHERE Req_Num = ?");
    select.add(number);
    if (!select.exec())
        return readFailure(select);
    QString text = select.next() ? select.textValue(0) : QString();
    select.finish();
    return text;
}

Result<QHash<qint32, QString>> ForeignObjects::allFullTexts()
{
    RowStatement select = query("SELECT Req_Num, FullText FROM FULL_TEXT");
    if (!select.exec())
        return readFailure(select);
    QHash<qint32, QString> texts;
    while (select.next())
        texts.insert(select.intValue(0), select.textValue(1));
    return texts;
}

} // namespace varn::store
