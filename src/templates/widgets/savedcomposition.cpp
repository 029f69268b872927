#include "templates/widgets/savedcomposition.h"

#include "templates/templatestr.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace varn::templates {

QStringList SavedComposition::contentsOf(const QWidget &dialog)
{
    QStringList contents;
    for (const QWidget *child : dialog.findChildren<QWidget *>()) {
        if (const auto *box = qobject_cast<const QLineEdit *>(child)) {
            // Read-only boxes show results (the number, the mode), not input;
            // a list's own line edit is read through the list.
            if (!box->isReadOnly() && !qobject_cast<const QComboBox *>(box->parentWidget()))
                contents << box->text();
        } else if (const auto *area = qobject_cast<const QPlainTextEdit *>(child)) {
            if (!area->isReadOnly())
                contents << area->toPlainText();
        } else if (const auto *list = qobject_cast<const QComboBox *>(child)) {
            contents << list->currentText();
        } else if (const auto *values = qobject_cast<const QListWidget *>(child)) {
            QStringList items;
            for (int row = 0; row < values->count(); ++row)
                items << values->item(row)->text();
            contents << items.join(QLatin1Char('\n'));
        } else if (const auto *check = qobject_cast<const QAbstractButton *>(child)) {
            if (check->isCheckable())
                contents << QString::number(check->isChecked());
        }
    }
    return contents;
}

void SavedComposition::remember(const QWidget &dialog, qint32 number)
{
    m_contents = contentsOf(dialog);
    m_number = number;
}

void SavedComposition::forget()
{
    m_contents.clear();
    m_number = 0;
}

qint32 SavedComposition::savedNumber(const QWidget &dialog) const
{
    if (m_number < 1 || contentsOf(dialog) != m_contents)
        return 0;
    return m_number;
}

QString SavedComposition::alreadySavedText(qint32 number)
{
    return Tr::tr("This requirement has already been saved as #%1.\nChange it before "
                  "saving it again.")
        .arg(number);
}

} // namespace varn::templates
