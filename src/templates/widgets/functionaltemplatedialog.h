#pragma once

#include "templates/functionaldraft.h"
#include "templates/templateform.h"

#include "templates/widgets/templatedialogframe.h"

#include <QList>

namespace varn::templates {

// The dialog of every functional template, 1 to 18: the sentence of the
// template's catalogue entry broken into its labelled fields, with the Work
// Area, the attributes, the preview and Save through the functional commit.
// Opened new, or on a stored requirement to edit or re-use it.
class FunctionalTemplateDialog : public TemplateDialogFrame
{
    Q_OBJECT

public:
    // A number below 1 opens a new requirement.
    FunctionalTemplateDialog(app::Workbench &workbench, int templateNumber, int number = -1,
                             bool edit = false, const QString &workText = {},
                             QWidget *parent = nullptr);

    void save() override;
    void preview() override;
    void seeExample() override;
    bool clear() override;

    const TemplateForm &form() const { return m_form; }
    // The control of a FUNC_REQ column: a QLineEdit or a QComboBox.
    QWidget *fieldControl(int field) const { return m_fields.value(field); }
    QLabel *fieldLabel(int field) const { return m_labels.value(field); }
    QComboBox *preambleList() const { return m_preamble; }
    // Puts text into a field as the user would, a list's shown text included.
    void setFieldText(int field, const QString &text);
    QString fieldText(int field) const;

protected:
    bool hasUnsavedText() const override;

private:
    void buildSentence(QWidget *sentence);
    void showDraft();
    void takeDraft();
    // The draft as the controls show it now.
    FunctionalDraft currentDraft() const;
    void watchForFindings(int number, bool edit);
    void applyPreambleRule();
    void focusField(int field, bool select);

    TemplateForm m_form;
    FunctionalDraft m_draft;
    QComboBox *m_preamble;
    QList<QWidget *> m_fields;
    QList<QLabel *> m_labels;
};

} // namespace varn::templates
