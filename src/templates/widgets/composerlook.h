#pragma once

#include <QColor>

class QLabel;
class QWidget;

namespace varn::templates {

// The colours the functional composers share: the dialog's background by the
// workspace's colour choice, the pale yellow of the preview and of a box
// that takes nothing, and the red of the labels the sentence hangs on.
class ComposerLook
{
public:
    static QColor paleYellow() { return QColor(255, 255, 190); }
    static QColor red() { return QColor(255, 0, 0); }
    // False when the choice is none of the three colours.
    static bool paintBackground(QWidget &dialog, int colourChoice);
    static void paintBase(QWidget &box, const QColor &colour);
    static void paintRed(QLabel &label);
};

} // namespace varn::templates
