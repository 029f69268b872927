#include "quality/widgets/qualityoptionsdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "common/requirementlimits.h"
#include "quality/qualitytr.h"
#include "quality/rulebook.h"
#include "store/qualitytables.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace varn::quality {

namespace {

constexpr int kRuleId = Qt::UserRole + 1;

QLabel *labelFor(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

} // namespace

QualityOptionsDialog::QualityOptionsDialog(app::Workbench &workbench, QWidget *parent)
    : QDialog(parent), m_workbench(workbench), m_rules(new QListWidget(this)),
      m_words(new QListWidget(this)), m_word(new QLineEdit(this)),
      m_add(new QPushButton(Tr::tr("&Add"), this)),
      m_remove(new QPushButton(Tr::tr("&Remove"), this)), m_note(new QLabel(this))
{
    setWindowTitle(Tr::tr("Quality Options"));
    setObjectName(QStringLiteral("qualityOptionsDialog"));
    m_rules->setObjectName(QStringLiteral("rules"));
    m_words->setObjectName(QStringLiteral("addedWords"));
    m_word->setObjectName(QStringLiteral("word"));
    m_word->setMaxLength(kLongestField);
    m_add->setAccessibleName(Tr::tr("Add"));
    m_remove->setAccessibleName(Tr::tr("Remove"));
    for (QPushButton *button : {m_add, m_remove})
        button->setAutoDefault(false);
    m_rules->setToolTip(Tr::tr("A rule whose box is cleared is not checked in this workspace"));
    m_words->setToolTip(Tr::tr("Words this workspace added to the rule's list"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(labelFor(Tr::tr("R&ules:"), m_rules, this), 0, 0);
    grid->addWidget(m_rules, 1, 0, 4, 1);
    m_wordsLabel = labelFor(Tr::tr("A&dded words:"), m_words, this);
    grid->addWidget(m_wordsLabel, 0, 1, 1, 2);
    grid->addWidget(m_words, 1, 1, 1, 2);
    grid->addWidget(labelFor(Tr::tr("&Word:"), m_word, this), 2, 1, 1, 2);
    grid->addWidget(m_word, 3, 1, 1, 2);
    grid->addWidget(m_add, 4, 1);
    grid->addWidget(m_remove, 4, 2);
    m_note->setWordWrap(true);
    grid->addWidget(m_note, 5, 0, 1, 3);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Tr::tr("Close"));
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(Tr::tr("Close"));
    grid->addWidget(buttons, 6, 0, 1, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_rules, &QListWidget::currentRowChanged, this, &QualityOptionsDialog::showWords);
    connect(m_rules, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_filling)
            switchRule(m_rules->row(item), item->checkState() == Qt::Checked);
    });
    connect(m_words, &QListWidget::currentRowChanged, this, &QualityOptionsDialog::updateButtons);
    connect(m_word, &QLineEdit::textChanged, this, &QualityOptionsDialog::updateButtons);
    connect(m_word, &QLineEdit::returnPressed, this, &QualityOptionsDialog::addWord);
    connect(m_add, &QPushButton::clicked, this, &QualityOptionsDialog::addWord);
    connect(m_remove, &QPushButton::clicked, this, &QualityOptionsDialog::removeWord);

    readSettings();
    m_rules->setCurrentRow(0);
    resize(620, 420);
}

void QualityOptionsDialog::readSettings()
{
    const store::QualityTables tables(m_workbench.app().requirementsConnectionName());
    const Result<QStringList> off = tables.switchedOffRules();
    if (!off)
        m_workbench.showMessage(off.outcome());
    m_filling = true;
    m_rules->clear();
    for (const RuleInfo &rule : RuleBook::rules()) {
        const QString id = QLatin1String(rule.id);
        auto *item = new QListWidgetItem(Tr::tr("%1 [%2]").arg(RuleBook::title(id), id), m_rules);
        item->setData(kRuleId, id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(off && off->contains(id) ? Qt::Unchecked : Qt::Checked);
        item->setToolTip(rule.kind == RuleKind::Set ? Tr::tr("Over the live requirements together")
                                                    : Tr::tr("Over each sentence's own words"));
    }
    m_filling = false;
    const bool writable = !m_workbench.app().isReadOnly() && off;
    m_rules->setEnabled(bool(off));
    if (!writable) {
        m_note->setText(Tr::tr("The workspace is open only to read: its settings cannot be "
                               "changed."));
        for (QWidget *control : {static_cast<QWidget *>(m_word), static_cast<QWidget *>(m_add),
                                 static_cast<QWidget *>(m_remove)})
            control->setEnabled(false);
        m_rules->setEnabled(false);
    }
}

QString QualityOptionsDialog::currentRule() const
{
    const QListWidgetItem *item = m_rules->currentItem();
    return item ? item->data(kRuleId).toString() : QString();
}

void QualityOptionsDialog::selectRule(const QString &id)
{
    for (int row = 0; row < m_rules->count(); ++row) {
        if (m_rules->item(row)->data(kRuleId).toString() == id)
            m_rules->setCurrentRow(row);
    }
}

void QualityOptionsDialog::showWords()
{
    m_words->clear();
    const QString id = currentRule();
    const RuleInfo *rule = RuleBook::rule(id);
    const bool takesWords = rule && rule->takesWords;
    m_wordsLabel->setText(takesWords ? Tr::tr("A&dded words of %1:").arg(RuleBook::title(id))
                                     : Tr::tr("A&dded words: this rule takes none"));
    m_words->setAccessibleName(QString(m_wordsLabel->text()).remove(QLatin1Char('&')));
    if (takesWords) {
        const Result<QList<store::QualityWordRow>> words =
            store::QualityTables(m_workbench.app().requirementsConnectionName()).addedWords();
        if (!words) {
            m_workbench.showMessage(words.outcome());
        } else {
            for (const store::QualityWordRow &row : words.value()) {
                if (row.rule == id)
                    m_words->addItem(row.word);
            }
        }
    }
    updateButtons();
}

void QualityOptionsDialog::updateButtons()
{
    const RuleInfo *rule = RuleBook::rule(currentRule());
    const bool writable = !m_workbench.app().isReadOnly() && m_rules->isEnabled();
    const bool takesWords = writable && rule && rule->takesWords;
    m_word->setEnabled(takesWords);
    m_add->setEnabled(takesWords && !m_word->text().trimmed().isEmpty());
    m_remove->setEnabled(takesWords && m_words->currentItem());
}

void QualityOptionsDialog::switchRule(int row, bool on)
{
    QListWidgetItem *item = m_rules->item(row);
    if (!item)
        return;
    const Outcome stored = store::QualityTables(m_workbench.app().requirementsConnectionName())
                               .setSwitchedOff(item->data(kRuleId).toString(), !on);
    if (!stored) {
        m_workbench.showMessage(stored);
        m_filling = true;
        item->setCheckState(on ? Qt::Unchecked : Qt::Checked);
        m_filling = false;
        return;
    }
    m_changed = true;
}

void QualityOptionsDialog::addWord()
{
    const QString word = m_word->text().simplified();
    if (word.isEmpty() || !m_add->isEnabled())
        return;
    const Outcome stored = store::QualityTables(m_workbench.app().requirementsConnectionName())
                               .addWord(currentRule(), word);
    if (!stored) {
        m_workbench.showMessage(stored);
        return;
    }
    m_changed = true;
    m_word->clear();
    showWords();
    const QList<QListWidgetItem *> added = m_words->findItems(word, Qt::MatchFixedString);
    if (!added.isEmpty())
        m_words->setCurrentItem(added.first());
    m_word->setFocus();
}

void QualityOptionsDialog::removeWord()
{
    const QListWidgetItem *item = m_words->currentItem();
    if (!item)
        return;
    const Result<bool> removed =
        store::QualityTables(m_workbench.app().requirementsConnectionName())
            .removeWord(currentRule(), item->text());
    if (!removed) {
        m_workbench.showMessage(removed.outcome());
        return;
    }
    m_changed = true;
    showWords();
}

} // namespace varn::quality
