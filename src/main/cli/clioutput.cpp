#include "cli/clicommand.h"

#include "cli/clitr.h"
#include "common/controlcharacters.h"

#include <QJsonDocument>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace varn::cli {

namespace {

// What became of stdout: 0 while it takes what is written, EPIPE once its
// reader has gone, or the error that made a write fail.
int g_stdoutError = 0;

void noteStdoutFailure()
{
    if (g_stdoutError == 0)
        g_stdoutError = errno != 0 ? errno : EIO;
    std::clearerr(stdout);
}

} // namespace

QString terminalText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void printLine(const QString &text)
{
    // A reader that has gone (varn-cli list | head -5) wants no more; the
    // command still runs to its end.
    if (g_stdoutError != 0)
        return;
    // A stored text may hold a control character written before they were
    // refused at input: it is shown as what it was, never passed to the
    // terminal, and a NUL does not end the line early.
    const QByteArray bytes = ControlCharacters::madeVisible(text).toUtf8();
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fputc('\n', stdout) == EOF)
        noteStdoutFailure();
}

QString jsonArrayElement(const QJsonObject &object)
{
    const QByteArray alone = QJsonDocument(object).toJson(QJsonDocument::Indented);
    QByteArray element;
    element.reserve(alone.size() + 64);
    for (const QByteArray &line : alone.trimmed().split('\n'))
        element += (element.isEmpty() ? "    " : "\n    ") + line;
    return QString::fromUtf8(element);
}

void printError(const QString &text)
{
    std::fputs(terminalText(text).toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int finishOutput(int code)
{
    errno = 0;
    if (g_stdoutError == 0 && std::fflush(stdout) == EOF)
        noteStdoutFailure();
    if (g_stdoutError == 0 || g_stdoutError == EPIPE)
        return code;
    printError(QStringLiteral("varn-cli: ") +
               Tr::tr("the results could not be written: %1")
                   .arg(QString::fromLocal8Bit(std::strerror(g_stdoutError))));
    return code == Done ? DatabaseError : code;
}

int usageError(const QString &problem, const char *synopsis)
{
    if (!problem.isEmpty())
        printError(QStringLiteral("varn-cli: ") + problem);
    printError(Tr::tr("usage: varn-cli %1").arg(Tr::tr(synopsis)));
    return UsageError;
}

int report(const Outcome &outcome, ExitCode whenRefused)
{
    if (outcome.isOk())
        return Done;
    if (outcome.hasMessage())
        printError(outcome.message());
    return whenRefused;
}

} // namespace varn::cli
