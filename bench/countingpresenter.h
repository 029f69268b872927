#pragma once

#include "app/widgets/messagepresenter.h"
#include "common/outcome.h"

// The widget benchmarks' presenter: messages are counted, never shown.
class CountingPresenter : public varn::app::MessagePresenter
{
public:
    int messages = 0;
    void showMessage(QWidget *, const varn::Outcome &message) override
    {
        messages += message.hasMessage() ? 1 : 0;
    }
};
