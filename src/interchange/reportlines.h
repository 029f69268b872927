#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <iterator>
#include <memory>

namespace varn::interchange {

// The lines of an import's report (what was left out and why), in their
// order. The first few thousand are held in memory; the rest go to a
// temporary file as they come and are read back from it one at a time, so
// that an import that leaves out most of a million records keeps a small
// summary. Copies share that file: only the import that fills the list
// appends.
class ReportLines
{
public:
    static constexpr qsizetype kHeld = 4096;

    ReportLines() = default;
    ReportLines(const QStringList &lines) { *this = lines; }
    ReportLines &operator=(const QStringList &lines);

    // A line the temporary file could not take (a full disk) is counted and
    // noted: failed() then says so, and error() why.
    void append(const QString &line);
    ReportLines &operator<<(const QString &line)
    {
        append(line);
        return *this;
    }
    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

    qsizetype size() const { return m_held.size() + m_spooled; }
    bool isEmpty() const { return size() == 0; }
    QString at(qsizetype index) const;
    QString operator[](qsizetype index) const { return at(index); }
    bool contains(const QString &line) const;
    // Every line joined: for a short report.
    QString join(QChar separator) const { return toList().join(separator); }
    QStringList toList() const;

    friend bool operator==(const ReportLines &lines, const QStringList &list);
    friend bool operator==(const QStringList &list, const ReportLines &lines)
    {
        return lines == list;
    }

    class const_iterator
    {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;

        const_iterator(const ReportLines *lines, qsizetype index) : m_lines(lines), m_index(index)
        {}
        QString operator*() const { return m_lines->at(m_index); }
        const_iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const const_iterator &other) const { return m_index == other.m_index; }

    private:
        const ReportLines *m_lines;
        qsizetype m_index;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Spool;
    QStringList m_held;
    std::shared_ptr<Spool> m_spool;
    qsizetype m_spooled = 0;
    QString m_error;
};

} // namespace varn::interchange
