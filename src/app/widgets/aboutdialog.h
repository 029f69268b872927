#pragma once

#include <QDialog>

namespace varn::app {

// The About box: the program's name and version, the toolkit's version and
// the database file of the open workspace (empty: none open).
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(const QString &databaseFile = {}, QWidget *parent = nullptr);

    // "Varn SE Version " and the project's version.
    static QString versionText();
};

} // namespace varn::app
