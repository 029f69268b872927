#pragma once

#include <string_view>

namespace varn::app {

// Names a command in the registry: a literal that lives as long as the
// program and, for the items of a list (templates, columns), a number.
class CommandId
{
public:
    constexpr CommandId() = default;
    constexpr explicit CommandId(std::string_view name, int number = 0)
        : m_name(name), m_number(number)
    {}

    constexpr std::string_view name() const { return m_name; }
    constexpr int number() const { return m_number; }

    friend constexpr bool operator==(const CommandId &, const CommandId &) = default;
    friend constexpr auto operator<=>(const CommandId &, const CommandId &) = default;

private:
    std::string_view m_name;
    int m_number = 0;
};

} // namespace varn::app
