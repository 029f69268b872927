#include "central/widgets/parentdependentdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "central/centraltr.h"
#include "central/dependentlinks.h"
#include "central/requirementpicklist.h"
#include "central/widgets/requirementpicktable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace varn::central {

namespace {

constexpr char kNoParent[] =
    QT_TRANSLATE_NOOP("varn::central", "No requirement is currently selected.");

QPlainTextEdit *sentenceBox(const QString &name, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setAccessibleName(name);
    box->setMaximumHeight(box->fontMetrics().lineSpacing() * 3 + 12);
    return box;
}

QLabel *labelFor(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(control);
    control->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

// The changed sentence with its removed words struck out in red and its
// added words in green.
QString changeHtml(const change::SuspectEntry &entry)
{
    QString html =
        QStringLiteral("<b>%1</b><br>").arg(change::SuspectLinks::causeText(entry).toHtmlEscaped());
    if (entry.deleted())
        return html + QStringLiteral("<span style=\"color:#a00000; "
                                     "text-decoration:line-through\">%1</span>")
                          .arg(entry.before.toHtmlEscaped());
    return html + change::WordDifference::html(
                      entry.words,
                      {QStringLiteral("<span style=\"background-color:#ffd8d8; color:#a00000; "
                                      "text-decoration:line-through\">"),
                       QStringLiteral("</span>")},
                      {QStringLiteral("<span style=\"background-color:#d4f5d4; color:#006000\">"),
                       QStringLiteral("</span>")});
}

} // namespace

ParentDependentDialog::ParentDependentDialog(app::Workbench &workbench, int parent,
                                             QWidget *parentWidget)
    : QDialog(parentWidget), m_workbench(workbench),
      m_connection(workbench.app().requirementsConnectionName()),
      m_parents(new RequirementPickTable(QString(), this)),
      m_candidates(new RequirementPickTable(QString(), this)),
      m_parentSentence(sentenceBox(Tr::tr("Parent requirement"), this)),
      m_candidateSentence(sentenceBox(Tr::tr("Dependent requirement"), this)),
      m_dependents(new QListWidget(this)), m_status(new QLineEdit(this)),
      m_suspects(new QListWidget(this)), m_suspectChange(new QTextBrowser(this))
{
    setWindowTitle(Tr::tr("Parent-Dependent Relationships"));
    m_candidates->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_status->setReadOnly(true);
    m_status->setAccessibleName(Tr::tr("Status"));

    auto *layout = new QGridLayout(this);
    auto *lists = new QVBoxLayout;
    lists->addWidget(
        labelFor(Tr::tr("&Select a Requirement to see its Dependents:"), m_parents, this));
    lists->addWidget(m_parents, 2);
    auto *parentRow = new QHBoxLayout;
    parentRow->addWidget(m_parentSentence, 1);
    QPushButton *seeParent =
        addButton(Tr::tr("See Requirement"), Tr::tr("Shows the selected requirement above"));
    parentRow->addWidget(seeParent, 0, Qt::AlignTop);
    lists->addLayout(parentRow);
    lists->addWidget(labelFor(Tr::tr("&Add/Remove Dependent Requirements:"), m_candidates, this));
    lists->addWidget(m_candidates, 2);
    auto *candidateRow = new QHBoxLayout;
    candidateRow->addWidget(m_candidateSentence, 1);
    auto *candidateButtons = new QVBoxLayout;
    QPushButton *seeCandidate =
        addButton(Tr::tr("See Requirement"), Tr::tr("Shows the selected requirement below"));
    seeCandidate->setAccessibleName(Tr::tr("See Dependent Requirement"));
    candidateButtons->addWidget(seeCandidate);
    candidateButtons->addWidget(
        addButton(Tr::tr("Show All"), Tr::tr("Lists every requirement below")));
    candidateButtons->addStretch();
    candidateRow->addLayout(candidateButtons);
    lists->addLayout(candidateRow);
    layout->addLayout(lists, 0, 0);

    auto *group = new QGroupBox(Tr::tr("Dependents"), this);
    auto *groupLayout = new QVBoxLayout(group);
    m_dependents->setAccessibleName(Tr::tr("Dependents"));
    m_dependents->setMaximumWidth(110);
    groupLayout->addWidget(m_dependents, 1);
    const std::pair<const char *, const char *> editing[] = {
        {">",
         QT_TRANSLATE_NOOP("varn::central", "Adds the selected requirements below as dependents")},
        {"<", QT_TRANSLATE_NOOP("varn::central", "Removes the selected number")},
        {"<<", QT_TRANSLATE_NOOP("varn::central", "Removes every number")},
        {QT_TRANSLATE_NOOP("varn::central", "Save"),
         QT_TRANSLATE_NOOP("varn::central", "Saves the dependents of the selected requirement")}};
    for (const auto &[text, tip] : editing)
        groupLayout->addWidget(addButton(Tr::tr(text), Tr::tr(tip)));
    group->setMaximumWidth(150);
    layout->addWidget(group, 0, 1);
    layout->setColumnStretch(0, 1);

    auto *suspectGroup = new QGroupBox(Tr::tr("Suspect Links"), this);
    auto *suspectLayout = new QGridLayout(suspectGroup);
    suspectLayout->addWidget(
        labelFor(Tr::tr("Lin&ks changed since their review:"), m_suspects, this), 0, 0);
    suspectLayout->addWidget(labelFor(Tr::tr("C&hange:"), m_suspectChange, this), 0, 1);
    suspectLayout->addWidget(m_suspects, 1, 0);
    suspectLayout->addWidget(m_suspectChange, 1, 1);
    suspectLayout->addWidget(
        addButton(Tr::tr("Reviewed"), Tr::tr("Clears the selected link: its change is reviewed")),
        1, 2, Qt::AlignTop);
    suspectLayout->setColumnStretch(0, 1);
    suspectLayout->setColumnStretch(1, 1);
    m_suspects->setMaximumHeight(m_suspects->fontMetrics().lineSpacing() * 5 + 12);
    m_suspectChange->setMaximumHeight(m_suspects->maximumHeight());
    layout->addWidget(suspectGroup, 1, 0, 1, 2);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(addButton(Tr::tr("Close"), Tr::tr("Closes the dialog")));
    layout->addLayout(bottom, 2, 0, 1, 2);
    setMinimumSize(900, 720);

    connect(m_parents, &QTableWidget::itemSelectionChanged, this,
            &ParentDependentDialog::selectParent);
    connect(seeParent, &QPushButton::clicked, this,
            [this] { m_parentSentence->setPlainText(m_parents->shownSentence()); });
    connect(m_parents, &QTableWidget::cellDoubleClicked, seeParent, &QPushButton::click);
    connect(seeCandidate, &QPushButton::clicked, this,
            [this] { m_candidateSentence->setPlainText(m_candidates->shownSentence()); });
    connect(m_candidates, &QTableWidget::cellDoubleClicked, seeCandidate, &QPushButton::click);
    connect(button(Tr::tr("Show All")), &QPushButton::clicked, this,
            &ParentDependentDialog::showAll);
    connect(button(QStringLiteral(">")), &QPushButton::clicked, this,
            &ParentDependentDialog::addDependents);
    connect(button(QStringLiteral("<")), &QPushButton::clicked, this,
            &ParentDependentDialog::removeDependent);
    connect(button(QStringLiteral("<<")), &QPushButton::clicked, this,
            &ParentDependentDialog::removeAll);
    connect(button(Tr::tr("Save")), &QPushButton::clicked, this, &ParentDependentDialog::save);
    connect(button(Tr::tr("Close")), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(Tr::tr("Reviewed")), &QPushButton::clicked, this,
            &ParentDependentDialog::markReviewed);
    connect(m_suspects, &QListWidget::currentRowChanged, this,
            &ParentDependentDialog::showSuspectChange);

    fill(m_parents, false);
    fill(m_candidates, false);
    if (parent > 0)
        m_parents->selectNumber(parent);
}

QPushButton *ParentDependentDialog::addButton(const QString &text, const QString &tooltip)
{
    return m_buttons.add(this, text, tooltip);
}

QPushButton *ParentDependentDialog::button(const QString &text) const
{
    return m_buttons.find(text);
}

void ParentDependentDialog::fill(RequirementPickTable *table, bool dependentsOfParent)
{
    const RequirementPickList list(m_connection);
    const PickedRequirement *parent = m_parents->current();
    const Result<QList<PickedRequirement>> rows =
        dependentsOfParent && parent ? list.dependentsOf(parent->number) : list.linkable();
    if (!rows) {
        m_workbench.showMessage(rows.outcome());
        table->setRequirements({});
        return;
    }
    table->setRequirements(rows.value());
    if (dependentsOfParent && rows->isEmpty())
        m_workbench.showMessage(Outcome::warning(
            Tr::tr("The dependent requirement(s) do not exist in the MASTER_REQ table.")));
}

void ParentDependentDialog::selectParent()
{
    m_dependents->clear();
    m_status->clear();
    listSuspects();
    const PickedRequirement *parent = m_parents->current();
    if (!parent) {
        if (m_parents->currentRow() >= 0)
            m_workbench.showMessage(Outcome::warning(Tr::tr(kNoParent)));
        return;
    }
    const Result<QList<int>> links = DependentLinks(m_connection).dependentsOf(parent->number);
    if (!links) {
        m_workbench.showMessage(links.outcome());
        return;
    }
    if (links->isEmpty()) {
        m_status->setText(DependentLinks::noDependentsStatus(parent->number));
        m_candidates->setRequirements({});
        return;
    }
    for (const int dependent : links.value())
        m_dependents->addItem(QString::number(dependent));
    fill(m_candidates, true);
}

void ParentDependentDialog::showAll()
{
    fill(m_candidates, false);
}

QList<int> ParentDependentDialog::listedDependents() const
{
    QList<int> numbers;
    for (int row = 0; row < m_dependents->count(); ++row)
        numbers.append(m_dependents->item(row)->text().toInt());
    return numbers;
}

void ParentDependentDialog::addDependents()
{
    const QList<qint32> chosen = m_candidates->selectedNumbers();
    if (chosen.isEmpty()) {
        m_workbench.showMessage(
            Outcome::warning(Tr::tr("No dependent requirement is currently selected.")));
        return;
    }
    const PickedRequirement *parent = m_parents->current();
    for (const qint32 number : chosen) {
        if (Outcome fresh = DependentLinks::checkAddition(parent ? parent->number : 0,
                                                          listedDependents(), number);
            !fresh) {
            m_workbench.showMessage(fresh);
            continue;
        }
        m_dependents->addItem(QString::number(number));
    }
}

void ParentDependentDialog::removeDependent()
{
    QListWidgetItem *item = m_dependents->currentItem();
    if (!item || !item->isSelected()) {
        m_workbench.showMessage(Outcome::warning(
            Tr::tr("A dependent requirement number has not been selected for removal.")));
        return;
    }
    delete item;
}

void ParentDependentDialog::removeAll()
{
    m_dependents->clear();
}

void ParentDependentDialog::save()
{
    const PickedRequirement *parent = m_parents->current();
    if (!parent) {
        m_workbench.showMessage(Outcome::warning(Tr::tr(kNoParent)));
        return;
    }
    const Result<QList<QList<int>>> saved =
        DependentLinks(m_connection).saveDependents(parent->number, listedDependents());
    if (!saved) {
        m_workbench.showMessage(saved.outcome());
        return;
    }
    m_status->setText(DependentLinks::savedStatus(parent->number));
    m_status->setFocus();
    m_status->selectAll();
    if (const QString cycles = DependentLinks::cycleNotice(saved.value()); !cycles.isEmpty())
        m_workbench.showMessage(Outcome::warning(cycles));
}

void ParentDependentDialog::listSuspects()
{
    m_suspects->clear();
    m_suspectChange->clear();
    m_suspectEntries.clear();
    const PickedRequirement *parent = m_parents->current();
    if (!parent)
        return;
    const Result<QList<change::SuspectEntry>> entries =
        change::SuspectLinks(m_connection).touching(parent->number);
    if (!entries) {
        m_workbench.showMessage(entries.outcome());
        return;
    }
    m_suspectEntries = entries.value();
    for (const change::SuspectEntry &entry : m_suspectEntries)
        m_suspects->addItem(change::SuspectLinks::describe(entry));
    if (!m_suspectEntries.isEmpty())
        m_suspects->setCurrentRow(0);
}

void ParentDependentDialog::showSuspectChange()
{
    const int row = m_suspects->currentRow();
    if (row < 0 || row >= m_suspectEntries.size()) {
        m_suspectChange->clear();
        return;
    }
    m_suspectChange->setHtml(changeHtml(m_suspectEntries.at(row)));
}

void ParentDependentDialog::markReviewed()
{
    const int row = m_suspects->currentRow();
    if (row < 0 || row >= m_suspectEntries.size()) {
        m_workbench.showMessage(Outcome::warning(Tr::tr("No suspect link is currently selected.")));
        return;
    }
    const store::SuspectLink &link = m_suspectEntries.at(row).link;
    const Result<int> cleared =
        change::SuspectLinks(m_connection).clear(link.parent, link.dependent);
    if (!cleared) {
        m_workbench.showMessage(cleared.outcome());
        listSuspects();
        return;
    }
    listSuspects();
    m_status->setText(change::SuspectLinks::clearedStatus(cleared.value()));
    m_workbench.announceRequirementsStored();
}

} // namespace varn::central
