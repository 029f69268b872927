#include "interchange/widgets/tracedialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "interchange/interchangetr.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varn::interchange {

namespace {

constexpr int kNumberRole = Qt::UserRole + 1;

QString places(const QList<CodeLocation> &locations)
{
    QStringList texts;
    for (const CodeLocation &location : locations)
        texts.append(QStringLiteral("%1:%2").arg(location.file).arg(location.line));
    return texts.join(QStringLiteral(", "));
}

QString sentenceText(const TracedRequirement &requirement)
{
    const QString number = QString::number(requirement.number);
    return requirement.deleted ? Tr::tr("%1  %2. (deleted)").arg(number, requirement.sentence)
                               : QStringLiteral("%1  %2.").arg(number, requirement.sentence);
}

} // namespace

TraceDialog::TraceDialog(app::Workbench &workbench, QWidget *parent)
    : QDialog(parent), m_trace(workbench.app().requirementsConnectionName(),
                               workbench.app().installPath(), workbench.app().systemName()),
      m_workbench(workbench), m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("traceDialog"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({Tr::tr("Produced"), Tr::tr("Generated code")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto *label = new QLabel(Tr::tr("&Trace:"), this);
    label->setBuddy(m_tree);
    m_tree->setAccessibleName(Tr::tr("Trace:"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(Tr::tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (const int number = item->data(0, kNumberRole).toInt(); number > 0)
            showRequirement(number);
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_tree, 1);
    layout->addWidget(buttons);
    resize(760, 420);
}

bool TraceDialog::showRequirement(qint32 number)
{
    const Result<TracedRequirement> traced = m_trace.ofRequirement(number);
    if (!traced) {
        m_workbench.showMessage(traced.outcome());
        return false;
    }
    setWindowTitle(Tr::tr("Trace of Requirement %1").arg(number));
    m_tree->clear();
    auto *top = new QTreeWidgetItem(m_tree, {sentenceText(traced.value())});
    top->setFirstColumnSpanned(true);
    if (traced->entities.isEmpty())
        new QTreeWidgetItem(top, {Tr::tr("No entity of the object model")});
    for (const TracedEntity &entity : traced->entities) {
        auto *node = new QTreeWidgetItem(
            top, {Tr::tr("Entity %1").arg(entity.name), places(entity.locations)});
        for (const TracedMember &attribute : entity.attributes)
            new QTreeWidgetItem(
                node, {Tr::tr("Attribute %1").arg(attribute.name), places(attribute.locations)});
        for (const TracedMember &method : entity.methods)
            new QTreeWidgetItem(node,
                                {Tr::tr("Method %1").arg(method.name), places(method.locations)});
    }
    m_tree->expandAll();
    m_tree->setCurrentItem(top);
    return true;
}

bool TraceDialog::showEntity(const QString &name)
{
    const Result<QList<TracedRequirement>> traced = m_trace.ofEntity(name);
    if (!traced) {
        m_workbench.showMessage(traced.outcome());
        return false;
    }
    setWindowTitle(Tr::tr("Requirements of %1").arg(name));
    m_tree->clear();
    for (const TracedRequirement &requirement : traced.value()) {
        auto *item = new QTreeWidgetItem(m_tree, {sentenceText(requirement)});
        item->setFirstColumnSpanned(true);
        item->setData(0, kNumberRole, requirement.number);
        item->setToolTip(0, Tr::tr("Double-click or press Enter to trace it"));
    }
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    return true;
}

} // namespace varn::interchange
