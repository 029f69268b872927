// What the generated-file viewer shows for a class: the file with CR LF line
// ends, or why it cannot be shown.

#include "generate/generatedfiletext.h"
#include "testmodel.h"

using namespace varn::generate;
using namespace varn::generate::test;

namespace {

const QString kMissingCpp =
    QStringLiteral("\r\n\r\nYour directory of C++ files does not exist.\r\n\r\nGo to Generate -> "
                   "Object Model... from the Main Menu to generate\r\nyour directory of files.");
const QString kUnreadable = QStringLiteral(
    "\r\n\r\nFile could not be displayed.\r\n\r\nRegenerate your C++ files from the Main Menu by "
    "performing Generate -> Object Model...\r\n\r\nExplanation:\r\n\r\n");

} // namespace

Q_DECLARE_METATYPE(GeneratorKind)

class GeneratedFileTextTest : public QObject
{
    Q_OBJECT

private slots:
    void shownText_data()
    {
        QTest::addColumn<GeneratorKind>("kind");
        QTest::addColumn<QStringList>("files"); // "name=content"
        QTest::addColumn<QString>("expected");  // a leading "~" : starts with
        QTest::addColumn<QString>("entity");

        QTest::newRow("header, lines end with CR LF")
            << GeneratorKind::Cpp << QStringList{"Truck.h=class Truck\n{\n};"}
            << QStringLiteral("class Truck\r\n{\r\n};\r\n") << QStringLiteral("Truck");
        QTest::newRow("Java class")
            << GeneratorKind::Java << QStringList{"Truck.java=public class Truck {\n}\n"}
            << QStringLiteral("public class Truck {\r\n}\r\n") << QStringLiteral("Truck");
        QTest::newRow("nothing generated, C++")
            << GeneratorKind::Cpp << QStringList() << kMissingCpp << QStringLiteral("Truck");
        QTest::newRow("nothing generated, Java")
            << GeneratorKind::Java << QStringList{"Truck.h=class Truck;"}
            << QString(kMissingCpp)
                   .replace(QStringLiteral("C++ files"), QStringLiteral("Java files"))
            << QStringLiteral("Truck");
        QTest::newRow("another class generated, not this one")
            << GeneratorKind::Cpp << QStringList{"Driver.h=class Driver;"}
            << QLatin1Char('~') + kUnreadable << QStringLiteral("Truck");
        // The file of an entity is named as its class is written.
        QTest::newRow("entity name with a hyphen")
            << GeneratorKind::Cpp << QStringList{"E_x002D_mail.h=class E_x002D_mail;"}
            << QStringLiteral("class E_x002D_mail;\r\n") << QStringLiteral("E-mail");
        QTest::newRow("Java keyword")
            << GeneratorKind::Java << QStringList{"final_.java=class final_ {}"}
            << QStringLiteral("class final_ {}\r\n") << QStringLiteral("final");
    }

    void shownText()
    {
        QFETCH(GeneratorKind, kind);
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QFETCH(QString, entity);
        QTemporaryDir folder;
        for (const QString &file : files)
            writeText(folder.filePath(file.section(QLatin1Char('='), 0, 0)),
                      file.section(QLatin1Char('='), 1).toUtf8());
        const QString text = GeneratedFileText::forClass(folder.path(), entity, kind);
        if (expected.startsWith(QLatin1Char('~'))) {
            QVERIFY2(text.startsWith(expected.mid(1)), qPrintable(text));
            QVERIFY(text.size() > expected.size() - 1); // the file error's own words follow
        } else {
            QCOMPARE(text, expected);
        }
    }
};

QTEST_GUILESS_MAIN(GeneratedFileTextTest)
#include "tst_generatedfiletext.moc"
