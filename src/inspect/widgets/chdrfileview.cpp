#include "inspect/widgets/chdrfileview.h"

#include "generate/generatedfiletext.h"
#include "inspect/inspecttr.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

namespace varn::inspect {

namespace {

const QColor kBackground(165, 167, 249);
constexpr int kTextMargin = 8;

} // namespace

CHdrFileView::CHdrFileView(const QString &folder, generate::GeneratorKind kind, QWidget *parent)
    : QWidget(parent), m_folder(folder), m_kind(kind), m_text(new QPlainTextEdit(this))
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    m_text->setObjectName(QStringLiteral("generatedFile"));
    m_text->setAccessibleName(Tr::tr("Generated file"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->document()->setDocumentMargin(kTextMargin);
    QPalette textColours = m_text->palette();
    textColours.setColor(QPalette::Base, Qt::white);
    m_text->setPalette(textColours);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 8, 9);
    layout->addWidget(m_text);
}

void CHdrFileView::showClass(const QString &className)
{
    m_className = className;
    if (className.isEmpty()) {
        m_text->clear();
        return;
    }
    // The text ends its lines with CR LF, as it is specified; the pane
    // breaks lines on LF alone.
    QString text = generate::GeneratedFileText::forClass(m_folder, className, m_kind);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(text);
}

void CHdrFileView::refresh()
{
    showClass(m_className);
}

QString CHdrFileView::shownText() const
{
    return m_text->toPlainText();
}

} // namespace varn::inspect
