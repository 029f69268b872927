#include "pseudotranslation.h"

#include <QCoreApplication>
#include <QFile>
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

} // namespace

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
