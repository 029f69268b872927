#include "templates/widgets/functionaltemplatedialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "quality/sentencespans.h"
#include "quality/widgets/findingspanel.h"
#include "templates/functionalcommit.h"
#include "templates/storedrequirementloader.h"
#include "templates/templatestr.h"
#include "templates/widgets/composerlook.h"
#include "templates/widgets/draftattributecontrols.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringListModel>

namespace varn::templates {

namespace {

constexpr int kCellsPerRow = 6;
constexpr int kWhoWhat = 0;
constexpr int kDoWhat = 1;

} // namespace

FunctionalTemplateDialog::FunctionalTemplateDialog(app::Workbench &workbench, int templateNumber,
                                                   int number, bool edit, const QString &workText,
                                                   QWidget *parent)
    : TemplateDialogFrame(workbench, TemplateForm(templateNumber).title(), workText, parent),
      m_form(templateNumber), m_draft(FunctionalDraft::forTemplate(templateNumber)),
      m_preamble(new QComboBox(this))
{
    app::CVarnApp &application = workbench.app();
    sentenceHead()->setText(TemplateForm::sentenceHead(application.systemName()));
    auto *sentence = new QWidget(this);
    buildSentence(sentence);
    placeSentence(sentence, QList<QWidget *>{m_preamble} + m_fields);

    if (number >= 1) {
        Result<FunctionalDraft> stored = StoredRequirementLoader::functional(
            application.requirementsConnectionName(), number, edit);
        if (stored && stored->source == templateNumber)
            m_draft = stored.takeValue();
        else
            workbench.showMessage(
                stored ? Outcome::warning(Tr::tr("Error querying the Requirements database."))
                       : stored.outcome());
    }
    showDraft();
    if (m_draft.loadedNumber >= 1)
        numberBox()->setText(QString::number(m_draft.loadedNumber));
    settleOpened();
    watchForFindings(number, edit);
}

void FunctionalTemplateDialog::watchForFindings(int number, bool edit)
{
    quality::FindingsPanel *findings = findingsPanel();
    const QString systemName = workbench().app().systemName();
    findings->setSource([this, systemName] {
        return quality::SentenceSpans::functional(systemName, currentDraft());
    });
    findings->setFields([this] { return m_fields; });
    if (edit && m_draft.loadedNumber >= 1 && m_draft.loadedNumber == number)
        findings->setStoredRequirement(
            number, quality::SentenceSpans::functional(systemName, currentDraft()).sentence);
}

FunctionalDraft FunctionalTemplateDialog::currentDraft() const
{
    FunctionalDraft draft = m_draft;
    draft.preamble = m_preamble->currentText();
    for (int k = 0; k < m_fields.size(); ++k)
        draft.setField(k, fieldText(k));
    return draft;
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
    m_preamble->setToolTip(Tr::tr("Preamble; specifies usage"));
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
            QComboBox *list = nullptr;
            if (control.kind == FieldKind::Entity) {
                list = entityList(sentence);
            } else {
                list = editableList(sentence);
                list->addItems(TemplateCatalogue::itemTexts(control.list));
                list->setCurrentIndex(-1);
            }
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

void FunctionalTemplateDialog::setFieldText(int field, const QString &text)
{
    putText(fieldControl(field), text);
}

QString FunctionalTemplateDialog::fieldText(int field) const
{
    return textIn(fieldControl(field));
}

void FunctionalTemplateDialog::showDraft()
{
    attributes()->show(m_draft);
    const QSignalBlocker blocker(m_preamble);
    m_preamble->setCurrentIndex(m_draft.preamblePosition());
    for (int k = 0; k < m_fields.size(); ++k)
        setFieldText(k, m_draft.fields.value(k).text);
    showEditMode(m_draft.isEditing());
    applyPreambleRule();
}

void FunctionalTemplateDialog::takeDraft()
{
    attributes()->takeInto(m_draft);
    m_draft = currentDraft();
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
    previewArea()->setPlainText(TemplateForm::preview(workbench().app().systemName(), m_draft));
}

void FunctionalTemplateDialog::seeExample()
{
    const QString connection = workbench().app().applicationConnectionName();
    Result<FunctionalDraft> example =
        StoredRequirementLoader::functional(connection, m_form.exampleNumber(), false);
    takeDraft();
    if (example)
        TemplateForm::takeExample(m_draft, example.value());
    else
        m_draft.forgetLoaded(); // without the example the fields stay as they are
    showDraft();
    numberBox()->clear();
    setUntyped();
}

bool FunctionalTemplateDialog::hasUnsavedText() const
{
    if (!typed())
        return false;
    for (int k = 0; k < m_fields.size(); ++k) {
        if (!fieldText(k).isEmpty())
            return true;
    }
    return false;
}

bool FunctionalTemplateDialog::clear()
{
    if (!mayClear())
        return false;
    takeDraft();
    TemplateForm::clearFields(m_draft);
    showDraft();
    numberBox()->clear();
    setUntyped();
    return true;
}

void FunctionalTemplateDialog::focusField(int field, bool select)
{
    focusOn(fieldControl(field), select);
}

void FunctionalTemplateDialog::save()
{
    if (!mayStartSave())
        return;
    takeDraft();
    app::CVarnApp &application = workbench().app();
    setEnabled(false);
    const CommitResult result =
        FunctionalCommit(*application.records(), application.systemName()).save(m_draft);
    setEnabled(true);
    if (!finishSave(result, m_draft.isEditing()))
        focusField(result.focusField, result.selectField);
}

} // namespace varn::templates
