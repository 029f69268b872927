#pragma once

#include <QTextBrowser>

#include <functional>
#include <map>

namespace varn::app {

// Shows the pages of the manual: those shipped with the program, and those
// the features write when they are asked for.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    using PageWriter = std::function<QString()>;

    explicit HelpBrowser(std::map<QString, PageWriter> writtenPages, QWidget *parent = nullptr);

    // Every page's file name: the contents, the pages in the order the
    // contents link them, then those they leave out.
    QStringList pageNames() const;
    // The page's text as HTML, or empty when there is no such page.
    QString pageHtml(const QString &fileName) const;

    QVariant loadResource(int type, const QUrl &name) override;

    static const QString &shippedFolder();

private:
    std::map<QString, PageWriter> m_written;
};

} // namespace varn::app
