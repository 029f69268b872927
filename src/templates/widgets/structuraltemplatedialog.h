#pragma once

#include "templates/structuraldraft.h"
#include "templates/widgets/templatedialogframe.h"

#include <QMap>

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QListWidget;
class QTableWidget;

namespace varn::templates {

// The dialog of a structural template, 19 to 22: Attribute, Composition,
// Entity/Type and Message Definition, each with its own sentence controls
// inside the frame every template shares, saved through the structural
// commit. Opened new, or on a stored requirement to edit or re-use it.
class StructuralTemplateDialog : public TemplateDialogFrame
{
    Q_OBJECT

public:
    // A number below 1 opens a new requirement.
    StructuralTemplateDialog(app::Workbench &workbench, int templateNumber, int number = -1,
                             bool edit = false, const QString &workText = {},
                             QWidget *parent = nullptr);

    void save() override;
    void preview() override;
    void seeExample() override;
    bool clear() override;

    int templateNumber() const { return m_draft.source; }
    // The control of a part of the sentence; nullptr when the template has
    // none. The radio buttons of a choice are reached through choice().
    QWidget *control(StructuralControl which) const { return m_controls.value(which); }
    QButtonGroup *choice(StructuralControl which) const { return m_choices.value(which); }
    QListWidget *valuesList() const { return m_values; }
    QTableWidget *fieldsTable() const { return m_fieldsTable; }
    // Puts text into a text or list control as the user would.
    void setControlText(StructuralControl which, const QString &text);
    // Add (19) and ">" (22), Delete (19) and "<" (22).
    void addValue();
    void removeValue();

protected:
    bool hasUnsavedText() const override;

private:
    using Control = StructuralControl;

    void buildAttributeDefinition(QWidget *sentence);
    void buildCompositionDefinition(QWidget *sentence);
    void buildEntityDefinition(QWidget *sentence);
    void buildMessageDefinition(QWidget *sentence);
    void addTypedEntityOpening(QGridLayout *grid, QWidget *sentence);
    static void addUnderLabel(QGridLayout *grid, int row, int column, const QString &label,
                              QWidget *control);

    QLineEdit *textField(Control which, QWidget *parent);
    QComboBox *entityField(Control which, QWidget *parent);
    QComboBox *fixedList(Control which, const QStringList &items, QWidget *parent);
    QButtonGroup *radioChoice(Control which, const QStringList &texts, QWidget *box);
    QWidget *valueButtons(const QString &add, const QString &remove, QWidget *parent);
    QListWidget *valuesBox(const QString &name, QWidget *parent);
    void buildFieldsTable(QWidget *parent);

    void chooseValueGroup(int group);
    void applyValueGroup();
    void showDraft();
    void takeDraft();
    // The draft as the controls show it now.
    StructuralDraft currentDraft() const;
    void watchForFindings(int number, bool edit);
    void showMessageFields();
    void focusControl(int which, bool select);
    QString controlText(Control which) const;

    StructuralDraft m_draft;
    QMap<Control, QWidget *> m_controls;
    QMap<Control, QButtonGroup *> m_choices;
    QList<QWidget *> m_order;
    QListWidget *m_values = nullptr;
    QList<QWidget *> m_valueButtons;
    QGroupBox *m_dataTypeGroup = nullptr;
    QTableWidget *m_fieldsTable = nullptr;
};

} // namespace varn::templates
