#include "change/widgets/comparedialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "change/changereportwriter.h"
#include "change/changetr.h"
#include "change/widgets/changelistmodel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace varn::change {

namespace {

struct FilterChoice
{
    CompareDialog::Filter filter;
    const char *label;
};

constexpr FilterChoice kFilters[] = {
    {CompareDialog::Filter::All, QT_TRANSLATE_NOOP("varn::change", "All changes")},
    {CompareDialog::Filter::Added, QT_TRANSLATE_NOOP("varn::change", "Added")},
    {CompareDialog::Filter::Deleted, QT_TRANSLATE_NOOP("varn::change", "Deleted")},
    {CompareDialog::Filter::Changed, QT_TRANSLATE_NOOP("varn::change", "Changed")},
    {CompareDialog::Filter::Links, QT_TRANSLATE_NOOP("varn::change", "Links")},
};

bool shows(CompareDialog::Filter filter, RequirementChange::Kind kind)
{
    switch (filter) {
    case CompareDialog::Filter::All:
        return true;
    case CompareDialog::Filter::Added:
        return kind == RequirementChange::Kind::Added;
    case CompareDialog::Filter::Deleted:
        return kind == RequirementChange::Kind::Deleted;
    case CompareDialog::Filter::Changed:
        return kind == RequirementChange::Kind::Changed;
    case CompareDialog::Filter::Links:
        break;
    }
    return false;
}

QPushButton *button(const QString &label, const QString &accessible)
{
    auto *made = new QPushButton(label);
    made->setAccessibleName(accessible);
    made->setAutoDefault(false);
    return made;
}

} // namespace

CompareDialog::CompareDialog(app::Workbench &workbench, const QString &from, QWidget *parent)
    : QDialog(parent), m_workbench(workbench),
      m_baselines(workbench.app().requirementsConnectionName()), m_model(new ChangeListModel(this)),
      m_from(new QComboBox(this)), m_to(new QComboBox(this)), m_filter(new QComboBox(this)),
      m_compare(button(Tr::tr("&Compare"), Tr::tr("Compare"))), m_list(new QListView(this)),
      m_counts(new QLabel(this)), m_export(button(Tr::tr("&Export..."), Tr::tr("Export...")))
{
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(Tr::tr("Compare Requirements"));

    m_to->addItem(Tr::tr("Live requirements"), QString());
    if (const Result<QList<store::BaselineRow>> rows = m_baselines.list(); rows) {
        for (const store::BaselineRow &row : rows.value()) {
            m_from->addItem(row.name, row.name);
            m_to->addItem(row.name, row.name);
        }
    } else {
        m_workbench.showMessage(rows.outcome());
    }
    const int chosen = from.isEmpty() ? m_from->count() - 1 : m_from->findData(from);
    m_from->setCurrentIndex(chosen);
    for (const FilterChoice &choice : kFilters)
        m_filter->addItem(Tr::tr(choice.label), int(choice.filter));

    m_from->setAccessibleName(Tr::tr("From:"));
    m_to->setAccessibleName(Tr::tr("To:"));
    m_filter->setAccessibleName(Tr::tr("Show:"));
    m_list->setAccessibleName(Tr::tr("Changes:"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new ChangeRowDelegate(m_list));
    m_list->setUniformItemSizes(false);
    m_list->setWordWrap(true);
    m_list->setAlternatingRowColors(true);
    m_list->setResizeMode(QListView::Adjust);
    // Rows are laid out a screenful at a time, so the first one shows at
    // once on a long comparison.
    m_list->setLayoutMode(QListView::Batched);
    m_list->setBatchSize(50);

    auto *grid = new QGridLayout;
    const auto addRow = [&](int row, const QString &text, QWidget *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    addRow(0, Tr::tr("&From:"), m_from);
    addRow(1, Tr::tr("&To:"), m_to);
    addRow(2, Tr::tr("&Show:"), m_filter);
    grid->addWidget(m_compare, 0, 2);
    grid->setColumnStretch(1, 1);
    auto *listLabel = new QLabel(Tr::tr("C&hanges:"), this);
    listLabel->setBuddy(m_list);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(Tr::tr("Close"));
    buttons->addButton(m_export, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_compare, &QPushButton::clicked, this, &CompareDialog::compare);
    connect(m_export, &QPushButton::clicked, this, &CompareDialog::exportReport);
    connect(m_filter, &QComboBox::currentIndexChanged, this, &CompareDialog::applyFilter);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(listLabel);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_counts);
    layout->addWidget(buttons);
    setMinimumSize(720, 460);
    resize(820, 520);

    m_export->setEnabled(false);
    m_compare->setEnabled(m_from->count() > 0);
    if (m_from->count() == 0)
        m_counts->setText(Tr::tr("There is no baseline yet: create one under Baselines..."));
    else
        compare();
}

CompareDialog::~CompareDialog() = default;

bool CompareDialog::compare()
{
    const QString fromName = m_from->currentData().toString();
    const QString toName = m_to->currentData().toString();
    if (fromName.isEmpty())
        return false;
    // Only the changes are read and kept, never the two sets.
    Result<ChangeReport> changes = m_baselines.compare(fromName, toName);
    if (!changes) {
        m_workbench.showMessage(changes.outcome());
        return false;
    }
    showReport(std::move(changes.value()));
    return true;
}

void CompareDialog::showReport(ChangeReport report)
{
    m_report = std::make_shared<const ChangeReport>(std::move(report));
    m_compared = true;
    m_counts->setText(m_report->isEmpty() ? Tr::tr("No differences.")
                                          : ChangeReportWriter::counts(*m_report));
    m_export->setEnabled(true);
    applyFilter();
}

void CompareDialog::applyFilter()
{
    const auto filter = Filter(m_filter->currentData().toInt());
    QList<qsizetype> requirements;
    for (qsizetype i = 0; i < m_report->requirements.size(); ++i)
        if (shows(filter, m_report->requirements.at(i).kind))
            requirements.append(i);
    m_model->setChanges(m_report, std::move(requirements),
                        filter == Filter::All || filter == Filter::Links);
}

QStringList CompareDialog::shownRows() const
{
    while (m_model->canFetchMore({}))
        m_model->fetchMore({});
    QStringList rows;
    for (int row = 0; row < m_model->rowCount(); ++row)
        rows.append(m_model->index(row).data().toString());
    return rows;
}

void CompareDialog::exportReport()
{
    if (!m_compared)
        return;
    const QString proposed =
        QDir(m_workbench.app().installPath())
            .filePath(Tr::tr("%1 changes.html").arg(m_workbench.app().systemName()));
    const QString path = m_workbench.presenter().chooseFileToSave(
        this, proposed, Tr::tr("HTML change report (*.html)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray html =
        ChangeReportWriter::html(*m_report, m_workbench.app().systemName()).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size() || !file.commit()) {
        m_workbench.showMessage(
            Outcome::stop(Tr::tr("The change report could not be written to %1.\n%2")
                              .arg(path, file.errorString())));
        return;
    }
    m_counts->setText(Tr::tr("Change report written to %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace varn::change
