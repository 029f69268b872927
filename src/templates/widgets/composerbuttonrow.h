#pragma once

#include "app/widgets/buttonset.h"

#include <QList>
#include <QString>

#include <functional>

class QLayout;
class QPushButton;
class QWidget;

namespace varn::templates {

// The six buttons along the foot of every composer, left to right:
// See Example, Clear, System Entities..., Preview, Save, Close.
class ComposerButtonRow
{
public:
    struct Actions
    {
        std::function<void()> seeExample;
        std::function<void()> clear;
        std::function<void()> systemEntities;
        std::function<void()> preview;
        std::function<void()> save;
        std::function<void()> close;
    };

    // Adds the buttons to row; each click calls its action (owner keeps the
    // connections alive as long as it lives).
    ComposerButtonRow(QWidget *owner, QLayout *row, const Actions &actions);

    QPushButton *button(const QString &text) const;
    const QList<QPushButton *> &buttons() const { return m_buttons.all(); }

private:
    app::ButtonSet m_buttons;
};

} // namespace varn::templates
