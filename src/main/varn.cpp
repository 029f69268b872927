// varn: the desktop program.
#include "app/cvarnapp.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

namespace {

void showMessage(const varn::Outcome &outcome)
{
    if (!outcome.hasMessage())
        return;
    const auto icon =
        outcome.kind() == varn::MessageKind::Stop ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, QStringLiteral("Varn SE"), outcome.message(), QMessageBox::Ok);
    box.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varn Systems"));
    QApplication::setApplicationName(QStringLiteral("Varn SE"));

    varn::app::CVarnApp workspace(showMessage);
    const QStringList arguments = app.arguments().mid(1);
    if (!arguments.isEmpty()) {
        const varn::Outcome opened = workspace.openWorkspace(arguments.first());
        if (!opened) {
            showMessage(opened);
            return 1;
        }
    }

    QMainWindow window;
    window.setWindowTitle(workspace.isWorkspaceOpen()
                              ? workspace.systemName() + QStringLiteral(" - Varn SE")
                              : QStringLiteral("Varn SE"));
    window.showMaximized();
    return app.exec();
}
