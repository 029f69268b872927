#pragma once

#include "templates/commitresult.h"
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
class QStringListModel;
class QVBoxLayout;

namespace varn::app {
class Workbench;
}
namespace varn::quality {
class FindingsPanel;
}

namespace varn::templates {

class ComposerButtonRow;
class DraftAttributeControls;

// What every template dialog has around its sentence: the Work Area, the
// attributes, the sentence head, Comments, the Preview Area, the Requirement
// # and edit-mode boxes and the six buttons, with Enter previewing, Ctrl+S
// saving and a question before typed text is lost. A template places its own
// sentence controls and does its own Preview, See Example, Clear and Save.
class TemplateDialogFrame : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kLongestField = 50;
    static constexpr int kLongestWorkText = 254;

    ~TemplateDialogFrame() override;

    virtual void save() = 0;
    virtual void preview() = 0;
    virtual void seeExample() = 0;
    // Asks first when typed text would be lost; false when the user keeps it.
    virtual bool clear() = 0;
    void showSystemEntities();

    QPlainTextEdit *workArea() const { return m_workArea; }
    QPlainTextEdit *previewArea() const { return m_preview; }
    DraftAttributeControls *attributes() const { return m_attributes; }
    QLineEdit *numberBox() const { return m_number; }
    QLineEdit *editModeBox() const { return m_editMode; }
    QLabel *sentenceHead() const { return m_head; }
    QPushButton *button(const QString &text) const;
    // The findings of the quality checks on what is typed, under the Preview.
    quality::FindingsPanel *findingsPanel() const { return m_findings; }

public slots:
    void reject() override;

protected:
    TemplateDialogFrame(app::Workbench &workbench, const QString &title, const QString &workText,
                        QWidget *parent);

    // Puts the template's sentence under the head; the order is the keyboard's
    // through its controls, whose changes the findings follow.
    void placeSentence(QWidget *sentence, const QList<QWidget *> &order);
    void keyPressEvent(QKeyEvent *event) override;
    virtual bool hasUnsavedText() const = 0;

    app::Workbench &workbench() const { return m_workbench; }
    QStringListModel *entityNames() const { return m_entityNames; }
    void markTyped() { m_typed = true; }
    bool typed() const { return m_typed; }
    // The words on screen are the stored or example ones again.
    void setUntyped() { m_typed = false; }
    // Once the dialog shows what it was opened on: nothing typed yet, and
    // the attributes as stored (Clear and See Example keep them, so closing
    // still asks about the ones the user typed).
    void settleOpened();
    void showEditMode(bool editing);
    // The user agreed (or nothing typed is at stake) to clear.
    bool mayClear();
    // False (with the number shown) when the words on screen were saved
    // already; a second save would store them twice.
    bool mayStartSave();
    // Shows a refusal and returns false, or shows the new number, remembers
    // the words saved and tells the other windows.
    bool finishSave(const CommitResult &result, bool editing);

    // A small label above a sentence control, naming it for screen readers.
    static QLabel *smallLabel(const QString &text, QWidget *control, QWidget *parent);
    // Names a control for screen readers, an editable list's line edit too.
    static void nameControl(QWidget *control, const QString &name);
    // Gives control (if any) the focus and, when select is set, selects the
    // text typed in it.
    static void focusOn(QWidget *control, bool select);
    // Puts text into a line edit or list as the user would: a list shows the
    // item of that text, an editable one takes any text; entity lists keep
    // the typed spelling.
    void putText(QWidget *control, const QString &text) const;
    // The text a line edit holds or a list shows (nothing when a fixed list
    // has no choice).
    static QString textIn(const QWidget *control);
    // An editable drop-down that never adds what is typed to its list.
    static QComboBox *editableList(QWidget *parent);
    // An entity field: editable, completing from the system's entities.
    QComboBox *entityList(QWidget *parent);

private:
    void fillEntityNames();

    app::Workbench &m_workbench;
    bool m_typed = false;
    QStringList m_restingAttributes; // as opened or last saved
    SavedComposition m_saved;
    QStringListModel *m_entityNames;
    DraftAttributeControls *m_attributes;
    QPlainTextEdit *m_workArea;
    QLabel *m_head;
    QVBoxLayout *m_sentenceSlot;
    QPlainTextEdit *m_preview;
    quality::FindingsPanel *m_findings;
    QLineEdit *m_number;
    QLineEdit *m_editMode;
    std::unique_ptr<ComposerButtonRow> m_buttonRow;
    QList<QWidget *> m_leadingOrder;
    QList<QWidget *> m_trailingOrder;
};

} // namespace varn::templates
