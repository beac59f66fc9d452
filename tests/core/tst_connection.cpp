#include "core/ConfigManager.h"
#include "core/DataModule.h"
#include "core/ParManager.h"
#include "core/Scramble.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QtTest>

using namespace dedizo;

class TestConnection : public QObject
{
    Q_OBJECT

    const QString kFailurePrefix = QStringLiteral("连接数据库失败。请根据以下错误信息检查数据库、网络以及客户"
                                                  "端配置是否正确。\r\n详细错误信息如下：\r\n");

    // Points a Config.ini at the database of `db`.
    void writeConfigFor(ConfigManager& cfg, const test::TestDatabase& db)
    {
        const ConnectParams& p = db.params();
        if (p.kind == DbKind::File) {
            cfg.WriteString(QStringLiteral("Access"), QStringLiteral("FileName"), p.database);
            return;
        }
        cfg.WriteInteger(QStringLiteral("Database"), QStringLiteral("DBType"), 2);
        cfg.WriteString(QStringLiteral("PostgreSQL"), QStringLiteral("Server"), p.server);
        cfg.WriteInteger(QStringLiteral("PostgreSQL"), QStringLiteral("Port"), p.port);
        cfg.WriteString(QStringLiteral("PostgreSQL"), QStringLiteral("DBName"), p.database);
        cfg.WriteString(QStringLiteral("PostgreSQL"), QStringLiteral("User"), p.user);
        cfg.WriteString(QStringLiteral("PostgreSQL"), QStringLiteral("Password"), scramble(p.password));
    }

private Q_SLOTS:
    void connDbThroughConfigAndCardStoreProbe()
    {
        test::ScriptedPrompts prompts;
        QString tableCreated;
        QString app;
        {
            test::TestDatabase db;
            app = db.tempPath() + QLatin1Char('/');
            QVERIFY(!db.dataModule().cardStoreEnabled());
            db.connection().execute(QStringLiteral("CREATE TABLE CardStore(CardID varchar(20) PRIMARY KEY)"));
            ConfigManager cfg(app + QStringLiteral("Config.ini"));
            writeConfigFor(cfg, db);
            const ConnectParams params = db.params();
            db.dataModule().disconnect();

            DataModule& module = db.dataModule();
            QVERIFY(module.ConnDB(cfg, app));
            QVERIFY(prompts.shown.isEmpty());
            QVERIFY(module.cardStoreEnabled());
            QCOMPARE(module.isFileDatabase(), params.kind == DbKind::File);
            QCOMPARE(module.dbInfo().currentDBType, params.kind == DbKind::File
                                                        ? QStringLiteral("文件数据库")
                                                        : QStringLiteral("PostgreSQL"));
            QCOMPARE(module.filterTrueLiteral(), QStringLiteral("1"));
        }
    }

    void catalogueConnectionReplacesTheFirstDatabaseName()
    {
        QTemporaryDir dir;
        const QString app = dir.path() + QLatin1Char('/');
        ConfigManager cfg(app + QStringLiteral("Config.ini"));
        cfg.WriteInteger(QStringLiteral("Database"), QStringLiteral("DBType"), 2);
        cfg.WriteString(QStringLiteral("PostgreSQL"), QStringLiteral("Server"), QStringLiteral("127.0.0.1"));
        cfg.WriteInteger(QStringLiteral("PostgreSQL"), QStringLiteral("Port"), 1);
        cfg.WriteString(QStringLiteral("PostgreSQL"), QStringLiteral("User"), QStringLiteral("DedIzoDB"));
        test::ScriptedPrompts prompts;
        DataModule module;
        QVERIFY(!module.ConnDB(cfg, app));
        QCOMPARE(module.catalogueParams().database, QStringLiteral("tempdbs"));
        QCOMPARE(module.catalogueConnectionString(),
                 QStringLiteral(
                     "Server = 127.0.0.1; Port = 1; Database = tempdbs; User ID = DedIzoDB; Password = "));
    }

    void connectionFailuresShowTheMessage_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QByteArray>("fileContent");
        QTest::newRow("missing database file")
            << QStringLiteral("[Access]\nFileName=nothing.DB\n") << QByteArray();
        QTest::newRow("file that is no database") << QStringLiteral("[Access]\nFileName=bad.DB\n")
                                                  << QByteArray("this is not a database at all, really");
        QTest::newRow("unreachable server")
            << QStringLiteral("[Database]\nDBType=2\n[PostgreSQL]\nServer=127.0.0.1\nPort=1\n")
            << QByteArray();
        QTest::newRow("garbage config") << QStringLiteral("[Database]\nDBType=2x\n[Access]\nFileName="
                                                          "\x01\x02\n[PostgreSQL]\nPort=abc\nPassword=@@\n")
                                        << QByteArray();
    }
    void connectionFailuresShowTheMessage()
    {
        QFETCH(QString, ini);
        QFETCH(QByteArray, fileContent);
        QTemporaryDir dir;
        const QString app = dir.path() + QLatin1Char('/');
        QFile f(app + QStringLiteral("Config.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini.toUtf8());
        f.close();
        if (!fileContent.isEmpty()) {
            QFile db(app + QStringLiteral("bad.DB"));
            QVERIFY(db.open(QIODevice::WriteOnly));
            db.write(fileContent.repeated(200));
        }
        test::ScriptedPrompts prompts;
        ConfigManager cfg(app + QStringLiteral("Config.ini"));
        DataModule module;
        QVERIFY(!module.ConnDB(cfg, app));
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Error);
        QVERIFY(prompts.shown[0].text.startsWith(kFailurePrefix));
        QVERIFY(prompts.shown[0].text.size() > kFailurePrefix.size());
        QVERIFY(!QFile::exists(app + QStringLiteral("nothing.DB"))); // never created by connecting
    }

    void parametersAreReadAfresh()
    {
        test::TestDatabase db;
        ParManager par(db.connection());
        QCOMPARE(par.CorpName(), QStringLiteral("<使用单位名称未设置>"));
        QCOMPARE(par.SystemName(QStringLiteral("标题")), QStringLiteral("标题"));
        QVERIFY(!par.IsExitConfirm());
        QVERIFY(par.IsShowUserListOnLogin());
        QVERIFY(par.IsMaxBookManager());
        db.connection().execute(QStringLiteral("UPDATE Par_tab SET CorpName = '   ', SystemName = ' 馆 ', "
                                               "IsExitConfirm = 1, IsShowUserListOnLogin = 0"));
        QCOMPARE(par.CorpName(), QStringLiteral("<使用单位名称未设置>"));
        QCOMPARE(par.SystemName(QStringLiteral("标题")), QStringLiteral(" 馆 "));
        QVERIFY(par.IsExitConfirm());
        QVERIFY(!par.IsShowUserListOnLogin());
        db.connection().execute(QStringLiteral("UPDATE Par_tab SET IsExitConfirm = NULL"));
        QVERIFY(par.AsBoolean(QStringLiteral("IsExitConfirm"), true));
        QCOMPARE(par.AsInteger(QStringLiteral("IsExitConfirm"), 7), 7);
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
