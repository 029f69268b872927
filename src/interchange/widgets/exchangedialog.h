#pragma once

#include "app/widgets/progressdialog.h"
#include "interchange/requirementexchange.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace varn::app {
class Workbench;
}

namespace varn::interchange {

class ImportReportModel;

// File > Export... and File > Import...: the format, the file (typed or
// chosen with Browse...), the choice of every version (export) or of a dry
// run (import), the progress, and after an import the report of what was
// left out. An import of a ReqIF file that holds several document trees
// offers them, to take all or one.
class ExchangeDialog : public app::ProgressDialog
{
    Q_OBJECT

public:
    enum class Direction { Export, Import };

    ExchangeDialog(app::Workbench &workbench, Direction direction, QWidget *parent = nullptr);

    // The Export or Import button.
    void generate() override;

    QComboBox *formatBox() const { return m_format; }
    QLineEdit *fileEdit() const { return m_file; }
    QCheckBox *optionBox() const { return m_option; }
    // The report's lines, one a row, made as they are shown.
    QListView *reportView() const { return m_report; }
    // The report whole, each line ended.
    QString reportText() const;
    QPushButton *saveReportButton() const { return m_saveReport; }
    // "Save Report...": the report's lines into a text file the user names.
    void saveReport();
    // Shown for a file of several document trees; its first entry takes all.
    QComboBox *specificationBox() const { return m_specification; }
    // Reads the document trees of the file named (done when the name is
    // chosen with Browse... or typed).
    void readSpecifications();
    ExchangeFormat chosenFormat() const;

    static QString title(Direction direction);

private:
    QWidget *choices();
    void browse();
    void runExport();
    void runImport();
    std::optional<bool> confirmUpdate();
    static QStringList updateLines(const ImportSummary &summary);
    void showReport(const QStringList &first, const ImportSummary &summary);
    void showReportText(const QString &text);

    app::Workbench &m_workbench;
    Direction m_direction;
    QComboBox *m_format = nullptr;
    QLineEdit *m_file = nullptr;
    QPushButton *m_browse = nullptr;
    QCheckBox *m_option = nullptr;
    QListView *m_report = nullptr;
    ImportReportModel *m_reportLines = nullptr;
    QPushButton *m_saveReport = nullptr;
    QLabel *m_specificationLabel = nullptr;
    QComboBox *m_specification = nullptr;
    QString m_specificationsOf; // the file they were read from
};

} // namespace varn::interchange
