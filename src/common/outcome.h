#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace varn {

// How a message is presented: the icon of the box that shows it.
enum class MessageKind { Plain, Warning, Stop, Information };

// The result of an operation that can refuse. A refusal carries exactly the
// text the user is to see; the engine never shows it, the caller does (a box in
// the GUI, stderr in varn-cli). A refusal may also be silent: the operation
// said no and there is nothing to show.
class [[nodiscard]] Outcome
{
public:
    static Outcome ok() { return Outcome(true, {}, MessageKind::Plain); }
    static Outcome refused(QString text, MessageKind kind = MessageKind::Plain)
    {
        return Outcome(false, std::move(text), kind);
    }
    static Outcome stop(QString text) { return refused(std::move(text), MessageKind::Stop); }
    static Outcome warning(QString text) { return refused(std::move(text), MessageKind::Warning); }
    static Outcome silentlyRefused() { return Outcome(false, {}, MessageKind::Plain); }

    bool isOk() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &message() const { return m_message; }
    MessageKind kind() const { return m_kind; }
    bool hasMessage() const { return !m_message.isEmpty(); }

private:
    Outcome(bool ok, QString message, MessageKind kind)
        : m_ok(ok), m_message(std::move(message)), m_kind(kind)
    {}

    bool m_ok;
    QString m_message;
    MessageKind m_kind;
};

// A value, or the refusal that stands in its place.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)), m_outcome(Outcome::ok()) {}
    Result(Outcome refusal) : m_outcome(std::move(refusal)) {}

    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    T takeValue() { return std::move(*m_value); }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }
    const Outcome &outcome() const { return m_outcome; }

private:
    std::optional<T> m_value;
    Outcome m_outcome;
};

} // namespace varn
