#pragma once

#include "core/DataModule.h"
#include "schema/SchemaInstaller.h"

#include <QTemporaryDir>
#include <cstdio>

namespace dedizo::bench {

// A new file database in a temporary folder, made the main connection.
// Exits the benchmark with a message when it cannot be created.
class BenchDatabase
{
public:
    BenchDatabase()
    {
        ConnectParams p;
        p.kind = DbKind::File;
        p.database = m_dir.filePath(QStringLiteral("DedIzo.DB"));
        QString error;
        if (!SchemaInstaller::createFileDatabase(p.database, &error) || !m_module.connectTo(p, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            std::exit(1);
        }
    }
    Connection& connection() { return m_module.connection(); }

private:
    QTemporaryDir m_dir;
    DataModule m_module;
};

} // namespace dedizo::bench
