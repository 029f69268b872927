#pragma once

#include <QMap>
#include <QSet>
#include <QStringList>

#include <optional>

namespace varn::cli {

// "--name value" options (repeatable), "--flag" switches and positional
// arguments of one sub-command. Anything not declared is a usage error.
class CliOptions
{
public:
    static std::optional<CliOptions> parse(const QStringList &arguments,
                                           const QSet<QString> &valued,
                                           const QSet<QString> &flags = {},
                                           QString *error = nullptr);

    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name, const QString &fallback = {}) const;
    QStringList values(const QString &name) const { return m_values.value(name); }
    bool flag(const QString &name) const { return m_flags.contains(name); }
    const QStringList &positional() const { return m_positional; }

private:
    QMap<QString, QStringList> m_values;
    QSet<QString> m_flags;
    QStringList m_positional;
};

} // namespace varn::cli
