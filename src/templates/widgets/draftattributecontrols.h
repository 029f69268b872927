#pragma once

#include <QObject>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace varn::templates {

struct DraftAttributes;

// The controls every composer has for a requirement's attributes: Paragraph,
// Category, Priority, Release and Comments. They are made on the composer's
// form, which places them; this shows a draft's attributes in them and takes
// them back.
class DraftAttributeControls : public QObject
{
    Q_OBJECT

public:
    static constexpr int kLongestComments = 254;

    explicit DraftAttributeControls(QWidget *form);

    void show(const DraftAttributes &attributes);
    void takeInto(DraftAttributes &attributes) const;
    // What the controls show, to tell whether the user changed any of them.
    QStringList shown() const;

    QLineEdit *paragraph() const { return m_paragraph; }
    QComboBox *category() const { return m_category; }
    QComboBox *priority() const { return m_priority; }
    QComboBox *release() const { return m_release; }
    QPlainTextEdit *comments() const { return m_comments; }

    // Keeps a multi-line box to at most that many characters as the user types.
    static void limitLength(QPlainTextEdit *box, int longest);

private:
    QLineEdit *m_paragraph;
    QComboBox *m_category;
    QComboBox *m_priority;
    QComboBox *m_release;
    QPlainTextEdit *m_comments;
};

} // namespace varn::templates
