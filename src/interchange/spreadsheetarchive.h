#pragma once

#include "common/outcome.h"
#include "interchange/exchangeinput.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace varn::interchange {

// The parts of a workbook read from its zip file one at a time, so that a
// sheet of any length is never held whole. The archive's directory is
// checked as ZipArchive checks it (names that would leave the archive,
// encrypted entries, the number of entries); a part read whole may expand to
// at most ExchangeInput::kLargestExpanded bytes, a part read as a stream to
// kLargestStreamed, counted as the bytes come out. Every refusal ends by
// saying that nothing was imported.
class SpreadsheetArchive
{
public:
    static constexpr qint64 kLargestStreamed = 4LL * 1024 * 1024 * 1024;

    // The next piece of a part read as a stream; empty at its end.
    using Pieces = std::function<Result<QByteArray>()>;

    static Result<std::unique_ptr<SpreadsheetArchive>> open(const QString &path);
    ~SpreadsheetArchive();
    SpreadsheetArchive(const SpreadsheetArchive &) = delete;
    SpreadsheetArchive &operator=(const SpreadsheetArchive &) = delete;

    bool contains(const QString &name) const { return m_index.contains(name); }
    // The names of its entries (not its folders), in no particular order.
    QStringList names() const { return m_index.keys(); }
    Result<QByteArray> read(const QString &name,
                            qint64 largest = ExchangeInput::kLargestExpanded) const;
    // The part a piece at a time; the archive must outlive the pieces.
    Result<Pieces> stream(const QString &name, qint64 largest = kLargestStreamed) const;

private:
    struct Archive;
    explicit SpreadsheetArchive(std::unique_ptr<Archive> archive);

    std::unique_ptr<Archive> m_archive;
    QHash<QString, quint64> m_index;
};

} // namespace varn::interchange
