#include "store/transientretry.h"

#include "store/sqldialect.h"

#include <QSqlError>

namespace varn::store {

namespace {

struct RetryState
{
    bool conflict = false;
    int retries = 0;
};

RetryState &state()
{
    thread_local RetryState current;
    return current;
}

} // namespace

void TransientRetry::noteError(const QSqlError &error)
{
    if (SqlDialect::isTransient(error))
        state().conflict = true;
}

int TransientRetry::retriesSoFar()
{
    return state().retries;
}

void TransientRetry::countRetry()
{
    ++state().retries;
}

TransientRetry::Scope::Scope() : m_outerSaw(state().conflict)
{
    state().conflict = false;
}

TransientRetry::Scope::~Scope()
{
    state().conflict = state().conflict || m_outerSaw;
}

bool TransientRetry::Scope::sawConflict() const
{
    return state().conflict;
}

} // namespace varn::store
