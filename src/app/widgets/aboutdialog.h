#pragma once

#include <QDialog>

namespace varn::app {

// The About box: the program's name and version.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    static QString versionText() { return QStringLiteral("Varn SE Version 4.0"); }
};

} // namespace varn::app
