#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QTranslator>

// A translation that shows every text the build's lupdate gathered as
// "[text]". Installed in a suite, any text a window shows without brackets
// escaped translation: it was never marked, or it was marked in a way lupdate
// cannot read (a variable passed to tr(), a context lupdate does not know), so
// no translator would ever see it.
class PseudoTranslation : public QTranslator
{
    Q_OBJECT

public:
    // Reads the gathered texts (the build's translations/varn-se.ts); false,
    // with the reason in *error, when the file cannot be read.
    bool loadGatheredTexts(const QString &path, QString *error);
    static QString gatheredTextsPath();
    // Reads the build's gathered texts and installs the translation in the
    // application: what a suite's initTestCase() does. The empty string when
    // it is installed, else why not.
    QString installGathered();

    int textCount() const { return int(m_texts.size()); }
    bool isEmpty() const override { return m_texts.isEmpty(); }
    QString translate(const char *context, const char *sourceText,
                      const char *disambiguation = nullptr, int n = -1) const override;

    // Whether a text a window shows came through the translation: it holds
    // a bracketed part. Texts of the user's data carry none.
    static bool isTranslated(const QString &shown);

    // For a program run as a process of its own, which loads its user's
    // language from a file: writes the gathered texts as the translation
    // <folder>/varn-se_<language>.qm, each line of a text bracketed on its
    // own, since a terminal shows a text line by line. The empty string
    // when it is written, else why not.
    QString compileByLine(const QString &folder, const QString &language) const;

private:
    struct Text
    {
        QString context;
        QString source;
        QString comment;
    };
    static QString key(const QString &context, const QString &source, const QString &comment);
    QSet<QString> m_texts;
    QList<Text> m_gathered;
};
