#include "templates/widgets/technicalcomposerdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "quality/sentencespans.h"
#include "quality/widgets/findingspanel.h"
#include "templates/technicalcommit.h"
#include "templates/templatestr.h"
#include "templates/widgets/composerguard.h"
#include "templates/widgets/composerlook.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/savedcomposition.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace varn::templates {

namespace {

constexpr char kEditMode[] = QT_TRANSLATE_NOOP("varn::templates", "EDIT MODE");

QLineEdit *readOnlyBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

TechnicalComposerDialog::TechnicalComposerDialog(app::Workbench &workbench, int number, bool edit,
                                                 QWidget *parent)
    : QDialog(parent), m_workbench(workbench), m_attributes(new DraftAttributeControls(this)),
      m_head(new QLabel(TechnicalCommit::sentenceHead(workbench.app().systemName()), this)),
      m_text(new QPlainTextEdit(this)), m_findings(new quality::FindingsPanel(workbench, this)),
      m_number(readOnlyBox(this, "requirementNumber")), m_editMode(readOnlyBox(this, "editMode")),
      m_clear(new QPushButton(Tr::tr("Clear"), this)),
      m_save(new QPushButton(Tr::tr("Save"), this)), m_saved(std::make_unique<SavedComposition>())
{
    setWindowTitle(Tr::tr("Compose Technical Requirement"));
    m_text->setObjectName(QStringLiteral("requirementText"));
    m_text->setTabChangesFocus(true);
    DraftAttributeControls::limitLength(m_text, kLongestText);
    ComposerLook::showReadOnly(*m_editMode);
    m_number->setFixedWidth(80);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_clear, QDialogButtonBox::ResetRole);
    buttons->addButton(m_save, QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(Tr::tr("Close"), QDialogButtonBox::RejectRole);
    m_clear->setToolTip(Tr::tr("Clears all template fields"));
    m_save->setToolTip(Tr::tr("Validates and commits requirement to database"));
    close->setToolTip(Tr::tr("Closes dialog without saving changes"));
    // No default button: Enter in a one-line field neither clears nor saves.
    for (QPushButton *pushButton : {m_clear, m_save, close})
        pushButton->setAutoDefault(false);
    connect(m_clear, &QPushButton::clicked, this, &TechnicalComposerDialog::clear);
    connect(m_save, &QPushButton::clicked, this, &TechnicalComposerDialog::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &TechnicalComposerDialog::save);

    auto *grid = new QGridLayout(this);
    const auto labelled = [this, grid](int row, int column, const QString &text, QWidget *control) {
        auto *label = new QLabel(text, this);
        label->setBuddy(control);
        control->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        grid->addWidget(label, row, column);
        grid->addWidget(control, row, column + 1);
    };
    labelled(0, 0, Tr::tr("&Paragraph:"), m_attributes->paragraph());
    labelled(0, 2, Tr::tr("C&ategory:"), m_attributes->category());
    labelled(0, 4, Tr::tr("Pr&iority:"), m_attributes->priority());
    labelled(0, 6, Tr::tr("R&elease:"), m_attributes->release());
    // The text goes on where the sentence head ends.
    m_head->setBuddy(m_text);
    m_text->setAccessibleName(m_head->text());
    grid->addWidget(m_head, 1, 0, 1, 8);
    grid->addWidget(m_text, 2, 0, 1, 8);
    grid->addWidget(m_findings, 3, 0, 1, 8);
    auto *commentsLabel = new QLabel(Tr::tr("C&omments:"), this);
    commentsLabel->setBuddy(m_attributes->comments());
    m_attributes->comments()->setAccessibleName(Tr::tr("Comments:"));
    grid->addWidget(commentsLabel, 4, 0, 1, 8);
    grid->addWidget(m_attributes->comments(), 5, 0, 1, 8);
    labelled(6, 0, Tr::tr("Requirement #:"), m_number);
    m_editMode->setAccessibleName(Tr::tr("Edit mode"));
    grid->addWidget(m_editMode, 6, 2, 1, 2);
    grid->addWidget(buttons, 7, 0, 1, 8);
    grid->setRowStretch(2, 2);
    grid->setRowStretch(5, 1);
    resize(620, 560);

    if (number >= 1) {
        Result<TechnicalDraft> stored =
            TechnicalDraft::stored(workbench.app().requirementsConnectionName(), number, edit);
        if (stored)
            m_draft = stored.takeValue();
        else
            m_workbench.showMessage(stored.outcome());
    }
    showDraft();
    m_text->setFocus();
    m_untouched = SavedComposition::contentsOf(*this);
    m_restingAttributes = m_attributes->shown();

    const QString systemName = workbench.app().systemName();
    m_findings->watch(m_text);
    m_findings->setSource([this, systemName] {
        return quality::SentenceSpans::technical(systemName, m_text->toPlainText());
    });
    m_findings->setFields([this] { return QList<QWidget *>{m_text}; });
    if (m_draft.isEditing())
        m_findings->setStoredRequirement(
            number, quality::SentenceSpans::technical(systemName, m_draft.text).sentence);
}

TechnicalComposerDialog::~TechnicalComposerDialog() = default;

bool TechnicalComposerDialog::hasUnsavedText() const
{
    // Clear keeps the attributes, so those typed before it still count.
    return (!m_text->toPlainText().isEmpty() &&
            SavedComposition::contentsOf(*this) != m_untouched) ||
           m_attributes->shown() != m_restingAttributes;
}

void TechnicalComposerDialog::reject()
{
    if (!ComposerGuard::mayDiscard(m_workbench, *this, hasUnsavedText(),
                                   ComposerGuard::closeQuestion()))
        return;
    QDialog::reject();
}

void TechnicalComposerDialog::showDraft()
{
    m_attributes->show(m_draft);
    m_text->setPlainText(m_draft.text);
    m_editMode->setText(m_draft.isEditing() ? Tr::tr(kEditMode) : QString());
}

void TechnicalComposerDialog::clear()
{
    m_attributes->takeInto(m_draft);
    m_draft.clear();
    showDraft();
    m_text->setFocus();
    m_saved->forget();
    m_untouched = SavedComposition::contentsOf(*this);
}

void TechnicalComposerDialog::save()
{
    app::CVarnApp &application = m_workbench.app();
    if (!application.records())
        return;
    if (const qint32 number = m_saved->savedNumber(*this); number > 0) {
        m_workbench.showMessage(Outcome::warning(SavedComposition::alreadySavedText(number)));
        return;
    }
    m_attributes->takeInto(m_draft);
    m_draft.text = m_text->toPlainText();
    const CommitResult result =
        TechnicalCommit(*application.records(), application.systemName()).save(m_draft);
    if (!result.outcome) {
        m_workbench.showMessage(result.outcome);
        if (result.focusField == TechnicalCommit::kTextField)
            m_text->setFocus();
        return;
    }
    m_number->setText(QString::number(result.number));
    if (result.versionRetired)
        application.setRequirementsChanged(true);
    m_editMode->setText(m_draft.isEditing() ? Tr::tr(kEditMode) : QString());
    m_saved->remember(*this, result.number);
    m_untouched = SavedComposition::contentsOf(*this);
    m_restingAttributes = m_attributes->shown();
    m_workbench.announceRequirementsStored();
}

} // namespace varn::templates
