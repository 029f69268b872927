// The output folders of the generators hold the user's own files too: a run
// deletes only what the earlier run listed in its manifest, never works
// through a link that leads out of the installation path, and refuses an
// installation path that climbs out of itself.

#include "generate/modelgenerator.h"
#include "testmodel.h"

#include <QtTest>

using namespace varn;
using namespace varn::generate;
using namespace varn::generate::test;

namespace {

const QString kSystem = QStringLiteral("Acme Telecom");

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class GeneratorFoldersTest : public QObject
{
    Q_OBJECT

private slots:
    // Foreign files, hostile manifest lines and a link among the earlier
    // run's files: the earlier files go, the rest stays, the link's target
    // too.
    void onlyTheEarlierRunsFilesAreDeleted_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("C++") << int(GeneratorKind::Cpp) << QStringLiteral(" C++ Files")
                             << QStringList{QStringLiteral("Truck.h")};
        QTest::newRow("Java") << int(GeneratorKind::Java) << QStringLiteral(" Java Files")
                              << QStringList{QStringLiteral("Truck.java")};
        QTest::newRow("SQL") << int(GeneratorKind::Sql) << QStringLiteral(" SQL")
                             << QStringList{QStringLiteral("Acme Telecom-schema.sql"),
                                            QStringLiteral("Acme Telecom.sql")};
    }

    void onlyTheEarlierRunsFilesAreDeleted()
    {
        QFETCH(int, kind);
        QFETCH(QString, suffix);
        QFETCH(QStringList, written);
        TestModel model;
        QVERIFY(model.isValid());
        model.entity(QStringLiteral("Truck"));
        const QString folder = model.installPath() + kSystem + suffix;
        const QString outside = model.tempPath() + QStringLiteral("/outside.h");
        writeText(outside, "the user's");
        writeText(folder + QStringLiteral("/my_notes.h"), "mine");
        writeText(folder + QStringLiteral("/2024-01-migration.sql"), "mine");
        writeText(folder + QStringLiteral("/Notes.java"), "mine");
        QVERIFY(QFile::link(outside, folder + QStringLiteral("/Linked.h")));
        writeEarlierRun(folder, {QStringLiteral("Removed.h"), QStringLiteral("Old.sql")});
        QFile manifest(folder + QStringLiteral("/.varn-generated"));
        QVERIFY(manifest.open(QIODevice::Append));
        manifest.write("Linked.h\n../../outside.h\n" + outside.toUtf8() + "\n.\n..\n");
        manifest.close();

        const Result<GeneratedFiles> result = ModelGenerator::generate(
            GeneratorKind(kind), model.connectionName(), {model.installPath(), kSystem, true});
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QStringList expected =
            written + QStringList{QStringLiteral(".varn-generated"),
                                  QStringLiteral("2024-01-migration.sql"),
                                  QStringLiteral("my_notes.h"), QStringLiteral("Notes.java")};
        expected.sort();
        QCOMPARE(filesIn(folder), expected);
        QCOMPARE(readText(outside), QStringLiteral("the user's"));
        QStringList listed = readText(folder + QStringLiteral("/.varn-generated"))
                                 .split(u'\n', Qt::SkipEmptyParts)
                                 .filter(QRegularExpression(QStringLiteral("^[^#]")));
        listed.sort();
        QCOMPARE(listed, written);

        // The next run deletes what this one wrote, and only that.
        writeText(folder + QStringLiteral("/later_notes.h"), "mine");
        QVERIFY(model.exec(QStringLiteral("UPDATE OM_ENTITY SET Entity = 'Lorry'")));
        QVERIFY(ModelGenerator::generate(GeneratorKind(kind), model.connectionName(),
                                         {model.installPath(), kSystem, true})
                    .isOk());
        QVERIFY(filesIn(folder).contains(QStringLiteral("later_notes.h")));
        QCOMPARE(filesIn(folder).contains(QStringLiteral("Truck.h")), false);
        QCOMPARE(filesIn(folder).contains(QStringLiteral("Truck.java")), false);
    }

    // Hidden files beside the output: a backup of the user's looks like a
    // temporary file but was never listed, so it stays; what an interrupted
    // run left under the temporary names of its listed files and tag goes.
    void onlyListedTemporaryFilesAreDeleted_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<bool>("deleted");
        const auto cpp = int(GeneratorKind::Cpp);
        const QString headers = QStringLiteral(" C++ Files");
        QTest::newRow("backup of a header") << cpp << headers << ".design.h.backup" << false;
        QTest::newRow("merge leftover") << cpp << headers << ".notes.h.orig01" << false;
        QTest::newRow("backup of the manifest")
            << cpp << headers << ".varn-generated.backup" << false;
        QTest::newRow("java backup") << int(GeneratorKind::Java) << QStringLiteral(" Java Files")
                                     << ".Old.java.bak123" << false;
        QTest::newRow("sql backup") << int(GeneratorKind::Sql) << QStringLiteral(" SQL")
                                    << ".Acme Telecom.sql.keep01" << false;
        QTest::newRow("another run's tag")
            << cpp << headers << ".Removed.h.varn-partial-zz9zz9" << false;
        QTest::newRow("a file the run did not list")
            << cpp << headers << ".Mine.h.varn-partial-k3x9a0" << false;
        QTest::newRow("the listed run's header")
            << cpp << headers << ".Removed.h.varn-partial-k3x9a0" << true;
        QTest::newRow("the listed run's manifest")
            << cpp << headers << "..varn-generated.varn-partial-k3x9a0" << true;
        QTest::newRow("the listed run's module")
            << int(GeneratorKind::Sql) << QStringLiteral(" SQL") << ".Removed.h.varn-partial-k3x9a0"
            << true;
    }

    void onlyListedTemporaryFilesAreDeleted()
    {
        QFETCH(int, kind);
        QFETCH(QString, suffix);
        QFETCH(QString, hidden);
        QFETCH(bool, deleted);
        TestModel model;
        QVERIFY(model.isValid());
        model.entity(QStringLiteral("Truck"));
        const QString folder = model.installPath() + kSystem + suffix;
        writeEarlierRun(folder, {QStringLiteral("Removed.h")}, "k3x9a0");
        writeText(folder + QLatin1Char('/') + hidden, "left here");

        const Result<GeneratedFiles> result = ModelGenerator::generate(
            GeneratorKind(kind), model.connectionName(), {model.installPath(), kSystem, false});
        QVERIFY2(result.isOk(), qPrintable(result.outcome().message()));
        QCOMPARE(QFile::exists(folder + QLatin1Char('/') + hidden), !deleted);
        QVERIFY(!QFile::exists(folder + QStringLiteral("/Removed.h")));
        // This run names itself in turn, and its temporary files are gone.
        const QString manifest = readText(folder + QStringLiteral("/.varn-generated"));
        QVERIFY2(manifest.contains(QStringLiteral("\n#run ")), qPrintable(manifest));
        for (const QString &name : filesIn(folder))
            QVERIFY2(!name.contains(QStringLiteral(".varn-partial-")) || name == hidden,
                     qPrintable(name));
    }

    // The output folder stands as a link: into another folder of the
    // installation path it is used; out of it nothing is touched.
    void linkedFolder_data()
    {
        QTest::addColumn<bool>("inside");
        QTest::newRow("link out of the installation path") << false;
        QTest::newRow("link within the installation path") << true;
    }

    void linkedFolder()
    {
        QFETCH(bool, inside);
        TestModel model;
        QVERIFY(model.isValid());
        model.entity(QStringLiteral("Truck"));
        const QString target = inside ? model.installPath() + QStringLiteral("shared headers")
                                      : model.tempPath() + QStringLiteral("/elsewhere");
        writeEarlierRun(target, {QStringLiteral("Precious.h")});
        QVERIFY(QDir().mkpath(model.installPath()));
        QVERIFY(QFile::link(target, model.installPath() + kSystem + QStringLiteral(" C++ Files")));

        const Result<GeneratedFiles> result = ModelGenerator::generate(
            GeneratorKind::Cpp, model.connectionName(), {model.installPath(), kSystem, false});
        QCOMPARE(result.isOk(), inside);
        QCOMPARE(QFile::exists(target + QStringLiteral("/Precious.h")), !inside);
        QCOMPARE(QFile::exists(target + QStringLiteral("/Truck.h")), inside);
        if (!inside)
            QVERIFY(result.outcome().message().contains(QStringLiteral("leads outside")));
    }

    void installPathClimbingOutIsRefused()
    {
        TestModel model;
        QVERIFY(model.isValid());
        model.entity(QStringLiteral("Truck"));
        const QString climbing = model.installPath() + QStringLiteral("../../escaped/");
        const Result<GeneratedFiles> result = ModelGenerator::generate(
            GeneratorKind::Java, model.connectionName(), {climbing, kSystem, false});
        QVERIFY(!result.isOk());
        QVERIFY(result.outcome().message().contains(QStringLiteral("\"..\"")));
        QVERIFY(!QFileInfo::exists(QDir::cleanPath(climbing)));
    }
};

QTEST_GUILESS_MAIN(GeneratorFoldersTest)
#include "tst_generatorfolders.moc"
