#pragma once

#include "store/sqldialect.h"

#include <QString>

// The backend a suite runs against: ctest runs the suites that touch the
// store twice, the second time with VARN_TEST_BACKEND=postgresql, so one
// suite covers a workspace's SQLite file and a team's PostgreSQL database.
class TestBackend
{
public:
    static varn::store::Backend current();
    static bool isServer() { return current() == varn::store::Backend::PostgreSQL; }

    // A fresh empty database on the private cluster for this test process
    // ("host=... port=... dbname=... user=..."); empty (and a failed test)
    // when the cluster cannot start.
    static QString freshServerDatabase();
};
