#pragma once

#include "app/widgets/commandid.h"
#include "app/widgets/windowkind.h"

#include <QSplitter>

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::inspect {

class CHdrFileView;
class CObjTreeView;

// The view of the Inspect Object Model window: the object-model tree beside
// the generated file of the class selected in it, both in the language the
// window was opened in.
class ObjectModelView : public QSplitter
{
    Q_OBJECT

public:
    explicit ObjectModelView(app::Workbench &workbench, QWidget *parent = nullptr);

    CObjTreeView *tree() const { return m_tree; }
    CHdrFileView *fileView() const { return m_fileView; }

private:
    CObjTreeView *m_tree;
    CHdrFileView *m_fileView;
};

// The Inspect windows and the items of the Inspect menu.
inline constexpr app::WindowKind kObjectModelWindow{"ObjectModel"};
inline constexpr app::WindowKind kDataModelWindow{"DataModel"};
inline constexpr app::CommandId kJavaObjectModel{"Inspect.JavaObjectModel"};
inline constexpr app::CommandId kCppObjectModel{"Inspect.CppObjectModel"};
inline constexpr app::CommandId kDataModel{"Inspect.DataModel"};
inline constexpr app::CommandId kObjectModelEntities{"Inspect.ObjectModelEntities"};
inline constexpr app::CommandId kObjectModelAttributes{"Inspect.ObjectModelAttributes"};
inline constexpr app::CommandId kObjectModelMethods{"Inspect.ObjectModelMethods"};

// The named command that lists the requirements that produced a class (the
// argument is the class's name), provided by another feature; the trees
// offer it only when it is provided.
inline constexpr app::CommandId kClassRequirements{"Inspect.ClassRequirements"};

// Registers the Object Model and Data Model windows and the Inspect menu:
// the two windows and the three browsing dialogs.
void registerInspectionFeatures(app::FeatureRegistry &registry);

} // namespace varn::inspect
