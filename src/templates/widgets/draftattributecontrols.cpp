#include "templates/widgets/draftattributecontrols.h"

#include "templates/draftattributes.h"
#include "templates/templatecatalogue.h"
#include "templates/templatestr.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace varn::templates {

namespace {

QComboBox *fixedList(QWidget *form, const QStringList &items, const QString &tooltip)
{
    auto *list = new QComboBox(form);
    list->addItems(items);
    list->setToolTip(tooltip);
    return list;
}

void choose(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(qMax(0, list->findText(text)));
}

} // namespace

DraftAttributeControls::DraftAttributeControls(QWidget *form)
    : QObject(form), m_paragraph(new QLineEdit(form)),
      m_category(fixedList(form, TemplateCatalogue::categories(),
                           Tr::tr("Sets the requirement's category"))),
      m_priority(fixedList(form, TemplateCatalogue::priorities(),
                           Tr::tr("Sets the requirement's priority"))),
      m_release(fixedList(form, TemplateCatalogue::priorities(),
                          Tr::tr("Sets the requirement's release"))),
      m_comments(new QPlainTextEdit(form))
{
    m_paragraph->setObjectName(QStringLiteral("paragraph"));
    m_paragraph->setToolTip(Tr::tr("Sets the requirement's paragraph number"));
    m_category->setObjectName(QStringLiteral("category"));
    m_priority->setObjectName(QStringLiteral("priority"));
    m_release->setObjectName(QStringLiteral("release"));
    m_comments->setObjectName(QStringLiteral("comments"));
    m_comments->setToolTip(Tr::tr("Add comments, clarification, assignee, etc."));
    m_comments->setTabChangesFocus(true);
    limitLength(m_comments, kLongestComments);
}

void DraftAttributeControls::show(const DraftAttributes &attributes)
{
    m_paragraph->setText(attributes.paragraph);
    m_paragraph->setCursorPosition(0);
    choose(m_category, attributes.category);
    choose(m_priority, attributes.priority);
    choose(m_release, attributes.release);
    m_comments->setPlainText(attributes.comments);
}

void DraftAttributeControls::takeInto(DraftAttributes &attributes) const
{
    attributes.paragraph = m_paragraph->text();
    attributes.category = m_category->currentText();
    attributes.priority = m_priority->currentText();
    attributes.release = m_release->currentText();
    attributes.comments = m_comments->toPlainText();
}

QStringList DraftAttributeControls::shown() const
{
    return {m_paragraph->text(), m_category->currentText(), m_priority->currentText(),
            m_release->currentText(), m_comments->toPlainText()};
}

void DraftAttributeControls::limitLength(QPlainTextEdit *box, int longest)
{
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, longest] {
        const QString text = box->toPlainText();
        if (text.size() <= longest)
            return;
        QTextCursor cursor = box->textCursor();
        const int position = qMin(cursor.position(), longest);
        box->setPlainText(text.left(longest));
        cursor = box->textCursor();
        cursor.setPosition(position);
        box->setTextCursor(cursor);
    });
}

} // namespace varn::templates
