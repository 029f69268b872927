// A file written whole or not at all.

#include "common/savedfile.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QtTest>

using namespace varn;

class SavedFileTest : public QObject
{
    Q_OBJECT

    static QByteArray contentsOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

private slots:
    // A write refused part-way leaves the file as it was, and no file
    // beside it.
    void refusalLeavesTheFileAsItWas()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.html"));
        QVERIFY(SavedFile::write(path, [](QIODevice &file) {
            file.write("old");
            return Outcome::ok();
        }));
        QCOMPARE(contentsOf(path), QByteArray("old"));
        const Outcome written = SavedFile::write(path, [&](QIODevice &file) {
            file.write("half of the new");
            return Outcome::stop(QStringLiteral("the content's own refusal"));
        });
        QVERIFY(!written);
        QCOMPARE(written.message(), QStringLiteral("the content's own refusal"));
        QCOMPARE(contentsOf(path), QByteArray("old"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.html"});
    }

    void unwritableFolderSaysWhere()
    {
        const QString path = QStringLiteral("/nonexistent-folder/report.html");
        const Outcome written = SavedFile::write(path, [](QIODevice &) { return Outcome::ok(); });
        QVERIFY(!written);
        QVERIFY(written.message().startsWith(QStringLiteral("Cannot write ") + path + ":\n"));
    }

    void sameFileWhateverItsSpelling()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("w.vnp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::link(path, folder.filePath(QStringLiteral("link.vnp"))));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(SavedFile::sameFile(path, folder.filePath(QStringLiteral("sub/../w.vnp"))));
        QVERIFY(SavedFile::sameFile(path, folder.filePath(QStringLiteral("link.vnp"))));
        QVERIFY(!SavedFile::sameFile(path, folder.filePath(QStringLiteral("other.vnp"))));
    }
};

QTEST_GUILESS_MAIN(SavedFileTest)
#include "tst_savedfile.moc"
