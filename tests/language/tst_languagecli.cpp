// varn-cli check, label and normalize: results on stdout, the message on
// stderr, exit 0 done, 1 refused, 2 usage error.
#include <QProcess>
#include <QTest>

class TestLanguageCli : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
};

void TestLanguageCli::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // only compared when the exit code is not 2

    const QString none;
    const QString structural = QStringLiteral("kezalg") + QStringLiteral("lg").repeated(17);
    QString structuralLabels = QStringLiteral("k Q 2\ne Q 2\nz N 2\na N 2\n");
    for (int value = 0; value < 18; ++value)
        structuralLabels += QStringLiteral("l P 2\ng P 2\n");

    QTest::newRow("check accepted") << QStringList{"check", "kdewec"} << 0 << none << none;
    QTest::newRow("check end refused")
        << QStringList{"check", "dewe"} << 1 << none
        << QStringLiteral("Invalid end of requirement. Cannot end with a 'when/before/after' "
                          "clause without an action.\nTry adding an 'action' after the 'entity'\n");
    QTest::newRow("check composing")
        << QStringList{"check", "--composing", "dewe"} << 0 << none << none;
    QTest::newRow("check silent") << QStringList{"check", "dal"} << 1 << none << none;
    QTest::newRow("check empty")
        << QStringList{"check", ""} << 1 << none
        << QStringLiteral(
               "A functional requirement must begin with 'who/what?' or 'to do what?'.\n");
    QTest::newRow("check non-ASCII") << QStringList{"check", QStringLiteral("deé")} << 1 << none
                                     << QStringLiteral("Internal error. Invalid term.\n");
    QTest::newRow("check no argument") << QStringList{"check"} << 2 << none << none;
    QTest::newRow("check option only") << QStringList{"check", "--composing"} << 2 << none << none;
    QTest::newRow("check two") << QStringList{"check", "de", "de"} << 2 << none << none;

    QTest::newRow("label") << QStringList{"label", "kdewec"} << 0
                           << QStringLiteral("k Q 0\nd A 2\ne A 2\nw B 2\ne B 2\nc B 2\n") << none;
    QTest::newRow("label long structural")
        << QStringList{"label", structural} << 0 << structuralLabels << none;
    QTest::newRow("label refused")
        << QStringList{"label", "dehelg"} << 1 << none
        << QStringLiteral("The standard group clause specified cannot be followed\nby a state or "
                          "value clause.\n");
    QTest::newRow("label invalid") << QStringList{"label", "dee"} << 1 << none
                                   << QStringLiteral("Internal error. Invalid G-Code specified.\n");
    QTest::newRow("label no argument") << QStringList{"label"} << 2 << none << none;

    QTest::newRow("normalize entity") << QStringList{"normalize", "e", "the fuel pumps"} << 0
                                      << QStringLiteral("FuelPump\n") << none;
    QTest::newRow("normalize UTF-8") << QStringList{"normalize", "e", QStringLiteral("caméras")}
                                     << 0 << QStringLiteral("Caméra\n") << none;
    QTest::newRow("normalize after a byte-order mark")
        << QStringList{"normalize", "e", QStringLiteral("\uFEFFthe fuel pumps")} << 0
        << QStringLiteral("FuelPump\n") << none;
    QTest::newRow("check after a byte-order mark")
        << QStringList{"check", QStringLiteral("\uFEFFkdewec")} << 0 << none << none;
    QTest::newRow("normalize refused")
        << QStringList{"normalize", "e", "3 tanks"} << 1 << none
        << QStringLiteral("Field value cannot begin with a number.\n");
    QTest::newRow("normalize name") << QStringList{"normalize", "--name", "p", "big_wheels"} << 0
                                    << QStringLiteral("Big_Wheel\n") << none;
    QTest::newRow("normalize empty")
        << QStringList{"normalize", "e", ""} << 0 << QStringLiteral("\n") << none;
    QTest::newRow("normalize long letter")
        << QStringList{"normalize", "ee", "x"} << 2 << none << none;
    QTest::newRow("normalize no text") << QStringList{"normalize", "e"} << 2 << none << none;
}

void TestLanguageCli::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const QString cli = qEnvironmentVariable("VARN_CLI");
    if (cli.isEmpty())
        QSKIP("VARN_CLI is not set (run through ctest)");
    QProcess process;
    process.start(cli, arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), out);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    if (exitCode == 2)
        QVERIFY(errors.startsWith(QStringLiteral("usage: varn-cli ")));
    else
        QCOMPARE(errors, err);
}

QTEST_GUILESS_MAIN(TestLanguageCli)
#include "tst_languagecli.moc"
