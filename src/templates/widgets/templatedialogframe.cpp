#include "templates/widgets/templatedialogframe.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "quality/widgets/findingspanel.h"
#include "templates/entitynamelist.h"
#include "templates/templatestr.h"
#include "templates/widgets/composerbuttonrow.h"
#include "templates/widgets/composerguard.h"
#include "templates/widgets/composerlook.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/systementitieswindow.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varn::templates {

namespace {

constexpr char kEditMode[] = QT_TRANSLATE_NOOP("varn::templates", "EDIT MODE");

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

} // namespace

TemplateDialogFrame::TemplateDialogFrame(app::Workbench &workbench, const QString &title,
                                         const QString &workText, QWidget *parent)
    : QDialog(parent), m_workbench(workbench), m_entityNames(new QStringListModel(this)),
      m_attributes(new DraftAttributeControls(this)), m_workArea(new QPlainTextEdit(this)),
      m_head(new QLabel(this)), m_sentenceSlot(new QVBoxLayout),
      m_preview(new QPlainTextEdit(this)), m_findings(new quality::FindingsPanel(workbench, this)),
      m_number(readOnlyBox(this, "requirementNumber", Tr::tr("Requirement #:"))),
      m_editMode(readOnlyBox(this, "editMode", Tr::tr("Edit mode")))
{
    setWindowTitle(title);
    if (!ComposerLook::paintBackground(*this, workbench.backgroundColour()))
        workbench.showMessage(Outcome::refused(Tr::tr("Error applying color scheme.")));

    m_workArea->setObjectName(QStringLiteral("workArea"));
    m_workArea->setTabChangesFocus(true);
    m_workArea->setPlainText(workText.left(kLongestWorkText));
    DraftAttributeControls::limitLength(m_workArea, kLongestWorkText);
    m_head->setObjectName(QStringLiteral("sentenceHead"));
    m_preview->setObjectName(QStringLiteral("previewArea"));
    m_preview->setReadOnly(true);
    m_preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview->setTabChangesFocus(true);
    m_preview->setAccessibleName(Tr::tr("Preview Area"));
    ComposerLook::paintBase(*m_preview, ComposerLook::paleYellow());
    ComposerLook::showReadOnly(*m_editMode);
    m_number->setFixedWidth(80);
    m_editMode->setFixedWidth(100);

    auto *layout = new QVBoxLayout(this);
    auto *workLabel = new QLabel(Tr::tr("&Work Area"), this);
    workLabel->setBuddy(m_workArea);
    m_workArea->setAccessibleName(Tr::tr("Work Area"));
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
    labelled(Tr::tr("&Paragraph:"), m_attributes->paragraph());
    labelled(Tr::tr("C&ategory:"), m_attributes->category());
    labelled(Tr::tr("Pr&iority:"), m_attributes->priority());
    labelled(Tr::tr("R&elease:"), m_attributes->release());
    attributes->addStretch();
    layout->addLayout(attributes);

    layout->addWidget(m_head);
    layout->addLayout(m_sentenceSlot);

    auto *commentsLabel = new QLabel(Tr::tr("C&omments:"), this);
    commentsLabel->setBuddy(m_attributes->comments());
    m_attributes->comments()->setAccessibleName(Tr::tr("Comments:"));
    layout->addWidget(commentsLabel);
    layout->addWidget(m_attributes->comments(), 1);
    auto *previewLabel = new QLabel(Tr::tr("Pre&view Area"), this);
    previewLabel->setBuddy(m_preview);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_findings);

    auto *numberRow = new QHBoxLayout;
    auto *numberLabel = new QLabel(Tr::tr("Requirement #:"), this);
    numberLabel->setBuddy(m_number);
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(m_number);
    numberRow->addWidget(m_editMode);
    numberRow->addStretch();
    layout->addLayout(numberRow);
    auto *buttons = new QHBoxLayout;
    m_buttonRow = std::make_unique<ComposerButtonRow>(
        this, buttons,
        ComposerButtonRow::Actions{[this] { seeExample(); }, [this] { clear(); },
                                   [this] { showSystemEntities(); }, [this] { preview(); },
                                   [this] { save(); }, [this] { reject(); }});
    layout->addLayout(buttons);

    // Reading order for the keyboard: the Work Area, the attributes, the
    // sentence, Comments, then the buttons.
    m_leadingOrder = {m_workArea, m_attributes->paragraph(), m_attributes->category(),
                      m_attributes->priority(), m_attributes->release()};
    m_trailingOrder = {m_attributes->comments(),
                       m_preview,
                       m_findings->sentenceView(),
                       m_findings->findingList(),
                       m_findings->applyButton(),
                       m_findings->acceptButton(),
                       m_number};
    for (QPushButton *pushButton : m_buttonRow->buttons())
        m_trailingOrder << pushButton;

    auto *saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, [this] { save(); });
    fillEntityNames();
}

TemplateDialogFrame::~TemplateDialogFrame()
{
    SystemEntitiesWindow::closeShown();
}

void TemplateDialogFrame::placeSentence(QWidget *sentence, const QList<QWidget *> &order)
{
    m_sentenceSlot->addWidget(sentence);
    for (QWidget *control : order)
        m_findings->watch(control);
    const QList<QWidget *> all = m_leadingOrder + order + m_trailingOrder;
    for (int k = 1; k < all.size(); ++k)
        setTabOrder(all[k - 1], all[k]);
}

QPushButton *TemplateDialogFrame::button(const QString &text) const
{
    return m_buttonRow->button(text);
}

void TemplateDialogFrame::fillEntityNames()
{
    Result<QStringList> names =
        EntityNameList::read(m_workbench.app().requirementsConnectionName());
    if (!names) {
        m_workbench.showMessage(names.outcome());
        return;
    }
    m_entityNames->setStringList(names.value());
}

void TemplateDialogFrame::focusOn(QWidget *control, bool select)
{
    if (!control)
        return;
    control->setFocus();
    if (!select)
        return;
    if (auto *box = qobject_cast<QLineEdit *>(control))
        box->selectAll();
    else if (auto *list = qobject_cast<QComboBox *>(control); list && list->isEditable())
        list->lineEdit()->selectAll();
}

void TemplateDialogFrame::putText(QWidget *control, const QString &text) const
{
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        box->setText(text);
        box->setCursorPosition(0); // a long name shows its start
    } else if (auto *list = qobject_cast<QComboBox *>(control)) {
        const int position = text.isEmpty() ? -1 : list->findText(text, Qt::MatchExactly);
        list->setCurrentIndex(position);
        if (list->isEditable() &&
            (position < 0 || list->model() == static_cast<QAbstractItemModel *>(entityNames())))
            list->setEditText(text);
        if (list->isEditable())
            list->lineEdit()->setCursorPosition(0);
    }
}

QString TemplateDialogFrame::textIn(const QWidget *control)
{
    if (auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    if (auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentIndex() < 0 && !list->isEditable() ? QString() : list->currentText();
    return {};
}

QLabel *TemplateDialogFrame::smallLabel(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    label->setBuddy(control);
    nameControl(control, withoutMnemonic(text));
    return label;
}

void TemplateDialogFrame::nameControl(QWidget *control, const QString &name)
{
    control->setAccessibleName(name);
    // A screen reader meets an editable list's own line edit as a control
    // of its own.
    if (auto *list = qobject_cast<QComboBox *>(control); list && list->lineEdit())
        list->lineEdit()->setAccessibleName(name);
}

QComboBox *TemplateDialogFrame::editableList(QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(12);
    list->lineEdit()->setMaxLength(kLongestField);
    return list;
}

QComboBox *TemplateDialogFrame::entityList(QWidget *parent)
{
    QComboBox *list = editableList(parent);
    list->setModel(m_entityNames);
    list->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    list->completer()->setFilterMode(Qt::MatchStartsWith);
    list->setCurrentIndex(-1);
    return list;
}

void TemplateDialogFrame::showEditMode(bool editing)
{
    m_editMode->setText(editing ? Tr::tr(kEditMode) : QString());
}

bool TemplateDialogFrame::mayClear()
{
    return ComposerGuard::mayDiscard(m_workbench, *this, hasUnsavedText(),
                                     ComposerGuard::clearQuestion());
}

bool TemplateDialogFrame::mayStartSave()
{
    return ComposerGuard::mayStartSave(m_workbench, *this, m_saved);
}

bool TemplateDialogFrame::finishSave(const CommitResult &result, bool editing)
{
    if (!ComposerGuard::finishSave(m_workbench, *this, m_saved, *m_number, result))
        return false;
    showEditMode(editing);
    m_typed = false;
    m_restingAttributes = m_attributes->shown();
    preview(); // the sentence saved, whatever was previewed before
    return true;
}

void TemplateDialogFrame::settleOpened()
{
    setUntyped();
    m_restingAttributes = m_attributes->shown();
}

void TemplateDialogFrame::showSystemEntities()
{
    SystemEntitiesWindow::showOver(m_workbench, this);
}

void TemplateDialogFrame::reject()
{
    const bool attributesTyped = m_attributes->shown() != m_restingAttributes;
    if (ComposerGuard::mayClose(m_workbench, *this, hasUnsavedText() || attributesTyped))
        QDialog::reject();
}

void TemplateDialogFrame::keyPressEvent(QKeyEvent *event)
{
    if (!ComposerGuard::handleEnter(*this, *event, [this] { preview(); }))
        QDialog::keyPressEvent(event);
}

} // namespace varn::templates
