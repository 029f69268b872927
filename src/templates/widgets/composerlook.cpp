#include "templates/widgets/composerlook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace varn::templates {

QColor ComposerLook::background(int colourChoice)
{
    // The composers' own shades of sky blue, bisque and lavender blush, a
    // little deeper than Requirements Central's.
    static const QColor kShades[] = {QColor(160, 219, 248), QColor(249, 216, 189),
                                     QColor(249, 213, 255)};
    if (colourChoice < 0 || colourChoice >= int(std::size(kShades)))
        return QColor();
    return kShades[colourChoice];
}

bool ComposerLook::paintBackground(QWidget &dialog, int colourChoice)
{
    const QColor colour = background(colourChoice);
    if (!colour.isValid())
        return false;
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, colour);
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

void ComposerLook::showReadOnly(QLineEdit &box)
{
    box.setReadOnly(true);
    box.setFocusPolicy(Qt::NoFocus);
    box.setEnabled(true);
}

} // namespace varn::templates
