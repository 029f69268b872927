#pragma once

#include "app/widgets/commandid.h"
#include "app/widgets/progressdialog.h"
#include "objmodel/objmodeltr.h"

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::objmodel {

// "Regenerate Object Model Database": throws the object model away and
// derives it again from every stored requirement, showing the progress. Opened
// from the menu, or stale: by a generator or a closing workspace when
// requirements were edited or deleted since the last regeneration.
class RegenerationDialog : public app::ProgressDialog
{
    Q_OBJECT

public:
    enum class Opening { FromMenu, Stale };

    RegenerationDialog(app::Workbench &workbench, Opening opening, QWidget *parent = nullptr);

    // The Generate button: runs the regeneration; on success the dialog is no
    // longer stale and the requirements count as regenerated.
    void generate() override;

    static QString title() { return Tr::tr("Regenerate Object Model Database"); }
    static QString staleText();

    // Shows the dialog modally through the workbench's presenter.
    static void run(app::Workbench &workbench, Opening opening);

private:
    app::Workbench &m_workbench;
};

// Utilities > Regenerate Object Model Database.
inline constexpr app::CommandId kRegenerateObjectModel{"ObjectModel.Regenerate"};

// The regeneration dialog in its stale form: the reminder that a generator
// or a closing workspace shows when requirements were edited or deleted.
void remindToRegenerate(app::Workbench &workbench);

// Registers the Utilities menu's item.
void registerRegenerationFeatures(app::FeatureRegistry &registry);

} // namespace varn::objmodel
