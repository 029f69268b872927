#include "central/widgets/cvarnview.h"

#include "app/widgets/requirementlistextension.h"
#include "central/centraltr.h"
#include "central/widgets/addedcolumnsmodel.h"
#include "central/widgets/suspectmarkdelegate.h"
#include "templates/templatecatalogue.h"
#include "templates/templatestr.h"

#include <algorithm>

#include <QComboBox>
#include <QCompleter>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace varn::central {

namespace {

const QColor kSentenceColour(255, 255, 190);

struct TypeButton
{
    const char *label;
    QueryKind kind;
};

constexpr TypeButton kTypeButtons[] = {
    {QT_TRANSLATE_NOOP("varn::central", "Functional"), QueryKind::Functional},
    {QT_TRANSLATE_NOOP("varn::central", "Structural"), QueryKind::Structural},
    {QT_TRANSLATE_NOOP("varn::central", "Technical"), QueryKind::Technical},
    {QT_TRANSLATE_NOOP("varn::central", "All"), QueryKind::All},
    {QT_TRANSLATE_NOOP("varn::central", "Suspect"), QueryKind::Suspect},
};

namespace tip {
const char kType[] = QT_TRANSLATE_NOOP("varn::central", "Queries for requirements based on type");
const char kNumber[] =
    QT_TRANSLATE_NOOP("varn::central", "Queries for requirement based on number");
const char kEntity[] =
    QT_TRANSLATE_NOOP("varn::central", "Queries for requirements containing entity");
const char kParagraph[] =
    QT_TRANSLATE_NOOP("varn::central", "Queries for requirement by paragraph number");
const char kTemplate[] = QT_TRANSLATE_NOOP("varn::central", "Queries for requirements by template");
const char kWords[] = QT_TRANSLATE_NOOP(
    "varn::central", "Queries for requirements whose sentence, paragraph or comments hold all the "
                     "words (\"a phrase\", word* for any ending), best matches first");
const char kSee[] = QT_TRANSLATE_NOOP("varn::central", "Displays selected requirement");
const char kDelete[] = QT_TRANSLATE_NOOP("varn::central", "Deletes selected requirement");
const char kEdit[] = QT_TRANSLATE_NOOP("varn::central", "Opens selected requirement for editing");
const char kReuse[] = QT_TRANSLATE_NOOP("varn::central", "Opens selected requirement for re-use");
const char kTrace[] = QT_TRANSLATE_NOOP(
    "varn::central", "Shows what the selected requirement produced in the object model and code");
const char kVersion[] =
    QT_TRANSLATE_NOOP("varn::central", "Queries for all versions of selected requirement");
} // namespace tip

QPushButton *button(const QString &label, const char *toolTip, const char *name)
{
    auto *made = new QPushButton(label);
    made->setToolTip(Tr::tr(toolTip));
    made->setObjectName(QString::fromLatin1(name));
    made->setAutoDefault(false);
    return made;
}

QPushButton *goButton(const char *toolTip, const char *name)
{
    QPushButton *go = button(Tr::tr("Go"), toolTip, name);
    go->setFixedWidth(go->fontMetrics().horizontalAdvance(go->text()) + 24);
    return go;
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *made = new QLabel(text);
    made->setBuddy(buddy);
    buddy->setAccessibleName(made->text().remove(QLatin1Char('&')));
    // An editable drop-down's own line edit is what a screen reader reaches.
    if (auto *box = qobject_cast<QComboBox *>(buddy); box && box->lineEdit())
        box->lineEdit()->setAccessibleName(buddy->accessibleName());
    made->setToolTip(buddy->toolTip());
    return made;
}

// The column widths suit a small font of about five pixels a character; a
// wider font widens them in proportion, so the headers stay readable.
int scaledWidth(int width, const QFontMetrics &metrics)
{
    constexpr double kDesignCharWidth = 5.0;
    return std::max(width, int(width * metrics.averageCharWidth() / kDesignCharWidth + 0.5));
}

// A drop-down list opens as wide as its longest item, so no name is cut.
void fitPopupToItems(QComboBox &box)
{
    // The widest item is among the longest: a list of a hundred thousand
    // names measures the few hundred with the most characters only.
    constexpr qsizetype kMeasured = 256;
    QList<QString> texts;
    texts.reserve(box.count());
    for (int item = 0; item < box.count(); ++item)
        texts.append(box.itemText(item));
    const auto longer = [](const QString &a, const QString &b) { return a.size() > b.size(); };
    if (texts.size() > kMeasured) {
        std::nth_element(texts.begin(), texts.begin() + kMeasured, texts.end(), longer);
        texts.resize(kMeasured);
    }
    int widest = 0;
    const QFontMetrics metrics = box.view()->fontMetrics();
    for (const QString &text : std::as_const(texts))
        widest = std::max(widest, metrics.horizontalAdvance(text));
    const int chrome = box.view()->verticalScrollBar()->sizeHint().width() + 24;
    box.view()->setMinimumWidth(std::max(box.width(), widest + chrome));
}

QColor colourOf(int choice)
{
    const BackgroundColour &colour = DisplaySettings::colours()[choice];
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

CVarnView::CVarnView(const QString &connectionName, QWidget *parent)
    : QWidget(parent), m_central(connectionName), m_otherUsers(this), m_entity(new QComboBox),
      m_entityNames(new QStringListModel(this)), m_entityGo(goButton(tip::kEntity, "entityGo")),
      m_byVersion(button(Tr::tr("By Version"), tip::kVersion, "byVersion")),
      m_template(new QComboBox), m_number(new QLineEdit),
      m_numberGo(goButton(tip::kNumber, "numberGo")), m_paragraph(new QLineEdit),
      m_paragraphGo(goButton(tip::kParagraph, "paragraphGo")), m_words(new QLineEdit),
      m_wordsGo(goButton(tip::kWords, "wordsGo")),
      m_see(button(Tr::tr("See Requirement"), tip::kSee, "seeRequirement")),
      m_edit(button(Tr::tr("Edit..."), tip::kEdit, "edit")),
      m_delete(button(Tr::tr("Delete"), tip::kDelete, "delete")),
      m_reuse(button(Tr::tr("Re-use..."), tip::kReuse, "reuse")),
      m_trace(button(Tr::tr("Trace..."), tip::kTrace, "trace")), m_list(new QTableView),
      m_sentence(new QPlainTextEdit), m_shown(new AddedColumnsModel(m_central.model(), this))
{
    setWindowTitle(Tr::tr("Requirements Central"));
    setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    setAutoFillBackground(true);
    buildList();

    m_sentence->setObjectName(QStringLiteral("sentence"));
    // Neither has a label of its own: named after what they show.
    m_sentence->setAccessibleName(Tr::tr("Sentence"));
    m_list->setAccessibleName(Tr::tr("Requirements"));
    m_sentence->setReadOnly(true);
    m_sentence->setFixedHeight(m_sentence->fontMetrics().lineSpacing() * 3 + 12);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildQueryGroup());
    layout->addWidget(m_list, 1);
    layout->addWidget(m_sentence);

    for (QPushButton *command : {m_edit, m_delete, m_reuse})
        command->setEnabled(false);
    // Shown once a feature traces requirements.
    m_trace->setVisible(false);
    connectControls();
    paint(DisplaySettings::kSkyBlue);
}

QWidget *CVarnView::buildTypeGroup()
{
    auto *group = new QGroupBox(Tr::tr("By Type"));
    group->setToolTip(Tr::tr(tip::kType));
    auto *row = new QHBoxLayout(group);
    m_typeRow = row;
    row->setContentsMargins(6, 2, 6, 2);
    for (const TypeButton &type : kTypeButtons) {
        auto *radio = new QRadioButton(Tr::tr(type.label));
        radio->setToolTip(Tr::tr(tip::kType));
        radio->setObjectName(QString::fromLatin1(type.label));
        row->addWidget(radio);
        m_typeButtons.append(radio);
        connect(radio, &QRadioButton::clicked, this, [this, kind = type.kind] { runType(kind); });
    }
    for (int position = 0; position < m_typeButtons.size(); ++position)
        m_typeButtons.at(position)->setChecked(kTypeButtons[position].kind == QueryKind::All);
    return group;
}

QWidget *CVarnView::buildQueryGroup()
{
    m_entity->setObjectName(QStringLiteral("entity"));
    m_entity->setEditable(true);
    m_entity->setInsertPolicy(QComboBox::NoInsert);
    m_entity->lineEdit()->setMaxLength(RequirementQuery::kLongestEntityText);
    m_entity->setToolTip(Tr::tr(tip::kEntity));
    m_entity->setMinimumContentsLength(14);
    m_entity->setModel(m_entityNames);
    // The names come sorted without regard to case, so completion looks a
    // typed prefix up instead of reading them all.
    m_entity->completer()->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    if (auto *popup = qobject_cast<QListView *>(m_entity->view()))
        popup->setUniformItemSizes(true);

    m_template->setObjectName(QStringLiteral("template"));
    m_template->setToolTip(Tr::tr(tip::kTemplate));
    m_template->addItem(Tr::tr("Requirement Builder"));
    for (int number = 1; number <= templates::TemplateCatalogue::kLastStructural; ++number)
        m_template->addItem(templates::Tr::tr(templates::TemplateCatalogue::navigatorItem(number)));
    m_template->setCurrentIndex(-1);
    m_template->setMaxVisibleItems(templates::TemplateCatalogue::kLastStructural + 1);
    fitPopupToItems(*m_template);

    m_number->setObjectName(QStringLiteral("number"));
    m_number->setMaxLength(RequirementQuery::kLongestNumberText);
    m_number->setToolTip(Tr::tr(tip::kNumber));
    m_paragraph->setObjectName(QStringLiteral("paragraph"));
    m_paragraph->setToolTip(Tr::tr(tip::kParagraph));
    m_words->setObjectName(QStringLiteral("words"));
    m_words->setMaxLength(RequirementQuery::kLongestWordsText);
    m_words->setToolTip(Tr::tr(tip::kWords));
    m_words->setClearButtonEnabled(true);

    auto *group = new QGroupBox(Tr::tr("View Requirements"));
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(4);
    grid->addWidget(buildTypeGroup(), 0, 0, 1, 4);
    grid->addWidget(m_byVersion, 0, 4, 1, 2, Qt::AlignRight | Qt::AlignBottom);
    // The Alt letters of the fields leave those of the window's menus free.
    grid->addWidget(label(Tr::tr("By E&ntity:"), m_entity), 1, 0);
    grid->addWidget(m_entity, 1, 1);
    grid->addWidget(m_entityGo, 1, 2);
    grid->addWidget(label(Tr::tr("By Te&mplate:"), m_template), 1, 3);
    grid->addWidget(m_template, 1, 4, 1, 2);
    grid->addWidget(label(Tr::tr("By Num&ber (*):"), m_number), 2, 0);
    grid->addWidget(m_number, 2, 1);
    grid->addWidget(m_numberGo, 2, 2);
    grid->addWidget(label(Tr::tr("By &Paragraph:"), m_paragraph), 2, 3);
    grid->addWidget(m_paragraph, 2, 4);
    grid->addWidget(m_paragraphGo, 2, 5);
    grid->addWidget(label(Tr::tr("By Te&xt:"), m_words), 3, 0);
    grid->addWidget(m_words, 3, 1, 1, 4);
    grid->addWidget(m_wordsGo, 3, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    auto *commands = new QHBoxLayout;
    commands->addWidget(m_see);
    commands->addStretch(1);
    commands->addWidget(m_edit);
    commands->addWidget(m_delete);
    commands->addWidget(m_reuse);
    commands->addWidget(m_trace);
    grid->addLayout(commands, 4, 0, 1, 6);
    return group;
}

void CVarnView::buildList()
{
    m_list->setObjectName(QStringLiteral("requirements"));
    m_list->setModel(m_shown);
    // The number column, always the first, marks a requirement with a
    // suspect link.
    m_list->setItemDelegateForColumn(0, new SuspectMarkDelegate(m_list));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setTabKeyNavigation(false);
    // One fixed row height keeps a list of any length as quick as a short one.
    QHeaderView *rows = m_list->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    QHeaderView *header = m_list->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(false);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    applyColumnLayout();
}

void CVarnView::connectControls()
{
    connect(m_numberGo, &QPushButton::clicked, this, &CVarnView::runByNumber);
    connect(m_number, &QLineEdit::returnPressed, this, &CVarnView::runByNumber);
    connect(m_paragraphGo, &QPushButton::clicked, this, &CVarnView::runByParagraph);
    connect(m_paragraph, &QLineEdit::returnPressed, this, &CVarnView::runByParagraph);
    connect(m_wordsGo, &QPushButton::clicked, this, &CVarnView::runByText);
    connect(m_words, &QLineEdit::returnPressed, this, &CVarnView::runByText);
    connect(m_entityGo, &QPushButton::clicked, this, &CVarnView::runByEntity);
    connect(m_entity->lineEdit(), &QLineEdit::returnPressed, this, &CVarnView::runByEntity);
    connect(m_template, &QComboBox::activated, this, &CVarnView::runByTemplate);
    connect(m_byVersion, &QPushButton::clicked, this, &CVarnView::runByVersion);
    connect(m_see, &QPushButton::clicked, this, &CVarnView::seeRequirement);
    connect(m_list, &QTableView::doubleClicked, this, &CVarnView::seeRequirement);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CVarnView::sortByColumn);
    // A page is read while the list paints: its failure is told afterwards.
    connect(
        &m_central.model(), &RequirementTableModel::pageFailed, this,
        [this](const QString &text) { report(Outcome::stop(text)); }, Qt::QueuedConnection);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        showSelectedSentence();
        emit selectedRowChanged(selectedRow());
    });
    connect(m_edit, &QPushButton::clicked, this, [this] { requestRowCommand(RowCommand::Edit); });
    connect(m_delete, &QPushButton::clicked, this,
            [this] { requestRowCommand(RowCommand::Delete); });
    connect(m_reuse, &QPushButton::clicked, this, [this] { requestRowCommand(RowCommand::Reuse); });
    connect(m_trace, &QPushButton::clicked, this, [this] { requestRowCommand(RowCommand::Trace); });
}

void CVarnView::openOnWorkspace()
{
    report(m_central.loadSettings());
    paint(paintedColour());
    fillEntityList();
    afterQuery(m_central.runType(QueryKind::All));
    emit settingsChanged();
    if (m_otherUsers.listen(m_central.connectionName()))
        connect(&m_otherUsers, &RequirementChangeListener::changedElsewhere, this,
                &CVarnView::showChangesOfOthers, Qt::UniqueConnection);
}

void CVarnView::report(const Outcome &outcome)
{
    if (!outcome && outcome.hasMessage())
        emit message(outcome);
}

int CVarnView::paintedColour() const
{
    const int stored = m_central.backgroundColour();
    return DisplaySettings::isColourChoice(stored) ? stored : DisplaySettings::kSkyBlue;
}

void CVarnView::paint(int choice)
{
    QPalette form = palette();
    form.setColor(QPalette::Window, colourOf(choice));
    setPalette(form);
    // The list and the sentence box keep their own backgrounds.
    m_list->setPalette(QPalette());
    QPalette sentencePalette = m_sentence->palette();
    sentencePalette.setColor(QPalette::Base, kSentenceColour);
    m_sentence->setPalette(sentencePalette);
}

FieldTexts CVarnView::fieldTexts() const
{
    return {m_number->text(), m_paragraph->text(), m_entity->currentText(), m_words->text()};
}

void CVarnView::afterQuery(const Outcome &outcome)
{
    applyColumnLayout();
    if (outcome)
        clearFieldsBut(m_central.currentKind());
    showSelectedSentence();
    report(outcome);
    emit listChanged(m_central.model().requirementCount());
}

int CVarnView::columnWidth(const ColumnInfo &column) const
{
    return scaledWidth(column.width, m_list->fontMetrics());
}

void CVarnView::applyColumnLayout()
{
    QHeaderView *header = m_list->horizontalHeader();
    const QList<Column> &columns = m_central.model().columns();
    for (int section = 0; section < columns.size(); ++section)
        header->resizeSection(section, columnWidth(CentralColumns::info(columns.at(section))));
    // The columns other features add stand after the number, in sight
    // whatever the width of the sentences.
    for (int section = int(columns.size()); section < m_shown->columnCount(); ++section) {
        header->resizeSection(section,
                              header->fontMetrics().horizontalAdvance(
                                  m_shown->headerData(section, Qt::Horizontal).toString()) +
                                  24);
        const int place = 1 + section - int(columns.size());
        if (header->visualIndex(section) != place)
            header->moveSection(header->visualIndex(section), place);
    }
    widenRequirementColumn();
    // The best matches of By Text come first, in no column's order.
    const int sorted =
        m_central.sortedByRelevance() ? -1 : int(columns.indexOf(m_central.sortColumn()));
    header->setSortIndicator(sorted,
                             m_central.sortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CVarnView::widenRequirementColumn()
{
    const QList<Column> &columns = m_central.model().columns();
    const int requirement = int(columns.indexOf(Column::Requirement));
    if (requirement < 0)
        return;
    int others = 0;
    for (int section = 0; section < columns.size(); ++section) {
        if (section != requirement)
            others += columnWidth(CentralColumns::info(columns.at(section)));
    }
    for (int section = int(columns.size()); section < m_shown->columnCount(); ++section)
        others += m_list->horizontalHeader()->sectionSize(section);
    const int own = columnWidth(CentralColumns::info(Column::Requirement));
    const int spare = m_list->viewport()->width() - others;
    m_list->horizontalHeader()->resizeSection(requirement, std::max(own, spare));
}

void CVarnView::showSelectedSentence()
{
    const store::MasterReqRow *row = m_central.model().requirementAt(selectedRow());
    m_sentence->setPlainText(row ? m_central.wholeSentenceText(*row) : QString());
}

void CVarnView::clearFieldsBut(QueryKind kind)
{
    if (kind != QueryKind::ByNumber)
        m_number->clear();
    if (kind != QueryKind::ByParagraph)
        m_paragraph->clear();
    if (kind != QueryKind::ByText)
        m_words->clear();
    if (kind != QueryKind::ByEntity)
        m_entity->setEditText(QString());
    if (kind != QueryKind::ByTemplate)
        m_template->setCurrentIndex(-1);
    const auto check = [](QRadioButton *radio, bool own) {
        if (radio->isChecked() != own) {
            radio->setAutoExclusive(false);
            radio->setChecked(own);
            radio->setAutoExclusive(true);
        }
    };
    // The radio button of a type query stays checked; another query
    // unchecks them all.
    for (int position = 0; position < m_typeButtons.size(); ++position)
        check(m_typeButtons.at(position), kTypeButtons[position].kind == kind);
    for (QRadioButton *added : std::as_const(m_addedQueries))
        check(added, kind == QueryKind::Listed && added == m_listedBy);
}

void CVarnView::addColumn(app::RequirementColumn *column)
{
    column->setParent(this);
    m_shown->addColumn(column);
    applyColumnLayout();
}

QRadioButton *CVarnView::addQuery(const QString &label, const QString &toolTip,
                                  RequirementsCentral::NumberSource numbers)
{
    auto *radio = new QRadioButton(label);
    radio->setToolTip(toolTip);
    radio->setObjectName(label);
    radio->setAccessibleName(QString(label).remove(QLatin1Char('&')));
    m_typeRow->addWidget(radio);
    m_addedQueries.append(radio);
    connect(radio, &QRadioButton::clicked, this, [this, radio, numbers = std::move(numbers)] {
        m_listedBy = radio;
        // A query over the whole set may take a while.
        setCursor(Qt::BusyCursor);
        afterQuery(m_central.runListed(numbers));
        unsetCursor();
    });
    return radio;
}

void CVarnView::runType(QueryKind kind)
{
    afterQuery(m_central.runType(kind));
}

void CVarnView::runByNumber()
{
    const Outcome outcome = m_central.runByNumber(m_number->text());
    afterQuery(outcome);
    if (!outcome) {
        m_number->setFocus();
        m_number->selectAll();
    }
}

void CVarnView::runByParagraph()
{
    afterQuery(m_central.runByParagraph(m_paragraph->text()));
}

void CVarnView::runByText()
{
    const QString text = m_words->text();
    if (text.trimmed().isEmpty())
        return;
    m_central.sortByRelevance();
    const Outcome outcome = m_central.runByText(text);
    afterQuery(outcome);
    if (!outcome) {
        m_words->setFocus();
        m_words->selectAll();
    }
}

void CVarnView::runByEntity()
{
    const QString text = m_entity->currentText();
    if (text.isEmpty())
        return;
    afterQuery(m_central.runByEntity(text));
    fillEntityList();
}

void CVarnView::runByTemplate(int position)
{
    afterQuery(m_central.runByTemplate(position));
}

void CVarnView::runByVersion()
{
    afterQuery(m_central.runByVersion(m_central.model().numberAt(selectedRow())));
}

void CVarnView::sortByColumn(int column)
{
    // An added column's cells are computed for the rows on screen only:
    // the list is not ordered by them.
    if (m_shown->addedAt(column))
        return;
    // The view takes no input while it lists again.
    setEnabled(false);
    if (m_central.currentKind() == QueryKind::ByVersion)
        selectRow(0);
    const Outcome outcome = m_central.sortByColumn(column, fieldTexts());
    setEnabled(true);
    afterQuery(outcome);
}

void CVarnView::fillEntityList()
{
    // The list is emptied and read again; what the user typed stays.
    const QString typed = m_entity->currentText();
    Result<QStringList> names = m_central.entityNames();
    m_entityNames->setStringList(names ? names.value() : QStringList());
    m_entity->setCurrentIndex(-1);
    m_entity->setEditText(typed);
    fitPopupToItems(*m_entity);
    if (!names)
        report(names.outcome());
}

int CVarnView::selectedRow() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CVarnView::selectRow(int row)
{
    m_list->selectRow(row);
    m_list->scrollTo(m_shown->index(row, 0));
}

QString CVarnView::sentence() const
{
    return m_sentence->toPlainText();
}

void CVarnView::moveRecord(RecordMove move)
{
    selectRow(RecordNavigation::target(move, selectedRow(), m_central.model().rowCount()));
}

void CVarnView::toggleColumn(int flag)
{
    setEnabled(false);
    const Outcome outcome = m_central.toggleColumn(flag, fieldTexts());
    setEnabled(true);
    afterQuery(outcome);
    emit settingsChanged();
}

void CVarnView::chooseColour(int choice)
{
    const int before = m_central.backgroundColour();
    const Outcome outcome = m_central.chooseColour(choice);
    if (m_central.backgroundColour() != before) {
        paint(paintedColour());
        emit backgroundColourChanged(paintedColour());
    }
    report(outcome);
    emit settingsChanged();
}

void CVarnView::seeRequirement()
{
    Result<QString> sentence = m_central.sentenceOf(m_central.model().numberAt(selectedRow()));
    if (!sentence) {
        report(sentence.outcome());
        return;
    }
    m_sentence->setPlainText(sentence.value());
}

void CVarnView::runAgain()
{
    // The selection stays on the requirement it was on, follows it to the
    // version an edit saved, or takes the next row after a deletion; the
    // sentence box follows the selection.
    const int previous = selectedRow();
    const qint32 selected = m_central.model().numberAt(previous);
    afterQuery(m_central.rerun(fieldTexts()));
    fillEntityList();
    if (const int row = m_central.rowToFollow(selected, previous); row >= 0)
        selectRow(row);
}

void CVarnView::showChangesOfOthers()
{
    const int previous = selectedRow();
    const qint32 selected = m_central.model().numberAt(previous);
    const int top = m_list->verticalScrollBar()->value();
    const int left = m_list->horizontalScrollBar()->value();
    const Outcome listed = m_central.refresh();
    if (!listed) {
        report(listed);
        return;
    }
    applyColumnLayout();
    const int count = m_central.model().requirementCount();
    emit listChanged(count);
    // The same requirement (or the version that replaced it) stays
    // selected; one that was deleted leaves the selection on its place.
    const int row = m_central.rowToFollow(selected, previous);
    if (row >= 0)
        m_list->selectRow(row);
    m_list->verticalScrollBar()->setValue(top);
    m_list->horizontalScrollBar()->setValue(left);
    showSelectedSentence();
}

void CVarnView::setRowCommandAvailable(RowCommand command, bool available)
{
    QPushButton *const buttons[] = {m_edit, m_delete, m_reuse, m_trace};
    buttons[int(command)]->setEnabled(available);
    if (command == RowCommand::Trace)
        m_trace->setVisible(available);
}

void CVarnView::requestRowCommand(RowCommand command)
{
    emit rowCommandRequested(command, m_central.model().numberAt(selectedRow()));
}

bool CVarnView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        widenRequirementColumn();
    // Enter on the list shows the selected requirement, as a double click does.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            seeRequirement();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace varn::central
