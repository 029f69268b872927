#include "cli/clioptions.h"

#include "cli/clitr.h"

namespace varn::cli {

std::optional<CliOptions> CliOptions::parse(const QStringList &arguments,
                                            const QSet<QString> &valued, const QSet<QString> &flags,
                                            QString *error)
{
    CliOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--")) || argument == QLatin1String("--")) {
            options.m_positional.append(argument);
            continue;
        }
        const QString name = argument.mid(2);
        if (flags.contains(name)) {
            options.m_flags.insert(name);
        } else if (valued.contains(name) && i + 1 < arguments.size()) {
            options.m_values[name].append(arguments[++i]);
        } else {
            if (error)
                *error = valued.contains(name) ? Tr::tr("option %1 needs a value").arg(argument)
                                               : Tr::tr("unknown option %1").arg(argument);
            return std::nullopt;
        }
    }
    return options;
}

QString CliOptions::value(const QString &name, const QString &fallback) const
{
    const QStringList found = m_values.value(name);
    return found.isEmpty() ? fallback : found.last();
}

} // namespace varn::cli
