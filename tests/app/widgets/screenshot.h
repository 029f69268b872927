#pragma once

#include <QDir>
#include <QTest>
#include <QWidget>

// Pictures of windows in build/screenshots/, for a reviewer's eye.
inline QString screenshotPath(const QString &name)
{
    const QString folder = QStringLiteral(VARN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

// Shows the window at its natural size and saves its picture; fails the test
// when the picture cannot be written.
inline void saveScreenshot(QWidget &widget, const QString &name)
{
    widget.show();
    widget.adjustSize();
    QVERIFY(widget.grab().save(screenshotPath(name)));
}
