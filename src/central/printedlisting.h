#pragma once

#include "central/requirementtablemodel.h"
#include "common/outcome.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace varn::central {

// One requirement of a printed listing: the cells of its shown columns and
// its sentence.
struct PrintedRequirement
{
    QStringList cells;
    QString sentence;
};

// What File > Print puts on paper: the requirements Requirements Central
// lists now, in its order, with the number, the type and the other shown
// columns, and each requirement's full sentence. The page layout belongs to
// the printing window; this holds the texts only.
struct PrintedListing
{
    QString title;        // names the system
    QString documentName; // the file name a PDF of it is offered under
    QString dateLine;     // the day it was printed
    QStringList headers;
    QList<PrintedRequirement> requirements;

    // Reads every listed requirement (a page at a time, as the list does);
    // refused when a page cannot be read.
    static Result<PrintedListing> of(const RequirementTableModel &model, const QString &systemName,
                                     const QDate &day);
    // "System Requirements - <system>.pdf", with the characters a file name
    // should not hold (":" among them) written "_".
    static QString documentNameFor(const QString &systemName);
    // The columns printed: the number and the type always, then the other
    // shown columns; the sentence stands for the Requirement column.
    static QList<Column> printedColumns(const QList<Column> &shown);
};

} // namespace varn::central
