#include "central/widgets/centralviewfeature.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/workbench.h"
#include "central/centralcolumns.h"
#include "central/displaysettings.h"
#include "central/widgets/cvarnview.h"
#include "central/widgets/parentdependentdialog.h"
#include "central/widgets/requirementattributesdialog.h"
#include "central/widgets/requirementprinting.h"

#include "app/widgets/messagepresenter.h"

namespace varn::central {

namespace {

using app::Command;
using app::Workbench;

struct RowCommandOf
{
    CVarnView::RowCommand row;
    Command command;
};

constexpr RowCommandOf kRowCommands[] = {
    {CVarnView::RowCommand::Edit, Command::EditRequirement},
    {CVarnView::RowCommand::Delete, Command::DeleteRequirement},
    {CVarnView::RowCommand::Reuse, Command::ReuseRequirement},
    {CVarnView::RowCommand::Trace, Command::TraceRequirement},
};

constexpr std::pair<Command, RecordMove> kMoves[] = {
    {Command::FirstRecord, RecordMove::First},
    {Command::PreviousRecord, RecordMove::Previous},
    {Command::NextRecord, RecordMove::Next},
    {Command::LastRecord, RecordMove::Last},
};

CVarnView *openView(const Workbench &workbench)
{
    return qobject_cast<CVarnView *>(workbench.view(app::WindowKind::RequirementsCentral));
}

QString listedText(int count)
{
    return count == 1 ? QStringLiteral("1 requirement")
                      : QStringLiteral("%1 requirements").arg(count);
}

QWidget *createView(Workbench &workbench, const app::FeatureRegistry &registry)
{
    auto *view = new CVarnView(workbench.app().requirementsConnectionName());
    QObject::connect(view, &CVarnView::message, &workbench,
                     [&workbench](const Outcome &outcome) { workbench.showMessage(outcome); });
    QObject::connect(view, &CVarnView::settingsChanged, &workbench,
                     &Workbench::announceChecksChanged);
    QObject::connect(view, &CVarnView::backgroundColourChanged, &workbench,
                     &Workbench::setBackgroundColour);
    QObject::connect(view, &CVarnView::listChanged, &workbench, [&workbench](int count) {
        workbench.setStatusPane(2, listedText(count));
        workbench.setStatusPane(3, QString());
    });
    QObject::connect(view, &CVarnView::selectedRowChanged, &workbench, [&workbench, view](int row) {
        const qint32 selected = view->central().model().numberAt(row);
        workbench.setStatusPane(3, selected ? QStringLiteral("No. %1").arg(selected) : QString());
    });
    QObject::connect(view, &CVarnView::rowCommandRequested, &workbench,
                     [&workbench, &registry](CVarnView::RowCommand row, int number) {
                         for (const RowCommandOf &entry : kRowCommands) {
                             if (entry.row == row)
                                 registry.run(entry.command, workbench, number);
                         }
                     });
    QObject::connect(&workbench, &Workbench::requirementsStored, view, &CVarnView::runAgain);
    for (const RowCommandOf &entry : kRowCommands)
        view->setRowCommandAvailable(entry.row, registry.hasCommand(entry.command));
    view->openOnWorkspace();
    workbench.setBackgroundColour(view->paintedColour());
    return view;
}

// The requirement selected in Requirements Central; 0 when none is.
int selectedNumber(const Workbench &workbench)
{
    const CVarnView *view = openView(workbench);
    return view ? view->central().model().numberAt(view->selectedRow()) : 0;
}

template <typename Dialog> void runOnSelection(Workbench &workbench)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    Dialog dialog(workbench, selectedNumber(workbench), workbench.dialogParent());
    workbench.presenter().runDialog(dialog);
}

QStringList displayItems()
{
    QStringList items;
    for (const ColumnInfo &column : CentralColumns::all()) {
        if (column.displayItem)
            items.append(QString::fromLatin1(column.displayItem));
    }
    return items;
}

QStringList colourItems()
{
    QStringList items;
    for (const BackgroundColour &colour : DisplaySettings::colours())
        items.append(QString::fromLatin1(colour.menuItem));
    return items;
}

} // namespace

void registerCentralView(app::FeatureRegistry &registry)
{
    registry.provideView(app::WindowKind::RequirementsCentral, [&registry](Workbench &workbench) {
        return createView(workbench, registry);
    });
    registry.provideCommand(Command::Print,
                            [](Workbench &workbench, int) { printListedRequirements(workbench); });
    registry.provideCommand(Command::ParentDependent, [](Workbench &workbench, int) {
        runOnSelection<ParentDependentDialog>(workbench);
    });
    registry.provideCommand(Command::RequirementAttributes, [](Workbench &workbench, int) {
        runOnSelection<RequirementAttributesDialog>(workbench);
    });
    for (const auto &[command, move] : kMoves) {
        registry.provideCommand(command, [move = move](Workbench &workbench, int) {
            if (CVarnView *view = openView(workbench))
                view->moveRecord(move);
        });
    }
    registry.provideMenuTexts(app::MenuList::DisplayColumns, displayItems());
    registry.provideCommand(Command::DisplayColumn, [](Workbench &workbench, int position) {
        if (CVarnView *view = openView(workbench))
            view->toggleColumn(position);
    });
    registry.provideCheck(Command::DisplayColumn, [](const Workbench &workbench, int position) {
        const CVarnView *view = openView(workbench);
        return view && view->central().columnFlags()[position];
    });
    registry.provideMenuTexts(app::MenuList::BackgroundColours, colourItems());
    registry.provideCommand(Command::BackgroundColour, [](Workbench &workbench, int choice) {
        if (CVarnView *view = openView(workbench))
            view->chooseColour(choice);
    });
    // A stored colour that is none of the three leaves every item unchecked.
    registry.provideCheck(Command::BackgroundColour, [](const Workbench &workbench, int choice) {
        const CVarnView *view = openView(workbench);
        return view && choice == view->central().backgroundColour();
    });
}

} // namespace varn::central
