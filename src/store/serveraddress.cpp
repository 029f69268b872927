#include "store/serveraddress.h"
#include "store/storetr.h"

#include <QStringList>

#include <algorithm>

namespace varn::store {

namespace {

// Keywords handed to the driver's connect options as they are.
const char *const kPassedOn[] = {"sslmode", "connect_timeout", "application_name"};

constexpr int kLongestValue = 200;

QString refusal(const QString &reason)
{
    return Tr::tr("The server string is not valid: %1\nWrite it as "
                  "\"host=H port=P dbname=D user=U\".")
        .arg(reason);
}

bool isPlainValue(const QString &value)
{
    for (const QChar c : value) {
        if (c.isSpace() || c == QLatin1Char('\'') || c == QLatin1Char('\\') ||
            c == QLatin1Char('=') || c == QLatin1Char(';') ||
            c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return false;
    }
    return !value.isEmpty() && value.size() <= kLongestValue;
}

} // namespace

Result<ServerAddress> ServerAddress::parse(const QString &text)
{
    ServerAddress address;
    QStringList passedOn;
    QStringList seen;
    const QStringList pairs = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pairs.isEmpty())
        return Outcome::refused(refusal(Tr::tr("it is empty.")));
    for (const QString &pair : pairs) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return Outcome::refused(
                refusal(Tr::tr("\"%1\" is not a keyword=value pair.").arg(pair)));
        const QString keyword = pair.left(equals);
        const QString value = pair.mid(equals + 1);
        if (seen.contains(keyword))
            return Outcome::refused(
                refusal(Tr::tr("the keyword \"%1\" is given twice.").arg(keyword)));
        seen.append(keyword);
        if (keyword == QLatin1String("password"))
            return Outcome::refused(
                refusal(Tr::tr("it holds a password. Keep the password in ~/.pgpass "
                               "or PGPASSWORD, never in a workspace.")));
        if (!isPlainValue(value))
            return Outcome::refused(
                refusal(Tr::tr("the value of \"%1\" is empty, too long, or holds spaces, quotes, "
                               "backslashes or control characters.")
                            .arg(keyword)));
        if (keyword == QLatin1String("host")) {
            address.m_host = value;
        } else if (keyword == QLatin1String("port")) {
            bool number = false;
            address.m_port = value.toInt(&number);
            if (!number || address.m_port < 1 || address.m_port > 65535)
                return Outcome::refused(
                    refusal(Tr::tr("the port \"%1\" is not a number from 1 to 65535.").arg(value)));
        } else if (keyword == QLatin1String("dbname")) {
            address.m_databaseName = value;
        } else if (keyword == QLatin1String("user")) {
            address.m_userName = value;
        } else if (std::find(std::begin(kPassedOn), std::end(kPassedOn), keyword.toStdString()) !=
                   std::end(kPassedOn)) {
            passedOn.append(keyword + QLatin1Char('=') + value);
        } else {
            return Outcome::refused(
                refusal(Tr::tr("\"%1\" is not a keyword Varn SE knows.").arg(keyword)));
        }
    }
    if (address.m_databaseName.isEmpty())
        return Outcome::refused(refusal(Tr::tr("it names no database (dbname=).")));
    if (address.m_host.isEmpty())
        address.m_host = QStringLiteral("localhost");
    passedOn.sort();
    address.m_connectOptions = passedOn.join(QLatin1Char(';'));
    return address;
}

Result<ServerAddress> ServerAddress::fromFields(const Fields &fields)
{
    const std::pair<const char *, const QString *> named[] = {
        {QT_TRANSLATE_NOOP("varn::store", "Server"), &fields.host},
        {QT_TRANSLATE_NOOP("varn::store", "Database"), &fields.databaseName},
        {QT_TRANSLATE_NOOP("varn::store", "User"), &fields.userName}};
    for (const auto &[label, value] : named) {
        const QString trimmed = value->trimmed();
        if (trimmed.isEmpty() && value == &fields.databaseName)
            return Outcome::refused(Tr::tr("Enter the name of the database on the server."));
        if (!trimmed.isEmpty() && !isPlainValue(trimmed))
            return Outcome::refused(
                Tr::tr("The %1 \"%2\" is not valid: it is too long, or holds spaces, "
                       "quotes, backslashes or control characters.")
                    .arg(Tr::tr(label), trimmed));
    }
    QStringList pairs{QStringLiteral("port=%1").arg(fields.port),
                      QStringLiteral("dbname=") + fields.databaseName.trimmed()};
    if (!fields.host.trimmed().isEmpty())
        pairs.prepend(QStringLiteral("host=") + fields.host.trimmed());
    if (!fields.userName.trimmed().isEmpty())
        pairs.append(QStringLiteral("user=") + fields.userName.trimmed());
    return parse(pairs.join(QLatin1Char(' ')));
}

QString ServerAddress::text() const
{
    QString text =
        QStringLiteral("host=%1 port=%2 dbname=%3").arg(m_host).arg(m_port).arg(m_databaseName);
    if (!m_userName.isEmpty())
        text += QStringLiteral(" user=") + m_userName;
    for (const QString &option : m_connectOptions.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        text += QLatin1Char(' ') + option;
    return text;
}

} // namespace varn::store
