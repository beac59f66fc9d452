#pragma once

#include "core/DataModule.h"

#include <QTemporaryDir>
#include <memory>

namespace dedizo::test {

// A fresh library database for one test, with schema and shipped data, made
// the main connection of a DataModule. The kind comes from DEDIZO_TEST_DB
// ("sqlite", the default, or "postgres"; the server is named by
// DEDIZO_TEST_PG as "host=...;port=...;user=..."). A PostgreSQL run without
// a server fails: it never skips silently.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();

    static DbKind kindUnderTest();
    // Connection parameters of the server under test without a database name.
    static ConnectParams serverParams();

    DbKind kind() const { return m_params.kind; }
    const ConnectParams& params() const { return m_params; }
    Connection& connection() { return m_module->connection(); }
    DataModule& dataModule() { return *m_module; }
    // Folder a test may use for files (Config.ini and so on).
    QString tempPath() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    ConnectParams m_params;
    QString m_pgDatabase;
    std::unique_ptr<DataModule> m_module;
};

} // namespace dedizo::test
