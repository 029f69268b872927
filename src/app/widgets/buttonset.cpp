#include "app/widgets/buttonset.h"

#include <QPushButton>

namespace varn::app {

QPushButton *ButtonSet::add(QWidget *owner, const QString &text, const QString &tooltip)
{
    auto *pushButton = new QPushButton(text, owner);
    pushButton->setAutoDefault(false);
    pushButton->setToolTip(tooltip);
    pushButton->setAccessibleName(text);
    m_buttons.append(pushButton);
    return pushButton;
}

QPushButton *ButtonSet::find(const QString &text) const
{
    for (QPushButton *pushButton : m_buttons) {
        if (pushButton->text() == text)
            return pushButton;
    }
    return nullptr;
}

} // namespace varn::app
