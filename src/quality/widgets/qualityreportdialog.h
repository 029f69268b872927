#pragma once

#include "app/widgets/progressdialog.h"

class QLineEdit;
class QPushButton;

namespace varn::app {
class Workbench;
}

namespace varn::quality {

// Quality Report...: the file (typed or chosen with Browse...), the progress
// of the check, and Write Report, which writes the findings of the live
// requirements grouped by rule as one self-contained HTML page.
class QualityReportDialog : public app::ProgressDialog
{
    Q_OBJECT

public:
    explicit QualityReportDialog(app::Workbench &workbench, QWidget *parent = nullptr);

    void generate() override;

    QLineEdit *fileEdit() const { return m_file; }
    QPushButton *browseButton() const { return m_browse; }

private:
    void browse();

    app::Workbench &m_workbench;
    QLineEdit *m_file;
    QPushButton *m_browse;
};

} // namespace varn::quality
