#include "templates/widgets/functionaltemplatedialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "templates/entitynamelist.h"
#include "templates/functionalcommit.h"
#include "templates/storedrequirementloader.h"
#include "templates/widgets/composerguard.h"
#include "templates/widgets/composerlook.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/systementitieswindow.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QVBoxLayout>

namespace varn::templates {

namespace {

const QString kEditMode = QStringLiteral("EDIT MODE");
constexpr int kCellsPerRow = 6;
constexpr int kWhoWhat = 0;
constexpr int kDoWhat = 1;

struct ButtonInfo
{
    const char *text;
    const char *tooltip;
};

// In their order from left to right.
constexpr ButtonInfo kButtons[] = {
    {"See Example", "Displays example in template fields; overwrites data"},
    {"Clear", "Clears all template fields"},
    {"System Entities...", "Opens the System Entities dialog"},
    {"Preview", "Displays the defined requirement"},
    {"Save", "Validates and commits requirement to database"},
    {"Close", "Closes dialog without saving changes"},
};

QLineEdit *readOnlyBox(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setAccessibleName(accessibleName);
    return box;
}

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

QLabel *smallLabel(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    label->setBuddy(control);
    control->setAccessibleName(withoutMnemonic(text));
    return label;
}

// An editable drop-down that never adds what is typed to its list.
QComboBox *editableList(QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(12);
    list->lineEdit()->setMaxLength(FunctionalTemplateDialog::kLongestField);
    return list;
}

} // namespace

FunctionalTemplateDialog::FunctionalTemplateDialog(app::Workbench &workbench, int templateNumber,
                                                   int number, bool edit, const QString &workText,
                                                   QWidget *parent)
    : QDialog(parent), m_workbench(workbench), m_form(templateNumber),
      m_draft(FunctionalDraft::forTemplate(templateNumber)),
      m_entityNames(new QStringListModel(this)), m_attributes(new DraftAttributeControls(this)),
      m_workArea(new QPlainTextEdit(this)), m_head(new QLabel(this)),
      m_preamble(new QComboBox(this)), m_preview(new QPlainTextEdit(this)),
      m_number(readOnlyBox(this, "requirementNumber", QStringLiteral("Requirement #:"))),
      m_editMode(readOnlyBox(this, "editMode", QStringLiteral("Edit mode")))
{
    setWindowTitle(m_form.title());
    app::CVarnApp &application = workbench.app();
    if (!ComposerLook::paintBackground(*this, workbench.backgroundColour()))
        workbench.showMessage(Outcome::refused(QStringLiteral("Error applying color scheme.")));

    m_workArea->setObjectName(QStringLiteral("workArea"));
    m_workArea->setTabChangesFocus(true);
    m_workArea->setPlainText(workText.left(kLongestWorkText));
    DraftAttributeControls::limitLength(m_workArea, kLongestWorkText);
    m_head->setText(TemplateForm::sentenceHead(application.systemName()));
    m_head->setObjectName(QStringLiteral("sentenceHead"));
    m_preview->setObjectName(QStringLiteral("previewArea"));
    m_preview->setReadOnly(true);
    m_preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview->setTabChangesFocus(true);
    m_preview->setAccessibleName(QStringLiteral("Preview Area"));
    ComposerLook::paintBase(*m_preview, ComposerLook::paleYellow());
    m_editMode->setEnabled(false);
    m_number->setFixedWidth(80);
    m_editMode->setFixedWidth(100);

    auto *layout = new QVBoxLayout(this);
    auto *workLabel = new QLabel(QStringLiteral("&Work Area"), this);
    workLabel->setBuddy(m_workArea);
    m_workArea->setAccessibleName(QStringLiteral("Work Area"));
    layout->addWidget(workLabel);
    layout->addWidget(m_workArea, 1);

    auto *attributes = new QHBoxLayout;
    const auto labelled = [this, attributes](const QString &text, QWidget *control) {
        auto *label = new QLabel(text, this);
        label->setBuddy(control);
        control->setAccessibleName(withoutMnemonic(text));
        attributes->addWidget(label);
        attributes->addWidget(control);
    };
    labelled(QStringLiteral("&Paragraph:"), m_attributes->paragraph());
    labelled(QStringLiteral("C&ategory:"), m_attributes->category());
    labelled(QStringLiteral("Pr&iority:"), m_attributes->priority());
    labelled(QStringLiteral("R&elease:"), m_attributes->release());
    attributes->addStretch();
    layout->addLayout(attributes);

    layout->addWidget(m_head);
    auto *sentence = new QWidget(this);
    buildSentence(sentence);
    layout->addWidget(sentence);

    auto *commentsLabel = new QLabel(QStringLiteral("C&omments:"), this);
    commentsLabel->setBuddy(m_attributes->comments());
    m_attributes->comments()->setAccessibleName(QStringLiteral("Comments:"));
    layout->addWidget(commentsLabel);
    layout->addWidget(m_attributes->comments(), 1);
    auto *previewLabel = new QLabel(QStringLiteral("Pre&view Area"), this);
    previewLabel->setBuddy(m_preview);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 1);

    auto *numberRow = new QHBoxLayout;
    auto *numberLabel = new QLabel(QStringLiteral("Requirement #:"), this);
    numberLabel->setBuddy(m_number);
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(m_number);
    numberRow->addWidget(m_editMode);
    numberRow->addStretch();
    layout->addLayout(numberRow);
    auto *buttons = new QHBoxLayout;
    addButtons(buttons);
    layout->addLayout(buttons);

    // Reading order for the keyboard: the Work Area, the attributes, the
    // sentence, Comments, then the buttons.
    QList<QWidget *> order{m_workArea,
                           m_attributes->paragraph(),
                           m_attributes->category(),
                           m_attributes->priority(),
                           m_attributes->release(),
                           m_preamble};
    order << m_fields << m_attributes->comments() << m_preview << m_number;
    for (QPushButton *pushButton : std::as_const(m_buttons))
        order << pushButton;
    for (int k = 1; k < order.size(); ++k)
        setTabOrder(order[k - 1], order[k]);

    auto *saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &FunctionalTemplateDialog::save);

    fillEntityNames();
    if (number >= 1) {
        Result<FunctionalDraft> stored = StoredRequirementLoader::functional(
            application.requirementsConnectionName(), number, edit);
        if (stored && stored->source == templateNumber)
            m_draft = stored.takeValue();
        else
            m_workbench.showMessage(stored ? Outcome::warning(QStringLiteral(
                                                 "Error querying the Requirements database."))
                                           : stored.outcome());
    }
    showDraft();
    if (m_draft.loadedNumber >= 1)
        m_number->setText(QString::number(m_draft.loadedNumber));
    m_typed = false;
}

FunctionalTemplateDialog::~FunctionalTemplateDialog()
{
    SystemEntitiesWindow::closeShown();
}

void FunctionalTemplateDialog::buildSentence(QWidget *sentence)
{
    auto *grid = new QGridLayout(sentence);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    for (int column = 0; column < kCellsPerRow; ++column) {
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, 140);
    }
    const auto place = [grid](int cell, QLabel *label, QWidget *control) {
        const int row = (cell / kCellsPerRow) * 2;
        grid->addWidget(label, row, cell % kCellsPerRow);
        grid->addWidget(control, row + 1, cell % kCellsPerRow);
    };

    m_preamble->setObjectName(QStringLiteral("preamble"));
    m_preamble->addItems(TemplateCatalogue::preamblePhrases());
    m_preamble->setToolTip(QStringLiteral("Preamble; specifies usage"));
    auto *shall = smallLabel(QStringLiteral("&shall"), m_preamble, sentence);
    m_preamble->setAccessibleName(QStringLiteral("shall"));
    ComposerLook::paintRed(*shall);
    place(0, shall, m_preamble);
    connect(m_preamble, &QComboBox::currentIndexChanged, this, [this] {
        applyPreambleRule();
        markTyped();
    });

    for (const TemplateControl &control : m_form.controls()) {
        QWidget *widget = nullptr;
        if (control.kind == FieldKind::Text) {
            auto *box = new QLineEdit(sentence);
            box->setMaxLength(kLongestField);
            connect(box, &QLineEdit::textEdited, this, &FunctionalTemplateDialog::markTyped);
            widget = box;
        } else {
            QComboBox *list = editableList(sentence);
            if (control.kind == FieldKind::Entity) {
                list->setModel(m_entityNames);
                list->completer()->setCaseSensitivity(Qt::CaseInsensitive);
                list->completer()->setFilterMode(Qt::MatchStartsWith);
            } else {
                list->addItems(TemplateCatalogue::itemTexts(control.list));
            }
            list->setCurrentIndex(-1);
            connect(list, &QComboBox::editTextChanged, this, &FunctionalTemplateDialog::markTyped);
            widget = list;
        }
        widget->setObjectName(QStringLiteral("field%1").arg(control.field));
        widget->setToolTip(control.tooltip);
        QLabel *label = smallLabel(control.label, widget, sentence);
        if (control.redLabel)
            ComposerLook::paintRed(*label);
        place(control.field + 1, label, widget);
        m_fields.append(widget);
        m_labels.append(label);
    }
}

void FunctionalTemplateDialog::addButtons(QLayout *row)
{
    using Action = void (FunctionalTemplateDialog::*)();
    const Action actions[] = {&FunctionalTemplateDialog::seeExample,
                              nullptr,
                              &FunctionalTemplateDialog::showSystemEntities,
                              &FunctionalTemplateDialog::preview,
                              &FunctionalTemplateDialog::save,
                              nullptr};
    for (std::size_t k = 0; k < std::size(kButtons); ++k) {
        auto *pushButton = new QPushButton(QString::fromUtf8(kButtons[k].text), this);
        pushButton->setToolTip(QString::fromUtf8(kButtons[k].tooltip));
        pushButton->setAutoDefault(false);
        if (actions[k])
            connect(pushButton, &QPushButton::clicked, this, actions[k]);
        row->addWidget(pushButton);
        m_buttons.append(pushButton);
    }
    connect(m_buttons[1], &QPushButton::clicked, this, [this] { clear(); });
    connect(m_buttons[5], &QPushButton::clicked, this, &FunctionalTemplateDialog::reject);
}

QPushButton *FunctionalTemplateDialog::button(const QString &text) const
{
    for (QPushButton *pushButton : m_buttons) {
        if (pushButton->text() == text)
            return pushButton;
    }
    return nullptr;
}

void FunctionalTemplateDialog::fillEntityNames()
{
    Result<QStringList> names =
        EntityNameList::read(m_workbench.app().requirementsConnectionName());
    if (!names) {
        m_workbench.showMessage(names.outcome());
        return;
    }
    m_entityNames->setStringList(names.value());
}

void FunctionalTemplateDialog::setFieldText(int field, const QString &text)
{
    QWidget *control = fieldControl(field);
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        box->setText(text);
    } else if (auto *list = qobject_cast<QComboBox *>(control)) {
        const int position = text.isEmpty() ? -1 : list->findText(text, Qt::MatchExactly);
        list->setCurrentIndex(position);
        if (position < 0 || list->model() == m_entityNames)
            list->setEditText(text);
    }
}

QString FunctionalTemplateDialog::fieldText(int field) const
{
    QWidget *control = fieldControl(field);
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *list = qobject_cast<QComboBox *>(control))
        return list->currentText();
    return {};
}

void FunctionalTemplateDialog::showDraft()
{
    m_attributes->show(m_draft);
    const QSignalBlocker blocker(m_preamble);
    m_preamble->setCurrentIndex(m_draft.preamblePosition());
    for (int k = 0; k < m_fields.size(); ++k)
        setFieldText(k, m_draft.fields.value(k).text);
    m_editMode->setText(m_draft.isEditing() ? kEditMode : QString());
    applyPreambleRule();
}

void FunctionalTemplateDialog::takeDraft()
{
    m_attributes->takeInto(m_draft);
    m_draft.preamble = m_preamble->currentText();
    for (int k = 0; k < m_fields.size(); ++k)
        m_draft.setField(k, fieldText(k));
}

void FunctionalTemplateDialog::applyPreambleRule()
{
    QWidget *whoWhat = fieldControl(kWhoWhat);
    QWidget *doWhat = fieldControl(kDoWhat);
    if (!whoWhat || !doWhat)
        return;
    const bool actor = TemplateForm::takesActor(m_preamble->currentIndex());
    if (!actor)
        setFieldText(kWhoWhat, QString());
    whoWhat->setEnabled(actor);
    ComposerLook::paintBase(*whoWhat, actor ? QColor(Qt::white) : ComposerLook::paleYellow());
    m_labels[kWhoWhat]->setText(actor ? m_form.controls().first().label : QString());
    (actor ? whoWhat : doWhat)->setFocus();
}

void FunctionalTemplateDialog::preview()
{
    takeDraft();
    m_preview->setPlainText(TemplateForm::preview(m_workbench.app().systemName(), m_draft));
}

void FunctionalTemplateDialog::seeExample()
{
    const QString connection = m_workbench.app().applicationDatabase().connectionName();
    Result<FunctionalDraft> example =
        StoredRequirementLoader::functional(connection, m_form.exampleNumber(), false);
    takeDraft();
    if (example)
        TemplateForm::takeExample(m_draft, example.value());
    else
        m_draft.forgetLoaded(); // without the example the fields stay as they are
    showDraft();
    m_number->clear();
    m_typed = false;
}

bool FunctionalTemplateDialog::hasUnsavedText() const
{
    if (!m_typed)
        return false;
    for (int k = 0; k < m_fields.size(); ++k) {
        if (!fieldText(k).isEmpty())
            return true;
    }
    return false;
}

bool FunctionalTemplateDialog::clear()
{
    if (!ComposerGuard::mayDiscard(m_workbench, *this, hasUnsavedText(),
                                   ComposerGuard::clearQuestion()))
        return false;
    takeDraft();
    TemplateForm::clearFields(m_draft);
    showDraft();
    m_number->clear();
    m_typed = false;
    return true;
}

void FunctionalTemplateDialog::showSystemEntities()
{
    SystemEntitiesWindow::showOver(m_workbench, this);
}

void FunctionalTemplateDialog::focusField(int field, bool select)
{
    QWidget *control = fieldControl(field);
    if (!control)
        return;
    control->setFocus();
    if (!select)
        return;
    if (auto *box = qobject_cast<QLineEdit *>(control))
        box->selectAll();
    else if (auto *list = qobject_cast<QComboBox *>(control))
        list->lineEdit()->selectAll();
}

void FunctionalTemplateDialog::save()
{
    app::CVarnApp &application = m_workbench.app();
    if (!application.records())
        return;
    if (const qint32 number = m_saved.savedNumber(*this); number > 0) {
        m_workbench.showMessage(Outcome::warning(SavedComposition::alreadySavedText(number)));
        return;
    }
    takeDraft();
    setEnabled(false);
    const CommitResult result =
        FunctionalCommit(*application.records(), application.systemName()).save(m_draft);
    setEnabled(true);
    if (!result.outcome) {
        if (!result.detail.isEmpty())
            m_workbench.showMessage(Outcome::stop(result.detail));
        m_workbench.showMessage(result.outcome);
        focusField(result.focusField, result.selectField);
        return;
    }
    m_number->setText(QString::number(result.number));
    m_number->selectAll();
    if (result.versionRetired)
        application.setRequirementsChanged(true);
    m_editMode->setText(m_draft.isEditing() ? kEditMode : QString());
    m_typed = false;
    m_saved.remember(*this, result.number);
    m_workbench.announceRequirementsStored();
}

void FunctionalTemplateDialog::reject()
{
    if (!ComposerGuard::mayDiscard(m_workbench, *this, hasUnsavedText(),
                                   ComposerGuard::closeQuestion()))
        return;
    SystemEntitiesWindow::closeShown();
    QDialog::reject();
}

void FunctionalTemplateDialog::keyPressEvent(QKeyEvent *event)
{
    if (!ComposerGuard::handleEnter(*this, *event, [this] { preview(); }))
        QDialog::keyPressEvent(event);
}

} // namespace varn::templates
