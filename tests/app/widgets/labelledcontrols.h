#pragma once

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
