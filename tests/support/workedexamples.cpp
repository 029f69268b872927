#include "workedexamples.h"

#include "store/sqlconnection.h"
#include "templates/functionalcommit.h"
#include "templates/storedrequirementloader.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace varn;

bool WorkedExamples::openApplicationDatabase(const QString &connectionName)
{
    const Result<QSqlDatabase> opened = store::SqlConnection::open(
        connectionName, QStringLiteral(VARN_APPDB_PATH), store::SqlConnection::Access::ReadOnly);
    if (opened)
        return true;
    QTest::qFail(qPrintable(opened.outcome().message()), __FILE__, __LINE__);
    return false;
}

int WorkedExamples::saveAll(const QString &applicationConnection, store::RecordObjects &records,
                            const QString &system)
{
    QSqlQuery numbers(QSqlDatabase::database(applicationConnection));
    if (!numbers.exec(QStringLiteral("SELECT F_ReqNum FROM FUNC_REQ ORDER BY F_ReqNum"))) {
        qWarning("cannot list the worked examples");
        return -1;
    }
    templates::FunctionalCommit commit(records, system);
    int saved = 0;
    while (numbers.next()) {
        const int number = numbers.value(0).toInt();
        Result<templates::FunctionalDraft> draft =
            templates::StoredRequirementLoader::functional(applicationConnection, number, false);
        if (!draft) {
            qWarning("example %d does not load: %s", number, qPrintable(draft.outcome().message()));
            return -1;
        }
        draft->loadedNumber = -1; // a new requirement of the workspace
        const templates::CommitResult result = commit.save(draft.value());
        if (!result.outcome) {
            qWarning("example %d does not save: %s", number, qPrintable(result.outcome.message()));
            return -1;
        }
        ++saved;
    }
    return saved;
}
