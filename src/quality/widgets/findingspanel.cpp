#include "quality/widgets/findingspanel.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "quality/qualitytr.h"
#include "quality/rulebook.h"
#include "quality/sentencechecker.h"
#include "quality/suggestionedit.h"
#include "quality/widgets/acceptfindingdialog.h"
#include "quality/workspacequality.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace varn::quality {

namespace {

const QColor kSystemWords(110, 110, 110);

QString textOf(const QWidget *field)
{
    if (auto *box = qobject_cast<const QLineEdit *>(field))
        return box->text();
    if (auto *list = qobject_cast<const QComboBox *>(field))
        return list->currentText();
    if (auto *text = qobject_cast<const QPlainTextEdit *>(field))
        return text->toPlainText();
    return {};
}

// Puts the text in as typing would, so the composer hears of it as of any
// edit (and Undo takes it back).
bool replaceText(QWidget *field, const QString &text)
{
    QLineEdit *box = qobject_cast<QLineEdit *>(field);
    if (auto *list = qobject_cast<QComboBox *>(field))
        box = list->lineEdit();
    if (box) {
        box->setFocus();
        box->selectAll();
        box->insert(text);
        return true;
    }
    if (auto *edit = qobject_cast<QPlainTextEdit *>(field)) {
        edit->setFocus();
        QTextCursor cursor = edit->textCursor();
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
        edit->setTextCursor(cursor);
        return true;
    }
    return false;
}

QString suggestionText(const Finding &finding)
{
    if (!finding.suggestion)
        return {};
    if (finding.suggestion->isEmpty())
        return Tr::tr("Remove \"%1\"").arg(finding.words);
    return *finding.suggestion;
}

} // namespace

FindingsPanel::FindingsPanel(app::Workbench &workbench, QWidget *parent)
    : QWidget(parent), m_workbench(workbench), m_pause(new QTimer(this)),
      m_sentence(new QTextEdit(this)), m_list(new QTreeWidget(this)),
      m_apply(new QPushButton(Tr::tr("Appl&y Suggestion"), this)),
      m_accept(new QPushButton(Tr::tr("Accept &Finding..."), this)), m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("findingsPanel"));
    m_pause->setSingleShot(true);
    m_pause->setInterval(kPauseMs);
    connect(m_pause, &QTimer::timeout, this, &FindingsPanel::refreshNow);

    m_sentence->setObjectName(QStringLiteral("checkedSentence"));
    m_sentence->setReadOnly(true);
    m_sentence->setTabChangesFocus(true);
    m_sentence->setAccessibleName(Tr::tr("Checked sentence"));
    m_sentence->setToolTip(Tr::tr("The sentence as the quality checks read it: the words at "
                                  "fault are underlined"));
    m_sentence->setFixedHeight(m_sentence->fontMetrics().lineSpacing() * 3 + 10);

    m_list->setObjectName(QStringLiteral("findingList"));
    m_list->setAccessibleName(Tr::tr("Findings"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setColumnCount(4);
    m_list->setHeaderLabels(
        {Tr::tr("Rule"), Tr::tr("Words"), Tr::tr("Message"), Tr::tr("Suggestion")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(MessageColumn, QHeaderView::Stretch);
    m_list->setColumnWidth(RuleColumn, 150);
    m_list->setColumnWidth(WordsColumn, 110);
    m_list->setColumnWidth(SuggestionColumn, 170);
    m_list->setFixedHeight(m_list->fontMetrics().lineSpacing() * 5 + 30);
    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item, int column) {
        if (column == SuggestionColumn)
            applySuggestion(m_list->indexOfTopLevelItem(item));
    });
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item, int) {
        applySuggestion(m_list->indexOfTopLevelItem(item));
    });
    connect(m_list, &QTreeWidget::currentItemChanged, this, &FindingsPanel::updateButtons);

    m_apply->setObjectName(QStringLiteral("applySuggestion"));
    m_apply->setAccessibleName(Tr::tr("Apply Suggestion"));
    m_apply->setToolTip(Tr::tr("Puts the suggested words into the field they came from"));
    m_apply->setAutoDefault(false);
    connect(m_apply, &QPushButton::clicked, this,
            [this] { applySuggestion(m_list->indexOfTopLevelItem(m_list->currentItem())); });
    m_accept->setObjectName(QStringLiteral("acceptFinding"));
    m_accept->setAccessibleName(Tr::tr("Accept Finding..."));
    m_accept->setToolTip(Tr::tr("Accepts the finding on the stored requirement, with a reason; "
                                "it is not shown again unless the requirement changes"));
    m_accept->setAutoDefault(false);
    connect(m_accept, &QPushButton::clicked, this,
            [this] { askToAccept(m_list->indexOfTopLevelItem(m_list->currentItem())); });
    m_status->setObjectName(QStringLiteral("findingStatus"));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *findingsLabel = new QLabel(Tr::tr("Findings"), this);
    findingsLabel->setBuddy(m_list);
    layout->addWidget(findingsLabel, 0, 0);
    layout->addWidget(m_status, 0, 1, 1, 3);
    layout->addWidget(m_sentence, 1, 0, 1, 4);
    layout->addWidget(m_list, 2, 0, 1, 4);
    layout->addWidget(m_apply, 3, 2);
    layout->addWidget(m_accept, 3, 3);
    layout->setColumnStretch(1, 1);
    setTabOrder(m_sentence, m_list);
    setTabOrder(m_list, m_apply);
    setTabOrder(m_apply, m_accept);

    readWorkspaceRules();
    updateButtons();
}

FindingsPanel::~FindingsPanel() = default;

void FindingsPanel::readWorkspaceRules()
{
    const QString connection = m_workbench.app().requirementsConnectionName();
    // A workspace without the quality tables (one opened only to read, made
    // before them) is checked with the program's rules.
    Result<RuleSettings> settings = WorkspaceQuality::readSettings(connection);
    m_checker = std::make_unique<SentenceChecker>(settings ? settings.value() : RuleSettings{});
    Result<QList<store::QualityAcceptanceRow>> accepted =
        store::QualityTables(connection).acceptances();
    m_acceptances = accepted ? accepted.value() : QList<store::QualityAcceptanceRow>{};
}

void FindingsPanel::setSource(std::function<CheckedSentence()> source)
{
    m_source = std::move(source);
    refreshSoon();
}

void FindingsPanel::setFields(std::function<QList<QWidget *>()> fields)
{
    m_fields = std::move(fields);
}

void FindingsPanel::watch(QWidget *input)
{
    if (auto *box = qobject_cast<QLineEdit *>(input)) {
        connect(box, &QLineEdit::textChanged, this, &FindingsPanel::refreshSoon);
    } else if (auto *list = qobject_cast<QComboBox *>(input)) {
        connect(list, &QComboBox::currentTextChanged, this, &FindingsPanel::refreshSoon);
        connect(list, &QComboBox::editTextChanged, this, &FindingsPanel::refreshSoon);
    } else if (auto *text = qobject_cast<QPlainTextEdit *>(input)) {
        connect(text, &QPlainTextEdit::textChanged, this, &FindingsPanel::refreshSoon);
    } else if (auto *button = qobject_cast<QAbstractButton *>(input)) {
        connect(button, &QAbstractButton::toggled, this, &FindingsPanel::refreshSoon);
    } else if (auto *view = qobject_cast<QAbstractItemView *>(input); view && view->model()) {
        QAbstractItemModel *model = view->model();
        connect(model, &QAbstractItemModel::rowsInserted, this, &FindingsPanel::refreshSoon);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &FindingsPanel::refreshSoon);
        connect(model, &QAbstractItemModel::dataChanged, this, &FindingsPanel::refreshSoon);
        connect(model, &QAbstractItemModel::modelReset, this, &FindingsPanel::refreshSoon);
    }
}

void FindingsPanel::setStoredRequirement(qint32 number, const QString &storedSentence)
{
    m_storedNumber = number;
    m_storedSentence = storedSentence;
    refreshSoon();
}

void FindingsPanel::refreshSoon()
{
    m_pause->start();
}

bool FindingsPanel::refreshPending() const
{
    return m_pause->isActive();
}

bool FindingsPanel::acceptsHere() const
{
    return m_storedNumber > 0 && !m_checked.sentence.isEmpty() &&
           m_checked.sentence == m_storedSentence;
}

void FindingsPanel::refreshNow()
{
    m_pause->stop();
    const CheckedSentence sentence = m_source ? m_source() : CheckedSentence{};
    m_checked = sentence;
    QList<Finding> findings =
        sentence.sentence.isEmpty() ? QList<Finding>{} : m_checker->check(sentence);
    if (acceptsHere()) {
        findings.removeIf([this](const Finding &finding) {
            return std::any_of(m_acceptances.cbegin(), m_acceptances.cend(),
                               [&](const store::QualityAcceptanceRow &row) {
                                   return row.number == m_storedNumber &&
                                          row.rule == finding.rule && row.words == finding.words;
                               });
        });
    }
    show(sentence, findings);
    emit refreshed();
}

void FindingsPanel::show(const CheckedSentence &sentence, const QList<Finding> &findings)
{
    const int kept = std::max(0, m_list->indexOfTopLevelItem(m_list->currentItem()));
    m_shown = findings;
    m_sentence->setPlainText(sentence.sentence);
    QTextCursor cursor(m_sentence->document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat system;
    system.setForeground(kSystemWords);
    cursor.mergeCharFormat(system);
    QTextCharFormat user;
    user.setForeground(m_sentence->palette().color(QPalette::Text));
    for (const UserSpan &span : sentence.spans) {
        cursor.setPosition(span.start);
        cursor.setPosition(span.end(), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(user);
    }
    for (const Finding &finding : findings) {
        QTextCharFormat fault;
        fault.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        fault.setUnderlineColor(Qt::red);
        fault.setToolTip(finding.message);
        cursor.setPosition(finding.start);
        cursor.setPosition(finding.start + finding.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(fault);
    }

    m_list->clear();
    for (const Finding &finding : findings) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(RuleColumn, RuleBook::title(finding.rule));
        item->setText(WordsColumn, finding.words);
        item->setText(MessageColumn, finding.message);
        item->setText(SuggestionColumn, suggestionText(finding));
        for (int column = 0; column < m_list->columnCount(); ++column)
            item->setToolTip(column, finding.message);
        if (finding.suggestion) {
            item->setToolTip(SuggestionColumn, Tr::tr("Click to apply the suggestion"));
            QFont link = m_list->font();
            link.setUnderline(true);
            item->setFont(SuggestionColumn, link);
            item->setForeground(SuggestionColumn, m_list->palette().color(QPalette::Link));
        }
    }
    if (!findings.isEmpty())
        m_list->setCurrentItem(m_list->topLevelItem(std::min(kept, int(findings.size()) - 1)));
    if (sentence.sentence.isEmpty())
        m_status->setText(Tr::tr("Nothing to check yet."));
    else if (findings.isEmpty())
        m_status->setText(Tr::tr("No findings."));
    else
        m_status->setText(Tr::tr("%n finding(s).", nullptr, int(findings.size())));
    updateButtons();
}

void FindingsPanel::updateButtons()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    const bool chosen = row >= 0 && row < m_shown.size();
    m_apply->setEnabled(chosen && m_shown[row].suggestion.has_value());
    m_accept->setEnabled(chosen && acceptsHere() && !m_workbench.app().isReadOnly());
}

bool FindingsPanel::applySuggestion(int row)
{
    if (row < 0 || row >= m_shown.size())
        return false;
    const Finding finding = m_shown[row];
    if (!finding.suggestion) {
        m_status->setText(Tr::tr("This finding has no suggestion: rewrite the words yourself."));
        return false;
    }
    const QList<QWidget *> fields = m_fields ? m_fields() : QList<QWidget *>{};
    QStringList texts;
    for (const QWidget *field : fields)
        texts.append(textOf(field));
    const std::optional<FieldEdit> edit = SuggestionEdit::locate(m_checked, finding, texts);
    if (!edit ||
        !replaceText(fields[edit->field], SuggestionEdit::applied(texts[edit->field], *edit))) {
        m_status->setText(
            Tr::tr("\"%1\" is not in a field you type: change it where it was chosen.")
                .arg(finding.words));
        return false;
    }
    refreshNow();
    return true;
}

void FindingsPanel::askToAccept(int row)
{
    if (row < 0 || row >= m_shown.size() || !acceptsHere())
        return;
    AcceptFindingDialog dialog(m_storedNumber, m_shown[row], this);
    if (m_workbench.presenter().runDialog(dialog) == QDialog::Accepted)
        accept(row, dialog.reason());
}

void FindingsPanel::accept(int row, const QString &reason)
{
    if (row < 0 || row >= m_shown.size())
        return;
    const Finding finding = m_shown[row];
    const WorkspaceQuality quality(m_workbench.app().requirementsConnectionName());
    Result<int> accepted = quality.accept(m_storedNumber, finding.rule, reason, finding.words);
    if (!accepted) {
        m_workbench.showMessage(accepted.outcome());
        return;
    }
    readWorkspaceRules();
    refreshNow();
}

} // namespace varn::quality
