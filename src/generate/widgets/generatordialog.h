#pragma once

#include "app/widgets/commandid.h"
#include "app/widgets/progressdialog.h"
#include "generate/generationtypes.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::generate {

// The two generator dialogs: "Generate Data Model SQL" writes the SQL module;
// "Generate Object Model" writes Java classes or C++ headers, as its radio
// buttons choose, the headers verbose or plain.
class GeneratorDialog : public app::ProgressDialog
{
    Q_OBJECT

public:
    enum class Output { DataModelSql, ObjectModel };

    GeneratorDialog(app::Workbench &workbench, Output output, QWidget *parent = nullptr);

    // The Generate button: writes the files of the chosen kind.
    void generate() override;
    GeneratorKind chosenKind() const;

    // Only in the Object Model dialog; nullptr in the other.
    QRadioButton *javaChoice() const { return m_java; }
    QRadioButton *cppChoice() const { return m_cpp; }
    QCheckBox *verboseBox() const { return m_verbose; }
    // What changed since the chosen output was last generated.
    QLabel *stalenessLine() const { return m_staleness; }
    // Enabled once files were written: shows their folder.
    QPushButton *openFolderButton() const { return m_openFolder; }

    static QString title(Output output);
    // The dialog's shade of the colour scheme; invalid for a scheme that
    // does not exist.
    static QColor background(int scheme);

    // Shows the dialog modally, Requirements Central disabled meanwhile.
    static void run(app::Workbench &workbench, Output output);

private:
    QWidget *languageChoice();
    void showStaleness();

    app::Workbench &m_workbench;
    Output m_output;
    QRadioButton *m_java = nullptr;
    QRadioButton *m_cpp = nullptr;
    QCheckBox *m_verbose = nullptr;
    QPushButton *m_openFolder = nullptr;
    QLabel *m_staleness = nullptr;
    QString m_folder;
};

// The two items of the Generate menu.
inline constexpr app::CommandId kGenerateObjectModel{"Generate.ObjectModel"};
inline constexpr app::CommandId kGenerateDataModelSql{"Generate.DataModelSql"};

// The command a generator runs first when requirements were edited or
// deleted since the object model was last derived, provided by another
// feature.
inline constexpr app::CommandId kRegenerateFirst{"Generate.RegenerateFirst"};

// Registers the Generate menu.
void registerGeneratorFeatures(app::FeatureRegistry &registry);

} // namespace varn::generate
