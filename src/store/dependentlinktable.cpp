#include "store/dependentlinktable.h"
#include "store/storetr.h"

#include "store/cdependset.h"
#include "store/counterset.h"
#include "store/rowstatement.h"
#include "store/savetransaction.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace varn::store {

namespace {

constexpr char kCannotOpen[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot open DependSet recordset.\n");

} // namespace

Result<QList<DependentLink>> DependentLinkTable::linksOf(qint32 parent) const
{
    return read(QStringLiteral("FK_ReqNum = ?"), {parent}, QStringLiteral("Dep_ReqNum"));
}

Result<QList<qint32>> DependentLinkTable::dependentsOf(qint32 parent) const
{
    const Result<QList<DependentLink>> links = linksOf(parent);
    if (!links)
        return links.outcome();
    QList<qint32> dependents;
    dependents.reserve(links->size());
    for (const DependentLink &link : links.value())
        dependents.append(link.dependent);
    return dependents;
}

Result<QList<DependentLink>> DependentLinkTable::allLinks() const
{
    return read({}, {}, QStringLiteral("FK_ReqNum, Dep_Num"));
}

Result<QList<DependentLink>> DependentLinkTable::linkEnds() const
{
    // Read through SQLite's own handle where it can: a walk over a large
    // workspace reads hundreds of thousands of links.
    RowStatement rows(QSqlDatabase::database(m_connection, false),
                      QStringLiteral("SELECT FK_ReqNum, Dep_ReqNum FROM DEPENDENT_REQ"),
                      RowStatement::Route::Direct);
    QList<DependentLink> links;
    if (rows.isPrepared() && rows.exec()) {
        // A link with an end left empty reads as 0, which no requirement has.
        while (rows.next())
            links.append({0, rows.intValue(0), rows.intValue(1)});
    }
    if (const QSqlError error = rows.lastError(); error.isValid()) {
        // The database's words, as the record sets report them.
        m_lastError = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        return Outcome::stop(Tr::tr(kCannotOpen) + m_lastError);
    }
    return links;
}

Result<QList<DependentLink>> DependentLinkTable::read(const QString &filter,
                                                      const QVariantList &values,
                                                      const QString &sort) const
{
    CDependSet set(m_connection);
    set.setFilter(filter, values);
    set.setSort(sort);
    QList<DependentLink> links;
    Outcome read = set.open(CDependSet::OpenType::Snapshot);
    if (read)
        read = set.forEachRow([&links](const DependRow &row) {
            links.append({row.Dep_Num, row.FK_ReqNum, row.Dep_ReqNum});
        });
    if (!read) {
        m_lastError = set.lastErrorText();
        return set.errorOutcome(Tr::tr(kCannotOpen));
    }
    return links;
}

Outcome DependentLinkTable::replaceDependents(qint32 parent, const QList<qint32> &dependents) const
{
    SaveTransaction transaction(m_connection);
    if (Outcome begun = transaction.begin(); !begun)
        return begun;
    auto failed = [this](const RecordSetCore &set, const QString &firstLine) {
        m_lastError = set.lastErrorText();
        return set.errorOutcome(firstLine);
    };
    CPkDepReq counter(m_connection);
    if (Outcome opened = counter.open(); !opened)
        return failed(counter, Tr::tr("Cannot open PkDepReq recordset.\n"));
    CDependSet links(m_connection);
    links.setFilter(QStringLiteral("FK_ReqNum = ?"), {parent});
    if (Outcome opened = links.open(); !opened)
        return failed(links, Tr::tr(kCannotOpen));
    if (Result<int> removed = links.deleteMatching(); !removed)
        return failed(links, Tr::tr("Error deleting records from DEPENDENT_REQ.\n"));

    const QString writeFailure = Tr::tr("Error writing to the DependSet-PkDepReq recordsets.\n");
    for (const qint32 dependent : dependents) {
        if (Result<qint32> key = counter.allocateKeyAndAdd(links); !key) {
            m_lastError = key.outcome().message();
            return Outcome::stop(writeFailure + key.outcome().message());
        }
        links.row().FK_ReqNum = parent;
        links.row().Dep_ReqNum = dependent;
        if (Outcome updated = links.update(); !updated)
            return failed(links, writeFailure);
    }
    return transaction.commit();
}

} // namespace varn::store
