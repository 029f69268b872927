#pragma once

#include "generate/generationtypes.h"

#include <QWidget>

class QPlainTextEdit;

namespace varn::inspect {

// The generated-file viewer: a read-only pane showing the generated C++
// header or Java class of the class selected in the object-model tree. Its
// folder is fixed when it is made.
class CHdrFileView : public QWidget
{
    Q_OBJECT

public:
    // kind is Cpp or Java.
    CHdrFileView(const QString &folder, generate::GeneratorKind kind, QWidget *parent = nullptr);

    // An empty name empties the pane.
    void showClass(const QString &className);
    // Reads the shown class's file again (the generators wrote it anew).
    void refresh();
    QString shownText() const;

private:
    QString m_folder;
    generate::GeneratorKind m_kind;
    QString m_className;
    QPlainTextEdit *m_text;
};

} // namespace varn::inspect
