#pragma once

#include "language/requirementbuilder.h"
#include "templates/draftattributes.h"

#include "templates/widgets/savedcomposition.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace varn::app {
class Workbench;
}
namespace varn::quality {
class FindingsPanel;
}

namespace varn::templates {

class ComposerButtonRow;
class DraftAttributeControls;

// "Requirement Builder": a functional requirement composed term by term from
// nine buttons and eight word lists into a grid of 28 cells, each term
// checked by the grammar as it is appended; saved as template 0. Opened new,
// or on a stored Builder requirement to edit or re-use it.
class RequirementBuilderDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kExampleNumber = 73; // FUNC_REQ row of the application database

    // A number below 1 opens a new requirement.
    RequirementBuilderDialog(app::Workbench &workbench, int number = -1, bool edit = false,
                             QWidget *parent = nullptr);
    ~RequirementBuilderDialog() override;

    void appendButton(language::TermButton button);
    void appendListEntry(language::TermList list, int position);
    void choosePreamble(int position);
    void save();
    void preview();
    void seeExample();
    // Asks first when typed text would be lost; false when the user keeps it.
    bool clear();

    const language::RequirementBuilder &builder() const { return m_builder; }
    QLineEdit *cell(int position) const { return m_cells.value(position); }
    QLabel *caption(int position) const { return m_captions.value(position); }
    QPushButton *termButton(language::TermButton button) const;
    QComboBox *termList(language::TermList list) const;
    QComboBox *preambleList() const { return m_preamble; }
    QPlainTextEdit *previewArea() const { return m_preview; }
    // The findings of the quality checks on the sentence, under the Preview.
    quality::FindingsPanel *findingsPanel() const { return m_findings; }
    QLineEdit *numberBox() const { return m_number; }
    QLineEdit *editModeBox() const { return m_editMode; }
    DraftAttributeControls *attributes() const { return m_attributes; }
    QPushButton *button(const QString &text) const;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *makeTermControls();
    QWidget *makeGrid();
    QWidget *makeCell(int position);
    void afterAppend(const Result<language::AppendedTerm> &appended);
    void showBuilder();
    void forgetLoaded();
    bool hasUnsavedText() const;

    app::Workbench &m_workbench;
    language::RequirementBuilder m_builder;
    DraftAttributes m_loaded;        // the stored requirement and its attributes
    QStringList m_restingAttributes; // the attributes as opened or last saved
    bool m_typed = false;
    SavedComposition m_saved;
    DraftAttributeControls *m_attributes;
    QComboBox *m_preamble;
    QList<QPushButton *> m_termButtons;
    QList<QComboBox *> m_termLists;
    QList<QLabel *> m_captions;
    QList<QLineEdit *> m_cells;
    QPlainTextEdit *m_preview;
    quality::FindingsPanel *m_findings;
    QLineEdit *m_number;
    QLineEdit *m_editMode;
    std::unique_ptr<ComposerButtonRow> m_buttonRow;
};

} // namespace varn::templates
