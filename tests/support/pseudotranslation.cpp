#include "pseudotranslation.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>

QString PseudoTranslation::gatheredTextsPath()
{
    return QStringLiteral(VARN_BINARY_DIR "/translations/varn-se.ts");
}

namespace {

// The text of the element just opened. lupdate writes a control character
// such as a carriage return as <byte value="xd"/>.
QString elementText(QXmlStreamReader &xml)
{
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            const QStringView value = xml.attributes().value(QLatin1String("value"));
            bool ok = false;
            const uint code =
                value.startsWith(u'x') ? value.mid(1).toUInt(&ok, 16) : value.toUInt(&ok, 10);
            if (ok)
                text += QChar(char16_t(code));
            xml.skipCurrentElement();
        } else if (xml.isEndElement()) {
            break;
        }
    }
    return text;
}

// A text as a .ts file holds it: markup escaped, and a control character
// other than a line break or tab as lupdate writes it.
QString tsText(const QString &text)
{
    QString written;
    for (const QChar c : text) {
        if (c == u'<')
            written += QStringLiteral("&lt;");
        else if (c == u'>')
            written += QStringLiteral("&gt;");
        else if (c == u'&')
            written += QStringLiteral("&amp;");
        else if (c.unicode() < 0x20 && c != u'\n' && c != u'\t')
            written += QStringLiteral("<byte value=\"x%1\"/>").arg(c.unicode(), 0, 16);
        else
            written += c;
    }
    return written;
}

// Each line of the text bracketed; the breaks ("\n", "\r", "\r\n") and
// blank lines stay as they are.
QString bracketedByLine(const QString &text)
{
    QString bracketed;
    QString line;
    const auto endLine = [&] {
        if (!line.isEmpty())
            bracketed += QLatin1Char('[') + line + QLatin1Char(']');
        line.clear();
    };
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r') {
            endLine();
            bracketed += c;
        } else {
            line += c;
        }
    }
    endLine();
    return bracketed;
}

} // namespace

QString PseudoTranslation::compileByLine(const QString &folder, const QString &language) const
{
    const QString base = folder + QStringLiteral("/varn-se_") + language;
    QFile ts(base + QStringLiteral(".ts"));
    if (!ts.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return ts.fileName() + QStringLiteral(": ") + ts.errorString();
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                                 "<TS version=\"2.1\" language=\"%1\">\n")
                      .arg(language);
    for (const Text &text : m_gathered) {
        xml += QStringLiteral("<context><name>%1</name><message><source>%2</source>")
                   .arg(tsText(text.context), tsText(text.source));
        if (!text.comment.isEmpty())
            xml += QStringLiteral("<comment>%1</comment>").arg(tsText(text.comment));
        xml += QStringLiteral("<translation>%1</translation></message></context>\n")
                   .arg(tsText(bracketedByLine(text.source)));
    }
    xml += QStringLiteral("</TS>\n");
    if (ts.write(xml.toUtf8()) < 0 || !ts.flush())
        return ts.fileName() + QStringLiteral(": ") + ts.errorString();
    ts.close();
    QProcess lrelease;
    lrelease.start(QStringLiteral(VARN_LRELEASE),
                   {QStringLiteral("-silent"), ts.fileName(), QStringLiteral("-qm"),
                    base + QStringLiteral(".qm")});
    if (!lrelease.waitForFinished(60000) || lrelease.exitStatus() != QProcess::NormalExit ||
        lrelease.exitCode() != 0)
        return QStringLiteral("lrelease: ") + lrelease.errorString() +
               QString::fromLocal8Bit(lrelease.readAllStandardError());
    return {};
}

QString PseudoTranslation::installGathered()
{
    QString error;
    if (!loadGatheredTexts(gatheredTextsPath(), &error))
        return error;
    if (m_texts.isEmpty())
        return gatheredTextsPath() + QStringLiteral(": no texts were gathered");
    if (!QCoreApplication::installTranslator(this))
        return QStringLiteral("The pseudo-translation could not be installed.");
    return {};
}

bool PseudoTranslation::loadGatheredTexts(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QString comment;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name"))
                context = elementText(xml);
            else if (name == QLatin1String("message"))
                source.clear(), comment.clear();
            else if (name == QLatin1String("source"))
                source = elementText(xml);
            else if (name == QLatin1String("comment"))
                comment = elementText(xml);
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            m_texts.insert(key(context, source, comment));
            m_gathered.append({context, source, comment});
        }
    }
    if (xml.hasError()) {
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

QString PseudoTranslation::translate(const char *context, const char *sourceText,
                                     const char *disambiguation, int) const
{
    const QString source = QString::fromUtf8(sourceText);
    if (!m_texts.contains(key(QString::fromUtf8(context), source,
                              QString::fromUtf8(disambiguation ? disambiguation : ""))))
        return {};
    return QLatin1Char('[') + source + QLatin1Char(']');
}

bool PseudoTranslation::isTranslated(const QString &shown)
{
    const qsizetype open = shown.indexOf(QLatin1Char('['));
    return open >= 0 && shown.indexOf(QLatin1Char(']'), open) > open;
}

QString PseudoTranslation::key(const QString &context, const QString &source,
                               const QString &comment)
{
    return context + QChar(0x1f) + source + QChar(0x1f) + comment;
}
