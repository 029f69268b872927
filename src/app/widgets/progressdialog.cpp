#include "app/widgets/progressdialog.h"

#include "app/apptr.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn::app {

ProgressDialog::ProgressDialog(const QString &title, ProgressPanel::Processed processed,
                               QWidget *parent)
    : QDialog(parent), m_layout(new QVBoxLayout(this)), m_panel(new ProgressPanel(processed, this)),
      m_generate(new QPushButton(Tr::tr("Generate"), this)), m_buttons(new QDialogButtonBox(this))
{
    setWindowTitle(title);
    m_buttons->addButton(m_generate, QDialogButtonBox::ActionRole);
    QPushButton *close = m_buttons->addButton(Tr::tr("Close"), QDialogButtonBox::RejectRole);
    m_generate->setDefault(true);
    connect(m_generate, &QPushButton::clicked, this, [this] { generate(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_layout->addWidget(m_panel);
    m_layout->addWidget(m_buttons);
    setMinimumWidth(400);
}

void ProgressDialog::setBackground(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    setAutoFillBackground(true);
}

QPushButton *ProgressDialog::addButton(const QString &text)
{
    auto *button = new QPushButton(text, this);
    m_buttons->addButton(button, QDialogButtonBox::ActionRole);
    return button;
}

void ProgressDialog::addChoices(QWidget *choices)
{
    m_layout->insertWidget(0, choices);
}

} // namespace varn::app
