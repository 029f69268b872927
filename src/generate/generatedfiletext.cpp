#include "generate/generatedfiletext.h"

#include "generate/generatetr.h"
#include "generate/identifierspelling.h"
#include "generate/modelgenerator.h"

#include <QDir>
#include <QFile>

namespace varn::generate {

namespace {

constexpr qsizetype kLongestExplanation = 255;
const QLatin1String kLineEnd("\r\n");

QString missingFolderText(GeneratorKind kind)
{
    return Tr::tr("\r\n\r\nYour directory of %1 files does not exist.\r\n\r\n"
                  "Go to Generate -> Object Model... from the Main Menu to generate\r\n"
                  "your directory of files.")
        .arg(kind == GeneratorKind::Java ? QStringLiteral("Java") : QStringLiteral("C++"));
}

// The same text in both languages.
QString unreadableText(const QString &explanation)
{
    return Tr::tr("\r\n\r\nFile could not be displayed.\r\n\r\nRegenerate your C++ files "
                  "from the Main Menu by performing Generate -> Object Model...\r\n\r\n"
                  "Explanation:\r\n\r\n%1")
        .arg(explanation.left(kLongestExplanation));
}

} // namespace

QString GeneratedFileText::forClass(const QString &folder, const QString &className,
                                    GeneratorKind kind)
{
    const QString suffix = ModelGenerator::fileSuffix(kind);
    const QDir directory(folder);
    if (directory.entryList({QLatin1Char('*') + suffix}, QDir::Files).isEmpty())
        return missingFolderText(kind);

    const CodeLanguage language =
        kind == GeneratorKind::Java ? CodeLanguage::Java : CodeLanguage::Cpp;
    QFile file(directory.filePath(IdentifierSpelling::spell(className, language) + suffix));
    if (!file.open(QIODevice::ReadOnly))
        return unreadableText(file.errorString());
    QString text;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        text += QString::fromUtf8(line) + kLineEnd;
    }
    if (file.error() != QFile::NoError)
        return unreadableText(file.errorString());
    return text;
}

} // namespace varn::generate
