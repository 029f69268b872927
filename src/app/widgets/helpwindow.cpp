#include "app/widgets/helpwindow.h"

#include "app/apptr.h"
#include "app/widgets/programicon.h"

#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace varn::app {

namespace {

// A plain widget reaches screen readers as a pane ("filler"); the manual is
// a window of its own, named by its title.
QAccessibleInterface *windowFace(const QString &className, QObject *object)
{
    if (className == QLatin1String(HelpWindow::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

HelpWindow::HelpWindow(std::map<QString, HelpBrowser::PageWriter> writtenPages, QWidget *parent)
    : QWidget(parent, Qt::Window), m_browser(new HelpBrowser(std::move(writtenPages))),
      m_search(new QLineEdit), m_findNext(new QPushButton(Tr::tr("Find &Next"))),
      m_topics(new QListWidget)
{
    static const bool faceInstalled = (QAccessible::installFactory(windowFace), true);
    Q_UNUSED(faceInstalled);
    setWindowTitle(Tr::tr("Varn SE Help"));
    setWindowIcon(ProgramIcon::icon());
    setObjectName(QStringLiteral("helpWindow"));
    m_browser->setObjectName(QStringLiteral("page"));
    m_browser->setAccessibleName(Tr::tr("Page"));
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(Tr::tr("Words to find, then Enter"));
    m_search->setClearButtonEnabled(true);
    m_findNext->setObjectName(QStringLiteral("findNext"));
    m_findNext->setAccessibleName(Tr::tr("Find Next"));
    m_topics->setObjectName(QStringLiteral("topics"));

    // Each page's title and words, read once for the search.
    for (const QString &page : m_browser->pageNames()) {
        QTextDocument document;
        document.setHtml(m_browser->pageHtml(page));
        const QString title = document.metaInformation(QTextDocument::DocumentTitle);
        m_pages.append(page);
        m_titles.append(title.isEmpty() ? page : title);
        m_plainTexts.append(document.toPlainText());
    }

    auto *searchLabel = new QLabel(Tr::tr("&Search:"));
    searchLabel->setBuddy(m_search);
    m_search->setAccessibleName(Tr::tr("Search:"));
    auto *top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    top->addWidget(m_findNext);

    auto *topicsLabel = new QLabel(Tr::tr("&Topics"));
    topicsLabel->setBuddy(m_topics);
    m_topics->setAccessibleName(Tr::tr("Topics"));
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(topicsLabel);
    leftLayout->addWidget(m_topics);

    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 600});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    resize(860, 600);

    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::search);
    connect(m_findNext, &QPushButton::clicked, this, &HelpWindow::findNext);
    connect(m_topics, &QListWidget::currentRowChanged, this, &HelpWindow::showTopic);
    listTopics(QString());
    showPage(QStringLiteral("index.html"));
}

void HelpWindow::listTopics(const QString &text)
{
    const QSignalBlocker quiet(m_topics);
    m_topics->clear();
    for (int page = 0; page < m_pages.size(); ++page) {
        if (!text.isEmpty() && !m_plainTexts.at(page).contains(text, Qt::CaseInsensitive))
            continue;
        auto *item = new QListWidgetItem(m_titles.at(page), m_topics);
        item->setData(Qt::UserRole, m_pages.at(page));
    }
}

void HelpWindow::showTopic(int row)
{
    if (QListWidgetItem *item = m_topics->item(row)) {
        m_browser->setSource(QUrl(item->data(Qt::UserRole).toString()));
        if (!m_search->text().isEmpty())
            m_browser->find(m_search->text());
    }
}

void HelpWindow::showPage(const QString &fileName)
{
    m_browser->setSource(QUrl(fileName));
    for (int row = 0; row < m_topics->count(); ++row) {
        if (m_topics->item(row)->data(Qt::UserRole).toString() == fileName) {
            const QSignalBlocker quiet(m_topics);
            m_topics->setCurrentRow(row);
        }
    }
}

void HelpWindow::search()
{
    const QString text = m_search->text().trimmed();
    listTopics(text);
    if (m_topics->count() == 0) {
        m_topics->addItem(Tr::tr("No topic holds \"%1\".").arg(text));
        m_topics->item(0)->setFlags(Qt::NoItemFlags);
        // The page stays, but no longer shows the place of an earlier search.
        QTextCursor cursor = m_browser->textCursor();
        cursor.clearSelection();
        m_browser->setTextCursor(cursor);
        return;
    }
    m_topics->setCurrentRow(0);
}

void HelpWindow::findNext()
{
    const QString text = m_search->text().trimmed();
    if (text.isEmpty() || m_browser->find(text))
        return;
    // Past the last place in this page: the next topic that holds it.
    const int next = m_topics->currentRow() + 1;
    if (next < m_topics->count() && (m_topics->item(next)->flags() & Qt::ItemIsEnabled))
        m_topics->setCurrentRow(next);
    else if (m_topics->currentRow() == 0)
        showTopic(0); // once more from the top
    else if (m_topics->count() > 0)
        m_topics->setCurrentRow(0);
}

} // namespace varn::app
