#pragma once

// A requirements database made from the blank image in a temporary folder,
// with object-model rows inserted as derivation writes them. Shared by the
// generator suites; header only, since only tst_*.cpp files are built.

#include "app/blankimage.h"
#include "store/sqlconnection.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace varn::generate::test {

class TestModel
{
public:
    TestModel()
        : m_connection(QStringLiteral("generate-test-%1").arg(++s_connections)),
          m_installPath(m_dir.path() + QStringLiteral("/User Files/"))
    {
        const QString path = m_dir.filePath(QStringLiteral("TestReq.mdb"));
        if (Outcome written = app::BlankImage::writeTo(QString(), path); !written)
            qWarning("cannot write the test database: %s", qPrintable(written.message()));
        Result<QSqlDatabase> opened = store::SqlConnection::open(m_connection, path);
        if (opened) {
            m_database = opened.value();
            exec(QStringLiteral("PRAGMA synchronous = OFF")); // a test database needs no fsync
        } else
            qWarning("cannot open the test database: %s", qPrintable(opened.outcome().message()));
    }
    ~TestModel()
    {
        m_database = QSqlDatabase();
        store::SqlConnection::close(m_connection);
    }
    TestModel(const TestModel &) = delete;
    TestModel &operator=(const TestModel &) = delete;

    bool isValid() const { return m_database.isOpen(); }
    QSqlDatabase database() const { return m_database; }
    QString connectionName() const { return m_connection; }
    QString installPath() const { return m_installPath; }
    QString tempPath() const { return m_dir.path(); }

    // Each adds one row and returns its key: the next free key of its table,
    // or the key given.
    int entity(const QString &name, int key = 0)
    {
        return insert("OM_ENTITY", {key ? key : ++m_keys[0], name});
    }
    int attribute(int entity, const QString &name, const QString &type, int key = 0)
    {
        return insert("OM_ATTR", {key ? key : ++m_keys[1], name, type, entity});
    }
    int pointer(int owner, const QString &target, int key = 0)
    {
        return attribute(owner, QStringLiteral("*p") + target, QStringLiteral("pointer"), key);
    }
    int method(int entity, const QString &name)
    {
        return insert("OM_METHOD", {++m_keys[2], name, entity});
    }
    int base(const QString &subEntity, int baseEntity)
    {
        return insert("OM_INH", {++m_keys[3], subEntity, baseEntity});
    }
    // An aggregation as derivation records it: the OM_AGG row and the
    // reference attribute on the whole.
    int part(int whole, const QString &part, int key = 0)
    {
        insert("OM_AGG", {++m_keys[4], part, whole});
        return attribute(whole, QStringLiteral("&r") + part, QStringLiteral("reference"), key);
    }
    void values(int attribute, const QStringList &values)
    {
        for (const QString &value : values)
            insert("OM_PV", {++m_keys[5], attribute, value});
    }

    bool exec(const QString &statement)
    {
        QSqlQuery query(m_database);
        if (query.exec(statement))
            return true;
        qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
        return false;
    }

private:
    int insert(const char *table, const QVariantList &row)
    {
        QStringList marks;
        for (qsizetype i = 0; i < row.size(); ++i)
            marks.append(QStringLiteral("?"));
        QSqlQuery query(m_database);
        query.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)")
                          .arg(QLatin1String(table), marks.join(QLatin1Char(','))));
        for (const QVariant &value : row)
            query.addBindValue(value);
        if (!query.exec())
            qWarning("insert into %s: %s", table, qPrintable(query.lastError().text()));
        return row.first().toInt();
    }

    static inline int s_connections = 0;
    QTemporaryDir m_dir;
    QString m_connection;
    QString m_installPath;
    QSqlDatabase m_database;
    int m_keys[6] = {};
};

// Compares generated text with the expected lines: line feeds only, no line
// feed after the last line, every line equal.
inline bool sameLines(const QString &actual, const QStringList &expected)
{
    const QStringList lines = actual.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < qMin(lines.size(), expected.size()); ++i) {
        if (lines.at(i) != expected.at(i)) {
            qWarning("line %lld differs:\n  actual:   \"%s\"\n  expected: \"%s\"", i + 1,
                     qPrintable(lines.at(i)), qPrintable(expected.at(i)));
            return false;
        }
    }
    if (lines.size() != expected.size()) {
        qWarning("%lld lines, %lld expected", lines.size(), expected.size());
        return false;
    }
    return !actual.contains(QLatin1Char('\r'));
}

inline QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

inline void writeText(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// Leaves files in a folder as an earlier run of a generator would have left
// them: the files, and the manifest that names them (and the run's tag, when
// given).
inline void writeEarlierRun(const QString &folder, const QStringList &files,
                            const QByteArray &runTag = {})
{
    QByteArray manifest = runTag.isEmpty() ? QByteArray() : "#run " + runTag + '\n';
    for (const QString &file : files) {
        writeText(folder + QLatin1Char('/') + file, "old");
        manifest += file.toUtf8() + '\n';
    }
    writeText(folder + QStringLiteral("/.varn-generated"), manifest);
}

// The lines every C++ header starts with: the banner and the include guard.
inline QStringList cppBanner(const QString &entity)
{
    const QString rule(77, QLatin1Char('/'));
    const QString guard = QStringLiteral("VARN_") + entity + QStringLiteral("_H");
    return {
        rule,
        QStringLiteral("//Varn SE-generated C++ header file."),
        rule,
        QStringLiteral("//VARN SE VERSION 4.0. Generated by Varn SE, a product of Varn Systems."),
        rule,
        QStringLiteral("//FILENAME: ") + entity + QStringLiteral(".h"),
        rule,
        QString(),
        QStringLiteral("#ifndef ") + guard,
        QStringLiteral("#define ") + guard,
        QString()};
}

// The lines every C++ header ends with, after the class's "};".
inline QStringList cppEnd()
{
    return {QString(), QStringLiteral("#endif"), QString()};
}

inline QStringList javaBanner(const QString &entity)
{
    return {
        QStringLiteral("/**"),
        QStringLiteral("** Varn SE-generated Java file."),
        QStringLiteral("** "),
        QStringLiteral("** VARN SE VERSION 4.0. Generated by Varn SE, a product of Varn Systems."),
        QStringLiteral("** "),
        QStringLiteral("** FILENAME: ") + entity + QStringLiteral(".java"),
        QStringLiteral("*/"),
        QString()};
}

// A model shaped like the worked examples: a typed sub-entity, a part, a
// pointer, enumerated and plain attributes, methods; its includes form no
// cycle, so each header compiles on its own.
inline void buildWorkedExamples(TestModel &model)
{
    const int truck = model.entity(QStringLiteral("Truck"));
    const int driver = model.entity(QStringLiteral("Driver"));
    const int engine = model.entity(QStringLiteral("Engine"));
    const int delivery = model.entity(QStringLiteral("Delivery_Truck"));
    const int dispatcher = model.entity(QStringLiteral("Dispatcher"));
    model.entity(QStringLiteral("Operator"));

    model.attribute(truck, QStringLiteral("speed"), QStringLiteral("long"));
    model.values(model.attribute(truck, QStringLiteral("colour"), QStringLiteral("int")),
                 {QStringLiteral("red"), QStringLiteral("green")});
    model.attribute(truck, QStringLiteral("truckArrives"), QStringLiteral("int"));
    model.attribute(truck, QStringLiteral("weight"), QStringLiteral("double"));
    model.pointer(truck, QStringLiteral("Driver"));
    model.part(truck, QStringLiteral("Engine"));
    model.method(truck, QStringLiteral("displaySpeed"));
    model.method(truck, QStringLiteral("arriveTruck"));

    model.attribute(driver, QStringLiteral("licence"), QStringLiteral("int"));
    model.method(driver, QStringLiteral("displayDriver"));

    model.attribute(engine, QStringLiteral("temperature"), QStringLiteral("double"));
    model.values(model.attribute(engine, QStringLiteral("state"), QStringLiteral("int")),
                 {QStringLiteral("running"), QStringLiteral("stopped"), QStringLiteral("idle")});
    model.method(engine, QStringLiteral("displayTemperature"));

    model.base(QStringLiteral("Delivery_Truck"), truck);
    model.attribute(delivery, QStringLiteral("route"), QStringLiteral("int"));

    model.pointer(dispatcher, QStringLiteral("Truck"));
    model.method(dispatcher, QStringLiteral("sendTruckToDispatcher"));
}

} // namespace varn::generate::test
