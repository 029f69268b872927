#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace varn::app {

// The lower part of the regeneration and generator dialogs: a status text, a
// progress bar from 0 to 100, "Percent Complete:" with a read-only box and
// "%", and optionally "Processed:" with the number of the item just done.
// Updates are painted at once, since the work runs on this thread.
class ProgressPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Processed { Hidden, Shown };

    explicit ProgressPanel(Processed processed, QWidget *parent = nullptr);

    void setStatus(const QString &text);
    void setPercent(int percent);
    // 0 empties the box.
    void setProcessed(qint32 number);

    QString status() const;
    QString percentText() const;
    QString processedText() const;
    int barValue() const;

private:
    void paintNow();
    void growToFit();

    QLabel *m_status;
    QProgressBar *m_bar;
    QLineEdit *m_percent;
    QLineEdit *m_processed = nullptr;
};

} // namespace varn::app
