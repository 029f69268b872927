// The check every saved picture of a window goes through: a picture that does
// not show its window is named for what is wrong with it.
#include "screenshot.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QColor kShade(160, 219, 248);

// A small window in its own colour with a label and a button.
class ShadedWindow : public QDialog
{
public:
    ShadedWindow()
    {
        setAutoFillBackground(true);
        QPalette shaded = palette();
        shaded.setColor(QPalette::Window, kShade);
        setPalette(shaded);
        auto *layout = new QVBoxLayout(this);
        label = new QLabel(QStringLiteral("&Requirement #:"), this);
        button = new QPushButton(QStringLiteral("Save"), this);
        layout->addWidget(label);
        layout->addWidget(button);
        show();
        adjustSize();
    }

    QLabel *label;
    QPushButton *button;
};

// The part of the picture a control stands in.
QRect placeOf(const QWidget &control, const QWidget &window)
{
    return QRect(control.mapTo(&window, QPoint(0, 0)), control.size());
}

} // namespace

class ScreenshotCheckTest : public QObject
{
    Q_OBJECT

private slots:
    // Each damage done to a good picture is found, and only that one.
    void damagedPicturesAreNamed_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QStringList>("problems");

        QTest::newRow("as painted") << QString() << kShade << QStringList();
        QTest::newRow("no picture")
            << QStringLiteral("null") << kShade << QStringList{"the picture is empty"};
        QTest::newRow("blank") << QStringLiteral("blank") << kShade
                               << QStringList{"the picture is one flat colour",
                                              "\"Requirement #:\" is not painted",
                                              "\"Save\" is not painted"};
        QTest::newRow("cut short")
            << QStringLiteral("half") << kShade
            << QStringList{"the picture is %1x%2, the window %3x%4", "\"Save\" is not painted"};
        QTest::newRow("label wiped") << QStringLiteral("label") << kShade
                                     << QStringList{"\"Requirement #:\" is not painted"};
        QTest::newRow("another colour")
            << QString() << QColor(249, 216, 189)
            << QStringList{"the background #f9d8bd shows in 0 of %5 pixels"};
        QTest::newRow("painted over")
            << QStringLiteral("cover") << kShade
            << QStringList{"the background #a0dbf8 shows in %6 of %5 pixels",
                           "\"Requirement #:\" is not painted"};
    }

    void damagedPicturesAreNamed()
    {
        QFETCH(QString, damage);
        QFETCH(QColor, background);
        QFETCH(QStringList, problems);
        ShadedWindow window;
        const QImage painted = window.grab().toImage();
        QCOMPARE(painted.devicePixelRatio(), 1.0);
        QImage image = painted;
        QPainter painter;
        if (damage == QLatin1String("null")) {
            image = QImage();
        } else if (damage == QLatin1String("blank")) {
            image.fill(kShade);
        } else if (damage == QLatin1String("half")) {
            image = painted.copy(0, 0, painted.width(), placeOf(*window.button, window).top());
        } else if (damage == QLatin1String("label")) {
            painter.begin(&image);
            painter.fillRect(placeOf(*window.label, window), kShade);
        } else if (damage == QLatin1String("cover")) {
            // White over all but the button, which paints its own colour.
            painter.begin(&image);
            painter.setClipRegion(QRegion(image.rect()) - placeOf(*window.button, window));
            painter.fillRect(image.rect(), Qt::white);
        }
        if (painter.isActive())
            painter.end();
        const qsizetype all = qsizetype(image.width()) * image.height();
        const qsizetype shaded = screenshot::colourCounts(image).value(kShade.rgb());
        for (QString &problem : problems)
            problem = problem.replace(QLatin1String("%1"), QString::number(image.width()))
                          .replace(QLatin1String("%2"), QString::number(image.height()))
                          .replace(QLatin1String("%3"), QString::number(window.width()))
                          .replace(QLatin1String("%4"), QString::number(window.height()))
                          .replace(QLatin1String("%5"), QString::number(all))
                          .replace(QLatin1String("%6"), QString::number(shaded));
        QCOMPARE(screenshot::problemsOf(image, window, background), problems);
    }

    // A label the window hides, or one in another window, asks for nothing.
    void hiddenAndForeignLabelsAreNotLookedFor()
    {
        ShadedWindow window;
        auto *hidden = new QLabel(QStringLiteral("Hidden"), &window);
        hidden->hide();
        QDialog other(&window);
        auto *foreign = new QLabel(QStringLiteral("Elsewhere"), &other);
        foreign->move(0, 0);
        QCOMPARE(screenshot::problemsOf(window.grab().toImage(), window, kShade), QStringList());
    }

    // What the helper saves is the picture it checked, under build/screenshots.
    void savedPictureIsTheWindow()
    {
        ShadedWindow window;
        const QString name = QStringLiteral("screenshot-check.png");
        QFile::remove(screenshotPath(name));
        saveScreenshot(window, name, kShade);
        const QImage saved(screenshotPath(name));
        QCOMPARE(saved.size(), window.size());
        QCOMPARE(saved.pixelColor(1, 1), kShade);
    }
};

QTEST_MAIN(ScreenshotCheckTest)
#include "tst_screenshotcheck.moc"
