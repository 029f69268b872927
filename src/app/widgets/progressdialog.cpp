#include "app/widgets/progressdialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn::app {

ProgressDialog::ProgressDialog(const QString &title, ProgressPanel::Processed processed,
                               QWidget *parent)
    : QDialog(parent), m_layout(new QVBoxLayout(this)), m_panel(new ProgressPanel(processed, this)),
      m_generate(new QPushButton(QStringLiteral("Generate"), this))
{
    setWindowTitle(title);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_generate, QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    m_generate->setDefault(true);
    connect(m_generate, &QPushButton::clicked, this, [this] { generate(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_layout->addWidget(m_panel);
    m_layout->addWidget(buttons);
    setMinimumWidth(400);
}

void ProgressDialog::setBackground(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    setAutoFillBackground(true);
}

void ProgressDialog::addChoices(QWidget *choices)
{
    m_layout->insertWidget(0, choices);
}

} // namespace varn::app
