#include "templates/widgets/composerlook.h"

#include "central/displaysettings.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace varn::templates {

bool ComposerLook::paintBackground(QWidget &dialog, int colourChoice)
{
    if (!central::DisplaySettings::isColourChoice(colourChoice))
        return false;
    const central::BackgroundColour &colour =
        central::DisplaySettings::colours()[std::size_t(colourChoice)];
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
    return true;
}

void ComposerLook::paintBase(QWidget &box, const QColor &colour)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, colour);
    box.setPalette(palette);
}

void ComposerLook::paintRed(QLabel &label)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, red());
    label.setPalette(palette);
}

} // namespace varn::templates
