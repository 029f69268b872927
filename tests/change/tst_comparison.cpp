// The comparison of two sets of requirements, on its own: no database, two
// snapshots in, the changes and their reports out.
#include "change/changereportstream.h"
#include "change/changereportwriter.h"
#include "change/comparison.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace varn::change;

namespace {

SnapshotRequirement requirement(int number, const QString &text, int identity = 0, int version = 1)
{
    SnapshotRequirement made;
    made.identity = identity ? identity : number;
    made.number = number;
    made.version = version;
    made.type = QStringLiteral("Technical");
    made.category = QStringLiteral("Software");
    made.priority = 1;
    made.release = 1;
    made.paragraph = QStringLiteral("None");
    made.sentence = QStringLiteral("The Acme system shall ") + text + QLatin1Char('.');
    return made;
}

// The base set: three requirements, 2 and 3 depending on 1.
Snapshot base()
{
    return {QStringLiteral("release 1"),
            {requirement(1, QStringLiteral("open the gate")),
             requirement(2, QStringLiteral("close the gate")),
             requirement(3, QStringLiteral("log the gate"))},
            {{1, 2}, {1, 3}}};
}

} // namespace

Q_DECLARE_METATYPE(std::function<void(Snapshot &)>)

class ComparisonTest : public QObject
{
    Q_OBJECT

private slots:
    // Each row changes a copy of the base set; the text report of the
    // comparison from the base to it.
    void reportsWhatChanged_data()
    {
        QTest::addColumn<std::function<void(Snapshot &)>>("change");
        QTest::addColumn<QString>("report");
        QTest::newRow("nothing") << std::function<void(Snapshot &)>([](Snapshot &) {
        }) << "0 added, 0 deleted, 0 changed; 0 links added, 0 links removed\n";
        QTest::newRow("new version")
            << std::function<void(Snapshot &)>([](Snapshot &set) {
                   set.requirements[0] = requirement(4, QStringLiteral("open the main gate"), 1, 2);
               })
            << "Changed requirement 1 (now 4)\n"
               "  The Acme system shall open the {+main+} gate.\n"
               "  Req No.: 1 -> 4\n"
               "  Version: 1 -> 2\n"
               "0 added, 0 deleted, 1 changed; 0 links added, 0 links removed\n";
        QTest::newRow("attributes in place")
            << std::function<void(Snapshot &)>([](Snapshot &set) {
                   set.requirements[1].category = QStringLiteral("Hardware");
                   set.requirements[1].paragraph = QStringLiteral("3.1");
               })
            << "Changed requirement 2\n"
               "  The Acme system shall close the gate.\n"
               "  Category: Software -> Hardware\n"
               "  Paragraph: None -> 3.1\n"
               "0 added, 0 deleted, 1 changed; 0 links added, 0 links removed\n";
        QTest::newRow("deleted and re-used")
            << std::function<void(Snapshot &)>([](Snapshot &set) {
                   set.requirements.removeAt(2);
                   set.requirements.append(requirement(5, QStringLiteral("log the gate")));
               })
            << "Deleted requirement 3\n"
               "  The Acme system shall log the gate.\n"
               "Added requirement 5\n"
               "  The Acme system shall log the gate.\n"
               "1 added, 1 deleted, 0 changed; 0 links added, 0 links removed\n";
        QTest::newRow("links") << std::function<void(Snapshot &)>([](Snapshot &set) {
            set.links = {{1, 3}, {2, 3}, {2, 3}};
        })
                               << "Link removed: 2 depends on 1\n"
                                  "Link added: 3 depends on 2\n"
                                  "0 added, 0 deleted, 0 changed; 1 links added, 1 links removed\n";
        QTest::newRow("a link stored again") << std::function<void(Snapshot &)>([](Snapshot &set) {
            set.links = {{1, 3}, {1, 2}, {1, 2}};
        }) << "0 added, 0 deleted, 0 changed; 0 links added, 0 links removed\n";
    }

    void reportsWhatChanged()
    {
        QFETCH(std::function<void(Snapshot &)>, change);
        QFETCH(QString, report);
        Snapshot after = base();
        after.name.clear();
        change(after);
        const ChangeReport changes = Comparison::compare(base(), after);
        QCOMPARE(ChangeReportWriter::text(changes),
                 QStringLiteral("Changes from baseline \"release 1\" to the live requirements\n") +
                     report);
        QCOMPARE(changes.isEmpty(), report.startsWith(QLatin1String("0 added")) &&
                                        report.contains(QLatin1String("0 links added, 0 links")));
    }

    // Compared backwards, an addition is a deletion and old and new swap.
    void comparesBackwards()
    {
        Snapshot later = base();
        later.name = QStringLiteral("release 2");
        later.requirements[0] = requirement(4, QStringLiteral("open the main gate"), 1, 2);
        later.requirements.append(requirement(5, QStringLiteral("sound the alarm")));
        const ChangeReport forwards = Comparison::compare(base(), later);
        const ChangeReport backwards = Comparison::compare(later, base());
        QCOMPARE(forwards.added, backwards.deleted);
        QCOMPARE(forwards.changed, backwards.changed);
        QCOMPARE(WordDifference::marked(backwards.requirements.first().words),
                 QStringLiteral("The Acme system shall open the [-main-] gate."));
        QCOMPARE(
            backwards.requirements.first().attributes.first(),
            (AttributeChange{QStringLiteral("number"), QStringLiteral("4"), QStringLiteral("1")}));
    }

    // The JSON report names every change for a program; the HTML report
    // escapes the user's words.
    void writesJsonAndHtml()
    {
        Snapshot after = base();
        after.name.clear();
        after.requirements[1] =
            requirement(6, QStringLiteral("close the gate & lock <b>now</b>"), 2, 2);
        after.links.removeLast();
        const ChangeReport changes = Comparison::compare(base(), after);
        const QJsonObject json =
            QJsonDocument::fromJson(ChangeReportWriter::json(changes)).object();
        QCOMPARE(json.value("from").toString(), QStringLiteral("release 1"));
        QVERIFY(json.value("to").isNull());
        const QJsonObject changed = json.value("requirements").toArray().at(0).toObject();
        QCOMPARE(changed.value("requirement").toInt(), 2);
        QCOMPARE(changed.value("numberBefore").toInt(), 2);
        QCOMPARE(changed.value("numberAfter").toInt(), 6);
        QCOMPARE(changed.value("attributes").toArray().size(), 2);
        const QJsonObject link = json.value("links").toArray().at(0).toObject();
        QCOMPARE(link.value("kind").toString(), QStringLiteral("removed"));
        QCOMPARE(link.value("dependent").toInt(), 3);
        QCOMPARE(json.value("counts").toObject().value("linksRemoved").toInt(), 1);

        const QString html = ChangeReportWriter::html(changes, QStringLiteral("Acme"));
        QVERIFY2(html.contains(QStringLiteral(" <ins>&amp; lock &lt;b&gt;now&lt;/b&gt;</ins>.")),
                 qPrintable(html));
        QVERIFY(!html.contains(QStringLiteral("<b>now")));
        QVERIFY(html.contains(QStringLiteral("Link removed: 3 depends on 1")));
    }

    // A report written change by change is the document QJsonDocument would
    // write of it, whatever the number of changes: a few, none, and enough
    // that the parts waiting for the counts go to a temporary file. The HTML
    // read back from that file is the page held whole.
    void streamsAsTheWholeDocument_data()
    {
        QTest::addColumn<int>("changed");
        QTest::addColumn<int>("links");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("a few") << 3 << 2;
        QTest::newRow("past the memory's share") << 4000 << 3000;
    }

    void streamsAsTheWholeDocument()
    {
        QFETCH(int, changed);
        QFETCH(int, links);
        Snapshot before{QStringLiteral("r \"1\"\t"), {}, {}};
        Snapshot after{{}, {}, {}};
        for (int i = 1; i <= changed; ++i) {
            const QString words = QStringLiteral("open gate %1 of the \"north\" yard\\%2 ")
                                      .arg(i)
                                      .arg(QString(200, QChar(u'\u00e9')));
            before.requirements.append(requirement(i, words));
            after.requirements.append(
                requirement(i + changed, words + QStringLiteral("now"), i, 2));
        }
        for (int i = 1; i <= links; ++i)
            (i % 2 ? before.links : after.links).append({i, i + 1});
        const ChangeReport report = Comparison::compare(before, after);
        using Format = ChangeReportWriter::Format;
        for (const Format format : {Format::Json, Format::Html, Format::Text}) {
            QString out;
            ChangeReportStream stream(format, report.from, report.to, QStringLiteral("Acme"),
                                      [&out](const QString &line) { out += line + u'\n'; });
            for (const RequirementChange &change : report.requirements)
                QVERIFY(stream.requirement(change));
            for (const LinkChange &link : report.links)
                QVERIFY(stream.link(link));
            QVERIFY(stream.finish());
            QCOMPARE(stream.isEmpty(), report.isEmpty());
            if (format == Format::Json) {
                QJsonParseError error;
                const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8(), &error);
                QCOMPARE(error.error, QJsonParseError::NoError);
                QCOMPARE(out, QString::fromUtf8(document.toJson(QJsonDocument::Indented)));
                QCOMPARE(document.object().value("requirements").toArray().size(), changed);
                QCOMPARE(document.object().value("links").toArray().size(), links);
            } else if (format == Format::Html) {
                QCOMPARE(out, ChangeReportWriter::html(report, QStringLiteral("Acme")));
            } else {
                QCOMPARE(out, ChangeReportWriter::text(report));
            }
        }
    }
};

QTEST_GUILESS_MAIN(ComparisonTest)
#include "tst_comparison.moc"
