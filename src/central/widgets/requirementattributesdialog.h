#pragma once

#include "app/widgets/buttonset.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QGroupBox;
class QPushButton;
class QTableWidget;

namespace varn::app {
class Workbench;
}

namespace varn::central {

class RequirementPickTable;

// Edit > Requirement Attributes: the paragraph, priority, category, release
// and comments of a stored requirement, changed in place (no new version).
class RequirementAttributesDialog : public QDialog
{
    Q_OBJECT

public:
    // With a number, that requirement is selected when it is listed.
    RequirementAttributesDialog(app::Workbench &workbench, int selected = 0,
                                QWidget *parent = nullptr);

    RequirementPickTable *requirements() const { return m_requirements; }
    QPlainTextEdit *sentence() const { return m_sentence; }
    QLineEdit *paragraph() const { return m_paragraph; }
    QComboBox *priority() const { return m_priority; }
    QComboBox *category() const { return m_category; }
    QComboBox *release() const { return m_release; }
    QLineEdit *version() const { return m_version; }
    QPlainTextEdit *comments() const { return m_comments; }
    QLineEdit *statusLine() const { return m_status; }
    // Another tool's attributes of a requirement imported from its file;
    // hidden for every other requirement.
    QGroupBox *foreignGroup() const { return m_foreignGroup; }
    QTableWidget *foreignAttributes() const { return m_foreign; }
    QPushButton *button(const QString &text) const;

    void seeRequirement();
    void saveChanges();

private:
    // Reads the live requirements into the list and selects the number;
    // false (and the list unchanged) when they cannot be read.
    bool listRequirements(qint32 selected);
    void forgetShown();
    void showForeign(qint32 number);
    QPushButton *addButton(const QString &text, const QString &tooltip);

    app::Workbench &m_workbench;
    QString m_connection;
    RequirementPickTable *m_requirements;
    QPlainTextEdit *m_sentence;
    QLineEdit *m_paragraph;
    QComboBox *m_priority;
    QComboBox *m_category;
    QComboBox *m_release;
    QLineEdit *m_version;
    QPlainTextEdit *m_comments;
    QLineEdit *m_status;
    QGroupBox *m_foreignGroup;
    QTableWidget *m_foreign;
    app::ButtonSet m_buttons;
};

} // namespace varn::central
