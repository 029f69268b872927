// Random object models, with the names and shapes requirements can give
// (blanks, hyphens, leading digits, keywords, upper/lower-case twins,
// non-ASCII letters, pointer cycles, inheritance diamonds and loops, values
// repeated across attributes, derived methods named like accessors), are
// generated and handed to the real tools: every C++ header on its own and all
// together, in both forms, all Java classes together, the schema in SQLite.
//
// The seed is printed; VARN_GENERATOR_SEED=<seed> replays a run and
// VARN_GENERATOR_MODELS=<n> sets how many models a run makes (default 1, of
// 50 classes, to keep CI short; each run draws new ones).

#include "generate/identifierspelling.h"
#include "generate/modelgenerator.h"
#include "outputtools.h"
#include "testmodel.h"

#include <QRandomGenerator>
#include <QSqlRecord>
#include <QtTest>

using namespace varn;
using namespace varn::generate;
using namespace varn::generate::test;

namespace {

const QString kSystem = QStringLiteral("Random System");
constexpr int kEntities = 50;

const QStringList kEntityWords = {
    QStringLiteral("Truck"),        QStringLiteral("truck"),       QStringLiteral("Order"),
    QStringLiteral("class"),        QStringLiteral("E-mail"),      QStringLiteral("3D Display"),
    QStringLiteral("Übergabe"),     QStringLiteral("new"),         QStringLiteral("final"),
    QStringLiteral("Route_x0041_"), QStringLiteral("sqlite_stat"), QStringLiteral("Zone a-b"),
};
const QStringList kAttributeWords = {
    QStringLiteral("speed"),  QStringLiteral("Speed"),    QStringLiteral("flash-rate"),
    QStringLiteral("2nd"),    QStringLiteral("int"),      QStringLiteral("true"),
    QStringLiteral("größe"),  QStringLiteral("is ready"), QStringLiteral("colour"),
    QStringLiteral("Colour"), QStringLiteral("delete"),   QStringLiteral("value"),
};
const QStringList kValues = {
    QStringLiteral("red"),  QStringLiteral("dark red"), QStringLiteral("on-line"),
    QStringLiteral("true"), QStringLiteral("false"),    QStringLiteral("open"),
    QStringLiteral("3rd"),  QStringLiteral("grün"),     QStringLiteral("speed"),
};
const QStringList kTypes = {QStringLiteral("int"), QStringLiteral("long"),
                            QStringLiteral("double")};

quint32 seedOfRun()
{
    bool given = false;
    const quint32 seed = qEnvironmentVariable("VARN_GENERATOR_SEED").toUInt(&given);
    return given ? seed : QRandomGenerator::global()->generate();
}

// Writes one random model into the test database.
class RandomModel
{
public:
    RandomModel(TestModel &model, quint32 seed) : m_model(model), m_random(seed) {}

    void build()
    {
        QStringList names;
        while (names.size() < kEntities) {
            const QString name = pick(kEntityWords) + suffix();
            if (!names.contains(name))
                names.append(name);
        }
        QList<int> ids;
        for (const QString &name : std::as_const(names))
            ids.append(m_model.entity(name));
        for (qsizetype i = 0; i < names.size(); ++i)
            fill(ids.at(i), names, ids);
    }

private:
    void fill(int entity, const QStringList &names, const QList<int> &ids)
    {
        QStringList attributes;
        for (int a = bounded(6); a > 0; --a) {
            const QString name = pick(kAttributeWords) + (chance(3) ? suffix() : QString());
            const int attribute = m_model.attribute(entity, name, pick(kTypes));
            attributes.append(name);
            if (chance(2)) {
                QStringList values;
                for (int v = 1 + bounded(4); v > 0; --v)
                    values.append(pick(kValues));
                m_model.values(attribute, values);
            }
        }
        for (int m = bounded(4); m > 0; --m) {
            if (!attributes.isEmpty() && chance(2))
                m_model.method(entity, QStringLiteral("get") +
                                           attributes.at(bounded(int(attributes.size()))));
            else
                m_model.method(entity, pick(kAttributeWords) + QStringLiteral(" now"));
        }
        for (int p = bounded(3); p > 0; --p)
            m_model.pointer(entity, chance(10) ? QStringLiteral("Ghost") : pick(names));
        if (chance(3))
            m_model.part(entity, pick(names));
        // Bases among the earlier entities, and now and then a later one,
        // which may close a loop; a second base makes a diamond.
        const qsizetype self = ids.indexOf(entity);
        for (int b = chance(2) ? 1 + bounded(2) : 0; b > 0; --b) {
            const qsizetype base =
                chance(8) ? bounded(int(ids.size())) : (self ? bounded(int(self)) : -1);
            if (base >= 0 && base != self)
                m_model.base(names.at(self), ids.at(base));
        }
    }

    QString suffix() { return chance(2) ? QString::number(bounded(30)) : QString(); }
    bool chance(int oneIn) { return bounded(oneIn) == 0; }
    int bounded(int limit) { return int(m_random.bounded(quint32(limit))); }
    const QString &pick(const QStringList &words) { return words.at(bounded(int(words.size()))); }

    TestModel &m_model;
    QRandomGenerator m_random;
};

} // namespace

class GeneratorPropertiesTest : public QObject
{
    Q_OBJECT

    quint32 m_seed = 0;

    QByteArray replay(quint32 seed) const
    {
        return QByteArrayLiteral("replay with VARN_GENERATOR_SEED=") + QByteArray::number(m_seed) +
               " (model seed " + QByteArray::number(seed) + ")";
    }

private slots:
    void initTestCase()
    {
        m_seed = seedOfRun();
        qInfo("seed %u (VARN_GENERATOR_SEED=%u replays this run)", m_seed, m_seed);
    }

    // Any text is written as an identifier that is no keyword, and read back.
    void spellingIsReversible()
    {
        static const QString characters = QStringLiteral("_x005F0Aab -9Üß\u00e9\U0001F600.");
        QRandomGenerator random(m_seed);
        const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        for (int i = 0; i < 20000; ++i) {
            QString text;
            for (int length = int(random.bounded(12)); length > 0; --length)
                text += characters.at(int(random.bounded(quint32(characters.size()))));
            if (text.isEmpty())
                continue;
            for (CodeLanguage language : {CodeLanguage::Cpp, CodeLanguage::Java}) {
                const QString spelled = IdentifierSpelling::spell(text, language);
                QVERIFY2(identifier.match(spelled).hasMatch() &&
                             !IdentifierSpelling::isKeyword(spelled, language) &&
                             IdentifierSpelling::unspell(spelled, language) == text,
                         qPrintable(text + QStringLiteral(" -> ") + spelled + QLatin1Char(' ') +
                                    QLatin1String(replay(m_seed))));
            }
        }
    }

    void randomModelsCompile()
    {
        const QString compiler = cppCompiler();
        const QString javac = javaCompiler();
        if (compiler.isEmpty() || javac.isEmpty())
            QSKIP("This needs a C++ compiler and javac on PATH.");
        const int models = qMax(1, qEnvironmentVariableIntValue("VARN_GENERATOR_MODELS"));
        QVERIFY2(models < 1000, "VARN_GENERATOR_MODELS is a small count of models");
        QRandomGenerator seeds(m_seed);
        QElapsedTimer timer;
        timer.start();
        int classes = 0;
        for (int m = 0; m < models; ++m) {
            const quint32 seed = seeds.generate();
            TestModel model;
            QVERIFY(model.isValid());
            QVERIFY(model.exec(QStringLiteral("BEGIN")));
            RandomModel(model, seed).build();
            QVERIFY(model.exec(QStringLiteral("COMMIT")));

            for (bool verbose : {true, false}) {
                const Result<GeneratedFiles> headers =
                    ModelGenerator::generate(GeneratorKind::Cpp, model.connectionName(),
                                             {model.installPath(), kSystem, verbose});
                QVERIFY2(headers.isOk(), replay(seed));
                QCOMPARE(headers->files.size(), kEntities);
                QString found = headerComplaints(compiler, headers->folder, headers->files);
                found += togetherComplaints(compiler, headers->folder, headers->files);
                QVERIFY2(found.isEmpty(), (found.toUtf8() + '\n' + replay(seed)).constData());
                classes += int(headers->files.size());
            }

            const Result<GeneratedFiles> java = ModelGenerator::generate(
                GeneratorKind::Java, model.connectionName(), {model.installPath(), kSystem, false});
            QVERIFY2(java.isOk(), replay(seed));
            QTemporaryDir classFolder;
            const ToolRun run =
                compileClasses(javac, java->folder, java->files, classFolder.path());
            QVERIFY2(run.exitCode == 0,
                     (run.output.left(3000).toUtf8() + '\n' + replay(seed)).constData());
            classes += int(java->files.size());

            const Result<GeneratedFiles> sql = ModelGenerator::generate(
                GeneratorKind::Sql, model.connectionName(), {model.installPath(), kSystem, false});
            QVERIFY2(sql.isOk(), replay(seed));
            ScratchSqlite sqlite;
            const QString failure =
                sqlite.runScript(readText(QDir(sql->folder).filePath(sql->files.last())));
            QVERIFY2(failure.isEmpty(), (failure.toUtf8() + '\n' + replay(seed)).constData());
            QCOMPARE(sqlite.database().tables().size(), kEntities);
        }
        qInfo("%d classes written and compiled in %lld ms", classes, timer.elapsed());
    }
};

QTEST_GUILESS_MAIN(GeneratorPropertiesTest)
#include "tst_generatorproperties.moc"
