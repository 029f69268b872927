#pragma once

#include "app/widgets/helpbrowser.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace varn::app {

// The manual: its topics on the left, the page on the right, and a search
// field above. A search lists the topics that hold the words and selects
// them in the page; Find Next goes on to the next place.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(std::map<QString, HelpBrowser::PageWriter> writtenPages,
                        QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_search; }
    QListWidget *topics() const { return m_topics; }
    HelpBrowser *browser() const { return m_browser; }
    // Shows a page by its file name.
    void showPage(const QString &fileName);

public slots:
    // Lists the topics holding the search text (all with an empty text) and
    // selects its first place.
    void search();
    void findNext();

private:
    void listTopics(const QString &text);
    void showTopic(int row);

    HelpBrowser *m_browser;
    QLineEdit *m_search;
    QPushButton *m_findNext;
    QListWidget *m_topics;
    QStringList m_pages;
    QStringList m_titles;
    QStringList m_plainTexts;
};

} // namespace varn::app
