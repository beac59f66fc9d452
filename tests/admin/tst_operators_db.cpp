#include "admin/Login.h"
#include "admin/OperationLog.h"
#include "admin/PasswordDigest.h"
#include "admin/Rights.h"
#include "admin/UsersAdmin.h"
#include "core/ConfigManager.h"
#include "core/DatabaseError.h"
#include "core/DbUtils.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "tests/support/TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

using namespace dedizo;

Q_DECLARE_METATYPE(dedizo::LoginResult)

// Logins, rights, password changes and the operation log on a database of
// the kind under test. Each test starts from a fresh database with the
// shipped functions and no users.
class TestOperatorsDb : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<ConfigManager> m_config;

    Connection& c() { return m_db->connection(); }

    int addUser(const QString& code, const QString& password = QString(), bool locked = false,
                const QString& name = QStringLiteral("用户"))
    {
        c().execute(
            QStringLiteral("INSERT INTO Users_tab(UserCode, UserName, UserPwd, IsLock) VALUES (?, ?, ?, ?)"),
            {code, name, PasswordDigest(password), locked ? 1 : 0});
        return c().scalar(QStringLiteral("SELECT MAX(UserID) FROM Users_tab")).toInt();
    }
    void grant(int userId, int funKey, bool open, bool operate, bool print)
    {
        c().execute(QStringLiteral("INSERT INTO UserAccredit_tab(UserID, FunID, IsOpen, IsOperate, IsPrint) "
                                   "SELECT ?, FunID, ?, ?, ? FROM UserFun_tab WHERE FunKey = ?"),
                    {userId, open ? 1 : 0, operate ? 1 : 0, print ? 1 : 0, funKey});
    }
    void loginAs(const QString& code, const QString& password = QString())
    {
        QCOMPARE(TryLogin(code, password), LoginResult::LoggedIn);
        OpenAccTable();
    }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }
    struct LogRow
    {
        QString date, time, win, op, code, name, memo, computer;
    };
    QList<LogRow> logRows()
    {
        QList<LogRow> rows;
        QSqlQuery q =
            c().select(QStringLiteral("SELECT LogDate, LogTime, WinName, OperateContent, UserCode, UserName, "
                                      "%1, ComputerName FROM UserLog_tab ORDER BY UserLogID")
                           .arg(c().dialect().quoteName(QStringLiteral("Memo"))));
        while (q.next())
            rows.append({q.value(0).toDate().toString(QStringLiteral("yyyy/MM/dd")), q.value(1).toString(),
                         q.value(2).toString(), q.value(3).toString(), q.value(4).toString(),
                         q.value(5).toString(), q.value(6).toString(), q.value(7).toString()});
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<test::TestDatabase>();
        m_config = std::make_unique<ConfigManager>(m_db->tempPath() + QStringLiteral("/Config.ini"));
        ConfigManager::setInstance(m_config.get());
        currentUser().clear();
    }
    void cleanup()
    {
        setClockOverride(QDateTime());
        currentUser().clear();
        DM1().AccQuery.close();
        ConfigManager::setInstance(nullptr);
        m_config.reset();
        m_db.reset();
    }

    void emptyDatabaseGetsAdminWithEmptyPassword()
    {
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 0);
        const QStringList codes = LoginUserCodes();
        QCOMPARE(codes, QStringList{QStringLiteral("Admin")});
        QCOMPARE(QueryValue(QStringLiteral("SELECT UserName FROM Users_tab WHERE UserCode = 'Admin'")),
                 QStringLiteral("管理员"));
        QCOMPARE(QueryValue(QStringLiteral("SELECT UserPwd FROM Users_tab WHERE UserCode = 'Admin'")),
                 EmptyPasswordDigest());
        // Listed again, it is not created twice.
        QCOMPARE(LoginUserCodes(), codes);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 1);
        // The automatic first login applies to exactly this state.
        QVERIFY(AutoLoginApplies(codes, PreselectedUserCode(codes, LastUserName()), QString()));
        QCOMPARE(TryLogin(QStringLiteral("Admin"), QString()), LoginResult::LoggedIn);
    }

    void adminInOtherCaseIsNotCreatedAgain()
    {
        addUser(QStringLiteral("ADMIN"));
        QCOMPARE(LoginUserCodes(), QStringList{QStringLiteral("ADMIN")});
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 1);
    }

    void autoLogin_data()
    {
        QTest::addColumn<QStringList>("extraUsers");
        QTest::addColumn<QString>("adminPassword");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("applies");
        QTest::newRow("only admin, empty password")
            << QStringList() << QString() << "Admin" << QString() << true;
        QTest::newRow("second user") << QStringList{"li"} << QString() << "Admin" << QString() << false;
        QTest::newRow("admin has a password") << QStringList() << "pw"
                                              << "Admin" << QString() << false;
        QTest::newRow("box shows other case") << QStringList() << QString() << "admin" << QString() << false;
        QTest::newRow("password typed") << QStringList() << QString() << "Admin"
                                        << "x" << false;
    }
    void autoLogin()
    {
        QFETCH(QStringList, extraUsers);
        QFETCH(QString, adminPassword);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(bool, applies);
        addUser(QStringLiteral("Admin"), adminPassword);
        for (const QString& u : extraUsers)
            addUser(u);
        QCOMPARE(AutoLoginApplies(LoginUserCodes(), shown, typed), applies);
    }

    void login_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<LoginResult>("result");
        QTest::newRow("right") << "li"
                               << "pw" << LoginResult::LoggedIn;
        QTest::newRow("blank code") << "   "
                                    << "pw" << LoginResult::EmptyCode;
        QTest::newRow("unknown") << "nobody"
                                 << "pw" << LoginResult::NoSuchUser;
        QTest::newRow("wrong password") << "li"
                                        << "PW" << LoginResult::WrongPassword;
        QTest::newRow("empty for a set password") << "li"
                                                  << "" << LoginResult::WrongPassword;
        QTest::newRow("locked, right password") << "wang"
                                                << "pw" << LoginResult::Locked;
        QTest::newRow("locked, wrong password") << "wang"
                                                << "bad" << LoginResult::Locked;
        QTest::newRow("quote in code") << "o'neil"
                                       << "pw" << LoginResult::LoggedIn;
    }
    void login()
    {
        QFETCH(QString, code);
        QFETCH(QString, password);
        QFETCH(LoginResult, result);
        addUser(QStringLiteral("Admin"));
        addUser(QStringLiteral("li"), QStringLiteral("pw"));
        addUser(QStringLiteral("wang"), QStringLiteral("pw"), true);
        addUser(QStringLiteral("o'neil"), QStringLiteral("pw"));
        // A user already logged in stays when the attempt fails.
        QCOMPARE(TryLogin(QStringLiteral("Admin"), QString()), LoginResult::LoggedIn);
        QCOMPARE(TryLogin(code, password), result);
        const QString expected = result == LoginResult::LoggedIn ? code : QStringLiteral("Admin");
        QCOMPARE(currentUser().UserCode, expected);
        QCOMPARE(LastUserName(), expected);
        QVERIFY(!LoginMessage(result).isEmpty() || result == LoginResult::LoggedIn);
    }

    void loginFillsUserInfo()
    {
        c().execute(QStringLiteral("INSERT INTO Users_tab(UserCode, UserName, UserPwd, Title, Dept) VALUES "
                                   "('zhao', '赵', ?, '一室', '采编部')"),
                    {PasswordDigest(QStringLiteral("1"))});
        QCOMPARE(TryLogin(QStringLiteral(" zhao "), QStringLiteral("1")), LoginResult::LoggedIn);
        const UserInfo& u = currentUser();
        QCOMPARE(u.UserCode, QStringLiteral("zhao"));
        QCOMPARE(u.UserName, QStringLiteral("赵"));
        QCOMPARE(u.BookRoom, QStringLiteral("一室"));
        QCOMPARE(u.Dept, QStringLiteral("采编部"));
        QCOMPARE(u.UserPwd, PasswordDigest(QStringLiteral("1")));
        QVERIFY(u.UserID > 0);
        QCOMPARE(m_config->ReadString(QStringLiteral("UI"), QStringLiteral("LastUserName"), QString()),
                 QStringLiteral("zhao"));
    }

    void preselection_data()
    {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("shown");
        QTest::newRow("exact") << "li"
                               << "li";
        QTest::newRow("other case") << "LI"
                                    << "li";
        QTest::newRow("gone") << "old"
                              << "Admin";
    }
    void preselection()
    {
        QFETCH(QString, remembered);
        QFETCH(QString, shown);
        QCOMPARE(PreselectedUserCode({QStringLiteral("Admin"), QStringLiteral("li")}, remembered), shown);
    }

    void rights_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("operate");
        QTest::addColumn<bool>("print");
        // The user "li" holds: 11 open only; 32 open and operate; 21 closed; nothing for 42.
        QTest::newRow("11 open, no operate") << 11 << true << false << false;
        QTest::newRow("32 no print") << 32 << true << true << false;
        QTest::newRow("21 not open") << 21 << false << false << false;
        QTest::newRow("42 no row") << 42 << false << false << false;
        QTest::newRow("unknown key") << 99 << false << false << false;
    }
    void rights()
    {
        QFETCH(int, key);
        QFETCH(bool, open);
        QFETCH(bool, operate);
        QFETCH(bool, print);
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"));
        grant(li, 11, true, false, false);
        grant(li, 32, true, true, false);
        grant(li, 21, false, true, true);
        loginAs(QStringLiteral("li"));
        QCOMPARE(MayOpenFunction(key), open);
        QCOMPARE(MayOperateFunction(key), operate);
        QCOMPARE(MayPrintFunction(key), print);
        // The rights query lists exactly the user's rows.
        QCOMPARE(DM1().AccQuery.recordCount(), 3);
    }

    void administratorHasEveryRight_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("as created") << "Admin";
        QTest::newRow("capitals") << "ADMIN";
        QTest::newRow("lower case") << "admin";
    }
    void administratorHasEveryRight()
    {
        QFETCH(QString, code);
        const int id = addUser(code);
        grant(id, 42, false, false, false); // stray rows never restrict the administrator
        loginAs(code);
        Dataset& acc = DM1().AccQuery;
        QCOMPARE(acc.recordCount(), count(QStringLiteral("SELECT COUNT(*) FROM UserFun_tab")));
        for (int key : {11, 21, 31, 42, 52, 55}) {
            QVERIFY(MayOpenFunction(key));
            QVERIFY(MayOperateFunction(key));
            QVERIFY(MayPrintFunction(key));
        }
        acc.first();
        QVERIFY(acc.value(QStringLiteral("IsOpen")).toBool());
    }

    void nobodyLoggedInHasNoRights()
    {
        QVERIFY(!MayOpenFunction(11));
        QVERIFY(!RightsForKey(52).listed);
    }

    void missingRightsRowsAreCreated()
    {
        const int li = addUser(QStringLiteral("li"));
        const int other = addUser(QStringLiteral("zhang"));
        grant(other, 11, true, true, true);
        CreateMissingRights(li);
        const int functions = count(QStringLiteral("SELECT COUNT(*) FROM UserFun_tab"));
        QCOMPARE(functions, 15);
        const QString where = QStringLiteral(" FROM UserAccredit_tab WHERE UserID=%1").arg(li);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*)") + where), functions);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*)") + where + QStringLiteral(" AND IsOpen = 0")),
                 functions);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*)") + where +
                       QStringLiteral(" AND IsOperate = 1 AND IsPrint = 1")),
                 functions);
        // Again: replaced, not doubled; another user's rows untouched.
        CreateMissingRights(li);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*)") + where), functions);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserAccredit_tab WHERE UserID=%1").arg(other)),
                 1);
        // The rights editor's query then lists them all.
        OpenQuery(DM1().FunQuery, FunQuerySql(li).join(QLatin1Char('\n')));
        QCOMPARE(DM1().FunQuery.recordCount(), functions);
        DM1().FunQuery.close();
    }

    void deleteUserRemovesRightsInOneTransaction()
    {
        const int li = addUser(QStringLiteral("li"));
        CreateMissingRights(li);
        // A failing user delete rolls the rights delete back.
        try {
            DeleteUserWithRights(li, [] { throw DatabaseError(QStringLiteral("boom")); });
            QFAIL("no error raised");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.message(), QStringLiteral("更新数据库时出错,请重试!"));
        }
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserAccredit_tab WHERE UserID=%1").arg(li)), 15);
        DeleteUserWithRights(
            li, [&] { c().execute(QStringLiteral("DELETE FROM Users_tab WHERE UserID=%1").arg(li)); });
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserAccredit_tab WHERE UserID=%1").arg(li)), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 0);
    }

    void resetPasswordLetsUserInWithEmptyField()
    {
        const int li = addUser(QStringLiteral("li"), QStringLiteral("old"));
        QCOMPARE(TryLogin(QStringLiteral("li"), QString()), LoginResult::WrongPassword);
        c().execute(QStringLiteral("UPDATE Users_tab SET UserPwd = ? WHERE UserID = ?"),
                    {EmptyPasswordDigest(), li});
        QCOMPARE(TryLogin(QStringLiteral("li"), QString()), LoginResult::LoggedIn);
    }

    void changePassword_data()
    {
        QTest::addColumn<QString>("oldPwd");
        QTest::addColumn<QString>("newPwd");
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<int>("result");
        QTest::newRow("changed") << "old"
                                 << "new"
                                 << "new" << int(ChangePasswordResult::Changed);
        QTest::newRow("to empty") << "old"
                                  << ""
                                  << "" << int(ChangePasswordResult::Changed);
        QTest::newRow("wrong old") << "OLD"
                                   << "new"
                                   << "new" << int(ChangePasswordResult::WrongOldPassword);
        QTest::newRow("mismatch") << "old"
                                  << "new"
                                  << "New" << int(ChangePasswordResult::Mismatch);
    }
    void changePassword()
    {
        QFETCH(QString, oldPwd);
        QFETCH(QString, newPwd);
        QFETCH(QString, repeated);
        QFETCH(int, result);
        addUser(QStringLiteral("li"), QStringLiteral("old"));
        QCOMPARE(ChangePassword(oldPwd, newPwd, repeated), ChangePasswordResult::NotLoggedIn);
        QCOMPARE(TryLogin(QStringLiteral("li"), QStringLiteral("old")), LoginResult::LoggedIn);
        QCOMPARE(int(ChangePassword(oldPwd, newPwd, repeated)), result);
        const bool changed = result == int(ChangePasswordResult::Changed);
        const QString expected = changed ? newPwd : QStringLiteral("old");
        QCOMPARE(currentUser().UserPwd, PasswordDigest(expected));
        currentUser().clear();
        QCOMPARE(TryLogin(QStringLiteral("li"), expected), LoginResult::LoggedIn);
    }

    void logBeforeLogin()
    {
        WriteOperationLog(QStringLiteral("进入系统"), QStringLiteral("打开"));
        const QList<LogRow> rows = logRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].code, QStringLiteral("<未登录>"));
        QCOMPARE(rows[0].name, QStringLiteral("<未登录>"));
        QCOMPARE(rows[0].computer, ComputerName().left(20));
        QCOMPARE(rows[0].memo, QString());
    }

    void logTime_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("afternoon") << QDateTime(QDate(2024, 3, 5), QTime(14, 5, 9)) << "2024/03/05"
                                   << "14:05:09";
        QTest::newRow("morning") << QDateTime(QDate(2024, 11, 30), QTime(9, 15, 2)) << "2024/11/30"
                                 << "09:15:02";
        QTest::newRow("midnight") << QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0)) << "2025/01/01"
                                  << "00:00:00";
    }
    void logTime()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, date);
        QFETCH(QString, time);
        setClockOverride(now);
        addUser(QStringLiteral("admin"));
        QCOMPARE(TryLogin(QStringLiteral("admin"), QString()), LoginResult::LoggedIn);
        WriteOperationLog(QStringLiteral("借书还书续借"), QStringLiteral("打开"));
        const QList<LogRow> rows = logRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].date, date);
        QCOMPARE(rows[0].time, time);
        QCOMPARE(rows[0].win, QStringLiteral("借书还书续借"));
        QCOMPARE(rows[0].op, QStringLiteral("打开"));
        QCOMPARE(rows[0].code, QStringLiteral("admin"));
        QCOMPARE(rows[0].name, QStringLiteral("用户"));
    }

    void logValuesAreBoundAndFitted()
    {
        addUser(QStringLiteral("o'neil"), QString(), false, QStringLiteral("O'Neil"));
        QCOMPARE(TryLogin(QStringLiteral("o'neil"), QString()), LoginResult::LoggedIn);
        const QString longTitle = QStringLiteral("读者'信息维护之一二三四五六七八九十");
        WriteOperationLog(longTitle, QStringLiteral("打开"), QStringLiteral("memo with ' and \"); --"));
        const QList<LogRow> rows = logRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].win, longTitle.left(16));
        QCOMPARE(rows[0].code, QStringLiteral("o'neil"));
        QCOMPARE(rows[0].name, QStringLiteral("O'Neil"));
        QCOMPARE(rows[0].memo, QStringLiteral("memo with ' and \"); --"));
    }

    // The log row is not part of the caller's transaction: rolling the
    // caller's work back keeps it.
    void logSurvivesCallersRollback()
    {
        c().beginTransaction();
        if (c().kind() != DbKind::File) // the file database has one writer: no write before the log here
            c().execute(QStringLiteral("INSERT INTO Users_tab(UserCode, UserName) VALUES ('tmp', 'tmp')"));
        WriteOperationLog(QStringLiteral("进入系统"), QStringLiteral("打开"));
        c().rollback();
        QCOMPARE(logRows().size(), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 0);
    }
};

QTEST_GUILESS_MAIN(TestOperatorsDb)
#include "tst_operators_db.moc"
