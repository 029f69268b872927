// Saves N generated functional requirements into a fresh workspace database
// and prints requirements per second.
#include "app/blankimage.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"
#include "templates/functionalcommit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>

using namespace varn;
using namespace varn::templates;

namespace {

// Template 9 ("Event") with names that vary, so the model keeps growing.
FunctionalDraft generated(int i)
{
    FunctionalDraft draft = FunctionalDraft::forTemplate(9);
    draft.preamble = QStringLiteral("shall provide the capability");
    const QString n = QString::number(i);
    const QStringList texts = {"",
                               "notify",
                               "",
                               "",
                               "operational subsystem " + QString(QChar('a' + i % 26)),
                               "when",
                               "wind sensor",
                               "",
                               "runway station " + QString(QChar('a' + (i / 26) % 26)) +
                                   QString(QChar('a' + (i / 676) % 26)),
                               "changes",
                               "from",
                               "nominal",
                               "to",
                               "caution" + n};
    for (int k = 0; k < texts.size(); ++k)
        draft.setField(k, texts[k]);
    return draft;
}

double saveMany(int count)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("BenchReq.mdb"));
    const QString connection = QStringLiteral("bench%1").arg(count);
    if (!app::BlankImage::writeTo(QString(), path) ||
        !store::SqlConnection::open(connection, path)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return 0;
    }
    double seconds = 0;
    {
        store::RecordObjects records(connection);
        FunctionalCommit commit(records, QStringLiteral("Bench"));
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < count; ++i) {
            FunctionalDraft draft = generated(i);
            const CommitResult result = commit.save(draft);
            if (!result.outcome) {
                std::fprintf(stderr, "save %d refused: %s\n", i,
                             qPrintable(result.outcome.message()));
                return 0;
            }
        }
        seconds = timer.nsecsElapsed() / 1e9;
    }
    store::SqlConnection::close(connection);
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (const int count : {1000, 10000}) {
        const double seconds = saveMany(count);
        if (seconds <= 0)
            return 1;
        std::printf("saved %5d functional requirements in %.2f s: %.0f requirements/s\n", count,
                    seconds, count / seconds);
    }
    return 0;
}
