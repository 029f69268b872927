#pragma once

#include "app/widgets/buttonset.h"
#include "app/widgets/commandid.h"
#include "app/widgets/windowkind.h"

#include <QWidget>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace varn::app {
class FeatureRegistry;
class Workbench;
} // namespace varn::app

namespace varn::templates {

// The Functional and Structural Navigators: compose a requirement in words,
// pick a template by its specification and worked examples, and open it with
// those words in its Work Area. The functional one also opens the Builder.
class TemplateNavigatorView : public QWidget
{
    Q_OBJECT

public:
    enum class Family { Functional, Structural };

    TemplateNavigatorView(app::Workbench &workbench, Family family, QWidget *parent = nullptr);

    QPlainTextEdit *composeBox() const { return m_compose; }
    QListWidget *templateList() const { return m_templates; }
    QPlainTextEdit *textPane() const { return m_text; }
    QPushButton *button(const QString &text) const;

    void showSpecification();
    void showExamples();
    void goToTemplate();
    void goToBuilder();

private:
    // The template number of the selected item; 0 when none is selected.
    int selectedTemplate() const;
    QPushButton *addButton(const QString &text);
    void fitListToItems();

    app::Workbench &m_workbench;
    Family m_family;
    QPlainTextEdit *m_compose;
    QListWidget *m_templates;
    QPlainTextEdit *m_text;
    app::ButtonSet m_buttons;
};

// The navigators' windows, and the Compose items that go to them.
inline constexpr app::WindowKind kFunctionalNavigator{"FunctionalNavigator"};
inline constexpr app::WindowKind kStructuralNavigator{"StructuralNavigator"};
inline constexpr app::CommandId kComposeFunctional{"Templates.ComposeFunctional"};
inline constexpr app::CommandId kComposeStructural{"Templates.ComposeStructural"};

// Registers the navigators' windows and their Compose items.
void registerNavigators(app::FeatureRegistry &registry);

} // namespace varn::templates
