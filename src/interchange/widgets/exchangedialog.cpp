#include "interchange/widgets/exchangedialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/busydialog.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "interchange/interchangetr.h"
#include "interchange/widgets/importreportmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSaveFile>

namespace varn::interchange {

namespace {

struct FormatChoice
{
    ExchangeFormat format;
    const char *label;
    const char *suffix;
    const char *filter;
};

constexpr FormatChoice kFormats[] = {
    {ExchangeFormat::ReqIf, QT_TRANSLATE_NOOP("varn::interchange", "ReqIF 1.2 (.reqif)"), ".reqif",
     QT_TRANSLATE_NOOP("varn::interchange", "ReqIF files (*.reqif *.reqifz *.xml)")},
    {ExchangeFormat::Csv, QT_TRANSLATE_NOOP("varn::interchange", "Comma-separated values (.csv)"),
     ".csv", QT_TRANSLATE_NOOP("varn::interchange", "CSV files (*.csv)")},
    {ExchangeFormat::Html, QT_TRANSLATE_NOOP("varn::interchange", "HTML report (.html)"), ".html",
     QT_TRANSLATE_NOOP("varn::interchange", "HTML files (*.html *.htm)")},
    {ExchangeFormat::Odt, QT_TRANSLATE_NOOP("varn::interchange", "OpenDocument text (.odt)"),
     ".odt", QT_TRANSLATE_NOOP("varn::interchange", "OpenDocument texts (*.odt)")},
    {ExchangeFormat::Xlsx,
     QT_TRANSLATE_NOOP("varn::interchange", "Office Open XML spreadsheet (.xlsx)"), ".xlsx",
     QT_TRANSLATE_NOOP("varn::interchange", "Spreadsheets (*.xlsx)")},
};

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

} // namespace

QString ExchangeDialog::title(Direction direction)
{
    return direction == Direction::Export ? Tr::tr("Export Requirements")
                                          : Tr::tr("Import Requirements");
}

ExchangeDialog::ExchangeDialog(app::Workbench &workbench, Direction direction, QWidget *parent)
    : ProgressDialog(title(direction), app::ProgressPanel::Processed::Hidden, parent),
      m_workbench(workbench), m_direction(direction)
{
    setObjectName(direction == Direction::Export ? QStringLiteral("exportDialog")
                                                 : QStringLiteral("importDialog"));
    addChoices(choices());
    generateButton()->setText(direction == Direction::Export ? Tr::tr("&Export")
                                                             : Tr::tr("&Import"));
    generateButton()->setAccessibleName(generateButton()->text().remove(QLatin1Char('&')));
    panel()->setStatus(Tr::tr("Ready."));
    setMinimumWidth(520);
}

QWidget *ExchangeDialog::choices()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    m_format = new QComboBox(box);
    for (const FormatChoice &choice : kFormats) {
        if (m_direction == Direction::Export || RequirementExchange::canImport(choice.format))
            m_format->addItem(Tr::tr(choice.label), int(choice.format));
    }
    m_file = new QLineEdit(box);
    m_browse = new QPushButton(Tr::tr("&Browse..."), box);
    m_browse->setAccessibleName(Tr::tr("Browse..."));
    m_option = new QCheckBox(m_direction == Direction::Export
                                 ? Tr::tr("Include &deleted and superseded versions")
                                 : Tr::tr("&Dry run: only report what would be imported"),
                             box);
    m_option->setAccessibleName(m_option->text().remove(QLatin1Char('&')));
    grid->addWidget(buddyLabel(Tr::tr("&Format:"), m_format), 0, 0);
    grid->addWidget(m_format, 0, 1, 1, 2);
    grid->addWidget(buddyLabel(Tr::tr("F&ile:"), m_file), 1, 0);
    grid->addWidget(m_file, 1, 1);
    grid->addWidget(m_browse, 1, 2);
    grid->addWidget(m_option, 2, 1, 1, 2);
    if (m_direction == Direction::Import) {
        m_specification = new QComboBox(box);
        m_specificationLabel = buddyLabel(Tr::tr("&Specification:"), m_specification);
        grid->addWidget(m_specificationLabel, 3, 0);
        grid->addWidget(m_specification, 3, 1, 1, 2);
        m_specificationLabel->hide();
        m_specification->hide();
        connect(m_file, &QLineEdit::editingFinished, this, &ExchangeDialog::readSpecifications);
        connect(m_format, &QComboBox::currentIndexChanged, this,
                &ExchangeDialog::readSpecifications);
        // A list of the lines rather than one text: an import of a million
        // records shows its report at once.
        m_reportLines = new ImportReportModel(this);
        m_report = new QListView(box);
        m_report->setModel(m_reportLines);
        m_report->setUniformItemSizes(true);
        m_report->setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_report->setMinimumHeight(140);
        grid->addWidget(buddyLabel(Tr::tr("&Report:"), m_report), 4, 0, Qt::AlignTop);
        grid->addWidget(m_report, 4, 1, 1, 2);
        m_saveReport = new QPushButton(Tr::tr("Sa&ve Report..."), box);
        m_saveReport->setAccessibleName(Tr::tr("Save Report..."));
        m_saveReport->setEnabled(false);
        grid->addWidget(m_saveReport, 5, 2);
        connect(m_saveReport, &QPushButton::clicked, this, &ExchangeDialog::saveReport);
    }
    grid->setColumnStretch(1, 1);
    connect(m_browse, &QPushButton::clicked, this, &ExchangeDialog::browse);
    // The export is offered a name for the chosen format.
    connect(m_format, &QComboBox::currentIndexChanged, this, [this] {
        if (m_direction != Direction::Export || m_file->text().isEmpty())
            return;
        const QFileInfo file(m_file->text());
        m_file->setText(file.path() + QLatin1Char('/') + file.completeBaseName() +
                        QLatin1String(kFormats[int(chosenFormat())].suffix));
    });
    return box;
}

ExchangeFormat ExchangeDialog::chosenFormat() const
{
    return ExchangeFormat(m_format->currentData().toInt());
}

void ExchangeDialog::browse()
{
    const FormatChoice &choice = kFormats[int(chosenFormat())];
    const QString filter = Tr::tr(choice.filter);
    const app::CVarnApp &application = m_workbench.app();
    QString chosen;
    if (m_direction == Direction::Export) {
        const QString proposed = m_file->text().isEmpty()
                                     ? application.workspaceFileFolder() + QLatin1Char('/') +
                                           application.systemName() + QLatin1String(choice.suffix)
                                     : m_file->text();
        chosen = m_workbench.presenter().chooseFileToSave(this, proposed, filter);
    } else {
        chosen = m_workbench.presenter().chooseFileToOpen(this, application.workspaceFileFolder(),
                                                          filter);
    }
    if (!chosen.isEmpty()) {
        m_file->setText(chosen);
        if (m_direction == Direction::Import)
            readSpecifications();
    }
}

void ExchangeDialog::readSpecifications()
{
    const QString path = m_file->text().trimmed();
    const bool reqif = chosenFormat() == ExchangeFormat::ReqIf;
    if (reqif && path == m_specificationsOf)
        return;
    m_specificationsOf = reqif ? path : QString();
    m_specification->clear();
    QStringList names;
    if (reqif && !path.isEmpty() && QFileInfo(path).isFile()) {
        app::BusyDialog busy(*this);
        panel()->setStatus(Tr::tr("Reading the file..."));
        // A file that cannot be read is said so by the import itself.
        const Result<QStringList> found = RequirementExchange::specificationsIn(path);
        if (found)
            names = found.value();
        panel()->setStatus(Tr::tr("Ready."));
    }
    const bool several = names.size() > 1;
    if (several) {
        m_specification->addItem(Tr::tr("All %1 specifications").arg(names.size()), QString());
        for (const QString &name : std::as_const(names))
            m_specification->addItem(name, name);
    }
    m_specificationLabel->setVisible(several);
    m_specification->setVisible(several);
}

void ExchangeDialog::generate()
{
    if (m_file->text().trimmed().isEmpty()) {
        m_workbench.showMessage(Outcome::warning(Tr::tr("Choose the file first.")));
        m_file->setFocus();
        return;
    }
    if (m_direction == Direction::Export)
        runExport();
    else
        runImport();
}

void ExchangeDialog::runExport()
{
    app::BusyDialog busy(*this);
    const app::CVarnApp &application = m_workbench.app();
    panel()->setStatus(Tr::tr("Exporting..."));
    const Result<RequirementExchange::ExportSummary> written = RequirementExchange::exportTo(
        chosenFormat(),
        {application.requirementsConnectionName(), application.systemName(),
         application.installPath(), application.ownFiles()},
        m_file->text().trimmed(), m_option->isChecked(),
        [this](int done, int total) { panel()->setPercent(total ? done * 100 / total : 100); });
    if (!written) {
        panel()->setStatus(Tr::tr("Nothing was exported."));
        m_workbench.showMessage(written.outcome());
        return;
    }
    panel()->setPercent(100);
    const QString replaced = written->replacementNotice();
    panel()->setStatus(Tr::tr("%1 requirement(s) written to %2%3.")
                           .arg(written->written)
                           .arg(m_file->text(),
                                replaced.isEmpty() ? QString() : QStringLiteral(";\n") + replaced));
}

// What a newer file changes of the requirements imported from it before.
QStringList ExchangeDialog::updateLines(const ImportSummary &summary)
{
    QStringList lines;
    for (const ImportSummary::Changed &changed : summary.changed)
        // One substitution: a sentence may hold "%3" itself.
        lines.append(Tr::tr("%1  %2  (changed: next version of %3)")
                         .arg(QString::number(changed.number), changed.sentence,
                              QString::number(changed.previous)));
    for (const ImportSummary::Missing &missing : summary.missing)
        lines.append(
            Tr::tr("%1  %2  (no longer in the file)").arg(missing.number).arg(missing.sentence));
    return lines;
}

// A file that updates requirements imported before shows what it changes
// and asks before anything is written, then whether to delete the
// requirements it no longer holds. nullopt: the user stopped, or the check
// failed (and said so).
std::optional<bool> ExchangeDialog::confirmUpdate()
{
    app::CVarnApp &application = m_workbench.app();
    Result<ImportSummary> preview = Outcome::ok();
    {
        app::BusyDialog busy(*this);
        panel()->setStatus(Tr::tr("Checking..."));
        preview = RequirementExchange::importFrom(
            chosenFormat(), *application.records(), application.systemName(),
            m_file->text().trimmed(), true,
            [this](int done, int total) { panel()->setPercent(total ? done * 100 / total : 100); },
            m_specification->currentData().toString());
    }
    if (!preview) {
        panel()->setStatus(Tr::tr("Nothing was imported."));
        showReportText(preview.outcome().message());
        m_workbench.showMessage(preview.outcome());
        return std::nullopt;
    }
    if (preview->changed.isEmpty() && preview->missing.isEmpty())
        return false;
    ImportSummary shown = preview.value();
    shown.report = ReportLines();
    shown.notices.clear();
    showReport(updateLines(shown), shown);
    const QString question =
        Tr::tr("This file updates requirements imported from it before: %1 changed, %2 new, "
               "%3 unchanged, %4 no longer in the file.\nImport the changes?")
            .arg(preview->changed.size())
            .arg(preview->imported.size())
            .arg(preview->unchanged)
            .arg(preview->missing.size());
    if (!m_workbench.presenter().askYesNo(this, title(m_direction), question)) {
        panel()->setStatus(Tr::tr("Nothing was imported."));
        return std::nullopt;
    }
    if (preview->missing.isEmpty())
        return false;
    return m_workbench.presenter().askYesNo(
        this, title(m_direction),
        Tr::tr("%1 requirement(s) imported before are no longer in the file.\nMark them "
               "deleted?")
            .arg(preview->missing.size()));
}

void ExchangeDialog::runImport()
{
    readSpecifications();
    app::CVarnApp &application = m_workbench.app();
    const bool dryRun = m_option->isChecked();
    bool deleteMissing = false;
    if (!dryRun && chosenFormat() == ExchangeFormat::ReqIf) {
        const std::optional<bool> confirmed = confirmUpdate();
        if (!confirmed)
            return;
        deleteMissing = *confirmed;
    }
    Result<ImportSummary> summary = Outcome::ok();
    {
        app::BusyDialog busy(*this);
        panel()->setStatus(dryRun ? Tr::tr("Checking...") : Tr::tr("Importing..."));
        summary = RequirementExchange::importFrom(
            chosenFormat(), *application.records(), application.systemName(),
            m_file->text().trimmed(), dryRun,
            [this](int done, int total) { panel()->setPercent(total ? done * 100 / total : 100); },
            m_specification->currentData().toString(), deleteMissing);
    }
    if (!summary) {
        panel()->setStatus(Tr::tr("Nothing was imported."));
        showReportText(summary.outcome().message());
        m_workbench.showMessage(summary.outcome());
        return;
    }
    showReport(updateLines(summary.value()), summary.value());
    panel()->setPercent(100);
    QString status =
        (dryRun ? Tr::tr("Would import %1 requirement(s) and %2 dependent link(s); %3 left out.")
                : Tr::tr("Imported %1 requirement(s) and %2 dependent link(s); %3 left out."))
            .arg(summary->imported.size())
            .arg(summary->links)
            .arg(summary->report.size());
    if (summary->isUpdate())
        status += QLatin1Char('\n') +
                  (dryRun ? Tr::tr("Would update %1 requirement(s); %2 unchanged; %3 no longer in "
                                   "the file.")
                          : Tr::tr("Updated %1 requirement(s); %2 unchanged; %3 no longer in the "
                                   "file%4."))
                      .arg(summary->changed.size())
                      .arg(summary->unchanged)
                      .arg(summary->missing.size())
                      .arg(dryRun                    ? QString()
                           : summary->missingDeleted ? Tr::tr(", deleted")
                                                     : QString());
    panel()->setStatus(status);
    const bool stored =
        !summary->imported.isEmpty() || !summary->changed.isEmpty() || summary->missingDeleted;
    if (!dryRun && stored) {
        if (summary->deleted > 0)
            application.setRequirementsChanged(true);
        m_workbench.announceRequirementsStored();
    }
}

void ExchangeDialog::showReport(const QStringList &first, const ImportSummary &summary)
{
    m_reportLines->showSummary(first, summary);
    m_saveReport->setEnabled(m_reportLines->rowCount() > 0);
}

void ExchangeDialog::showReportText(const QString &text)
{
    m_reportLines->showText(text);
    m_saveReport->setEnabled(true);
}

QString ExchangeDialog::reportText() const
{
    return m_reportLines ? m_reportLines->text() : QString();
}

void ExchangeDialog::saveReport()
{
    const QFileInfo imported(m_file->text().trimmed());
    const QString proposed = imported.path() + QLatin1Char('/') + imported.completeBaseName() +
                             Tr::tr("-report") + QStringLiteral(".txt");
    const QString path = m_workbench.presenter().chooseFileToSave(
        this, proposed, Tr::tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    // Written a line at a time, into a file that replaces the old one only
    // when it is whole.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    for (int row = 0; written && row < m_reportLines->rowCount(); ++row) {
        const QByteArray line = (m_reportLines->line(row) + QLatin1Char('\n')).toUtf8();
        written = file.write(line) == line.size();
    }
    if (!written || !file.commit()) {
        m_workbench.showMessage(Outcome::stop(
            Tr::tr("The report could not be saved to %1:\n%2").arg(path, file.errorString())));
    }
}

} // namespace varn::interchange
