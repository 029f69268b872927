#pragma once

#include "app/widgets/commandid.h"
#include "templates/technicaldraft.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app
namespace varn::quality {
class FindingsPanel;
}

namespace varn::templates {

class DraftAttributeControls;
class SavedComposition;

// "Compose Technical Requirement": free text after "The <system> system
// shall", with the attributes, saved as a technical requirement; opened new,
// or on a stored requirement to edit or re-use it.
class TechnicalComposerDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kLongestText = 254;

    // A number below 1 opens a new requirement.
    TechnicalComposerDialog(app::Workbench &workbench, int number = -1, bool edit = false,
                            QWidget *parent = nullptr);
    ~TechnicalComposerDialog() override;

    void save();
    void clear();

    QPlainTextEdit *textBox() const { return m_text; }
    DraftAttributeControls *attributes() const { return m_attributes; }
    QLineEdit *numberBox() const { return m_number; }
    QLineEdit *editModeBox() const { return m_editMode; }
    QLabel *sentenceHead() const { return m_head; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *clearButton() const { return m_clear; }
    // The findings of the quality checks on the text, under it.
    quality::FindingsPanel *findingsPanel() const { return m_findings; }

public slots:
    // Asks before typed text is lost.
    void reject() override;

private:
    void showDraft();
    bool hasUnsavedText() const;

    app::Workbench &m_workbench;
    TechnicalDraft m_draft;
    DraftAttributeControls *m_attributes;
    QLabel *m_head;
    QPlainTextEdit *m_text;
    quality::FindingsPanel *m_findings;
    QLineEdit *m_number;
    QLineEdit *m_editMode;
    QPushButton *m_clear;
    QPushButton *m_save;
    std::unique_ptr<SavedComposition> m_saved;
    QStringList m_untouched;         // the contents as opened, cleared or last saved
    QStringList m_restingAttributes; // the attributes as opened or last saved
};

// Compose > Technical Requirement...
inline constexpr app::CommandId kComposeTechnical{"Templates.ComposeTechnical"};

// Registers the Compose menu: the technical composer and the navigators.
void registerComposerFeatures(app::FeatureRegistry &registry);

} // namespace varn::templates
