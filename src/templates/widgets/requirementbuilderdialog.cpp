#include "templates/widgets/requirementbuilderdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "common/requirementlimits.h"
#include "quality/sentencespans.h"
#include "quality/widgets/findingspanel.h"
#include "templates/functionalcommit.h"
#include "templates/storedrequirementloader.h"
#include "templates/templateform.h"
#include "templates/templatestr.h"
#include "templates/widgets/composerbuttonrow.h"
#include "templates/widgets/composerguard.h"
#include "templates/widgets/composerlook.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/systementitieswindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varn::templates {

using language::RequirementBuilder;
using language::TermButton;
using language::TermControl;
using language::TermList;
using language::TermVocabulary;

namespace {

constexpr char kEditMode[] = QT_TRANSLATE_NOOP("varn::templates", "EDIT MODE");
const QColor kBackground = ComposerLook::background(0);
constexpr int kCellsPerRow = 6;
constexpr int kFirstRowCells = 4; // who/what, do what and two more beside the preamble

struct TermButtonInfo
{
    TermButton button;
    const char *text;
    TermControl tooltip;
};

// In the order of the dialog.
constexpr TermButtonInfo kTermButtons[] = {
    {TermButton::Units, "Units", TermControl::UnitsButton},
    {TermButton::Quantity, "Quantity", TermControl::QuantityButton},
    {TermButton::Value, "Value", TermControl::ValueButton},
    {TermButton::Attribute, "Attribute", TermControl::AttributeButton},
    {TermButton::Spatiality, "Spatiality", TermControl::SpatialityButton},
    {TermButton::State, "State", TermControl::StateButton},
    {TermButton::Part, "Part", TermControl::PartButton},
    {TermButton::Type, "Type", TermControl::TypeButton},
    {TermButton::Entity, "Entity", TermControl::EntityButton},
};

constexpr TermList kTermLists[] = {
    TermList::Temporal, TermList::StateTransition, TermList::Relational,  TermList::Possessive,
    TermList::Logical,  TermList::EventAction,     TermList::Associative, TermList::External,
};

TermControl listTooltip(TermList list)
{
    return TermControl(int(TermControl::TemporalList) + int(list));
}

QLineEdit *readOnlyBox(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setAccessibleName(accessibleName);
    return box;
}

} // namespace

RequirementBuilderDialog::RequirementBuilderDialog(app::Workbench &workbench, int number, bool edit,
                                                   QWidget *parent)
    : QDialog(parent), m_workbench(workbench), m_attributes(new DraftAttributeControls(this)),
      m_preamble(new QComboBox(this)), m_preview(new QPlainTextEdit(this)),
      m_number(readOnlyBox(this, "requirementNumber", Tr::tr("Requirement #:"))),
      m_editMode(readOnlyBox(this, "editMode", Tr::tr("Edit mode")))
{
    setWindowTitle(Tr::tr("Requirement Builder"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(TemplateForm::sentenceHead(workbench.app().systemName()), this);
    heading->setObjectName(QStringLiteral("heading"));
    layout->addWidget(heading);
    layout->addWidget(makeGrid());
    layout->addWidget(makeTermControls());

    auto *attributes = new QHBoxLayout;
    const auto labelled = [this, attributes](const QString &text, QWidget *control) {
        auto *label = new QLabel(text, this);
        label->setBuddy(control);
        control->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        attributes->addWidget(label);
        attributes->addWidget(control);
    };
    labelled(Tr::tr("&Paragraph:"), m_attributes->paragraph());
    labelled(Tr::tr("C&ategory:"), m_attributes->category());
    labelled(Tr::tr("Pr&iority:"), m_attributes->priority());
    labelled(Tr::tr("R&elease:"), m_attributes->release());
    labelled(Tr::tr("Requirement #:"), m_number);
    attributes->addWidget(m_editMode);
    attributes->addStretch();
    layout->addLayout(attributes);
    auto *commentsLabel = new QLabel(Tr::tr("C&omments:"), this);
    commentsLabel->setBuddy(m_attributes->comments());
    m_attributes->comments()->setAccessibleName(Tr::tr("Comments:"));
    layout->addWidget(commentsLabel);
    layout->addWidget(m_attributes->comments(), 1);
    auto *previewLabel = new QLabel(Tr::tr("Pre&view"), this);
    previewLabel->setBuddy(m_preview);
    m_preview->setAccessibleName(Tr::tr("Preview"));
    m_preview->setReadOnly(true);
    m_preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview->setTabChangesFocus(true);
    ComposerLook::paintBase(*m_preview, ComposerLook::paleYellow());
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 1);
    m_findings = new quality::FindingsPanel(workbench, this);
    layout->addWidget(m_findings);
    auto *buttons = new QHBoxLayout;
    m_buttonRow = std::make_unique<ComposerButtonRow>(
        this, buttons,
        ComposerButtonRow::Actions{[this] { seeExample(); }, [this] { clear(); },
                                   [this] { SystemEntitiesWindow::showOver(m_workbench, this); },
                                   [this] { preview(); }, [this] { save(); },
                                   [this] { reject(); }});
    layout->addLayout(buttons);
    m_number->setFixedWidth(80);
    m_editMode->setFixedWidth(100);
    ComposerLook::showReadOnly(*m_editMode);

    // Reading order for the keyboard: the sentence, the terms, the
    // attributes, Comments, then the buttons.
    QList<QWidget *> order{m_preamble};
    for (QLineEdit *cell : std::as_const(m_cells))
        order << cell;
    for (QPushButton *pushButton : std::as_const(m_termButtons))
        order << pushButton;
    for (QComboBox *chooser : std::as_const(m_termLists))
        order << chooser;
    order << m_attributes->paragraph() << m_attributes->category() << m_attributes->priority()
          << m_attributes->release() << m_number << m_attributes->comments() << m_preview
          << m_findings->sentenceView() << m_findings->findingList() << m_findings->applyButton()
          << m_findings->acceptButton();
    for (QPushButton *pushButton : m_buttonRow->buttons())
        order << pushButton;
    for (int k = 1; k < order.size(); ++k)
        setTabOrder(order[k - 1], order[k]);

    auto *saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &RequirementBuilderDialog::save);

    if (number >= 1) {
        const QString connection = workbench.app().requirementsConnectionName();
        Result<FunctionalDraft> stored =
            StoredRequirementLoader::functional(connection, number, edit);
        Result<language::StoredBuilderRequirement> cells =
            StoredRequirementLoader::builderCells(connection, number, edit);
        if (stored && cells) {
            cells->version = stored->loadedVersion;
            cells->firstVersion = stored->loadedFirstVersion;
            static_cast<DraftAttributes &>(m_loaded) = stored.value();
            if (Outcome loaded = m_builder.loadStored(cells.value()); !loaded)
                workbench.showMessage(loaded);
            else
                m_number->setText(QString::number(number));
        } else {
            workbench.showMessage(stored ? cells.outcome() : stored.outcome());
        }
        if (m_builder.requirementNumber() < 0)
            m_loaded.forgetLoaded();
    }
    m_attributes->show(m_loaded);
    showBuilder();
    m_typed = false;
    m_restingAttributes = m_attributes->shown();

    const QString systemName = workbench.app().systemName();
    const auto checked = [this, systemName] {
        return quality::SentenceSpans::functional(systemName,
                                                  FunctionalDraft::fromBuilder(m_builder));
    };
    m_findings->watch(m_preamble);
    for (QLineEdit *cell : std::as_const(m_cells))
        m_findings->watch(cell);
    m_findings->setSource(checked);
    m_findings->setFields([this] {
        QList<QWidget *> fields;
        for (QLineEdit *cell : std::as_const(m_cells))
            fields.append(cell);
        return fields;
    });
    if (m_loaded.isEditing())
        m_findings->setStoredRequirement(number, checked().sentence);
}

RequirementBuilderDialog::~RequirementBuilderDialog()
{
    SystemEntitiesWindow::closeShown();
}

QWidget *RequirementBuilderDialog::makeCell(int position)
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    auto *caption = new QLabel(box);
    auto *cell = new QLineEdit(box);
    cell->setObjectName(QStringLiteral("cell%1").arg(position));
    cell->setMaxLength(RequirementBuilder::MaxCellLength);
    caption->setBuddy(cell);
    if (position == 0)
        cell->setToolTip(TermVocabulary::description(TermControl::WhoWhatField));
    if (position == 1)
        cell->setToolTip(TermVocabulary::description(TermControl::DoWhatField));
    if (position <= 1)
        ComposerLook::paintRed(*caption);
    connect(cell, &QLineEdit::textEdited, this, [this, position](const QString &text) {
        m_builder.setCellText(position, text);
        m_typed = true;
    });
    column->addWidget(caption);
    column->addWidget(cell);
    m_captions.append(caption);
    m_cells.append(cell);
    return box;
}

QWidget *RequirementBuilderDialog::makeGrid()
{
    auto *area = new QWidget(this);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *preambleBox = new QWidget(area);
    auto *preambleColumn = new QVBoxLayout(preambleBox);
    preambleColumn->setContentsMargins(0, 0, 0, 0);
    preambleColumn->setSpacing(1);
    auto *shall = new QLabel(QStringLiteral("&shall"), preambleBox);
    shall->setBuddy(m_preamble);
    ComposerLook::paintRed(*shall);
    m_preamble->setObjectName(QStringLiteral("preamble"));
    m_preamble->setAccessibleName(QStringLiteral("shall"));
    for (int position = 0; position < TermVocabulary::PreambleCount; ++position)
        m_preamble->addItem(TermVocabulary::preambleEntry(position));
    m_preamble->setToolTip(TermVocabulary::description(TermControl::PreambleList));
    // A new preamble starts the grid again: typed text is not lost unasked.
    connect(m_preamble, &QComboBox::activated, this, [this](int position) {
        if (hasUnsavedText() &&
            !m_workbench.presenter().askYesNo(
                this, windowTitle(),
                Tr::tr("Start the requirement again with this preamble? The text you "
                       "typed will be lost."))) {
            const QSignalBlocker blocker(m_preamble);
            m_preamble->setCurrentIndex(m_builder.preamblePosition());
            return;
        }
        choosePreamble(position);
        m_typed = false;
    });
    preambleColumn->addWidget(shall);
    preambleColumn->addWidget(m_preamble);
    grid->addWidget(preambleBox, 0, 0, 1, 2);
    for (int position = 0; position < kMaxTerms; ++position) {
        QWidget *cellBox = makeCell(position);
        if (position < kFirstRowCells) {
            grid->addWidget(cellBox, 0, 2 + position);
        } else {
            const int index = position - kFirstRowCells;
            grid->addWidget(cellBox, 1 + index / kCellsPerRow, index % kCellsPerRow);
        }
    }
    for (int column = 0; column < kCellsPerRow; ++column) {
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, 130);
    }
    return area;
}

QWidget *RequirementBuilderDialog::makeTermControls()
{
    auto *area = new QWidget(this);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    for (const TermButtonInfo &info : kTermButtons) {
        auto *pushButton = new QPushButton(QString::fromUtf8(info.text), area);
        pushButton->setToolTip(TermVocabulary::description(info.tooltip));
        pushButton->setAutoDefault(false);
        const TermButton button = info.button;
        connect(pushButton, &QPushButton::clicked, this, [this, button] { appendButton(button); });
        grid->addWidget(pushButton, 0, column++);
        m_termButtons.append(pushButton);
    }
    column = 0;
    for (const TermList list : kTermLists) {
        auto *box = new QWidget(area);
        auto *stack = new QVBoxLayout(box);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->setSpacing(1);
        auto *chooser = new QComboBox(box);
        const QString title = TermVocabulary::listTitle(list);
        auto *label = new QLabel(title, box);
        label->setBuddy(chooser);
        chooser->setAccessibleName(title);
        chooser->setToolTip(TermVocabulary::description(listTooltip(list)));
        for (int position = 0; position < TermVocabulary::entryCount(list); ++position)
            chooser->addItem(TermVocabulary::entry(list, position));
        chooser->setCurrentIndex(-1);
        connect(chooser, &QComboBox::activated, this,
                [this, list](int position) { appendListEntry(list, position); });
        stack->addWidget(label);
        stack->addWidget(chooser);
        grid->addWidget(box, 1, column++);
        m_termLists.append(chooser);
    }
    return area;
}

QPushButton *RequirementBuilderDialog::button(const QString &text) const
{
    return m_buttonRow->button(text);
}

QPushButton *RequirementBuilderDialog::termButton(TermButton button) const
{
    for (std::size_t k = 0; k < std::size(kTermButtons); ++k) {
        if (kTermButtons[k].button == button)
            return m_termButtons.value(int(k));
    }
    return nullptr;
}

QComboBox *RequirementBuilderDialog::termList(TermList list) const
{
    for (std::size_t k = 0; k < std::size(kTermLists); ++k) {
        if (kTermLists[k] == list)
            return m_termLists.value(int(k));
    }
    return nullptr;
}

void RequirementBuilderDialog::appendButton(TermButton button)
{
    afterAppend(m_builder.appendButton(button));
}

void RequirementBuilderDialog::appendListEntry(TermList list, int position)
{
    QComboBox *chooser = termList(list);
    chooser->setEnabled(false);
    afterAppend(m_builder.appendListEntry(list, position));
    chooser->setEnabled(m_builder.termControlsEnabled());
}

void RequirementBuilderDialog::afterAppend(const Result<language::AppendedTerm> &appended)
{
    if (!appended) {
        m_workbench.showMessage(appended.outcome());
        return;
    }
    if (!appended->notice.isEmpty())
        m_workbench.showMessage(Outcome::refused(appended->notice, MessageKind::Information));
    m_typed = true;
    showBuilder();
    preview();
}

void RequirementBuilderDialog::choosePreamble(int position)
{
    if (Outcome chosen = m_builder.choosePreamble(position); !chosen)
        m_workbench.showMessage(chosen);
    for (QComboBox *chooser : std::as_const(m_termLists))
        chooser->setCurrentIndex(-1);
    forgetLoaded();
    showBuilder();
}

void RequirementBuilderDialog::forgetLoaded()
{
    m_loaded.forgetLoaded();
    m_number->clear();
}

void RequirementBuilderDialog::showBuilder()
{
    {
        const QSignalBlocker blocker(m_preamble);
        m_preamble->setCurrentIndex(m_builder.preamblePosition());
    }
    for (int position = 0; position < kMaxTerms; ++position) {
        const language::BuilderCell &state = m_builder.cell(position);
        QLineEdit *cell = m_cells[position];
        m_captions[position]->setText(state.caption);
        // A cell without its term yet is named by its place.
        cell->setAccessibleName(state.caption.isEmpty() ? Tr::tr("Term %1").arg(position + 1)
                                                        : state.caption);
        if (cell->text() != state.text)
            cell->setText(state.text);
        cell->setEnabled(state.enabled);
        // Every cell that holds a term takes typing, and looks it.
        ComposerLook::paintBase(*cell, state.enabled ? QColor(Qt::white) : kBackground);
    }
    const bool termsEnabled = m_builder.termControlsEnabled();
    for (QPushButton *pushButton : std::as_const(m_termButtons))
        pushButton->setEnabled(termsEnabled);
    for (QComboBox *chooser : std::as_const(m_termLists))
        chooser->setEnabled(termsEnabled);
    m_editMode->setText(m_loaded.isEditing() ? Tr::tr(kEditMode) : QString());
    if (QLineEdit *focus = m_cells.value(m_builder.focusCell()))
        focus->setFocus();
}

void RequirementBuilderDialog::preview()
{
    m_preview->setPlainText(m_builder.sentence(m_workbench.app().systemName()));
}

void RequirementBuilderDialog::seeExample()
{
    const QString connection = m_workbench.app().applicationConnectionName();
    Result<language::StoredBuilderRequirement> example =
        StoredRequirementLoader::builderCells(connection, kExampleNumber, false);
    if (!example) {
        m_workbench.showMessage(Outcome::refused(Tr::tr("Cannot open VarnSet recordset.\n")));
        return;
    }
    if (Outcome loaded = m_builder.loadExample(example.value()); !loaded) {
        m_workbench.showMessage(loaded);
        return;
    }
    for (QComboBox *chooser : std::as_const(m_termLists))
        chooser->setCurrentIndex(-1);
    forgetLoaded();
    showBuilder();
    m_typed = false;
}

bool RequirementBuilderDialog::hasUnsavedText() const
{
    if (!m_typed)
        return false;
    for (const QLineEdit *cell : m_cells) {
        if (!cell->text().isEmpty())
            return true;
    }
    return false;
}

bool RequirementBuilderDialog::clear()
{
    if (!ComposerGuard::mayDiscard(m_workbench, *this, hasUnsavedText(),
                                   ComposerGuard::clearQuestion()))
        return false;
    choosePreamble(0);
    m_typed = false;
    return true;
}

void RequirementBuilderDialog::save()
{
    if (!ComposerGuard::mayStartSave(m_workbench, *this, m_saved))
        return;
    app::CVarnApp &application = m_workbench.app();
    FunctionalDraft draft = FunctionalDraft::fromBuilder(m_builder);
    static_cast<DraftAttributes &>(draft) = m_loaded;
    m_attributes->takeInto(draft);
    setEnabled(false);
    const CommitResult result =
        FunctionalCommit(*application.records(), application.systemName()).save(draft);
    setEnabled(true);
    if (!ComposerGuard::finishSave(m_workbench, *this, m_saved, *m_number, result)) {
        if (QLineEdit *cell = m_cells.value(result.focusField)) {
            cell->setFocus();
            if (result.selectField)
                cell->selectAll();
        }
        return;
    }
    m_loaded = draft;
    m_editMode->setText(m_loaded.isEditing() ? Tr::tr(kEditMode) : QString());
    m_typed = false;
    m_restingAttributes = m_attributes->shown();
    preview(); // the sentence saved, whatever was previewed before
}

void RequirementBuilderDialog::reject()
{
    const bool attributesTyped = m_attributes->shown() != m_restingAttributes;
    if (ComposerGuard::mayClose(m_workbench, *this, hasUnsavedText() || attributesTyped))
        QDialog::reject();
}

void RequirementBuilderDialog::keyPressEvent(QKeyEvent *event)
{
    if (!ComposerGuard::handleEnter(*this, *event, [this] { preview(); }))
        QDialog::keyPressEvent(event);
}

} // namespace varn::templates
