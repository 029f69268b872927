#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWidget>

// Pictures of windows in build/screenshots/, for a reviewer's eye.
inline QString screenshotPath(const QString &name)
{
    const QString folder = QStringLiteral(VARN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

namespace screenshot {

// A window shows its background colour in at least this part of its picture
// (one pixel in ten), even when lists and text boxes cover most of it.
constexpr qsizetype kLeastBackgroundShare = 10;

// How many pixels of the picture have each colour.
inline QHash<QRgb, qsizetype> colourCounts(const QImage &image)
{
    QHash<QRgb, qsizetype> counts;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x]];
    }
    return counts;
}

inline bool isOneColour(const QImage &image)
{
    return colourCounts(image).size() <= 1;
}

// The text a label or a button shows, without its mnemonic mark.
inline QString shownText(const QWidget &control)
{
    QString text;
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        text = label->text();
    else if (const auto *button = qobject_cast<const QAbstractButton *>(&control))
        text = button->text();
    return text.remove(QLatin1Char('&')).trimmed();
}

// What in the picture does not show the window: empty when the picture has
// the window's size, is not one flat colour, shows the background colour in
// at least a tenth of its pixels, and every label and button the window shows has its text painted
// where it stands (its part of the picture is not one flat colour).
inline QStringList problemsOf(const QImage &image, const QWidget &window, const QColor &background)
{
    if (image.isNull() || image.width() < 2 || image.height() < 2)
        return {QStringLiteral("the picture is empty")};
    QStringList problems;
    const qreal ratio = image.devicePixelRatio();
    const QSize expected = window.size() * ratio;
    if (image.size() != expected)
        problems.append(QStringLiteral("the picture is %1x%2, the window %3x%4")
                            .arg(image.width())
                            .arg(image.height())
                            .arg(expected.width())
                            .arg(expected.height()));
    if (isOneColour(image))
        problems.append(QStringLiteral("the picture is one flat colour"));
    const qsizetype painted = colourCounts(image).value(background.rgb());
    const qsizetype all = qsizetype(image.width()) * image.height();
    if (painted * kLeastBackgroundShare < all)
        problems.append(QStringLiteral("the background %1 shows in %2 of %3 pixels")
                            .arg(background.name())
                            .arg(painted)
                            .arg(all));
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        const QString text = shownText(*control);
        if (text.isEmpty() || control->window() != window.window() ||
            !control->isVisibleTo(&window))
            continue;
        const QRect shown = control->visibleRegion().boundingRect();
        if (shown.isEmpty())
            continue;
        const QRect place(control->mapTo(&window, shown.topLeft()) * ratio, shown.size() * ratio);
        // (a null rectangle would copy the whole picture)
        const QRect inPicture = place.intersected(image.rect());
        if (inPicture.isEmpty() || isOneColour(image.copy(inPicture)))
            problems.append(QStringLiteral("\"%1\" is not painted").arg(text));
    }
    return problems;
}

} // namespace screenshot

// The colour a window without a colour of its own paints behind its controls.
inline QColor programBackground()
{
    return QApplication::palette().color(QPalette::Window);
}

// The colour lists, trees and text boxes paint behind what they hold.
inline QColor programBase()
{
    return QApplication::palette().color(QPalette::Base);
}

// Saves the picture of the window as it stands and fails the test when the
// picture cannot be written or does not show the window (see
// screenshot::problemsOf): background is the colour the window paints behind
// its controls (or, for a window mostly made of lists, behind their items).
inline void checkScreenshot(QWidget &widget, const QString &name, const QColor &background)
{
    const QImage image = widget.grab().toImage();
    QVERIFY2(image.save(screenshotPath(name)), qPrintable(screenshotPath(name)));
    const QStringList problems = screenshot::problemsOf(image, widget, background);
    QVERIFY2(problems.isEmpty(),
             qPrintable(name + QStringLiteral(": ") + problems.join(QStringLiteral("; "))));
}

// Shows the window at its natural size, then saves and checks its picture.
inline void saveScreenshot(QWidget &widget, const QString &name, const QColor &background)
{
    widget.show();
    widget.adjustSize();
    checkScreenshot(widget, name, background);
}
