#include "app/widgets/mainmenus.h"

#include "app/widgets/mainactions.h"

#include <QAction>
#include <QMenu>

namespace varn::app {

// A null entry in a menu's list stands for a separator.
QMenu *MainMenus::menu(const QString &title, const QList<QAction *> &actions)
{
    auto *made = new QMenu(title, m_owner);
    // A disabled item's tip says why it is disabled.
    made->setToolTipsVisible(true);
    for (QAction *action : actions) {
        if (action)
            made->addAction(action);
        else
            made->addSeparator();
    }
    return made;
}

QMenu *MainMenus::otherViewMenu(WindowKind kind)
{
    QList<QAction *> items{m_actions.statusBar, nullptr};
    for (const WindowKindInfo &info : WindowKinds::all()) {
        if (info.goToItem && info.kind != kind)
            items.append(m_actions.goTo[int(info.kind)]);
    }
    return menu(QStringLiteral("&View"), items);
}

MainMenus::MainMenus(const MainActions &actions, QWidget *owner)
    : m_actions(actions), m_owner(owner)
{
    const MainActions &a = actions;
    const QList<QAction *> recent =
        QList<QAction *>{nullptr} + a.recentFiles + QList<QAction *>{nullptr};
    QMenu *help = menu(QStringLiteral("&Help"), {a.about, a.helpTopics});
    QMenu *window = menu(QStringLiteral("&Window"), {a.cascade, a.tile, nullptr});
    m_window = window;

    m_start = {
        menu(QStringLiteral("&File"), QList<QAction *>{a.newWorkspace, a.newTeamWorkspace, a.open} +
                                          recent + QList<QAction *>{a.exit}),
        menu(QStringLiteral("&View"), {a.statusBar}), help};

    m_central = {
        menu(QStringLiteral("&File"),
             QList<QAction *>{a.save, a.saveAs, a.close, nullptr, a.print, nullptr,
                              a.exportRequirements, a.importRequirements} +
                 recent + QList<QAction *>{a.exit}),
        menu(QStringLiteral("&Edit"), {a.requirementAttributes, a.parentDependent}),
        menu(QStringLiteral("&View"),
             QList<QAction *>{a.toolbar, a.statusBar, nullptr} + a.colours),
        menu(QStringLiteral("&Record"),
             {a.firstRecord, a.previousRecord, a.nextRecord, a.lastRecord}),
        menu(QStringLiteral("&Display"), a.display),
        menu(QStringLiteral("&Compose"),
             {a.composeFunctional, a.composeStructural, a.composeTechnical}),
        menu(QStringLiteral("&Templates"), QList<QAction *>{a.builder, nullptr} +
                                               a.templates.mid(0, 18) + QList<QAction *>{nullptr} +
                                               a.templates.mid(18)),
        menu(QStringLiteral("&Inspect"),
             {a.javaObjectModel, a.cppObjectModel, a.dataModel, nullptr, a.objectModelEntities,
              a.objectModelAttributes, a.objectModelMethods}),
        menu(QStringLiteral("&Generate"), {a.generateObjectModel, a.generateDataModelSql}),
        menu(QStringLiteral("&Utilities"), {a.regenerate}),
        window,
        help,
    };

    QMenu *otherFile =
        menu(QStringLiteral("&File"), QList<QAction *>{a.newWorkspace, a.newTeamWorkspace, a.open,
                                                       a.close, a.save, a.saveAs} +
                                          recent + QList<QAction *>{a.exit});
    for (const WindowKindInfo &info : WindowKinds::all()) {
        if (info.kind == WindowKind::RequirementsCentral)
            continue;
        // The generated-file viewer has the menus of the main window.
        m_others[int(info.kind)] =
            info.kind == WindowKind::GeneratedFile
                ? m_start
                : QList<QMenu *>{otherFile, otherViewMenu(info.kind), window, help};
    }
}

QList<QMenu *> MainMenus::forKind(std::optional<WindowKind> kind) const
{
    if (!kind)
        return m_start;
    if (*kind == WindowKind::RequirementsCentral)
        return m_central;
    return m_others[int(*kind)];
}

} // namespace varn::app
