#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace varn::templates {

// What a composer held when it last saved: a second Save of the same words
// and attributes would store the requirement twice, so it is answered with
// the number it was saved as instead.
class SavedComposition
{
public:
    // Every editable text, list choice and check of the dialog, in widget order.
    static QStringList contentsOf(const QWidget &dialog);

    void remember(const QWidget &dialog, qint32 number);
    void forget();
    // The number the dialog's present contents were saved as; 0 when they
    // differ from the last save.
    qint32 savedNumber(const QWidget &dialog) const;
    static QString alreadySavedText(qint32 number);

private:
    QStringList m_contents;
    qint32 m_number = 0;
};

} // namespace varn::templates
