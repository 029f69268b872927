#pragma once

#include <QColor>

class QLabel;
class QLineEdit;
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
    // A template's background for the workspace's colour choice (0 to 2;
    // invalid for any other); the Builder always takes that of choice 0.
    static QColor background(int colourChoice);
    // False when the choice is none of the three colours.
    static bool paintBackground(QWidget &dialog, int colourChoice);
    static void paintBase(QWidget &box, const QColor &colour);
    static void paintRed(QLabel &label);
    // A box that only shows (the edit mode): read-only and out of the Tab
    // order, but enabled, so its text reads as clearly as any other.
    static void showReadOnly(QLineEdit &box);
};

} // namespace varn::templates
