#include "change/widgets/impactdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "change/changetr.h"
#include "change/impactreportwriter.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <limits>

namespace varn::change {

// The requirements reached, both ways, a row each. A large workspace's walk
// may reach thousands: each sentence is read when its row is first shown.
class ReachedListModel : public QAbstractTableModel
{
public:
    enum Column { Number, Direction, Chain, Sentence, ColumnCount };

    ReachedListModel(Impact &impact, QObject *parent)
        : QAbstractTableModel(parent), m_impact(impact)
    {}

    void setReport(const ImpactReport &report)
    {
        beginResetModel();
        m_dependents = report.dependents;
        m_parents = report.parents;
        m_sentences.clear();
        endResetModel();
    }
    int numberAt(int row) const
    {
        if (row < 0 || row >= rowCount())
            return 0;
        const auto [reach, position] = at(row);
        return reach.requirements.at(position).number;
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_dependents.size() + m_parents.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        switch (section) {
        case Number:
            return Tr::tr("No.");
        case Direction:
            return Tr::tr("Link");
        case Chain:
            return Tr::tr("Chain");
        case Sentence:
            return Tr::tr("Requirement");
        default:
            return {};
        }
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        const auto [reach, position] = at(index.row());
        const int number = reach.requirements.at(position).number;
        switch (index.column()) {
        case Number:
            return number;
        case Direction:
            return reach.direction == ImpactDirection::Dependents ? Tr::tr("depends on it")
                                                                  : Tr::tr("it depends on");
        case Chain:
            return ImpactReportWriter::chain(reach, position);
        case Sentence:
            return sentence(number);
        default:
            return {};
        }
    }

private:
    // The walk a row shows and the row's position in it: the requirements
    // that depend on it first.
    std::pair<const Reach &, qsizetype> at(int row) const
    {
        if (row < m_dependents.size())
            return {m_dependents, row};
        return {m_parents, row - m_dependents.size()};
    }

    QString sentence(int number) const
    {
        auto known = m_sentences.constFind(number);
        if (known == m_sentences.cend()) {
            QString text;
            if (const auto state = m_impact.sentenceOf(number); state && state.value())
                text = state.value()->deleted ? Tr::tr("%1 (deleted)").arg(state.value()->sentence)
                                              : state.value()->sentence;
            known = m_sentences.insert(number, text);
        }
        return *known;
    }

    Impact &m_impact;
    Reach m_dependents;
    Reach m_parents;
    mutable QHash<int, QString> m_sentences;
};

namespace {

QString places(const QList<interchange::CodeLocation> &locations)
{
    QStringList texts;
    for (const interchange::CodeLocation &location : locations)
        texts.append(QStringLiteral("%1:%2").arg(location.file).arg(location.line));
    return texts.join(QStringLiteral(", "));
}

QTreeWidget *treeOf(const QStringList &headers, QWidget *parent)
{
    auto *tree = new QTreeWidget(parent);
    tree->setColumnCount(int(headers.size()));
    tree->setHeaderLabels(headers);
    tree->setHeaderHidden(headers.size() == 1);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return tree;
}

// A labelled part of the window: its label (with an Alt letter that moves
// to the view) above the view, whose accessible name is the label's text.
QWidget *section(QLabel *label, QWidget *view, const QString &accessibleName)
{
    label->setBuddy(view);
    view->setAccessibleName(accessibleName);
    auto *holder = new QWidget;
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(view, 1);
    return holder;
}

} // namespace

ImpactDialog::ImpactDialog(app::Workbench &workbench, QWidget *parent)
    : QDialog(parent), m_workbench(workbench),
      m_impact(workbench.app().requirementsConnectionName(), workbench.app().installPath(),
               workbench.app().systemName()),
      m_rows(new ReachedListModel(m_impact, this)), m_number(new QLineEdit(this)),
      m_show(new QPushButton(Tr::tr("&Show"), this)), m_heading(new QLabel(this)),
      m_reachedLabel(new QLabel(Tr::tr("&Requirements reached through links:"), this)),
      m_reached(new QTreeView(this)),
      m_model(treeOf({Tr::tr("Produced"), Tr::tr("Generated code")}, this)),
      m_delta(treeOf({Tr::tr("Change")}, this))
{
    setObjectName(QStringLiteral("impactDialog"));
    setWindowTitle(Tr::tr("Impact of a Change"));

    m_number->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), m_number));
    m_number->setMaximumWidth(120);
    m_number->setAccessibleName(Tr::tr("Requirement:"));
    m_show->setAccessibleName(Tr::tr("Show"));
    m_heading->setWordWrap(true);
    m_heading->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_reached->setModel(m_rows);
    m_reached->setRootIsDecorated(false);
    m_reached->setUniformRowHeights(true);
    m_reached->setAlternatingRowColors(true);
    m_reached->setToolTip(Tr::tr("Press Enter or double-click to see the impact of that one"));
    m_reached->header()->setSectionResizeMode(ReachedListModel::Number,
                                              QHeaderView::ResizeToContents);
    m_reached->header()->setSectionResizeMode(ReachedListModel::Direction,
                                              QHeaderView::ResizeToContents);
    m_reached->header()->setStretchLastSection(true);
    m_reached->setColumnWidth(ReachedListModel::Chain, 160);

    auto *numberLabel = new QLabel(Tr::tr("Re&quirement:"), this);
    numberLabel->setBuddy(m_number);
    auto *top = new QHBoxLayout;
    top->addWidget(numberLabel);
    top->addWidget(m_number);
    top->addWidget(m_show);
    top->addStretch(1);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(
        section(m_reachedLabel, m_reached, Tr::tr("Requirements reached through links:")));
    splitter->addWidget(section(new QLabel(Tr::tr("&Object model and generated code:"), this),
                                m_model, Tr::tr("Object model and generated code:")));
    splitter->addWidget(section(new QLabel(Tr::tr("&Version change in the object model:"), this),
                                m_delta, Tr::tr("Version change in the object model:")));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setStretchFactor(2, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(Tr::tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Show is the default button: Enter in the number box shows that
    // requirement. Enter on a reached requirement has already shown it.
    m_show->setDefault(true);
    connect(m_show, &QPushButton::clicked, this, [this] {
        const int number = m_number->text().toInt();
        if (number > 0 && !(m_reached->hasFocus() && number == m_report.asked))
            showRequirement(number);
    });
    connect(m_reached, &QTreeView::activated, this, [this](const QModelIndex &index) {
        if (const int number = m_rows->numberAt(index.row()); number > 0)
            showRequirement(number);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_heading);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    setMinimumSize(640, 480);
    resize(860, 640);
}

ImpactDialog::~ImpactDialog() = default;

bool ImpactDialog::showRequirement(int number)
{
    Result<ImpactReport> found = m_impact.of(number);
    if (!found) {
        m_workbench.showMessage(found.outcome());
        return false;
    }
    m_report = std::move(found.value());
    setWindowTitle(Tr::tr("Impact of Requirement %1").arg(m_report.number));
    m_number->setText(QString::number(number));
    m_heading->setText(ImpactReportWriter::heading(m_report) + QLatin1Char('\n') +
                       m_report.sentence + QLatin1Char('\n') +
                       Tr::tr("%1 requirement(s) depend on it; it depends on %2.")
                           .arg(m_report.dependents.size())
                           .arg(m_report.parents.size()));
    m_rows->setReport(m_report);
    if (m_rows->rowCount() > 0)
        m_reached->setCurrentIndex(m_rows->index(0, 0));
    fillModel();
    fillDelta();
    return true;
}

void ImpactDialog::fillModel()
{
    m_model->clear();
    if (m_report.produced.isEmpty())
        new QTreeWidgetItem(m_model, {Tr::tr("No entity of the object model")});
    for (const interchange::TracedEntity &entity : m_report.produced) {
        auto *node = new QTreeWidgetItem(
            m_model, {Tr::tr("Entity %1").arg(entity.name), places(entity.locations)});
        for (const interchange::TracedMember &attribute : entity.attributes)
            new QTreeWidgetItem(
                node, {Tr::tr("Attribute %1").arg(attribute.name), places(attribute.locations)});
        for (const interchange::TracedMember &method : entity.methods)
            new QTreeWidgetItem(node,
                                {Tr::tr("Method %1").arg(method.name), places(method.locations)});
    }
    if (!m_report.codeGenerated())
        new QTreeWidgetItem(m_model, {ImpactReportWriter::noCode()});
    m_model->expandAll();
    m_model->setCurrentItem(m_model->topLevelItem(0));
}

void ImpactDialog::fillDelta()
{
    m_delta->clear();
    if (!m_report.delta) {
        new QTreeWidgetItem(m_delta, {ImpactReportWriter::onlyVersion()});
        m_delta->setCurrentItem(m_delta->topLevelItem(0));
        return;
    }
    const VersionDelta &delta = *m_report.delta;
    auto *top = new QTreeWidgetItem(m_delta, {ImpactReportWriter::deltaHeading(delta)});
    if (!delta.failure.isEmpty())
        new QTreeWidgetItem(top, {delta.failure});
    for (const ModelElement &element : delta.model.added) {
        auto *item =
            new QTreeWidgetItem(top, {Tr::tr("Added: %1").arg(ModelElements::describe(element))});
        item->setForeground(0, QColor(0x1a, 0x7f, 0x37));
    }
    for (const ModelElement &element : delta.model.removed) {
        auto *item =
            new QTreeWidgetItem(top, {Tr::tr("Removed: %1").arg(ModelElements::describe(element))});
        item->setForeground(0, QColor(0xb3, 0x1d, 0x28));
    }
    if (delta.failure.isEmpty() && delta.model.added.isEmpty() && delta.model.removed.isEmpty())
        new QTreeWidgetItem(top, {ImpactReportWriter::noModelChange()});
    m_delta->expandAll();
    m_delta->setCurrentItem(top);
}

QStringList ImpactDialog::shownReached() const
{
    QStringList rows;
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < m_rows->columnCount(); ++column)
            cells.append(m_rows->index(row, column).data().toString());
        rows.append(cells.join(QStringLiteral(" | ")));
    }
    return rows;
}

} // namespace varn::change
