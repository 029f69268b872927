#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace varn::app {
class Workbench;
}

namespace varn::quality {

// Quality Options...: the workspace's quality settings, kept in its
// database. Each rule can be switched off (its check box), and a word or
// phrase added to the list of a rule that takes words. Every change is
// stored as it is made.
class QualityOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit QualityOptionsDialog(app::Workbench &workbench, QWidget *parent = nullptr);

    QListWidget *ruleList() const { return m_rules; }
    QListWidget *wordList() const { return m_words; }
    QLineEdit *wordEdit() const { return m_word; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *removeButton() const { return m_remove; }
    // Whether anything was changed while the dialog was open.
    bool changed() const { return m_changed; }

    void selectRule(const QString &id);
    void addWord();
    void removeWord();

private:
    void readSettings();
    QString currentRule() const;
    void showWords();
    void switchRule(int row, bool on);
    void updateButtons();

    app::Workbench &m_workbench;
    bool m_changed = false;
    bool m_filling = false;
    QListWidget *m_rules;
    QLabel *m_wordsLabel;
    QListWidget *m_words;
    QLineEdit *m_word;
    QPushButton *m_add;
    QPushButton *m_remove;
    QLabel *m_note;
};

} // namespace varn::quality
