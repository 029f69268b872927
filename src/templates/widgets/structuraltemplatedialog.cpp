#include "templates/widgets/structuraltemplatedialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "quality/sentencespans.h"
#include "quality/widgets/findingspanel.h"
#include "templates/messagefields.h"
#include "templates/structuralcommit.h"
#include "templates/structuralloader.h"
#include "templates/templatecatalogue.h"
#include "templates/templateform.h"
#include "templates/templatestr.h"
#include "templates/widgets/composerlook.h"
#include "templates/widgets/draftattributecontrols.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varn::templates {

namespace {

constexpr int kAttributeDefinition = 19;
constexpr int kCompositionDefinition = 20;
constexpr int kEntityDefinition = 21;
constexpr int kDialogWidth = 880;
constexpr int kMessageDialogWidth = 960;
constexpr int kAttributeDialogWidth = 1080;
constexpr int kTextWidth = 130;
constexpr int kEntityCharacters = 22;

QString titleOf(int number)
{
    const StructuralTemplate *form = TemplateCatalogue::structural(number);
    return form ? Tr::tr(form->title) : QString();
}

// A word of the sentence between its controls, level with them.
QLabel *phrase(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

// Every radio button of the group unchecked, then the one of the id.
void checkChoice(QButtonGroup *group, int id)
{
    if (!group)
        return;
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(false);
    if (QAbstractButton *button = group->button(id))
        button->setChecked(true);
    group->setExclusive(true);
}

// The sentence's grid: each control sits under its small label.
QGridLayout *sentenceGrid(QWidget *sentence)
{
    auto *grid = new QGridLayout(sentence);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    return grid;
}

// The text controls and the draft fields they show.
const std::pair<StructuralControl, QString StructuralDraft::*> kTextFields[] = {
    {StructuralControl::Article, &StructuralDraft::article},
    {StructuralControl::Type, &StructuralDraft::type},
    {StructuralControl::Entity, &StructuralDraft::entity},
    {StructuralControl::Attribute, &StructuralDraft::attribute},
    {StructuralControl::Default, &StructuralDraft::defaultValue},
    {StructuralControl::HowMany, &StructuralDraft::howMany},
    {StructuralControl::Cardinality, &StructuralDraft::cardinality},
    {StructuralControl::PartType, &StructuralDraft::partType},
    {StructuralControl::PartEntity, &StructuralDraft::partEntity},
    {StructuralControl::Position, &StructuralDraft::position},
    {StructuralControl::From, &StructuralDraft::from},
    {StructuralControl::To, &StructuralDraft::to},
};

int positionIn(const QStringList &items, const QString &text)
{
    return text.isEmpty() ? -1 : int(items.indexOf(text));
}

} // namespace

StructuralTemplateDialog::StructuralTemplateDialog(app::Workbench &workbench, int templateNumber,
                                                   int number, bool edit, const QString &workText,
                                                   QWidget *parent)
    : TemplateDialogFrame(workbench, titleOf(templateNumber), workText, parent),
      m_draft(StructuralDraft::forTemplate(templateNumber))
{
    app::CVarnApp &application = workbench.app();
    auto *sentence = new QWidget(this);
    switch (templateNumber) {
    case kAttributeDefinition:
        buildAttributeDefinition(sentence);
        break;
    case kCompositionDefinition:
        buildCompositionDefinition(sentence);
        break;
    case kEntityDefinition:
        sentenceHead()->setText(TemplateForm::sentenceHead(application.systemName()));
        buildEntityDefinition(sentence);
        break;
    default:
        buildMessageDefinition(sentence);
        break;
    }
    sentenceHead()->setVisible(templateNumber == kEntityDefinition);
    placeSentence(sentence, m_order);
    // Room for the longest list entries and, in Template 22, for the columns
    // of Fields Currently Defined.
    setMinimumWidth(m_fieldsTable     ? kMessageDialogWidth
                    : m_dataTypeGroup ? kAttributeDialogWidth
                                      : kDialogWidth);

    if (number >= 1) {
        Result<StructuralDraft> stored =
            StructuralLoader::stored(application.requirementsConnectionName(), number, edit);
        if (stored && stored->source == templateNumber)
            m_draft = stored.takeValue();
        else
            workbench.showMessage(
                stored ? Outcome::warning(Tr::tr("Error querying the Requirements database."))
                       : stored.outcome());
    }
    showDraft();
    if (m_draft.loadedNumber >= 1) {
        numberBox()->setText(QString::number(m_draft.loadedNumber));
        showMessageFields();
    }
    settleOpened();
    watchForFindings(number, edit);
}

void StructuralTemplateDialog::watchForFindings(int number, bool edit)
{
    quality::FindingsPanel *findings = findingsPanel();
    if (m_values)
        findings->watch(m_values);
    for (QButtonGroup *group : std::as_const(m_choices)) {
        for (QAbstractButton *button : group->buttons())
            findings->watch(button);
    }
    const QString systemName = workbench().app().systemName();
    findings->setSource([this, systemName] {
        return quality::SentenceSpans::structural(systemName, currentDraft());
    });
    findings->setFields([this] {
        QList<QWidget *> fields;
        for (const auto &[which, field] : kTextFields) {
            if (QWidget *shown = control(which))
                fields.append(shown);
        }
        return fields;
    });
    if (edit && m_draft.loadedNumber >= 1 && m_draft.loadedNumber == number)
        findings->setStoredRequirement(
            number, quality::SentenceSpans::structural(systemName, currentDraft()).sentence);
}

// ---- the sentence controls ----

QLineEdit *StructuralTemplateDialog::textField(Control which, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setMaxLength(kLongestField);
    box->setMinimumWidth(kTextWidth);
    connect(box, &QLineEdit::textEdited, this, &StructuralTemplateDialog::markTyped);
    m_controls.insert(which, box);
    m_order.append(box);
    return box;
}

QComboBox *StructuralTemplateDialog::entityField(Control which, QWidget *parent)
{
    QComboBox *entity = entityList(parent);
    entity->setMinimumContentsLength(kEntityCharacters);
    connect(entity, &QComboBox::editTextChanged, this, &StructuralTemplateDialog::markTyped);
    m_controls.insert(which, entity);
    m_order.append(entity);
    return entity;
}

QComboBox *StructuralTemplateDialog::fixedList(Control which, const QStringList &items,
                                               QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->addItems(items);
    list->setCurrentIndex(-1);
    connect(list, &QComboBox::activated, this, &StructuralTemplateDialog::markTyped);
    m_controls.insert(which, list);
    m_order.append(list);
    return list;
}

QButtonGroup *StructuralTemplateDialog::radioChoice(Control which, const QStringList &texts,
                                                    QWidget *box)
{
    auto *group = new QButtonGroup(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int id = 0; id < texts.size(); ++id) {
        auto *radio = new QRadioButton(texts.at(id), box);
        radio->setAccessibleName(texts.at(id));
        group->addButton(radio, id);
        layout->addWidget(radio);
        m_order.append(radio);
    }
    connect(group, &QButtonGroup::idClicked, this, &StructuralTemplateDialog::markTyped);
    m_choices.insert(which, group);
    m_controls.insert(which, group->button(0));
    return group;
}

QWidget *StructuralTemplateDialog::valueButtons(const QString &add, const QString &remove,
                                                QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString tips[] = {Tr::tr("Adds the possible value to the list"),
                            Tr::tr("Removes the selected possible value")};
    int k = 0;
    for (const QString &text : {add, remove}) {
        auto *button = new QPushButton(text, box);
        button->setAutoDefault(false);
        button->setToolTip(tips[k++]);
        button->setAccessibleName(text);
        layout->addWidget(button);
        m_valueButtons.append(button);
        m_order.append(button);
    }
    layout->addStretch();
    connect(static_cast<QPushButton *>(m_valueButtons[0]), &QPushButton::clicked, this,
            &StructuralTemplateDialog::addValue);
    connect(static_cast<QPushButton *>(m_valueButtons[1]), &QPushButton::clicked, this,
            &StructuralTemplateDialog::removeValue);
    return box;
}

QListWidget *StructuralTemplateDialog::valuesBox(const QString &name, QWidget *parent)
{
    m_values = new QListWidget(parent);
    m_values->setAccessibleName(name);
    m_values->setMinimumWidth(160);
    m_values->setMaximumHeight(110);
    m_controls.insert(Control::PossibleValues, m_values);
    m_order.append(m_values);
    return m_values;
}

void StructuralTemplateDialog::addUnderLabel(QGridLayout *grid, int row, int column,
                                             const QString &label, QWidget *control)
{
    grid->addWidget(smallLabel(label, control, control->parentWidget()), row, column);
    grid->addWidget(control, row + 1, column);
}

// "A/An", "type" and "entity": how templates 19 and 21 open.
void StructuralTemplateDialog::addTypedEntityOpening(QGridLayout *grid, QWidget *sentence)
{
    addUnderLabel(grid, 0, 0, QStringLiteral("A/An"),
                  fixedList(Control::Article, TemplateCatalogue::articles(), sentence));
    addUnderLabel(grid, 0, 1, QStringLiteral("type"), textField(Control::Type, sentence));
    addUnderLabel(grid, 0, 2, QStringLiteral("entity"), entityField(Control::Entity, sentence));
}

void StructuralTemplateDialog::buildAttributeDefinition(QWidget *sentence)
{
    QGridLayout *grid = sentenceGrid(sentence);
    addTypedEntityOpening(grid, sentence);
    grid->addWidget(phrase(QStringLiteral("shall include a"), sentence), 1, 3);
    auto *stateValue = new QWidget(sentence);
    radioChoice(Control::StateValue, TemplateCatalogue::stateValueChoices(), stateValue);
    grid->addWidget(stateValue, 0, 4, 2, 1);
    grid->addWidget(phrase(QStringLiteral("attribute named"), sentence), 1, 5);
    addUnderLabel(grid, 0, 6, QStringLiteral("attribute"), textField(Control::Attribute, sentence));
    grid->addWidget(phrase(QStringLiteral("with the"), sentence), 1, 7);
    auto *valueGroup = new QWidget(sentence);
    QButtonGroup *groups =
        radioChoice(Control::ValueGroup, TemplateCatalogue::valueGroupChoices(), valueGroup);
    connect(groups, &QButtonGroup::idClicked, this, &StructuralTemplateDialog::chooseValueGroup);
    grid->addWidget(valueGroup, 0, 8, 2, 1);

    auto *values = new QHBoxLayout;
    auto *addColumn = new QVBoxLayout;
    QLineEdit *add = textField(Control::AddField, sentence);
    add->setToolTip(Tr::tr("Type a possible value, then click Add"));
    addColumn->addWidget(
        smallLabel(Tr::tr("<enter a possible value and click Add>"), add, sentence));
    addColumn->addWidget(add);
    addColumn->addStretch();
    values->addLayout(addColumn, 2);
    values->addWidget(valueButtons(Tr::tr("Add"), Tr::tr("Delete"), sentence));
    values->addWidget(valuesBox(Tr::tr("Possible values"), sentence), 2);
    values->addWidget(phrase(Tr::tr("<- possible values ----- data type ->"), sentence), 0,
                      Qt::AlignVCenter);
    m_dataTypeGroup = new QGroupBox(Tr::tr("Data Type"), sentence);
    m_dataTypeGroup->setAccessibleName(Tr::tr("Data Type"));
    radioChoice(Control::DataType, TemplateCatalogue::attributeDataTypes(), m_dataTypeGroup);
    values->addWidget(m_dataTypeGroup);
    auto *defaultColumn = new QVBoxLayout;
    QLineEdit *defaultValue = textField(Control::Default, sentence);
    defaultColumn->addWidget(
        smallLabel(QStringLiteral("and a default of"), defaultValue, sentence));
    defaultColumn->addWidget(defaultValue);
    defaultColumn->addStretch();
    values->addLayout(defaultColumn, 2);
    grid->addLayout(values, 2, 0, 1, 9);
}

void StructuralTemplateDialog::buildCompositionDefinition(QWidget *sentence)
{
    QGridLayout *grid = sentenceGrid(sentence);
    addTypedEntityOpening(grid, sentence);
    grid->addWidget(phrase(QStringLiteral("shall include"), sentence), 1, 3);
    addUnderLabel(grid, 0, 4, Tr::tr("how many?"), textField(Control::HowMany, sentence));
    addUnderLabel(grid, 0, 5, Tr::tr("(or) what cardinality?"),
                  fixedList(Control::Cardinality, TemplateCatalogue::cardinalities(), sentence));
    grid->addWidget(phrase(QStringLiteral("Part:"), sentence), 3, 0, Qt::AlignRight);
    addUnderLabel(grid, 2, 1, Tr::tr("Part: type"), textField(Control::PartType, sentence));
    addUnderLabel(grid, 2, 2, Tr::tr("Part: entity"), entityField(Control::PartEntity, sentence));
    for (int column = 0; column < 6; ++column)
        grid->setColumnStretch(column, column == 3 ? 0 : 1);
    grid->setColumnStretch(6, 2);
}

void StructuralTemplateDialog::buildEntityDefinition(QWidget *sentence)
{
    QGridLayout *grid = sentenceGrid(sentence);
    grid->addWidget(phrase(QStringLiteral("shall include"), sentence), 1, 0);
    addUnderLabel(grid, 0, 1, QStringLiteral("type"), textField(Control::Type, sentence));
    addUnderLabel(grid, 0, 2, QStringLiteral("entity"), entityField(Control::Entity, sentence));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 2);
}

void StructuralTemplateDialog::buildMessageDefinition(QWidget *sentence)
{
    QGridLayout *grid = sentenceGrid(sentence);
    addUnderLabel(grid, 0, 0, QStringLiteral("A/An"),
                  fixedList(Control::Article, TemplateCatalogue::articles(), sentence));
    addUnderLabel(grid, 0, 1, QStringLiteral("message"), textField(Control::Entity, sentence));
    grid->addWidget(phrase(QStringLiteral("shall include the following field:"), sentence), 1, 2, 1,
                    2);
    QComboBox *position = editableList(sentence);
    position->addItems(TemplateCatalogue::messagePositions());
    position->setCurrentIndex(-1);
    position->lineEdit()->setMaxLength(2);
    position->setMinimumContentsLength(3);
    connect(position, &QComboBox::editTextChanged, this, &StructuralTemplateDialog::markTyped);
    m_controls.insert(Control::Position, position);
    m_order.append(position);
    addUnderLabel(grid, 2, 0, Tr::tr("Position"), position);
    addUnderLabel(grid, 2, 1, Tr::tr("Field"), textField(Control::Attribute, sentence));
    addUnderLabel(grid, 2, 2, Tr::tr("Data Type"),
                  fixedList(Control::DataType, TemplateCatalogue::messageDataTypes(), sentence));
    auto *range = new QGroupBox(Tr::tr("-- Range --"), sentence);
    range->setAccessibleName(Tr::tr("-- Range --"));
    auto *rangeLayout = new QHBoxLayout(range);
    for (auto [which, text] :
         {std::pair{Control::From, QT_TRANSLATE_NOOP("varn::templates", "From")},
          std::pair{Control::To, QT_TRANSLATE_NOOP("varn::templates", "To")}}) {
        QLineEdit *bound = textField(which, range);
        rangeLayout->addWidget(smallLabel(Tr::tr(text), bound, range));
        rangeLayout->addWidget(bound);
    }
    grid->addWidget(range, 2, 3, 2, 1);

    auto *values = new QHBoxLayout;
    auto *addColumn = new QVBoxLayout;
    QLineEdit *add = textField(Control::AddField, sentence);
    add->setToolTip(Tr::tr("Type a possible value, then click >"));
    addColumn->addWidget(smallLabel(Tr::tr("Possible Values"), add, sentence));
    addColumn->addWidget(add);
    addColumn->addStretch();
    values->addLayout(addColumn, 1);
    values->addWidget(valueButtons(QStringLiteral(">"), QStringLiteral("<"), sentence));
    auto *listColumn = new QVBoxLayout;
    QListWidget *list = valuesBox(Tr::tr("Possible Values List"), sentence);
    auto *listLabel = new QLabel(Tr::tr("Possible Values List"), sentence);
    listLabel->setBuddy(list);
    listColumn->addWidget(listLabel);
    listColumn->addWidget(list);
    values->addLayout(listColumn, 1);
    values->addStretch(1);
    grid->addLayout(values, 4, 0, 1, 4);
    buildFieldsTable(sentence);
    auto *tableLabel = new QLabel(Tr::tr("Fields Currently Defined"), sentence);
    tableLabel->setBuddy(m_fieldsTable);
    grid->addWidget(tableLabel, 5, 0, 1, 4);
    grid->addWidget(m_fieldsTable, 6, 0, 1, 4);
    for (int column = 0; column < 4; ++column)
        grid->setColumnStretch(column, 1);
}

void StructuralTemplateDialog::buildFieldsTable(QWidget *parent)
{
    const auto columns = TemplateCatalogue::messageFieldColumns();
    m_fieldsTable = new QTableWidget(0, int(columns.size()), parent);
    m_fieldsTable->setAccessibleName(Tr::tr("Fields Currently Defined"));
    m_fieldsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fieldsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_fieldsTable->verticalHeader()->hide();
    m_fieldsTable->setMinimumHeight(110);
    m_fieldsTable->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < int(columns.size()); ++column) {
        m_fieldsTable->setHorizontalHeaderItem(column,
                                               new QTableWidgetItem(Tr::tr(columns[column].title)));
        m_fieldsTable->setColumnWidth(column, columns[column].width);
    }
    m_order.append(m_fieldsTable);
}

// ---- between the controls and the draft ----

void StructuralTemplateDialog::setControlText(Control which, const QString &text)
{
    putText(control(which), text);
}

QString StructuralTemplateDialog::controlText(Control which) const
{
    return textIn(control(which));
}

void StructuralTemplateDialog::showDraft()
{
    attributes()->show(m_draft);
    for (const auto &[which, field] : kTextFields)
        setControlText(which, m_draft.*field);
    if (m_dataTypeGroup)
        checkChoice(choice(Control::DataType),
                    positionIn(TemplateCatalogue::attributeDataTypes(), m_draft.dataType));
    else
        setControlText(Control::DataType, m_draft.dataType);
    checkChoice(choice(Control::StateValue), m_draft.stateValue);
    checkChoice(choice(Control::ValueGroup), m_draft.valueGroup);
    if (m_values) {
        m_values->clear();
        m_values->addItems(m_draft.possibleValues);
    }
    applyValueGroup();
    showEditMode(m_draft.isEditing());
}

void StructuralTemplateDialog::takeDraft()
{
    attributes()->takeInto(m_draft);
    m_draft = currentDraft();
}

StructuralDraft StructuralTemplateDialog::currentDraft() const
{
    StructuralDraft draft = m_draft;
    for (const auto &[which, field] : kTextFields) {
        if (control(which))
            draft.*field = controlText(which);
    }
    if (m_dataTypeGroup) {
        const int checked = choice(Control::DataType)->checkedId();
        draft.dataType = TemplateCatalogue::attributeDataTypes().value(checked);
    } else if (control(Control::DataType)) {
        draft.dataType = controlText(Control::DataType);
    }
    if (QButtonGroup *group = choice(Control::StateValue))
        draft.stateValue = group->checkedId();
    if (QButtonGroup *group = choice(Control::ValueGroup))
        draft.valueGroup = group->checkedId();
    return draft;
}

void StructuralTemplateDialog::chooseValueGroup(int group)
{
    takeDraft();
    m_draft.chooseValueGroup(group);
    if (group == 1 && control(Control::AddField))
        setControlText(Control::AddField, QString());
    showDraft();
}

void StructuralTemplateDialog::applyValueGroup()
{
    if (!m_dataTypeGroup)
        return;
    const bool values = m_draft.valueGroup != 1;
    const bool dataType = m_draft.valueGroup != 0;
    control(Control::AddField)->setEnabled(values);
    m_values->setEnabled(values);
    for (QWidget *button : std::as_const(m_valueButtons))
        button->setEnabled(values);
    m_dataTypeGroup->setEnabled(dataType);
}

void StructuralTemplateDialog::showMessageFields()
{
    if (!m_fieldsTable)
        return;
    m_fieldsTable->setRowCount(0);
    if (m_draft.loadedNumber < 1)
        return;
    const Result<QList<MessageFieldLine>> lines = MessageFields::ofRequirement(
        workbench().app().requirementsConnectionName(), m_draft.loadedNumber);
    if (!lines) {
        workbench().showMessage(lines.outcome());
        return;
    }
    for (const MessageFieldLine &line : lines.value()) {
        const int row = m_fieldsTable->rowCount();
        m_fieldsTable->insertRow(row);
        const QString cells[] = {QString::number(line.number),
                                 line.position,
                                 line.field,
                                 line.dataType,
                                 line.from,
                                 line.to,
                                 line.possibleValues};
        for (int column = 0; column < int(std::size(cells)); ++column)
            m_fieldsTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

// ---- the buttons ----

void StructuralTemplateDialog::addValue()
{
    takeDraft();
    const QString text = controlText(Control::AddField);
    if (Outcome added = m_draft.addPossibleValue(text); !added) {
        workbench().showMessage(added);
        control(Control::AddField)->setFocus();
        return;
    }
    setControlText(Control::AddField, QString());
    showDraft();
    markTyped();
    control(Control::AddField)->setFocus();
}

void StructuralTemplateDialog::removeValue()
{
    takeDraft();
    const int selected = m_values->currentItem() && m_values->currentItem()->isSelected()
                             ? m_values->currentRow()
                             : -1;
    if (Outcome removed = m_draft.removePossibleValue(selected); !removed) {
        workbench().showMessage(removed);
        return;
    }
    showDraft();
    markTyped();
}

void StructuralTemplateDialog::preview()
{
    takeDraft();
    const SentencePreview shown =
        StructuralCommit::preview(m_draft, workbench().app().systemName());
    if (!shown.outcome) {
        workbench().showMessage(shown.outcome);
        focusControl(shown.focusField, false);
        return;
    }
    previewArea()->setPlainText(shown.sentence);
}

void StructuralTemplateDialog::seeExample()
{
    takeDraft();
    const Outcome filled =
        StructuralLoader::fillExample(workbench().app().applicationConnectionName(), m_draft);
    if (!filled)
        workbench().showMessage(filled);
    m_draft.forgetLoaded();
    if (m_fieldsTable)
        m_fieldsTable->setRowCount(0);
    showDraft();
    numberBox()->clear();
    setUntyped();
}

bool StructuralTemplateDialog::hasUnsavedText() const
{
    if (!typed())
        return false;
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        if (it.key() != Control::Article && !controlText(it.key()).isEmpty())
            return true;
    }
    return m_values && m_values->count() > 0;
}

bool StructuralTemplateDialog::clear()
{
    if (!mayClear())
        return false;
    takeDraft();
    m_draft.clear();
    if (control(Control::AddField))
        setControlText(Control::AddField, QString());
    if (m_fieldsTable)
        m_fieldsTable->setRowCount(0);
    showDraft();
    numberBox()->clear();
    setUntyped();
    return true;
}

void StructuralTemplateDialog::focusControl(int which, bool select)
{
    if (which >= 0)
        focusOn(control(Control(which)), select);
}

void StructuralTemplateDialog::save()
{
    if (!mayStartSave())
        return;
    takeDraft();
    app::CVarnApp &application = workbench().app();
    setEnabled(false);
    const CommitResult result =
        StructuralCommit(*application.records(), application.systemName()).save(m_draft);
    setEnabled(true);
    if (!finishSave(result, m_draft.isEditing())) {
        focusControl(result.focusField, result.selectField);
        return;
    }
    if (m_fieldsTable) {
        // The message's fields, the one just saved among them.
        const int loaded = m_draft.loadedNumber;
        m_draft.loadedNumber = result.number;
        showMessageFields();
        m_draft.loadedNumber = loaded;
    }
}

} // namespace varn::templates
