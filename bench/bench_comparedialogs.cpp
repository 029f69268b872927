// The Compare window offscreen on a large workspace: 100,000 requirements
// (or the first argument's number) with 200,000 links, a baseline, then
// 1,000 requirements given a new version. Times the comparison (what Compare
// reads and compares), then what the open window takes from that finished
// comparison to its first screen of changes painted.
#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "benchsupport.h"
#include "change/baselines.h"
#include "change/comparison.h"
#include "change/widgets/comparedialog.h"
#include "countingpresenter.h"
#include "support/appconnections.h"
#include "support/workspaceenvironment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListView>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using BenchSupport::median;

constexpr int kChanged = 1000;
constexpr int kRuns = 9;

double since(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values = {})
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

// Technical requirements and links, each requirement touching about four
// links: the arrangement, not what is measured.
bool fill(QSqlDatabase database, int count)
{
    QSqlQuery master(database);
    QSqlQuery link(database);
    if (!database.transaction() ||
        !master.prepare(QStringLiteral(
            "INSERT INTO MASTER_REQ VALUES (?, 'Technical', 23, 'Software', 1, 1, 1, ?, "
            "'The Bench system shall', ?, ?, '3-7-2009', NULL)")) ||
        !link.prepare(QStringLiteral("INSERT INTO DEPENDENT_REQ VALUES (?, ?, ?)")))
        return false;
    for (int number = 1; number <= count; ++number) {
        master.addBindValue(number);
        master.addBindValue(QStringLiteral("%1.%2").arg(number % 40).arg(number % 7));
        master.addBindValue(QStringLiteral("weigh the cargo of flight %1 on the runway freight "
                                           "scale %2 within %3 seconds")
                                .arg((number * 7919) % 100003)
                                .arg(number % 977)
                                .arg(number % 60));
        master.addBindValue(number);
        if (!master.exec())
            return false;
    }
    for (int key = 1; key <= 2 * count; ++key) {
        const int dependent = (key - 1) % count + 1;
        int parent = int((qint64(key) * 48271 + (key - 1) / count) % count) + 1;
        if (parent == dependent)
            parent = parent % count + 1;
        link.addBindValue(key);
        link.addBindValue(parent);
        link.addBindValue(dependent);
        if (!link.exec())
            return false;
    }
    QSqlQuery counters(database);
    return run(counters, QStringLiteral("UPDATE PK_MASTR_REQ SET PMastrReq = ?"), {count}) &&
           run(counters, QStringLiteral("UPDATE PK_DEP_REQ SET PDepReq = ?"), {2 * count}) &&
           database.commit();
}

// A new version of kChanged requirements spread over the set, a word of
// each sentence changed.
bool changeSome(QSqlDatabase database, int count)
{
    QSqlQuery query(database);
    if (!database.transaction())
        return false;
    for (int i = 0; i < kChanged; ++i) {
        const int number = 1 + i * (count / kChanged);
        if (!run(query,
                 QStringLiteral("INSERT INTO MASTER_REQ SELECT ?, FSTType, Source, Category, "
                                "Priority, Release, 2, ParaNum, Preamble, replace(ReqText, ' "
                                "seconds', ' minutes'), OrigReqNum, DateSaved, Comments FROM "
                                "MASTER_REQ WHERE Req_Num = ?"),
                 {count + 1 + i, number}) ||
            !run(query,
                 QStringLiteral("UPDATE MASTER_REQ SET FSTType = 'Deleted' WHERE Req_Num = ?"),
                 {number}))
            return false;
    }
    return run(query, QStringLiteral("UPDATE PK_MASTR_REQ SET PMastrReq = ?"),
               {count + kChanged}) &&
           database.commit();
}

// Notes the first paint of the list of changes that shows its first row.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QListView *list) : m_list(list) {}
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_list->indexAt(QPoint(4, 4)).row() == 0)
            painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    QListView *m_list;
};

// Waits for the list's first paint after what the window was given, and
// checks that it shows the changes from the top.
bool firstScreen(varn::change::CompareDialog &dialog, int changed)
{
    QListView *list = dialog.changeList();
    if (changed == 0)
        return true;
    PaintWatch watch(list);
    list->viewport()->installEventFilter(&watch);
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 10000)
        QApplication::processEvents();
    list->viewport()->removeEventFilter(&watch);
    if (!watch.painted || dialog.report().changed != changed) {
        std::fprintf(stderr, "the window did not show the comparison\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtWarningMsg || !text.contains(QLatin1String("does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::max(QByteArray(argv[1]).toInt(), kChanged) : 100000;
    WorkspaceEnvironment environment;
    QDir(environment.installPath()).removeRecursively();
    CountingPresenter presenter;
    varn::app::CVarnApp app(
        [&presenter](const varn::Outcome &notice) { presenter.showMessage(nullptr, notice); });
    varn::app::Workbench workbench(app, presenter);
    if (varn::Outcome created = app.newWorkspace(QStringLiteral("Bench")); !created) {
        std::fprintf(stderr, "cannot create the workspace: %s\n", qPrintable(created.message()));
        return 1;
    }
    const QString connection = app.requirementsConnectionName();
    const varn::change::Baselines baselines(connection);
    if (!fill(requirementsDatabaseOf(app), count) ||
        !baselines.create(QStringLiteral("release"), {}) ||
        !changeSome(requirementsDatabaseOf(app), count)) {
        std::fprintf(stderr, "cannot arrange the workspace\n");
        return 1;
    }

    // A baseline of the live requirements: the window made on it compares
    // nothing, so that what it shows next is the comparison measured.
    if (!baselines.create(QStringLiteral("now"), {})) {
        std::fprintf(stderr, "cannot create the second baseline\n");
        return 1;
    }

    std::vector<double> comparisons;
    std::vector<double> opening;
    std::vector<double> comparing;
    int changed = 0;
    std::unique_ptr<varn::change::CompareDialog> open;
    for (int i = 0; i < kRuns; ++i) {
        // The comparison, as Compare... and the Compare button run it.
        QElapsedTimer timer;
        timer.start();
        const varn::Result<varn::change::ChangeReport> compared =
            baselines.compare(QStringLiteral("release"), {});
        if (!compared) {
            std::fprintf(stderr, "%s\n", qPrintable(compared.outcome().message()));
            return 1;
        }
        const varn::change::ChangeReport &report = compared.value();
        changed = report.changed;
        comparisons.push_back(since(timer));

        // A window opening on it: the finished comparison to its first screen.
        {
            varn::change::CompareDialog dialog(workbench, QStringLiteral("now"));
            timer.restart();
            dialog.showReport(report);
            dialog.show();
            if (!firstScreen(dialog, changed))
                return 1;
            opening.push_back(since(timer));
        }
        // The open window showing it anew.
        if (!open) {
            open = std::make_unique<varn::change::CompareDialog>(workbench, QStringLiteral("now"));
            open->show();
            QApplication::processEvents();
        }
        timer.restart();
        open->showReport(report);
        if (!firstScreen(*open, changed))
            return 1;
        comparing.push_back(since(timer));
    }
    open.reset();

    std::printf("Compare window on %d requirements, %d changed since the baseline (%d runs):\n"
                "  the comparison (read and compare)            median %7.1f ms\n"
                "  then a window opening on it, first screen    median %7.1f ms, slowest %.1f ms\n"
                "  then the open window, first screen           median %7.1f ms, slowest %.1f ms\n"
                "  (%d messages)\n",
                count, changed, kRuns, median(comparisons), median(opening),
                *std::max_element(opening.begin(), opening.end()), median(comparing),
                *std::max_element(comparing.begin(), comparing.end()), presenter.messages);
    app.closeWorkspace();
    return changed == kChanged && presenter.messages == 0 ? 0 : 1;
}
