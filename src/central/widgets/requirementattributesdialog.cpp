#include "central/widgets/requirementattributesdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "central/centraltr.h"
#include "central/foreignattributes.h"
#include "central/requirementattributes.h"
#include "central/requirementpicklist.h"
#include "central/widgets/requirementpicktable.h"
#include "templates/templatecatalogue.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace varn::central {

namespace {

using templates::TemplateCatalogue;

constexpr char kNoneSelected[] =
    QT_TRANSLATE_NOOP("varn::central", "No requirement is currently selected.");
constexpr int kLongestParagraph = 50;

QComboBox *fixedList(const QStringList &items, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

} // namespace

RequirementAttributesDialog::RequirementAttributesDialog(app::Workbench &workbench, int selected,
                                                         QWidget *parent)
    : QDialog(parent), m_workbench(workbench),
      m_connection(workbench.app().requirementsConnectionName()),
      m_requirements(new RequirementPickTable(Tr::tr("Select a Requirement"), this)),
      m_sentence(new QPlainTextEdit(this)), m_paragraph(new QLineEdit(this)),
      m_priority(fixedList(TemplateCatalogue::priorities(), this)),
      m_category(fixedList(TemplateCatalogue::categories(), this)),
      m_release(fixedList(TemplateCatalogue::priorities(), this)), m_version(new QLineEdit(this)),
      m_comments(new QPlainTextEdit(this)), m_status(new QLineEdit(this)),
      m_foreignGroup(new QGroupBox(Tr::tr("Attributes from Another Tool"), this)),
      m_foreign(new QTableWidget(0, 2, m_foreignGroup))
{
    setWindowTitle(Tr::tr("Requirement Attributes"));
    m_sentence->setReadOnly(true);
    m_sentence->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sentence->setAccessibleName(Tr::tr("Requirement"));
    m_sentence->setMaximumHeight(m_sentence->fontMetrics().lineSpacing() * 3 + 12);
    m_paragraph->setMaxLength(kLongestParagraph);
    m_version->setReadOnly(true);
    m_status->setReadOnly(true);
    m_status->setAccessibleName(Tr::tr("Status"));

    auto *layout = new QVBoxLayout(this);
    auto *listLabel = new QLabel(Tr::tr("&Select a Requirement"), this);
    listLabel->setBuddy(m_requirements);
    layout->addWidget(listLabel);
    layout->addWidget(m_requirements, 1);
    auto *sentenceRow = new QHBoxLayout;
    sentenceRow->addWidget(m_sentence, 1);
    QPushButton *see =
        addButton(Tr::tr("See Requirement"), Tr::tr("Loads the selected requirement's attributes"));
    sentenceRow->addWidget(see, 0, Qt::AlignTop);
    layout->addLayout(sentenceRow);

    auto *group = new QGroupBox(Tr::tr("Edit Attributes"), this);
    auto *form = new QFormLayout(group);
    const auto labelled = [form, group](const QString &text, QWidget *control) {
        auto *label = new QLabel(text, group);
        label->setBuddy(control);
        control->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        form->addRow(label, control);
    };
    auto *lists = new QHBoxLayout;
    labelled(Tr::tr("&Paragraph:"), m_paragraph);
    const std::pair<const char *, QComboBox *> choices[] = {
        {QT_TRANSLATE_NOOP("varn::central", "P&riority:"), m_priority},
        {QT_TRANSLATE_NOOP("varn::central", "&Category:"), m_category},
        {QT_TRANSLATE_NOOP("varn::central", "R&elease:"), m_release}};
    for (const auto &[text, list] : choices) {
        auto *label = new QLabel(Tr::tr(text), group);
        label->setBuddy(list);
        list->setAccessibleName(Tr::tr(text).remove(QLatin1Char('&')));
        lists->addWidget(label);
        lists->addWidget(list);
    }
    auto *versionLabel = new QLabel(Tr::tr("Version:"), group);
    versionLabel->setBuddy(m_version);
    m_version->setAccessibleName(Tr::tr("Version:"));
    m_version->setMaximumWidth(60);
    lists->addWidget(versionLabel);
    lists->addWidget(m_version);
    lists->addStretch();
    form->addRow(lists);
    labelled(Tr::tr("C&omments:"), m_comments);
    m_comments->setMaximumHeight(m_comments->fontMetrics().lineSpacing() * 4 + 12);
    layout->addWidget(group);

    // Read only: they go back to the other tool as they came.
    m_foreign->setHorizontalHeaderLabels({Tr::tr("Attribute"), Tr::tr("Value")});
    m_foreign->setAccessibleName(Tr::tr("Attributes from Another Tool"));
    m_foreign->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_foreign->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_foreign->verticalHeader()->hide();
    m_foreign->horizontalHeader()->setStretchLastSection(true);
    m_foreign->verticalHeader()->setDefaultSectionSize(m_foreign->fontMetrics().lineSpacing() + 6);
    m_foreign->setMinimumHeight(m_foreign->fontMetrics().lineSpacing() * 8);
    auto *foreignLayout = new QVBoxLayout(m_foreignGroup);
    foreignLayout->addWidget(m_foreign);
    m_foreignGroup->setVisible(false);
    layout->addWidget(m_foreignGroup, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(
        addButton(Tr::tr("Save Changes"), Tr::tr("Writes the attributes of the requirement")));
    bottom->addWidget(addButton(Tr::tr("Close"), Tr::tr("Closes the dialog")));
    layout->addLayout(bottom);
    setMinimumSize(820, 580);

    connect(m_requirements, &QTableWidget::cellClicked, this,
            &RequirementAttributesDialog::forgetShown);
    connect(m_requirements, &QTableWidget::cellDoubleClicked, see, &QPushButton::click);
    connect(see, &QPushButton::clicked, this, &RequirementAttributesDialog::seeRequirement);
    connect(button(Tr::tr("Save Changes")), &QPushButton::clicked, this,
            &RequirementAttributesDialog::saveChanges);
    connect(button(Tr::tr("Close")), &QPushButton::clicked, this, &QDialog::reject);

    if (!listRequirements(selected))
        m_requirements->setRequirements({});
}

bool RequirementAttributesDialog::listRequirements(qint32 selected)
{
    const Result<QList<PickedRequirement>> rows = RequirementPickList(m_connection).live();
    if (!rows) {
        m_workbench.showMessage(rows.outcome());
        return false;
    }
    const int scrolled = m_requirements->verticalScrollBar()->value();
    m_requirements->setRequirements(rows.value());
    if (selected > 0)
        m_requirements->selectNumber(selected);
    m_requirements->verticalScrollBar()->setValue(scrolled);
    return true;
}

QPushButton *RequirementAttributesDialog::addButton(const QString &text, const QString &tooltip)
{
    return m_buttons.add(this, text, tooltip);
}

QPushButton *RequirementAttributesDialog::button(const QString &text) const
{
    return m_buttons.find(text);
}

void RequirementAttributesDialog::forgetShown()
{
    m_sentence->clear();
    for (QComboBox *list : {m_priority, m_category, m_release})
        list->setCurrentIndex(-1);
    m_paragraph->clear();
    m_version->clear();
    m_comments->clear();
    m_status->clear();
    m_foreign->setRowCount(0);
    m_foreignGroup->setVisible(false);
}

void RequirementAttributesDialog::showForeign(qint32 number)
{
    m_foreign->setRowCount(0);
    const Result<ForeignAttributes> foreign = ForeignAttributes::read(m_connection, number);
    if (!foreign) {
        m_workbench.showMessage(foreign.outcome());
        return;
    }
    m_foreignGroup->setVisible(!foreign->isEmpty());
    if (foreign->isEmpty())
        return;
    m_foreignGroup->setTitle(Tr::tr("Attributes from Another Tool: %1 (%2)")
                                 .arg(foreign->identifier, foreign->typeName));
    m_foreign->setRowCount(int(foreign->entries.size()));
    for (int row = 0; row < foreign->entries.size(); ++row) {
        m_foreign->setItem(row, 0, new QTableWidgetItem(foreign->entries[row].name));
        m_foreign->setItem(row, 1, new QTableWidgetItem(foreign->entries[row].value));
    }
    m_foreign->resizeColumnToContents(0);
    // The dialog grows to show the table beside what it showed before.
    constexpr int kTallerWithAttributes = 760;
    resize(width(), std::max(height(), kTallerWithAttributes));
}

void RequirementAttributesDialog::seeRequirement()
{
    const PickedRequirement *picked = m_requirements->current();
    if (!picked) {
        m_workbench.showMessage(Outcome::warning(Tr::tr(kNoneSelected)));
        return;
    }
    m_sentence->setPlainText(picked->sentence + QLatin1Char('.'));
    // A sentence shortened on import shows the whole text it came with.
    if (const Result<QString> whole = ForeignAttributes::fullText(m_connection, picked->number);
        whole && !whole->isEmpty())
        m_sentence->setPlainText(ForeignAttributes::wholeSentence(
            picked->sentence.section(QStringLiteral(" shall "), 0, 0) + QStringLiteral(" shall"),
            whole.value()));
    showForeign(picked->number);
    QList<Outcome> notices;
    const Result<RequirementAttributes::Values> values =
        RequirementAttributes(m_connection).load(picked->number, &notices);
    for (const Outcome &notice : std::as_const(notices))
        m_workbench.showMessage(notice);
    if (!values) {
        m_workbench.showMessage(values.outcome());
        return;
    }
    m_paragraph->setText(values->paragraph);
    m_comments->setPlainText(values->comments);
    m_version->setText(QString::number(values->version));
    m_category->setCurrentIndex(m_category->findText(values->category));
    m_priority->setCurrentIndex(m_priority->findText(values->priority));
    m_release->setCurrentIndex(m_release->findText(values->release));
}

void RequirementAttributesDialog::saveChanges()
{
    const PickedRequirement *picked = m_requirements->current();
    if (!picked) {
        m_workbench.showMessage(Outcome::warning(Tr::tr(kNoneSelected)));
        return;
    }
    RequirementAttributes::Values values;
    values.paragraph = m_paragraph->text();
    values.category = m_category->currentIndex() < 0 ? QString() : m_category->currentText();
    values.priority = m_priority->currentIndex() < 0 ? QString() : m_priority->currentText();
    values.release = m_release->currentIndex() < 0 ? QString() : m_release->currentText();
    values.comments = m_comments->toPlainText();
    const qint32 number = picked->number;
    const Outcome saved = RequirementAttributes(m_connection).save(number, values);
    if (!saved) {
        m_workbench.showMessage(saved);
        return;
    }
    // The list here and Requirements Central show what was stored; the
    // attributes being edited stay in their fields.
    listRequirements(number);
    m_status->setText(RequirementAttributes::savedStatus(number));
    m_workbench.announceRequirementsStored();
}

} // namespace varn::central
