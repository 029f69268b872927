#pragma once

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

// The Object Model and Data Model windows and the three browsing dialogs.
void registerInspectionFeatures(app::FeatureRegistry &registry);

} // namespace varn::inspect
