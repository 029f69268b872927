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

    static QString versionText() { return QStringLiteral("Varn SE Version 4.0"); }
};

} // namespace varn::app
