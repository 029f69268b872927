#pragma once

#include "common/outcome.h"

#include <QTest>

#include <source_location>

// The value of a result a test goes on with. A refusal fails the running
// test where the value was asked for, with the refusal's message, and gives
// a value-initialised T in its place: a test never reads the value of a
// refused result, nor passes by comparing an empty answer with an empty one.
template <typename T>
T checkedValue(const varn::Result<T> &result,
               const std::source_location where = std::source_location::current())
{
    if (result)
        return result.value();
    QTest::qFail(qPrintable(QStringLiteral("refused: ") + result.outcome().message()),
                 where.file_name(), int(where.line()));
    return T{};
}
