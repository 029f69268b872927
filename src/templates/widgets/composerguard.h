#pragma once

#include <QString>

#include <functional>

class QDialog;
class QKeyEvent;

namespace varn::app {
class Workbench;
}

namespace varn::templates {

// What every composer does before typed text could be lost, and with Enter.
class ComposerGuard
{
public:
    static QString closeQuestion()
    {
        return QStringLiteral("Close without saving? The text you typed will be lost.");
    }
    static QString clearQuestion()
    {
        return QStringLiteral("Clear all template fields? The text you typed will be lost.");
    }

    // True when nothing typed is at stake or the user agrees to lose it.
    static bool mayDiscard(app::Workbench &workbench, QDialog &dialog, bool hasUnsavedText,
                           const QString &question);
    // mayDiscard with the close question; when it agrees, the System
    // Entities window shown over the composer closes too.
    static bool mayClose(app::Workbench &workbench, QDialog &dialog, bool hasUnsavedText);
    // Enter previews the sentence and never saves or closes the dialog; on a
    // button it presses the button. False for every other key.
    static bool handleEnter(QDialog &dialog, const QKeyEvent &event,
                            const std::function<void()> &preview);
};

} // namespace varn::templates
