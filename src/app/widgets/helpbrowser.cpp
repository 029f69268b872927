#include "app/widgets/helpbrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace varn::app {

const QString &HelpBrowser::shippedFolder()
{
    static const QString folder = QStringLiteral(":/help");
    return folder;
}

HelpBrowser::HelpBrowser(std::map<QString, PageWriter> writtenPages, QWidget *parent)
    : QTextBrowser(parent), m_written(std::move(writtenPages))
{
    setSearchPaths({shippedFolder()});
    setOpenExternalLinks(true);
}

QStringList HelpBrowser::pageNames() const
{
    QStringList names = QDir(shippedFolder()).entryList({QStringLiteral("*.html")}, QDir::Files);
    // The contents first.
    names.removeAll(QStringLiteral("index.html"));
    names.prepend(QStringLiteral("index.html"));
    for (const auto &[name, writer] : m_written) {
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QString HelpBrowser::pageHtml(const QString &fileName) const
{
    if (const auto written = m_written.find(fileName); written != m_written.end())
        return written->second();
    QFile shipped(shippedFolder() + QLatin1Char('/') + fileName);
    if (!shipped.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(shipped.readAll());
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    if (type == QTextDocument::HtmlResource) {
        const QString page = pageHtml(QFileInfo(name.path()).fileName());
        if (!page.isEmpty())
            return page;
    }
    return QTextBrowser::loadResource(type, name);
}

} // namespace varn::app
