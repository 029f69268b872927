#pragma once

#include <functional>

class QSqlError;

namespace varn::store {

// Runs a save's whole transaction again when the server aborted it for a
// conflict with another writer (a deadlock or a serialization failure), a
// bounded number of times, so that the user never sees a conflict that a
// second try resolves. The statements of a save report their errors here
// (noteError); an attempt that ended after such an error is run again, once
// its transaction has been rolled back.
class TransientRetry
{
public:
    static constexpr int kAttempts = 5;

    // Called by whatever runs a statement of a save and sees it fail.
    static void noteError(const QSqlError &error);

    // Runs attempt until it succeeds, fails for another reason, or has run
    // kAttempts times; returns the last attempt's result. Result is anything
    // testable as a bool (Outcome, Result<T>, CommitResult's outcome...).
    template <typename Attempt> static auto run(Attempt attempt)
    {
        for (int tried = 1;; ++tried) {
            const Scope scope;
            auto result = attempt();
            if (succeeded(result) || !scope.sawConflict() || tried == kAttempts)
                return result;
            countRetry();
        }
    }

    // Attempts run again in this thread so far: what the tests look at.
    static int retriesSoFar();

private:
    // Notes the conflicts of one attempt; attempts may nest (a save inside
    // an import), and an inner one's conflict is also the outer one's.
    class Scope
    {
    public:
        Scope();
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;
        bool sawConflict() const;

    private:
        bool m_outerSaw;
    };

    template <typename Result> static bool succeeded(const Result &result)
    {
        if constexpr (requires { result.outcome.isOk(); })
            return result.outcome.isOk();
        else
            return bool(result);
    }
    static void countRetry();
};

} // namespace varn::store
