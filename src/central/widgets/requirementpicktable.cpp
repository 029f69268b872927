#include "central/widgets/requirementpicktable.h"

#include "central/centraltr.h"

#include <QHeaderView>

namespace varn::central {

namespace {

struct PickColumn
{
    const char *title;
    int width;
};

constexpr PickColumn kColumns[] = {{QT_TRANSLATE_NOOP("varn::central", "No."), 40},
                                   {QT_TRANSLATE_NOOP("varn::central", "Type"), 64},
                                   {QT_TRANSLATE_NOOP("varn::central", "Paragraph"), 92},
                                   {QT_TRANSLATE_NOOP("varn::central", "Requirement"), 420}};

} // namespace

RequirementPickTable::RequirementPickTable(const QString &accessibleName, QWidget *parent)
    : QTableWidget(0, int(std::size(kColumns)), parent)
{
    setAccessibleName(accessibleName);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < int(std::size(kColumns)); ++column) {
        setHorizontalHeaderItem(column, new QTableWidgetItem(Tr::tr(kColumns[column].title)));
        setColumnWidth(column, kColumns[column].width);
    }
    // The types in full, whatever the font.
    int typeWidth = kColumns[1].width;
    for (const char *type : {"Functional", "Structural", "Technical"})
        typeWidth = std::max(typeWidth, fontMetrics().horizontalAdvance(QLatin1String(type)) + 12);
    setColumnWidth(1, typeWidth);
}

void RequirementPickTable::setRequirements(const QList<PickedRequirement> &requirements)
{
    m_requirements = requirements;
    clearContents();
    setRowCount(int(requirements.size()) + 1);
    for (int row = 0; row < int(requirements.size()); ++row) {
        const PickedRequirement &picked = requirements.at(row);
        const QString cells[] = {QString::number(picked.number), picked.type, picked.paragraph,
                                 picked.sentence};
        for (int column = 0; column < int(std::size(cells)); ++column)
            setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    setCurrentCell(-1, -1);
    clearSelection();
}

const PickedRequirement *RequirementPickTable::current() const
{
    const int row = currentRow();
    if (row < 0 || row >= int(m_requirements.size()) || !selectionModel()->isRowSelected(row))
        return nullptr;
    return &m_requirements.at(row);
}

QList<qint32> RequirementPickTable::selectedNumbers() const
{
    QList<qint32> numbers;
    for (int row = 0; row < int(m_requirements.size()); ++row) {
        if (selectionModel()->isRowSelected(row))
            numbers.append(m_requirements.at(row).number);
    }
    return numbers;
}

bool RequirementPickTable::selectNumber(qint32 number)
{
    for (int row = 0; row < int(m_requirements.size()); ++row) {
        if (m_requirements.at(row).number == number) {
            selectRow(row);
            return true;
        }
    }
    return false;
}

QString RequirementPickTable::shownSentence() const
{
    const PickedRequirement *picked = current();
    if (!picked && currentRow() < 0 && !m_requirements.isEmpty())
        picked = &m_requirements.first();
    return picked ? picked->sentence + QLatin1Char('.') : QString();
}

} // namespace varn::central
