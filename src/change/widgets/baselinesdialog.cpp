#include "change/widgets/baselinesdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "change/changetr.h"
#include "change/widgets/comparedialog.h"
#include "common/requirementlimits.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varn::change {

namespace {

QPushButton *button(const QString &label, const QString &accessible)
{
    auto *made = new QPushButton(label);
    made->setAccessibleName(accessible);
    made->setAutoDefault(false);
    return made;
}

} // namespace

BaselinesDialog::BaselinesDialog(app::Workbench &workbench, QWidget *parent)
    : QDialog(parent), m_workbench(workbench),
      m_baselines(workbench.app().requirementsConnectionName()), m_list(new QTableWidget(this)),
      m_name(new QLineEdit(this)), m_comment(new QLineEdit(this)),
      m_create(button(Tr::tr("C&reate"), Tr::tr("Create"))),
      m_delete(button(Tr::tr("&Delete"), Tr::tr("Delete"))),
      m_compare(button(Tr::tr("Co&mpare..."), Tr::tr("Compare..."))), m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("baselinesDialog"));
    setWindowTitle(Tr::tr("Baselines"));
    m_list->setColumnCount(6);
    m_list->setHorizontalHeaderLabels({Tr::tr("Name"), Tr::tr("Created"), Tr::tr("By"),
                                       Tr::tr("Requirements"), Tr::tr("Links"), Tr::tr("Comment")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setAccessibleName(Tr::tr("Baselines:"));
    auto *listLabel = new QLabel(Tr::tr("&Baselines:"), this);
    listLabel->setBuddy(m_list);

    m_name->setMaxLength(kLongestField);
    m_name->setAccessibleName(Tr::tr("Name:"));
    m_comment->setMaxLength(kLongestText);
    m_comment->setAccessibleName(Tr::tr("Comment:"));
    auto *form = new QFormLayout;
    form->addRow(Tr::tr("&Name:"), m_name);
    form->addRow(Tr::tr("C&omment:"), m_comment);
    auto *createRow = new QHBoxLayout;
    createRow->addLayout(form, 1);
    createRow->addWidget(m_create, 0, Qt::AlignBottom);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(Tr::tr("Close"));
    buttons->addButton(m_compare, QDialogButtonBox::ActionRole);
    buttons->addButton(m_delete, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_create, &QPushButton::clicked, this, &BaselinesDialog::create);
    connect(m_name, &QLineEdit::returnPressed, this, &BaselinesDialog::create);
    connect(m_name, &QLineEdit::textChanged, this, &BaselinesDialog::updateButtons);
    connect(m_delete, &QPushButton::clicked, this, &BaselinesDialog::remove);
    connect(m_compare, &QPushButton::clicked, this, &BaselinesDialog::compare);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &BaselinesDialog::updateButtons);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &BaselinesDialog::compare);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(m_list, 1);
    layout->addLayout(createRow);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    setMinimumSize(640, 360);
    resize(720, 380);
    reload();
}

QString BaselinesDialog::selectedName() const
{
    const QList<QTableWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return {};
    const QTableWidgetItem *name = m_list->item(selected.first()->row(), 0);
    return name ? name->text() : QString();
}

void BaselinesDialog::reload(const QString &select)
{
    const Result<QList<store::BaselineRow>> rows = m_baselines.list();
    if (!rows) {
        m_workbench.showMessage(rows.outcome());
        return;
    }
    m_list->setRowCount(int(rows->size()));
    int row = 0;
    int selectedRow = int(rows->size()) - 1;
    for (const store::BaselineRow &baseline : rows.value()) {
        // Made at a moment in UTC, shown in the user's time.
        const QDateTime made = QDateTime::fromString(baseline.createdAt, Qt::ISODate);
        const QStringList cells{
            baseline.name,
            made.isValid() ? made.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                           : baseline.createdAt,
            baseline.createdBy,
            QString::number(baseline.requirements),
            QString::number(baseline.links),
            baseline.comments};
        for (int column = 0; column < cells.size(); ++column)
            m_list->setItem(row, column, new QTableWidgetItem(cells.at(column)));
        if (baseline.name == select)
            selectedRow = row;
        ++row;
    }
    m_list->resizeColumnsToContents();
    m_list->horizontalHeader()->setStretchLastSection(true);
    if (selectedRow >= 0)
        m_list->selectRow(selectedRow);
    updateButtons();
}

void BaselinesDialog::create()
{
    const Result<store::BaselineRow> created =
        m_baselines.create(m_name->text(), m_comment->text());
    if (!created) {
        m_workbench.showMessage(created.outcome());
        m_name->setFocus();
        return;
    }
    m_status->setText(Baselines::createdStatus(created.value()));
    m_name->clear();
    m_comment->clear();
    reload(created->name);
}

void BaselinesDialog::remove()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (!m_workbench.presenter().askYesNo(this, windowTitle(), Baselines::deletionQuestion(name)))
        return;
    if (Outcome removed = m_baselines.remove(name); !removed) {
        m_workbench.showMessage(removed);
        reload();
        return;
    }
    m_status->setText(Baselines::deletedStatus(name));
    reload();
}

void BaselinesDialog::compare()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    CompareDialog dialog(m_workbench, name, this);
    m_workbench.presenter().runDialog(dialog);
}

void BaselinesDialog::updateButtons()
{
    const bool selected = !selectedName().isEmpty();
    m_delete->setEnabled(selected);
    m_compare->setEnabled(selected);
    m_create->setEnabled(!m_name->text().trimmed().isEmpty());
}

} // namespace varn::change
