#include "core/ConfigManager.h"
#include "core/DataModule.h"
#include "core/IniFile.h"
#include "core/Scramble.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace dedizo;

class TestConfig : public QObject
{
    Q_OBJECT

    QString readFile(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }

private Q_SLOTS:
    void missingFileGivesDefaultsAndWritingCreatesIt()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath(QStringLiteral("Config.ini")));
        QCOMPARE(ini.readInteger(QStringLiteral("Database"), QStringLiteral("DBType"), 0), 0);
        QCOMPARE(
            ini.readString(QStringLiteral("UI"), QStringLiteral("LastUserName"), QStringLiteral("Admin")),
            QStringLiteral("Admin"));
        QVERIFY(ini.readBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), true));
        QVERIFY(!QFile::exists(ini.path()));

        QVERIFY(ini.writeBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), false));
        QVERIFY(
            ini.writeString(QStringLiteral("UI"), QStringLiteral("LastUserName"), QStringLiteral("张三")));
        QVERIFY(ini.writeBoolean(QStringLiteral("Backup"), QStringLiteral("Reminder"), true));
        const QString text = readFile(ini.path());
        QVERIFY(text.contains(QStringLiteral("MainNavBar=0")));
        QVERIFY(text.contains(QStringLiteral("Reminder=1")));
        // Another reader of the same file sees the writes at once.
        IniFile other(ini.path());
        QVERIFY(!other.readBoolean(QStringLiteral("ui"), QStringLiteral("mainnavbar"), true));
        QCOMPARE(other.readString(QStringLiteral("UI"), QStringLiteral("LastUserName"), {}),
                 QStringLiteral("张三"));
        QVERIFY(other.remove(QStringLiteral("UI"), QStringLiteral("LastUserName")));
        QVERIFY(!ini.contains(QStringLiteral("UI"), QStringLiteral("LastUserName")));
        QVERIFY(!ini.readBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), true));
    }

    void garbageValuesFallBackToDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "\xEF\xBB\xBF[Database]\r\nDBType=abc\r\nno equals sign here\r\n[Backup]\r\nReminderCount=7x\r\n"
            "[PictureClip]\r\nWidth=wide\r\n[SQLServer]\r\nPassword=%%%not "
            "base64\r\n[Proxy]\r\nPassword=QUJD\r\n"
            "Port=-\r\n\x01\x02garbage=\xff\xfe\r\n");
        f.close();
        ConfigManager cfg(path);
        QCOMPARE(cfg.ReadInteger(QStringLiteral("Database"), QStringLiteral("DBType"), 0), 0);
        QCOMPARE(cfg.ReadInteger(QStringLiteral("Backup"), QStringLiteral("ReminderCount"), 3), 3);
        QCOMPARE(cfg.ReadFloat(QStringLiteral("PictureClip"), QStringLiteral("Width"), 4.2), 4.2);
        const ProxyInfo proxy = cfg.ReadProxyInfo();
        QCOMPARE(proxy.password, QString()); // "ABC" decodes but is no scrambled value
        QCOMPARE(proxy.port, 0);
        const CurrentDBInfo info = cfg.ReadCurrentDBInfo(dir.path() + QLatin1Char('/'));
        QVERIFY(info.currentDBIsAccess);
    }

    void scrambleRoundTrips_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::newRow("one character") << QStringLiteral("x");
        QTest::newRow("password") << QStringLiteral("s3cret!");
        QTest::newRow("chinese") << QStringLiteral("图书馆密码");
        QTest::newRow("outside the BMP") << QStringLiteral("a😀b𠀀");
        QTest::newRow("connection string")
            << QStringLiteral("Provider=SQLOLEDB.1;Data Source=srv;Password=a=b;");
        QTest::newRow("blanks kept") << QStringLiteral("  two  ");
    }
    void scrambleRoundTrips()
    {
        QFETCH(QString, plain);
        const QString stored = scramble(plain);
        QVERIFY(stored != plain);
        QVERIFY(!stored.contains(QLatin1Char('\n')));
        QCOMPARE(unscramble(stored), plain);
    }

    void emptyAndBrokenScrambledValues()
    {
        QCOMPARE(scramble(QString()), QString());
        QCOMPARE(unscramble(QString()), QString());
        QCOMPARE(unscramble(QStringLiteral("!!!")), QString());
        QCOMPARE(unscramble(QStringLiteral("QUJD")), QString());     // too short
        QCOMPARE(unscramble(QStringLiteral("//79/v8=")), QString()); // not UTF-8
        QString tampered = scramble(QStringLiteral("secret"));
        tampered.chop(4);
        QCOMPARE(unscramble(tampered), QString());
    }

    void currentDbInfo_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("connectionEnd");
        QTest::newRow("no config") << QString() << QStringLiteral("文件数据库")
                                   << QStringLiteral("@DedIzo.DB") << QString() << QString();
        QTest::newRow("bare file name")
            << QStringLiteral("[Access]\nFileName= Lib.DB \n") << QStringLiteral("文件数据库")
            << QStringLiteral("@Lib.DB") << QString() << QString();
        QTest::newRow("absolute path kept")
            << QStringLiteral("[Access]\nFileName=/srv/lib/My.DB\n") << QStringLiteral("文件数据库")
            << QStringLiteral("/srv/lib/My.DB") << QString() << QString();
        QTest::newRow("relative path kept")
            << QStringLiteral("[Access]\nFileName=data/My.DB\n") << QStringLiteral("文件数据库")
            << QStringLiteral("data/My.DB") << QString() << QString();
        QTest::newRow("sql server, windows login")
            << QStringLiteral("[Database]\nDBType=1\n") << QStringLiteral("Microsoft SQL Server")
            << QStringLiteral("DedIzoDB") << QStringLiteral("(local)")
            << QStringLiteral(
                   "User ID = ; Password = ; Persist Security Info = True; Integrated Security = SSPI");
        QTest::newRow("sql server, user")
            << QStringLiteral("[Database]\nDBType=5\n[SQLServer]\nUser=sa\nServer=lib\n")
            << QStringLiteral("Microsoft SQL Server") << QStringLiteral("DedIzoDB") << QStringLiteral("lib")
            << QStringLiteral("User ID = sa; Password = ; Persist Security Info = True; ");
        QTest::newRow("postgresql defaults")
            << QStringLiteral("[Database]\nDBType=2\n") << QStringLiteral("PostgreSQL")
            << QStringLiteral("DedIzoDB") << QStringLiteral("localhost")
            << QStringLiteral("Port = 5432; Database = DedIzoDB; User ID = ; Password = ");
    }
    void currentDbInfo()
    {
        QFETCH(QString, ini);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QFETCH(QString, server);
        QFETCH(QString, connectionEnd);
        QTemporaryDir dir;
        const QString app = dir.path() + QLatin1Char('/');
        if (!ini.isEmpty()) {
            QFile f(app + QStringLiteral("Config.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ini.toUtf8());
        }
        ConfigManager cfg(app + QStringLiteral("Config.ini"));
        const CurrentDBInfo info = cfg.ReadCurrentDBInfo(app);
        QCOMPARE(info.currentDBType, type);
        QCOMPARE(info.currentDBName, name.startsWith(QLatin1Char('@')) ? app + name.mid(1) : name);
        QCOMPARE(info.currentDBServer, server);
        QCOMPARE(info.currentDBIsAccess, type == QStringLiteral("文件数据库"));
        if (!connectionEnd.isEmpty())
            QVERIFY2(info.connectionString.endsWith(connectionEnd), qPrintable(info.connectionString));
    }

    void scrambledServerPasswordIsRead()
    {
        QTemporaryDir dir;
        ConfigManager cfg(dir.filePath(QStringLiteral("Config.ini")));
        cfg.WriteInteger(QStringLiteral("Database"), QStringLiteral("DBType"), 1);
        cfg.WriteString(QStringLiteral("SQLServer"), QStringLiteral("Password"),
                        scramble(QStringLiteral("pw;1")));
        const CurrentDBInfo info = cfg.ReadCurrentDBInfo(dir.path() + QLatin1Char('/'));
        QCOMPARE(info.password, QStringLiteral("pw;1"));
        QVERIFY(info.connectionString.endsWith(
            QStringLiteral("Password = pw;1; Persist Security Info = True; ")));
    }

    void oldFileNameIsMigrated()
    {
        QTemporaryDir dir;
        const QString app = dir.path() + QLatin1Char('/');
        ConfigManager cfg(app + QStringLiteral("Config.ini"));
        cfg.WriteString(QStringLiteral("Access"), QStringLiteral("FileName"),
                        app + QStringLiteral("dedizo.mdb"));
        const CurrentDBInfo info = cfg.ReadCurrentDBInfo(app);
        QCOMPARE(info.currentDBName, app + QStringLiteral("DedIzo.DB"));
        QVERIFY(!cfg.ReadString(QStringLiteral("Access"), QStringLiteral("FileName"), QString()).size());
        QVERIFY(!readFile(app + QStringLiteral("Config.ini")).contains(QStringLiteral("FileName")));

        QFile old(app + QStringLiteral("DedIzo.MDB"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        migrateOldFileDatabaseName(app);
        QVERIFY(!QFile::exists(app + QStringLiteral("DedIzo.MDB")));
        QCOMPARE(readFile(app + QStringLiteral("DedIzo.DB")), QStringLiteral("old"));
        // With both present nothing moves.
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        migrateOldFileDatabaseName(app);
        QVERIFY(QFile::exists(app + QStringLiteral("DedIzo.MDB")));
    }

    void proxyAndReaderSyncRoundTrip()
    {
        QTemporaryDir dir;
        ConfigManager cfg(dir.filePath(QStringLiteral("Config.ini")));
        cfg.WriteProxyInfo({QStringLiteral("proxy.lan"), 8080, QStringLiteral("u"), QStringLiteral("p@ss")});
        cfg.WriteReaderSyncParams({QStringLiteral("Server=x;Database=y"), true});
        QVERIFY(!readFile(cfg.fileName()).contains(QStringLiteral("p@ss")));
        const ProxyInfo p = cfg.ReadProxyInfo();
        QCOMPARE(p.server, QStringLiteral("proxy.lan"));
        QCOMPARE(p.port, 8080);
        QCOMPARE(p.password, QStringLiteral("p@ss"));
        const ReaderSyncParams r = cfg.ReadReaderSyncParams();
        QCOMPARE(r.dbSrcConnString, QStringLiteral("Server=x;Database=y"));
        QVERIFY(r.isShowOnStartup);
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
