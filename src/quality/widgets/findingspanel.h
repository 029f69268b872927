#pragma once

#include "quality/checkedsentence.h"
#include "quality/finding.h"
#include "store/qualitytables.h"

#include <QElapsedTimer>
#include <QList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace varn::app {
class Workbench;
}

namespace varn::quality {

class SentenceChecker;

// What a composer shows under its Preview: the sentence being typed with the
// words at fault underlined (the message as their tooltip), and the findings
// listed below it. A click on a suggestion (or Enter on a finding, or Apply
// Suggestion) puts it into the field its words came from. The rules are the
// workspace's (its switched-off rules and added words); a stored
// requirement's accepted findings stay hidden while its sentence is as
// stored, and a finding can be accepted there with a reason.
class FindingsPanel : public QWidget
{
    Q_OBJECT

public:
    // How long typing must pause before the sentence is checked again.
    static constexpr int kPauseMs = 25;

    FindingsPanel(app::Workbench &workbench, QWidget *parent = nullptr);
    ~FindingsPanel() override;

    // The sentence as the composer would save it now.
    void setSource(std::function<CheckedSentence()> source);
    // The composer's fields that hold the user's words, in the sentence's
    // order: where a suggestion goes.
    void setFields(std::function<QList<QWidget *>()> fields);
    // Checks again soon after the input changes (text, list, choice).
    void watch(QWidget *input);
    // The stored requirement the composer edits (0 for none), and its
    // sentence as stored: its accepted findings apply while the sentence is
    // that one.
    void setStoredRequirement(qint32 number, const QString &storedSentence);

    void refreshSoon();
    void refreshNow();
    bool refreshPending() const;

    const QList<Finding> &findings() const { return m_shown; }
    const CheckedSentence &checked() const { return m_checked; }
    // Puts the suggestion of the listed finding into its field; false (with
    // the reason in the status line) when it has none or its words are in
    // no field the user types.
    bool applySuggestion(int row);
    // Asks for the reason and accepts the listed finding on the stored
    // requirement.
    void askToAccept(int row);

    QTextEdit *sentenceView() const { return m_sentence; }
    QTreeWidget *findingList() const { return m_list; }
    QPushButton *applyButton() const { return m_apply; }
    QPushButton *acceptButton() const { return m_accept; }
    QLabel *statusLine() const { return m_status; }

    // Columns of the finding list.
    enum Column { RuleColumn, WordsColumn, MessageColumn, SuggestionColumn };

signals:
    // The findings on screen are those of the input as it now stands.
    void refreshed();

private:
    void readWorkspaceRules();
    void show(const CheckedSentence &sentence, const QList<Finding> &findings);
    void updateButtons();
    bool acceptsHere() const;
    void accept(int row, const QString &reason);

    app::Workbench &m_workbench;
    std::unique_ptr<SentenceChecker> m_checker;
    QList<store::QualityAcceptanceRow> m_acceptances;
    std::function<CheckedSentence()> m_source;
    std::function<QList<QWidget *>()> m_fields;
    qint32 m_storedNumber = 0;
    QString m_storedSentence;
    CheckedSentence m_checked;
    QList<Finding> m_shown;
    QTimer *m_pause;
    QTextEdit *m_sentence;
    QTreeWidget *m_list;
    QPushButton *m_apply;
    QPushButton *m_accept;
    QLabel *m_status;
};

} // namespace varn::quality
