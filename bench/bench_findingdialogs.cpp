// The findings under a composer's Preview, offscreen: from a typed change
// (a key pressed in the technical composer's text) to its findings on
// screen, the pause the panel waits for typing to stop included, and the
// check alone of the sentence typed.
#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "benchsupport.h"
#include "countingpresenter.h"
#include "quality/widgets/findingspanel.h"
#include "support/workspaceenvironment.h"
#include "templates/widgets/technicalcomposerdialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using BenchSupport::median;

constexpr int kChanges = 200;

void type(QWidget *target, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
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

    varn::templates::TechnicalComposerDialog dialog(workbench);
    dialog.resize(760, 640);
    dialog.show();
    varn::quality::FindingsPanel &panel = *dialog.findingsPanel();
    QPlainTextEdit *text = dialog.textBox();
    text->setPlainText(QStringLiteral("answer the queries of every operator of the wind sensor "
                                      "quickly if possible and log them"));
    text->moveCursor(QTextCursor::End);
    text->setFocus();
    panel.refreshNow();
    QApplication::processEvents();

    // Each change types a letter or takes it back; the findings change
    // with "s" after "them" ("thems" is no pronoun).
    std::vector<double> toScreen;
    std::vector<double> checks;
    int shownRows = 0;
    for (int run = 0; run < kChanges; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (run % 2 == 0)
            type(text, Qt::Key_S, QStringLiteral("s"));
        else
            type(text, Qt::Key_Backspace, QString());
        while (panel.refreshPending())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents(); // the list and the sentence painted
        toScreen.push_back(double(timer.nsecsElapsed()) / 1e6);

        QElapsedTimer check;
        check.start();
        panel.refreshNow();
        checks.push_back(double(check.nsecsElapsed()) / 1e6);
        shownRows += panel.findingList()->topLevelItemCount();
    }

    std::printf("technical composer, typed change to findings on screen: median %.1f ms, "
                "slowest %.1f ms (%d changes, %d ms pause after typing included)\n",
                median(toScreen), *std::max_element(toScreen.begin(), toScreen.end()), kChanges,
                varn::quality::FindingsPanel::kPauseMs);
    std::printf("findings of the sentence checked and shown: median %.3f ms, slowest %.3f ms "
                "(%d rows shown, %d messages)\n",
                median(checks), *std::max_element(checks.begin(), checks.end()), shownRows,
                presenter.messages);
    app.closeWorkspace();
    return shownRows > 0 && presenter.messages == 0 ? 0 : 1;
}
