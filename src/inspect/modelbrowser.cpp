#include "inspect/modelbrowser.h"

#include "inspect/modelqueries.h"

#include <QSqlError>
#include <QSqlQuery>

namespace varn::inspect {

namespace {

using modelqueries::kEntityOpen;

const BrowserSpec kSpecs[] = {
    {BrowserKind::Entities,
     "Object Model Entities",
     "See Types >>",
     "Displays selected entity's types",
     "An entity must be selected to see its definition.",
     {{"Types", ResultQuery::Types}},
     false},
    {BrowserKind::Attributes,
     "Object Model Attributes",
     "See Attributes >>",
     "Displays selected object's attributes",
     "Select an entity to see attributes.",
     {{"Data Member Attributes", ResultQuery::DataMembers},
      {"Association Attributes", ResultQuery::Associations},
      {"Composition Attributes", ResultQuery::Compositions}},
     true},
    {BrowserKind::Methods,
     "Object Model Methods",
     "See Methods >>",
     "Displays selected object's methods",
     "Select an entity to see methods.",
     {{"Methods", ResultQuery::Methods}},
     true},
};

// How one list is read: its statement on the entity's key, the record set
// its failures name, and how a row becomes a line.
struct QueryText
{
    const char *sql;
    const char *failureLine;
    QString (*line)(const QSqlQuery &row);
};

QString firstColumn(const QSqlQuery &row)
{
    return row.value(0).toString();
}

QString typedName(const QSqlQuery &row)
{
    return row.value(1).toString() + QLatin1Char(' ') + row.value(0).toString();
}

// "*pEngine" and "&rEngine" both read "Engine engine;".
QString linkField(const QSqlQuery &row)
{
    const QString target = row.value(0).toString().mid(2);
    QString field = target;
    if (!field.isEmpty())
        field[0] = field[0].toLower();
    return target + QLatin1Char(' ') + field + QLatin1Char(';');
}

QString methodLine(const QSqlQuery &row)
{
    return QStringLiteral("int ") + row.value(0).toString() + QStringLiteral("();");
}

const QueryText &queryText(ResultQuery query)
{
    static const QueryText kTexts[] = {
        {"SELECT InH_Entity FROM OM_INH WHERE FK_EntityID = ? ORDER BY InH_Entity COLLATE "
         "NOCASE, InH_Entity",
         "Cannot open ReqInSet recordset.\n", firstColumn},
        {"SELECT Attribute, DataTypeDef FROM OM_ATTR WHERE FK_EntityID = ? AND DataTypeDef NOT "
         "LIKE 'reference' AND DataTypeDef NOT LIKE 'pointer' ORDER BY Attribute COLLATE NOCASE, "
         "Attribute",
         "Cannot open ReqAtSet recordset.\n", typedName},
        {"SELECT Attribute FROM OM_ATTR WHERE FK_EntityID = ? AND DataTypeDef = 'pointer' ORDER "
         "BY Attribute COLLATE NOCASE, Attribute",
         "Cannot open ReqAtSet recordset.\n", linkField},
        {"SELECT Attribute FROM OM_ATTR WHERE FK_EntityID = ? AND DataTypeDef = 'reference' "
         "ORDER BY Attribute COLLATE NOCASE, Attribute",
         "Cannot open ReqAtSet recordset.\n", linkField},
        {"SELECT Method FROM OM_METHOD WHERE FK_EntityID = ? ORDER BY Method COLLATE NOCASE, "
         "Method",
         "Cannot open ReqMeSet recordset.\n", methodLine},
    };
    return kTexts[int(query)];
}

} // namespace

const BrowserSpec &ModelBrowser::spec(BrowserKind kind)
{
    return kSpecs[int(kind)];
}

Result<QStringList> ModelBrowser::entities() const
{
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("SELECT Entity FROM OM_ENTITY ORDER BY Entity COLLATE NOCASE, "
                                   "Entity")))
        return Outcome::stop(kEntityOpen + query.lastError().text());
    QStringList names;
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

QList<QStringList> ModelBrowser::see(BrowserKind kind, const QString &entity,
                                     Outcome &problem) const
{
    QList<QStringList> lists;
    QSqlQuery query(m_database);
    if (!query.prepare(QStringLiteral(
            "SELECT Entity_ID FROM OM_ENTITY WHERE Entity = ? ORDER BY Entity_ID"))) {
        problem = Outcome::stop(kEntityOpen + query.lastError().text());
        return lists;
    }
    query.addBindValue(entity);
    if (!query.exec()) {
        problem = Outcome::stop(kEntityOpen + query.lastError().text());
        return lists;
    }
    const QVariant key = query.next() ? query.value(0) : QVariant();
    query.finish();
    for (const ResultListSpec &list : spec(kind).lists) {
        const QueryText &text = queryText(list.query);
        QStringList lines;
        if (!query.prepare(QString::fromLatin1(text.sql))) {
            problem =
                Outcome::stop(QString::fromLatin1(text.failureLine) + query.lastError().text());
            return lists;
        }
        query.addBindValue(key);
        if (!query.exec()) {
            problem =
                Outcome::stop(QString::fromLatin1(text.failureLine) + query.lastError().text());
            return lists;
        }
        while (query.next())
            lines.append(text.line(query));
        if (lines.isEmpty())
            lines.append(QString::fromLatin1(kNone));
        lists.append(lines);
    }
    return lists;
}

} // namespace varn::inspect
