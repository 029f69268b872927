#include "change/changereportstream.h"
#include "change/changetr.h"

#include "common/jsontext.h"

#include <QDataStream>
#include <QJsonDocument>
#include <QTemporaryFile>

namespace varn::change {

// Lines that wait for their place in the report: in memory while they are
// few, then in a temporary file, handed back in the order they came.
class ChangeSpool
{
public:
    explicit ChangeSpool(bool heldInMemory) : m_heldInMemory(heldInMemory) {}

    Outcome append(const QString &line)
    {
        ++m_count;
        if (!m_file) {
            m_held.append(line);
            m_heldSize += line.size();
            if (m_heldInMemory || m_heldSize < kLargestHeld)
                return Outcome::ok();
            m_file = std::make_unique<QTemporaryFile>();
            if (!m_file->open())
                return failed();
            m_stream.setDevice(m_file.get());
            for (const QString &held : std::as_const(m_held))
                m_stream << held;
            m_held.clear();
            m_heldSize = 0;
        } else {
            m_stream << line;
        }
        return m_stream.status() == QDataStream::Ok ? Outcome::ok() : failed();
    }

    qsizetype count() const { return m_count; }

    // Each line in turn, with whether it is the last.
    Outcome replay(const std::function<void(const QString &line, bool last)> &take)
    {
        qsizetype given = 0;
        if (m_file) {
            if (!m_file->flush() || !m_file->seek(0))
                return failed();
            QString line;
            while (given < m_count) {
                m_stream >> line;
                if (m_stream.status() != QDataStream::Ok)
                    return failed();
                take(line, ++given == m_count);
            }
            return Outcome::ok();
        }
        for (const QString &line : std::as_const(m_held))
            take(line, ++given == m_count);
        return Outcome::ok();
    }

private:
    static constexpr qsizetype kLargestHeld = 1 << 20; // characters

    Outcome failed() const
    {
        return Outcome::stop(Tr::tr("The comparison could not be written to a temporary file.\n%1")
                                 .arg(m_file ? m_file->errorString() : QString()));
    }

    bool m_heldInMemory = false;
    QStringList m_held;
    qsizetype m_heldSize = 0;
    qsizetype m_count = 0;
    std::unique_ptr<QTemporaryFile> m_file;
    QDataStream m_stream;
};

namespace {

// An object as QJsonDocument writes it indented, each line indented by
// `depth` more levels, without its last line end.
QString indentedJson(const QJsonObject &object, int depth)
{
    const QByteArray alone = QJsonDocument(object).toJson(QJsonDocument::Indented);
    const QByteArray indent(4 * depth, ' ');
    QByteArray indented;
    indented.reserve(alone.size() + 16 * indent.size());
    for (const QByteArray &line : alone.trimmed().split('\n')) {
        if (!indented.isEmpty())
            indented += '\n';
        indented += indent + line;
    }
    return QString::fromUtf8(indented);
}

} // namespace

ChangeReportStream::ChangeReportStream(ChangeReportWriter::Format format, QString from, QString to,
                                       QString systemName, LineWriter write, bool heldInMemory)
    : m_format(format), m_systemName(std::move(systemName)), m_write(std::move(write)),
      m_requirements(std::make_unique<ChangeSpool>(heldInMemory)),
      m_links(std::make_unique<ChangeSpool>(heldInMemory))
{
    m_counts.from = std::move(from);
    m_counts.to = std::move(to);
}

ChangeReportStream::~ChangeReportStream() = default;

bool ChangeReportStream::isEmpty() const
{
    return m_counts.added + m_counts.deleted + m_counts.changed + m_counts.linksAdded +
               m_counts.linksRemoved ==
           0;
}

void ChangeReportStream::begin()
{
    if (m_begun)
        return;
    m_begun = true;
    if (m_format == ChangeReportWriter::Format::Text)
        m_write(ChangeReportWriter::title(m_counts.from, m_counts.to));
}

Outcome ChangeReportStream::requirement(const RequirementChange &change)
{
    begin();
    m_counts.count(change.kind);
    switch (m_format) {
    case ChangeReportWriter::Format::Text:
        for (const QString &line : ChangeReportWriter::textLines(change))
            m_write(line);
        return Outcome::ok();
    case ChangeReportWriter::Format::Json:
        return m_requirements->append(indentedJson(ChangeReportWriter::jsonObject(change), 2));
    case ChangeReportWriter::Format::Html:
        break;
    }
    return m_requirements->append(ChangeReportWriter::htmlRow(change));
}

Outcome ChangeReportStream::link(const LinkChange &link)
{
    begin();
    ++(link.added ? m_counts.linksAdded : m_counts.linksRemoved);
    switch (m_format) {
    case ChangeReportWriter::Format::Text:
        m_write(ChangeReportWriter::textLine(link));
        return Outcome::ok();
    case ChangeReportWriter::Format::Json:
        return m_links->append(indentedJson(ChangeReportWriter::jsonObject(link), 2));
    case ChangeReportWriter::Format::Html:
        break;
    }
    return m_links->append(ChangeReportWriter::htmlLink(link));
}

Outcome ChangeReportStream::finish()
{
    begin();
    switch (m_format) {
    case ChangeReportWriter::Format::Text:
        m_write(ChangeReportWriter::counts(m_counts));
        return Outcome::ok();
    case ChangeReportWriter::Format::Json: {
        // The keys in QJsonDocument's order: counts, from, links,
        // requirements, to.
        m_write(QStringLiteral("{"));
        m_write(QStringLiteral("    \"counts\": ") +
                indentedJson(ChangeReportWriter::jsonCounts(m_counts), 1).mid(4) +
                QLatin1Char(','));
        m_write(QStringLiteral("    \"from\": ") + JsonText::quoted(m_counts.from) +
                QLatin1Char(','));
        const auto element = [this](const QString &line, bool last) {
            m_write(last ? line : line + QLatin1Char(','));
        };
        m_write(QStringLiteral("    \"links\": ["));
        if (Outcome replayed = m_links->replay(element); !replayed)
            return replayed;
        m_write(QStringLiteral("    ],"));
        m_write(QStringLiteral("    \"requirements\": ["));
        if (Outcome replayed = m_requirements->replay(element); !replayed)
            return replayed;
        m_write(QStringLiteral("    ],"));
        m_write(QStringLiteral("    \"to\": ") +
                (m_counts.to.isEmpty() ? QStringLiteral("null") : JsonText::quoted(m_counts.to)));
        m_write(QStringLiteral("}"));
        return Outcome::ok();
    }
    case ChangeReportWriter::Format::Html:
        break;
    }
    m_write(ChangeReportWriter::htmlHead(m_counts, m_systemName));
    const auto line = [this](const QString &text, bool) { m_write(text); };
    if (m_requirements->count() > 0) {
        m_write(ChangeReportWriter::htmlTableHead());
        if (Outcome replayed = m_requirements->replay(line); !replayed)
            return replayed;
        m_write(QStringLiteral("</table>"));
    }
    if (m_links->count() > 0) {
        m_write(ChangeReportWriter::htmlLinksHead());
        if (Outcome replayed = m_links->replay(line); !replayed)
            return replayed;
        m_write(QStringLiteral("</ul>"));
    }
    m_write(QStringLiteral("</body>\n</html>"));
    return Outcome::ok();
}

} // namespace varn::change
