#pragma once

#include <QAccessible>
#include <QLabel>
#include <QStringList>
#include <QWidget>

// The labelled controls of a window whose accessible name is not their
// label's visible text ("label -> name"); empty when all carry it.
inline QStringList misnamedControls(const QWidget &window)
{
    QStringList misnamed;
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        const QString text = QString(label->text()).remove(QLatin1Char('&'));
        if (label->buddy() && !text.isEmpty() && label->buddy()->accessibleName() != text)
            misnamed.append(text + QStringLiteral(" -> ") + label->buddy()->accessibleName());
    }
    return misnamed;
}

// The controls of a window that take the keyboard's focus (a drop-down's own
// line edit among them, enabled or not) but give a screen reader no name:
// "class objectName" each; empty when every one has a name.
inline QStringList unnamedControls(const QWidget &window)
{
    QStringList unnamed;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(&window))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.append(QString::fromLatin1(control->metaObject()->className()) +
                           QLatin1Char(' ') + control->objectName());
    }
    return unnamed;
}
