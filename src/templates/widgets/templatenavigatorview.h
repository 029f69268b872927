#pragma once

#include "app/widgets/buttonset.h"

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

// The navigators as the views of their window kinds.
void registerNavigators(app::FeatureRegistry &registry);

} // namespace varn::templates
