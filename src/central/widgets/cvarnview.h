#pragma once

#include "central/recordnavigation.h"
#include "central/requirementchangelistener.h"
#include "central/requirementscentral.h"
#include "common/outcome.h"

#include <QWidget>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;
class QTableView;
class QHBoxLayout;

namespace varn::app {
class RequirementColumn;
}

namespace varn::central {

class AddedColumnsModel;

// Requirements Central: the query controls, the list of requirements and
// the box with the sentence of one requirement. It shows no window of its
// own: messages, and the Edit, Delete and Re-use commands of other
// subsystems, leave it as signals.
class CVarnView : public QWidget
{
    Q_OBJECT

public:
    enum class RowCommand { Edit, Delete, Reuse, Trace };

    explicit CVarnView(const QString &connectionName, QWidget *parent = nullptr);

    // Reads the display settings, fills the entity list and lists All; on a
    // team workspace the list then follows the saves of other users.
    void openOnWorkspace();
    bool followsOtherUsers() const { return m_otherUsers.isListening(); }

    RequirementsCentral &central() { return m_central; }
    const RequirementsCentral &central() const { return m_central; }
    QTableView *list() const { return m_list; }
    // The selected list row, or -1.
    int selectedRow() const;
    void selectRow(int row);
    QString sentence() const;

    // The colour painted: the stored choice, or Sky Blue when that is none
    // of the three.
    int paintedColour() const;
    // The width the list gives a column.
    int columnWidth(const ColumnInfo &column) const;
    void setRowCommandAvailable(RowCommand command, bool available);
    // A column another feature adds after the list's own (the view takes
    // it), and a query it adds beside the kinds of requirement.
    void addColumn(app::RequirementColumn *column);
    QRadioButton *addQuery(const QString &label, const QString &toolTip,
                           RequirementsCentral::NumberSource numbers);

public slots:
    void moveRecord(varn::central::RecordMove move);
    void toggleColumn(int flag);
    void chooseColour(int choice);
    void seeRequirement();
    // Lists the current query again (after requirements were stored).
    void runAgain();
    // Lists the last query again for what other users saved, keeping the
    // selected requirement and the place the list is scrolled to.
    void showChangesOfOthers();

signals:
    void message(const varn::Outcome &outcome);
    void rowCommandRequested(varn::central::CVarnView::RowCommand command, int requirementNumber);
    // Column flags or colour changed.
    void settingsChanged();
    void backgroundColourChanged(int choice);
    void listChanged(int requirementCount);
    void selectedRowChanged(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildQueryGroup();
    QWidget *buildTypeGroup();
    void buildList();
    void connectControls();
    void report(const Outcome &outcome);
    void runType(QueryKind kind);
    void runByNumber();
    void runByParagraph();
    void runByEntity();
    void runByText();
    void runByTemplate(int position);
    void runByVersion();
    void sortByColumn(int column);
    void afterQuery(const Outcome &outcome);
    void fillEntityList();
    void applyColumnLayout();
    // The Requirement column takes the width the other columns leave.
    void widenRequirementColumn();
    // The sentence box shows the selected row's sentence, or nothing.
    void showSelectedSentence();
    // A query that ran leaves only its own field filled, so the form never
    // suggests a combined filter.
    void clearFieldsBut(QueryKind kind);
    void paint(int choice);
    FieldTexts fieldTexts() const;
    void requestRowCommand(RowCommand command);

    RequirementsCentral m_central;
    RequirementChangeListener m_otherUsers;
    QList<QRadioButton *> m_typeButtons;
    QHBoxLayout *m_typeRow = nullptr;
    QList<QRadioButton *> m_addedQueries;
    QRadioButton *m_listedBy = nullptr; // the added query that listed last
    QComboBox *m_entity;
    // The entity names the drop-down offers: a plain list, however long.
    QStringListModel *m_entityNames;
    QPushButton *m_entityGo;
    QPushButton *m_byVersion;
    QComboBox *m_template;
    QLineEdit *m_number;
    QPushButton *m_numberGo;
    QLineEdit *m_paragraph;
    QPushButton *m_paragraphGo;
    QLineEdit *m_words;
    QPushButton *m_wordsGo;
    QPushButton *m_see;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_reuse;
    QPushButton *m_trace;
    QTableView *m_list;
    QPlainTextEdit *m_sentence;
    AddedColumnsModel *m_shown;
};

} // namespace varn::central
