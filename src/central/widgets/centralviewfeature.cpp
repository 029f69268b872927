#include "central/widgets/centralviewfeature.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/workbench.h"
#include "central/centralcolumns.h"
#include "central/centraltr.h"
#include "central/displaysettings.h"
#include "central/widgets/cvarnview.h"
#include "central/widgets/parentdependentdialog.h"
#include "central/widgets/requirementattributesdialog.h"
#include "central/widgets/requirementprinting.h"

#include "app/widgets/messagepresenter.h"

#include <QApplication>
#include <QStyle>

#include <iterator>

namespace varn::central {

namespace {

using app::ActionSpec;
using app::CommandId;
using app::MenuGroup;
using app::Workbench;

struct RowCommandOf
{
    CVarnView::RowCommand row;
    CommandId command;
};

constexpr RowCommandOf kRowCommands[] = {
    {CVarnView::RowCommand::Edit, kEditRequirement},
    {CVarnView::RowCommand::Delete, kDeleteRequirement},
    {CVarnView::RowCommand::Reuse, kReuseRequirement},
    {CVarnView::RowCommand::Trace, kTraceRequirement},
};

struct RecordItem
{
    CommandId id;
    RecordMove move;
    const char *text;
    const char *tip;
    QStyle::StandardPixmap icon;
};

constexpr RecordItem kRecordItems[] = {
    {kFirstRecord, RecordMove::First, QT_TRANSLATE_NOOP("varn::central", "&First Record"),
     QT_TRANSLATE_NOOP("varn::central", "Select the first row"), QStyle::SP_MediaSkipBackward},
    {kPreviousRecord, RecordMove::Previous, QT_TRANSLATE_NOOP("varn::central", "&Previous Record"),
     QT_TRANSLATE_NOOP("varn::central", "Select the previous row"), QStyle::SP_MediaSeekBackward},
    {kNextRecord, RecordMove::Next, QT_TRANSLATE_NOOP("varn::central", "&Next Record"),
     QT_TRANSLATE_NOOP("varn::central", "Select the next row"), QStyle::SP_MediaSeekForward},
    {kLastRecord, RecordMove::Last, QT_TRANSLATE_NOOP("varn::central", "&Last Record"),
     QT_TRANSLATE_NOOP("varn::central", "Select the last requirement"),
     QStyle::SP_MediaSkipForward},
};

CVarnView *openView(const Workbench &workbench)
{
    return qobject_cast<CVarnView *>(workbench.view(kCentralWindow));
}

QString listedText(int count)
{
    return count == 1 ? Tr::tr("1 requirement") : Tr::tr("%1 requirements").arg(count);
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
        workbench.setSelectedRequirement(selected);
        workbench.setStatusPane(3, selected ? Tr::tr("No. %1").arg(selected) : QString());
    });
    QObject::connect(view, &QObject::destroyed, &workbench,
                     [&workbench] { workbench.setSelectedRequirement(0); });
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
    // What other features add to the list.
    for (const app::RequirementColumnSpec &column : registry.requirementColumns()) {
        if (column.create)
            view->addColumn(column.create(workbench, view));
    }
    for (const app::RequirementQuerySpec &query : registry.requirementQueries()) {
        view->addQuery(query.label(), query.toolTip ? query.toolTip() : QString(),
                       [&workbench, numbers = query.numbers] { return numbers(workbench); });
    }
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

app::WindowSpec centralWindow(const app::FeatureRegistry &registry)
{
    app::WindowSpec window;
    window.kind = kCentralWindow;
    window.name = varn::central::Tr::tr("Requirements Central");
    window.title = varn::central::Tr::tr("Requirements Central - System Name: %1");
    window.firstPosition = {0, 0};
    window.firstClientSize = {644, 438};
    window.smallestClientSize = {644, 400};
    window.goToItem = varn::central::Tr::tr("&Requirements Central...");
    window.goToOrder = 10;
    window.home = true;
    window.create = [&registry](Workbench &workbench) { return createView(workbench, registry); };
    return window;
}

// The items that act on the list: enabled while it is open.
ActionSpec listItem(CommandId id, const QString &text, MenuGroup group, int order)
{
    ActionSpec item;
    item.id = id;
    item.text = text;
    item.places = {{group, order}};
    item.availability = app::Availability::withWindow(kCentralWindow);
    return item;
}

void registerEditItems(app::FeatureRegistry &registry)
{
    ActionSpec attributes =
        listItem(kRequirementAttributes, Tr::tr("Requirement &Attributes..."), MenuGroup::Edit, 10);
    attributes.run = [](Workbench &workbench) {
        runOnSelection<RequirementAttributesDialog>(workbench);
    };
    registry.addAction(attributes);
    ActionSpec relationships = listItem(
        kParentDependent, Tr::tr("&Parent-Dependent Relationships..."), MenuGroup::Edit, 20);
    relationships.run = [](Workbench &workbench) {
        runOnSelection<ParentDependentDialog>(workbench);
    };
    registry.addAction(relationships);
}

void registerRecordItems(app::FeatureRegistry &registry)
{
    for (int at = 0; at < int(std::size(kRecordItems)); ++at) {
        const RecordItem &record = kRecordItems[at];
        ActionSpec item =
            listItem(record.id, Tr::tr(record.text), MenuGroup::Record, 10 * (at + 1));
        item.statusTip = Tr::tr(record.tip);
        item.icon = QApplication::style()->standardIcon(record.icon);
        item.toolBarPlaces = {{app::ToolBarId::Main, 10 + at}};
        item.run = [move = record.move](Workbench &workbench) {
            if (CVarnView *view = openView(workbench))
                view->moveRecord(move);
        };
        registry.addAction(item);
    }
}

void registerDisplayItems(app::FeatureRegistry &registry)
{
    int position = 0;
    for (const ColumnInfo &column : CentralColumns::all()) {
        if (!column.displayItem)
            continue;
        ActionSpec item = listItem(displayColumnItem(position), Tr::tr(column.displayItem),
                                   MenuGroup::Display, position);
        item.statusTip = Tr::tr("Show or hide the column");
        item.run = [position](Workbench &workbench) {
            if (CVarnView *view = openView(workbench))
                view->toggleColumn(position);
        };
        item.checked = [position](const Workbench &workbench) {
            const CVarnView *view = openView(workbench);
            return view && view->central().columnFlags()[position];
        };
        registry.addAction(item);
        ++position;
    }
}

void registerColourItems(app::FeatureRegistry &registry)
{
    int choice = 0;
    for (const BackgroundColour &colour : DisplaySettings::colours()) {
        ActionSpec item = listItem(backgroundColourItem(choice), Tr::tr(colour.menuItem),
                                   MenuGroup::ViewColours, choice);
        item.run = [choice](Workbench &workbench) {
            if (CVarnView *view = openView(workbench))
                view->chooseColour(choice);
        };
        // A stored colour that is none of the three leaves every item
        // unchecked.
        item.checked = [choice](const Workbench &workbench) {
            const CVarnView *view = openView(workbench);
            return view && choice == view->central().backgroundColour();
        };
        registry.addAction(item);
        ++choice;
    }
}

} // namespace

void registerCentralView(app::FeatureRegistry &registry)
{
    registry.addWindow(centralWindow(registry));

    ActionSpec print;
    print.id = kPrint;
    print.text = Tr::tr("&Print...");
    print.statusTip = Tr::tr("Print the requirements");
    print.places = {{MenuGroup::FilePrint, 10}};
    print.run = [](Workbench &workbench) { printListedRequirements(workbench); };
    registry.addAction(print);

    registerEditItems(registry);
    registerColourItems(registry);
    registerRecordItems(registry);
    registerDisplayItems(registry);

    ActionSpec back;
    back.id = kBackToCentral;
    back.text = Tr::tr("Back To Requirements Central");
    back.statusTip = Tr::tr("Go back to Requirements Central");
    back.icon = QApplication::style()->standardIcon(QStyle::SP_ArrowBack);
    back.toolBarPlaces = {{app::ToolBarId::Navigation, 0}};
    back.run = [](Workbench &workbench) { workbench.goTo(kCentralWindow); };
    registry.addAction(back);
}

} // namespace varn::central
