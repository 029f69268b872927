#pragma once

#include "app/widgets/buttonset.h"
#include "change/suspectlinks.h"

#include <QDialog>
#include <QList>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

namespace varn::app {
class Workbench;
}

namespace varn::central {

class RequirementPickTable;

// Edit > Parent-Dependent Relationships: pick a parent, edit the numbers of
// the requirements that depend on it, and save them in one go. The links of
// the selected requirement that a change made suspect are listed with that
// change (its words removed and added), and Reviewed clears one.
class ParentDependentDialog : public QDialog
{
    Q_OBJECT

public:
    // With a number, that requirement is the parent when it is listed.
    ParentDependentDialog(app::Workbench &workbench, int parent = 0,
                          QWidget *parentWidget = nullptr);

    RequirementPickTable *parents() const { return m_parents; }
    RequirementPickTable *candidates() const { return m_candidates; }
    QListWidget *dependents() const { return m_dependents; }
    QLineEdit *statusLine() const { return m_status; }
    QPlainTextEdit *parentSentence() const { return m_parentSentence; }
    QPlainTextEdit *candidateSentence() const { return m_candidateSentence; }
    QListWidget *suspects() const { return m_suspects; }
    QTextBrowser *suspectChange() const { return m_suspectChange; }
    QPushButton *button(const QString &text) const;

    void selectParent();
    void showAll();
    void addDependents();
    void removeDependent();
    void removeAll();
    void save();
    // Clears the selected suspect link, its change reviewed.
    void markReviewed();

private:
    QPushButton *addButton(const QString &text, const QString &tooltip);
    void fill(RequirementPickTable *table, bool dependentsOfParent);
    QList<int> listedDependents() const;
    void listSuspects();
    void showSuspectChange();

    app::Workbench &m_workbench;
    QString m_connection;
    RequirementPickTable *m_parents;
    RequirementPickTable *m_candidates;
    QPlainTextEdit *m_parentSentence;
    QPlainTextEdit *m_candidateSentence;
    QListWidget *m_dependents;
    QLineEdit *m_status;
    QListWidget *m_suspects;
    QTextBrowser *m_suspectChange;
    QList<change::SuspectEntry> m_suspectEntries;
    app::ButtonSet m_buttons;
};

} // namespace varn::central
