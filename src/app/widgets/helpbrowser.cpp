#include "app/widgets/helpbrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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
    const QString contents = QStringLiteral("index.html");
    QStringList names{contents};
    const auto add = [&names](const QString &name) {
        if (!names.contains(name))
            names.append(name);
    };
    // In the order of the contents' links, then any page they leave out.
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#/]+\\.html)"));
    for (const QRegularExpressionMatch &match : link.globalMatch(pageHtml(contents))) {
        const QString name = match.captured(1);
        if (m_written.count(name) != 0 || QFileInfo::exists(shippedFolder() + '/' + name))
            add(name);
    }
    for (const QString &name :
         QDir(shippedFolder()).entryList({QStringLiteral("*.html")}, QDir::Files))
        add(name);
    for (const auto &[name, writer] : m_written)
        add(name);
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
