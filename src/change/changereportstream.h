#pragma once

#include "change/changereportwriter.h"
#include "change/comparison.h"

#include <QString>

#include <functional>
#include <memory>

namespace varn::change {

class ChangeSpool;

// A change report written as the comparison finds its changes, in any of
// the writer's formats, byte for byte as ChangeReportWriter writes the whole
// report. The text goes out as it comes; JSON and HTML put the counts (and
// JSON the links) before the requirements, so those parts wait in a
// temporary file until finish() and the memory stays the same whatever the
// number of changes.
class ChangeReportStream : public ChangeSink
{
public:
    // Takes each line of the report, without its end; a line may hold a line
    // break of a requirement's own text.
    using LineWriter = std::function<void(const QString &line)>;

    // heldInMemory keeps what waits in memory, for a report that is held
    // whole anyway.
    ChangeReportStream(ChangeReportWriter::Format format, QString from, QString to,
                       QString systemName, LineWriter write, bool heldInMemory = false);
    ~ChangeReportStream() override;
    ChangeReportStream(const ChangeReportStream &) = delete;
    ChangeReportStream &operator=(const ChangeReportStream &) = delete;

    Outcome requirement(const RequirementChange &change) override;
    Outcome link(const LinkChange &link) override;
    // Writes what waited and the counts: the report's end.
    Outcome finish();

    // The counts so far, in a report that holds no changes.
    const ChangeReport &counts() const { return m_counts; }
    bool isEmpty() const;

private:
    void begin();

    ChangeReportWriter::Format m_format;
    QString m_systemName;
    LineWriter m_write;
    ChangeReport m_counts;
    bool m_begun = false;
    std::unique_ptr<ChangeSpool> m_requirements;
    std::unique_ptr<ChangeSpool> m_links;
};

} // namespace varn::change
