// The functional composers in the desktop program, offscreen: opening a
// template dialog over 10,000 distinct entity names (every entity field
// offers them all), and appending a term in the Requirement Builder until
// the grammar's verdict and the preview are on screen.
#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "benchsupport.h"
#include "countingpresenter.h"
#include "support/appconnections.h"
#include "support/workspaceenvironment.h"
#include "templates/widgets/functionaltemplatedialog.h"
#include "templates/widgets/requirementbuilderdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using BenchSupport::median;

constexpr int kEntityNames = 10000;
constexpr int kOpenings = 21;
constexpr int kBuilds = 200;
constexpr int kTemplate = 13; // four entity fields

using varn::language::TermButton;
using varn::language::TermList;
using varn::language::TermVocabulary;

bool addEntityNames(QSqlDatabase database)
{
    QSqlQuery query(database);
    if (!database.transaction() ||
        !query.prepare(
            QStringLiteral("INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity) VALUES (?, ?)")))
        return false;
    for (int k = 1; k <= kEntityNames; ++k) {
        query.addBindValue(k);
        query.addBindValue(QStringLiteral("Entity Name %1").arg(k, 5, 10, QLatin1Char('0')));
        if (!query.exec())
            return false;
    }
    return database.commit();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on window hints are no figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtWarningMsg || !text.contains(QLatin1String("does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication application(argc, argv);
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
    if (!addEntityNames(requirementsDatabaseOf(app))) {
        std::fprintf(stderr, "cannot write the entity names\n");
        return 1;
    }

    std::vector<double> openings;
    int offered = 0;
    for (int run = 0; run < kOpenings; ++run) {
        QElapsedTimer timer;
        timer.start();
        varn::templates::FunctionalTemplateDialog dialog(workbench, kTemplate);
        dialog.show();
        QApplication::processEvents();
        openings.push_back(double(timer.nsecsElapsed()) / 1e6);
        offered = qobject_cast<QComboBox *>(dialog.fieldControl(4))->count();
    }

    varn::templates::RequirementBuilderDialog builder(workbench);
    builder.show();
    QApplication::processEvents();
    const int when = TermVocabulary::entryPosition(TermList::EventAction, u"when");
    const int action = TermVocabulary::entryPosition(TermList::EventAction, u"action");
    const std::function<void()> terms[] = {
        [&] { builder.appendButton(TermButton::Attribute); },
        [&] { builder.appendButton(TermButton::Entity); },
        [&] { builder.appendListEntry(TermList::EventAction, when); },
        [&] { builder.appendButton(TermButton::Entity); },
        [&] { builder.appendListEntry(TermList::EventAction, action); },
    };
    std::vector<double> appends;
    for (int run = 0; run < kBuilds; ++run) {
        builder.choosePreamble(0);
        QApplication::processEvents();
        for (const auto &term : terms) {
            QElapsedTimer timer;
            timer.start();
            term();
            QApplication::processEvents();
            appends.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    const bool built = builder.builder().gcode() == "daewec";

    std::printf("template dialog %d open over %d entity names (%d offered per field): "
                "median %.1f ms, slowest %.1f ms (%d runs)\n",
                kTemplate, kEntityNames, offered, median(openings),
                *std::max_element(openings.begin(), openings.end()), kOpenings);
    std::printf("builder append to verdict and preview: median %.3f ms, slowest %.3f ms "
                "(%zu appends, G-code %s, %d messages)\n",
                median(appends), *std::max_element(appends.begin(), appends.end()), appends.size(),
                built ? "daewec" : "wrong", presenter.messages);
    app.closeWorkspace();
    return built && offered == kEntityNames ? 0 : 1;
}
