#pragma once

#include "templates/functionaldraft.h"
#include "templates/templateform.h"

#include "templates/widgets/savedcomposition.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStringListModel;

namespace varn::app {
class Workbench;
}

namespace varn::templates {

class DraftAttributeControls;

// The dialog of every functional template, 1 to 18: the sentence of the
// template's catalogue entry broken into its labelled fields, with the Work
// Area, the attributes, the preview and Save through the functional commit.
// Opened new, or on a stored requirement to edit or re-use it.
class FunctionalTemplateDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kLongestField = 50;
    static constexpr int kLongestWorkText = 254;

    // A number below 1 opens a new requirement.
    FunctionalTemplateDialog(app::Workbench &workbench, int templateNumber, int number = -1,
                             bool edit = false, const QString &workText = {},
                             QWidget *parent = nullptr);
    ~FunctionalTemplateDialog() override;

    void save();
    void preview();
    void seeExample();
    // Asks first when typed text would be lost; false when the user keeps it.
    bool clear();
    void showSystemEntities();

    const TemplateForm &form() const { return m_form; }
    // The control of a FUNC_REQ column: a QLineEdit or a QComboBox.
    QWidget *fieldControl(int field) const { return m_fields.value(field); }
    QLabel *fieldLabel(int field) const { return m_labels.value(field); }
    QComboBox *preambleList() const { return m_preamble; }
    QPlainTextEdit *workArea() const { return m_workArea; }
    QPlainTextEdit *previewArea() const { return m_preview; }
    DraftAttributeControls *attributes() const { return m_attributes; }
    QLineEdit *numberBox() const { return m_number; }
    QLineEdit *editModeBox() const { return m_editMode; }
    QLabel *sentenceHead() const { return m_head; }
    QPushButton *button(const QString &text) const;
    // Puts text into a field as the user would, a list's shown text included.
    void setFieldText(int field, const QString &text);
    QString fieldText(int field) const;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildSentence(QWidget *sentence);
    void addButtons(QLayout *row);
    void fillEntityNames();
    void showDraft();
    void takeDraft();
    void applyPreambleRule();
    bool hasUnsavedText() const;
    void markTyped() { m_typed = true; }
    void focusField(int field, bool select);

    app::Workbench &m_workbench;
    TemplateForm m_form;
    FunctionalDraft m_draft;
    bool m_typed = false;
    SavedComposition m_saved;
    QStringListModel *m_entityNames;
    DraftAttributeControls *m_attributes;
    QPlainTextEdit *m_workArea;
    QLabel *m_head;
    QComboBox *m_preamble;
    QList<QWidget *> m_fields;
    QList<QLabel *> m_labels;
    QPlainTextEdit *m_preview;
    QLineEdit *m_number;
    QLineEdit *m_editMode;
    QList<QPushButton *> m_buttons;
};

} // namespace varn::templates
