#include "core/Connection.h"
#include "tests/support/TestDatabase.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

using namespace dedizo;

// The command-line database creation, run as a user would run it.
class TestInitDb : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ConnectParams m_params;
    QString m_pgDatabase;

    int runInitDb(QString* output = nullptr)
    {
        QProcess p;
        p.start(QStringLiteral(DEDIZO_CLI),
                {QStringLiteral("init-db"), QStringLiteral("--data-dir"), m_dir.path()});
        p.waitForFinished(60000);
        if (output)
            *output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        return p.exitCode();
    }

    void writeConfig(const QString& text)
    {
        QFile f(m_dir.filePath(QStringLiteral("Config.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (test::TestDatabase::kindUnderTest() == DbKind::File) {
            m_params.kind = DbKind::File;
            m_params.database = m_dir.filePath(QStringLiteral("DedIzo.DB"));
            return;
        }
        m_params = test::TestDatabase::serverParams();
        m_pgDatabase = QStringLiteral("dedizo_init_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
        ConnectParams admin = m_params;
        admin.database = QStringLiteral("postgres");
        Connection c(admin, QStringLiteral("admin"));
        QString error;
        QVERIFY2(c.open(&error), qPrintable(error));
        c.execute(QStringLiteral("CREATE DATABASE ") + m_pgDatabase);
        m_params.database = m_pgDatabase;
        writeConfig(
            QStringLiteral("[Database]\nDBType=2\n[PostgreSQL]\nServer=%1\nPort=%2\nDBName=%3\nUser=%4\n")
                .arg(m_params.server)
                .arg(m_params.port)
                .arg(m_pgDatabase, m_params.user));
    }

    void cleanupTestCase()
    {
        if (m_pgDatabase.isEmpty())
            return;
        ConnectParams admin = m_params;
        admin.database = QStringLiteral("postgres");
        Connection c(admin, QStringLiteral("admin"));
        QString error;
        if (c.open(&error))
            c.execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgDatabase));
    }

    void createsAWorkingDatabaseOnce()
    {
        QString output;
        QCOMPARE(runInitDb(&output), 0);
        Connection c(m_params, QStringLiteral("check"));
        QString error;
        QVERIFY2(c.open(&error), qPrintable(error));
        const SqlDialect& d = c.dialect();

        c.execute(
            QStringLiteral("INSERT INTO LoanList_tab(CopyID, BookID, ReaderID, LoanDate, LoanTime, "
                           "ShouldReturnDate, LoanOperator) VALUES (1, 1, 1, %1, '09:30:00', %2, 'Admin')")
                .arg(d.dateLiteral(QDate(2026, 5, 1)), d.dateLiteral(QDate(2026, 5, 31))));
        QCOMPARE(c.scalar(QStringLiteral("SELECT IsReturn FROM LoanList_tab")).toInt(), 0);
        QCOMPARE(c.scalar(QStringLiteral("SELECT ReLoanTimes FROM LoanList_tab")).toInt(), 0);

        c.execute(
            QStringLiteral("INSERT INTO Books_tab (BookName, Author, BookType, TotalCount, LoanCount) VALUES "
                           "('书', 'a', '图书', 3, 1)"));
        QCOMPARE(c.scalar(QStringLiteral("SELECT RemainCount FROM Books_view")).toInt(), 2);

        for (int i = 0; i < 2; ++i)
            c.execute(
                QStringLiteral("INSERT INTO Readers_tab (ReaderName, ReaderCode, ReaderCateID, Sex) VALUES "
                               "('r', '', 1, 1)"));
        QCOMPARE(c.scalar(QStringLiteral("SELECT COUNT(*) FROM Readers_tab WHERE ReaderCode = ''")).toInt(),
                 2);
        c.close();

        // A second run leaves the existing database alone.
        QVERIFY(runInitDb(&output) != 0);
        QVERIFY2(output.contains(QStringLiteral("已有图书馆数据表")), qPrintable(output));
        Connection again(m_params, QStringLiteral("again"));
        QVERIFY(again.open(&error));
        QCOMPARE(again.scalar(QStringLiteral("SELECT COUNT(*) FROM Books_tab")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestInitDb)
#include "tst_initdb.moc"
