#include "app/Application.h"
#include "app/MainForm.h"
#include "app/SampleData.h"
#include "app/Statistics.h"
#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/DbUtils.h"
#include "core/UserInfo.h"
#include "tests/app/TestHooks.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QGroupBox>
#include <QLabel>
#include <QStatusBar>
#include <QtTest>

using namespace dedizo;

// The statistics of the main window, counted in the background after the
// login and on the main connection for the timer and the double click.
class TestMainStats : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<ConfigManager> m_config;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;

    // Shows the main window and waits for the login and the background count.
    std::unique_ptr<MainForm> start(std::unique_ptr<MainWindowHooks> hooks = {})
    {
        auto main = std::make_unique<MainForm>(*m_config);
        if (hooks)
            main->setHooks(std::move(hooks));
        QSignalSpy loggedIn(main.get(), &MainForm::loggedIn);
        main->show();
        if (!loggedIn.wait(5000))
            qFatal("no login");
        if (!QTest::qWaitFor([&] { return !main->isRefreshingInBackground(); }, 10000))
            qFatal("the background count did not finish");
        return main;
    }

    static QColor textColor(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

private Q_SLOTS:
    void init()
    {
        currentUser().clear();
        m_db = std::make_unique<test::TestDatabase>();
        AppPaths::setDataDir(m_db->tempPath());
        m_config = std::make_unique<ConfigManager>(AppPaths::configFile());
        ConfigManager::setInstance(m_config.get());
        m_prompts = std::make_unique<test::ScriptedPrompts>();
    }
    void cleanup()
    {
        m_prompts.reset();
        ConfigManager::setInstance(nullptr);
        m_config.reset();
        m_db.reset();
        currentUser().clear();
    }

    void newDatabaseShowsZeroTotals()
    {
        auto main = start();
        QCOMPARE(main->LblBookStat->text(), QStringLiteral("书刊总计：0 册 0 种"));
        QCOMPARE(main->LblReaderStat->text(), QStringLiteral("读者总计：0 人"));
        QCOMPARE(main->LblExceedStat->text(), QStringLiteral("逾期总计：0 册 0 人"));
        QCOMPARE(textColor(main->LblExceedStat), MainForm::statColor());
        QCOMPARE(textColor(main->LblExceedStat), textColor(main->LblBookStat));
        QCOMPARE(main->LblCurrUser->text(), QStringLiteral("当前用户：Admin"));
        QCOMPARE(main->LblVersion->text(), QStringLiteral("软件版本：v2021 (5.21.1.513)"));
        QVERIFY(m_prompts->shown.isEmpty());
    }

    void overdueLoans_data()
    {
        QTest::addColumn<QList<int>>("dueOffsets"); // days from today, one loan each
        QTest::addColumn<bool>("returnFirst");      // the first loan is returned
        QTest::addColumn<QString>("exceedText");
        QTest::addColumn<bool>("yellow");

        QTest::newRow("due yesterday")
            << QList<int>{-1} << false << QStringLiteral("逾期总计：1 册 1 人") << true;
        QTest::newRow("due today counts")
            << QList<int>{0} << false << QStringLiteral("逾期总计：1 册 1 人") << true;
        QTest::newRow("due tomorrow")
            << QList<int>{1} << false << QStringLiteral("逾期总计：0 册 0 人") << false;
        QTest::newRow("returned late loan")
            << QList<int>{-5} << true << QStringLiteral("逾期总计：0 册 0 人") << false;
        QTest::newRow("two copies, one reader")
            << QList<int>{-3, -7} << false << QStringLiteral("逾期总计：2 册 1 人") << true;
    }
    void overdueLoans()
    {
        QFETCH(QList<int>, dueOffsets);
        QFETCH(bool, returnFirst);
        QFETCH(QString, exceedText);
        QFETCH(bool, yellow);

        Connection& c = m_db->connection();
        const QDate today = ServerNow().date();
        const int reader = SampleData::addReader(c, QStringLiteral("张明"), QStringLiteral("R1"));
        const int book = SampleData::addBook(c, QStringLiteral("红楼梦"), QStringLiteral("曹雪芹"), {}, {});
        int n = 0;
        for (int offset : dueOffsets) {
            const int copy = SampleData::addCopy(c, book, QStringLiteral("B%1").arg(++n), {});
            const int loan =
                SampleData::addLoan(c, copy, reader, today.addDays(offset - 30), today.addDays(offset));
            if (returnFirst && n == 1)
                c.execute(
                    QStringLiteral("UPDATE LoanList_tab SET IsReturn = 1 WHERE LoanListID = %1").arg(loan));
        }

        auto main = start();
        QCOMPARE(main->LblExceedStat->text(), exceedText);
        QCOMPARE(textColor(main->LblExceedStat), yellow ? MainForm::overdueColor() : MainForm::statColor());
        QCOMPARE(main->LblBookStat->text(), QStringLiteral("书刊总计：%1 册 1 种").arg(dueOffsets.size()));
        QCOMPARE(main->LblReaderStat->text(), QStringLiteral("读者总计：1 人"));

        // The refresh on the main connection (timer, double click) agrees with the background count.
        main->LblExceedStat->clear();
        main->refreshStatistics();
        QCOMPARE(main->LblExceedStat->text(), exceedText);
        QCOMPARE(textColor(main->LblExceedStat), yellow ? MainForm::overdueColor() : MainForm::statColor());
    }

    void overdueColourFollowsRefresh()
    {
        Connection& c = m_db->connection();
        const QDate today = ServerNow().date();
        auto main = start();
        QCOMPARE(textColor(main->LblExceedStat), MainForm::statColor());

        const int reader = SampleData::addReader(c, QStringLiteral("李华"), QStringLiteral("R2"));
        const int copy = SampleData::addCopy(
            c, SampleData::addBook(c, QStringLiteral("三国演义"), QStringLiteral("罗贯中"), {}, {}),
            QStringLiteral("C1"), {});
        const int loan = SampleData::addLoan(c, copy, reader, today.addDays(-40), today.addDays(-10));
        // A double click on the statistics box recounts.
        QTest::mouseDClick(main->GrpStat, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(main->LblExceedStat->text(), QStringLiteral("逾期总计：1 册 1 人"));
        QCOMPARE(textColor(main->LblExceedStat), MainForm::overdueColor());

        c.execute(QStringLiteral("UPDATE LoanList_tab SET IsReturn = 1 WHERE LoanListID = %1").arg(loan));
        main->refreshStatistics();
        QCOMPARE(main->LblExceedStat->text(), QStringLiteral("逾期总计：0 册 0 人"));
        QCOMPARE(textColor(main->LblExceedStat), MainForm::statColor());
    }

    void bookRoomUserSeesOwnRoom()
    {
        Connection& c = m_db->connection();
        const QDate today = ServerNow().date();
        const int b1 = SampleData::addBook(c, QStringLiteral("红楼梦"), {}, {}, {});
        const int b2 = SampleData::addBook(c, QStringLiteral("水浒传"), {}, {}, {});
        const int inRoom = SampleData::addCopy(c, b1, QStringLiteral("A1"), QStringLiteral("二室"));
        SampleData::addCopy(c, b1, QStringLiteral("A2"), QStringLiteral("一室"));
        const int other = SampleData::addCopy(c, b2, QStringLiteral("A3"), QStringLiteral("一室"));
        const int r1 =
            SampleData::addReader(c, QStringLiteral("甲"), QStringLiteral("R1"), QStringLiteral("二室"));
        const int r2 =
            SampleData::addReader(c, QStringLiteral("乙"), QStringLiteral("R2"), QStringLiteral("一室"));
        SampleData::addLoan(c, inRoom, r1, today.addDays(-30), today.addDays(-2));
        SampleData::addLoan(c, other, r2, today.addDays(-30), today.addDays(-2));

        auto main = start(std::make_unique<test::TestHooks>(QStringLiteral("zhang"), QStringLiteral("二室")));
        QCOMPARE(main->LblCurrUser->text(), QStringLiteral("当前用户：zhang - 二室"));
        QCOMPARE(main->LblBookStat->text(), QStringLiteral("书刊总计：1 册 1 种"));
        QCOMPARE(main->LblReaderStat->text(), QStringLiteral("读者总计：1 人"));
        QCOMPARE(main->LblExceedStat->text(), QStringLiteral("逾期总计：1 册 1 人"));
    }

    void roomLiteralIsQuoted()
    {
        // A room name with a quote must not break the statements.
        const StatisticsQueries q = StatisticsQueries::build(
            m_db->connection().dialect(), QStringLiteral("O'Hara 室"), QDateTime::currentDateTime());
        const StatisticsCounts counts = StatisticsCounts::read(m_db->connection(), q);
        QCOMPARE(counts.copies, 0);
        QVERIFY(q.copies.endsWith(QStringLiteral(" WHERE BookRoom = 'O''Hara 室'")));
    }

    void statusBarNamesTheDatabase()
    {
        auto main = start();
        auto* label = main->StaBarMain->findChild<QLabel*>(QStringLiteral("LblDatabase"));
        QVERIFY(label);
        const CurrentDBInfo& info = m_db->dataModule().dbInfo();
        QVERIFY(label->text().startsWith(
            QStringLiteral("数据库：%1 - %2").arg(info.currentDBType, info.currentDBName)));
        QCOMPARE(label->text().contains(QStringLiteral(" - @")), !info.currentDBIsAccess);
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestMainStats t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_mainstats.moc"
