#include "app/AboutForm.h"
#include "app/Application.h"
#include "app/ApplicationFilter.h"
#include "app/BackupReminder.h"
#include "app/ExitForm.h"
#include "app/GuideForm.h"
#include "app/MainForm.h"
#include "app/OperatorHooks.h"
#include "app/ScreenshotMode.h"
#include "app/SessionControl.h"
#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/DatabaseError.h"
#include "core/DbUtils.h"
#include "core/UserInfo.h"
#include "core/ui/FunctionWindows.h"
#include "core/ui/ScreenshotSamples.h"
#include "tests/app/TestHooks.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace dedizo;

namespace {

// What the fake function windows saw.
struct Opened
{
    QString className;
    QString parameter;
};
QList<Opened> g_opened;

// A function window that records its opening and closes itself once shown.
void registerFake(int key, const QString& className)
{
    FunctionWindows::add({key, className, className, [className](QWidget* parent, const QString& parameter) {
                              g_opened.append({className, parameter});
                              auto* d = new QDialog(parent);
                              QTimer::singleShot(0, d, &QDialog::accept);
                              return d;
                          }});
}

// Answers the next modal window of type T from inside its event loop.
template <typename T> void answerModal(std::function<void(T*)> answer)
{
    QTimer::singleShot(0, [answer] {
        T* w = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(w, "the expected modal window is not shown");
        answer(w);
    });
}

} // namespace

// The main window's dispatch, rights, closing, hooks and the small windows.
class TestMainShell : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<ConfigManager> m_config;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;

    std::unique_ptr<MainForm> start(test::TestHooks* hooks = nullptr)
    {
        auto main = std::make_unique<MainForm>(*m_config);
        main->setHooks(std::unique_ptr<MainWindowHooks>(hooks ? hooks : new test::TestHooks));
        QSignalSpy loggedIn(main.get(), &MainForm::loggedIn);
        main->show();
        if (!loggedIn.wait(5000))
            qFatal("no login");
        if (!QTest::qWaitFor([&] { return !main->isRefreshingInBackground(); }, 10000))
            qFatal("the background count did not finish");
        return main;
    }

    void setExitConfirm(bool on)
    {
        m_db->connection().execute(QStringLiteral("UPDATE Par_tab SET IsExitConfirm = %1").arg(on ? 1 : 0));
    }

private Q_SLOTS:
    void initTestCase()
    {
        registerFake(11, QStringLiteral("TFakeBooksForm"));
        registerFake(31, QStringLiteral("TFakeDeskForm"));
        registerFake(41, QStringLiteral("TFakeExceedForm"));
        registerFake(42, QStringLiteral("TFakeStatForm"));
        registerFake(54, QStringLiteral("TFakeParForm"));
        registerFake(-1, copyListClassName());
    }
    void init()
    {
        g_opened.clear();
        currentUser().clear();
        m_db = std::make_unique<test::TestDatabase>();
        AppPaths::setDataDir(m_db->tempPath());
        m_config = std::make_unique<ConfigManager>(AppPaths::configFile());
        ConfigManager::setInstance(m_config.get());
        m_prompts = std::make_unique<test::ScriptedPrompts>();
    }
    void cleanup()
    {
        SessionControl::setRunner({});
        m_prompts.reset();
        ConfigManager::setInstance(nullptr);
        m_config.reset();
        m_db.reset();
        currentUser().clear();
    }

    void mainWindowLayout()
    {
        auto main = start();
        QCOMPARE(main->windowTitle(), QStringLiteral("澄岭图书馆管理系统 2021"));
        QStringList tabs;
        for (int i = 0; i < main->RibbonMain->count(); ++i)
            tabs << main->RibbonMain->tabText(i);
        QCOMPARE(tabs, (QStringList{QStringLiteral("首页"), QStringLiteral("系统"), QStringLiteral("帮助")}));
        const QList<int> keys{11, 12, 13, 21, 22, 23, 31, 32, 41, 42, 51, 52, 53, 54, 55};
        for (int key : keys) {
            QVERIFY2(main->navItem(key), qPrintable(QString::number(key)));
            QVERIFY(!main->navItem(key)->toolTip().isEmpty());
        }
        QCOMPARE(main->navItem(31)->text(), QStringLiteral("借书还书续借"));
        QCOMPARE(main->navItem(31)->toolTip(), QStringLiteral("进行借书、还书、续借等操作 "));
        QCOMPARE(main->ribbonButton(QStringLiteral("BtnBooksAdd"))->toolTip(),
                 QStringLiteral("快速录入书刊信息"));
        QCOMPARE(main->GrpStat->toolTip(), QStringLiteral("双击刷新统计数据"));
        QCOMPARE(main->AppTimer->interval(), 120000);
        QVERIFY(main->AppTimer->isActive());
    }

    void openFunDispatch_data()
    {
        QTest::addColumn<QString>("how"); // "nav:<key>", "ribbon:<name>", "label:<name>", "key:<key>"
        QTest::addColumn<QString>("expectedClass");
        QTest::addColumn<QString>("expectedParameter");

        QTest::newRow("navigation item") << "nav:54"
                                         << "TFakeParForm"
                                         << "";
        QTest::newRow("录入 adds") << "ribbon:BtnBooksAdd"
                                   << "TFakeBooksForm"
                                   << "Add";
        QTest::newRow("书刊目录") << "ribbon:BtnBooks"
                                  << "TFakeBooksForm"
                                  << "";
        QTest::newRow("借出") << "ribbon:BtnLoan"
                              << "TFakeDeskForm"
                              << "Loan";
        QTest::newRow("归还") << "ribbon:BtnReturn"
                              << "TFakeDeskForm"
                              << "Return";
        QTest::newRow("续借") << "ribbon:BtnReloan"
                              << "TFakeDeskForm"
                              << "Reloan";
        QTest::newRow("复本列表") << "ribbon:BtnCopyList"
                                  << "TBookCopyListForm"
                                  << "";
        QTest::newRow("overdue label") << "label:LblExceedStat"
                                       << "TFakeExceedForm"
                                       << "";
        QTest::newRow("unregistered key 21") << "key:21"
                                             << ""
                                             << "";
        QTest::newRow("unregistered via label") << "label:LblReaderStat"
                                                << ""
                                                << "";
        QTest::newRow("key 0") << "key:0"
                               << ""
                               << "";
        QTest::newRow("key outside the table") << "key:77"
                                               << ""
                                               << "";
    }
    void openFunDispatch()
    {
        QFETCH(QString, how);
        QFETCH(QString, expectedClass);
        QFETCH(QString, expectedParameter);
        auto main = start();
        const QString kind = how.section(QLatin1Char(':'), 0, 0);
        const QString what = how.section(QLatin1Char(':'), 1);
        if (kind == QLatin1String("nav"))
            QTest::mouseClick(main->navItem(what.toInt()), Qt::LeftButton);
        else if (kind == QLatin1String("ribbon"))
            main->ribbonButton(what)->click();
        else if (kind == QLatin1String("label"))
            QTest::mouseClick(main->findChild<QLabel*>(what), Qt::LeftButton);
        else
            main->OpenFun(what.toInt());
        if (expectedClass.isEmpty()) {
            QVERIFY(g_opened.isEmpty());
        } else {
            QCOMPARE(g_opened.size(), 1);
            QCOMPARE(g_opened[0].className, expectedClass);
            QCOMPARE(g_opened[0].parameter, expectedParameter);
        }
        QVERIFY(main->isVisible());
    }

    void rightsOfOtherUsers()
    {
        auto* hooks = new test::TestHooks(QStringLiteral("zhang"));
        hooks->rights[11] = {true, true, false, false}; // may open, may not operate
        hooks->rights[54] = {true, true, true, true};
        hooks->rights[41] = {true, false, true, true}; // row without the open right
        auto main = start(hooks);
        QVERIFY(main->navItem(11)->isEnabled());
        QVERIFY(main->navItem(54)->isEnabled());
        QVERIFY(!main->navItem(41)->isEnabled());
        QVERIFY(!main->navItem(42)->isEnabled()); // no row at all
        QVERIFY(!main->ribbonButton(QStringLiteral("BtnBooksAdd"))->isEnabled());
        QVERIFY(main->ribbonButton(QStringLiteral("BtnBooks"))->isEnabled());
        QVERIFY(!main->ribbonButton(QStringLiteral("BtnLoanStat"))->isEnabled());
        QVERIFY(main->ribbonButton(QStringLiteral("BtnExit"))->isEnabled()); // tag 0: always

        main->OpenFun(42);
        main->OpenFun(41);
        QVERIFY(g_opened.isEmpty());
        main->OpenFun(54);
        QCOMPARE(g_opened.size(), 1);
        QCOMPARE(hooks->log, QStringList{QStringLiteral("进入系统/打开")});

        // The administrator (any letter case) has every function.
        auto* admin = new test::TestHooks(QStringLiteral("ADMIN"));
        main->setHooks(std::unique_ptr<MainWindowHooks>(admin));
        QVERIFY(main->Login());
        QVERIFY(main->navItem(42)->isEnabled());
        QVERIFY(main->ribbonButton(QStringLiteral("BtnBooksAdd"))->isEnabled());
        main->OpenFun(42);
        QCOMPARE(g_opened.size(), 2);
    }

    void operatorsModuleLogsInAndOut()
    {
        // A new database: the administrator without a password logs in without the login window.
        MainForm main(*m_config);
        main.setHooks(std::make_unique<OperatorHooks>());
        QSignalSpy loggedIn(&main, &MainForm::loggedIn);
        main.show();
        QVERIFY(loggedIn.wait(5000));
        QTRY_VERIFY(!main.isRefreshingInBackground());
        QCOMPARE(currentUser().UserCode, QStringLiteral("Admin"));
        QCOMPARE(main.LblCurrUser->text(), QStringLiteral("当前用户：Admin"));
        const QString entries = QStringLiteral("SELECT COUNT(*) FROM UserLog_tab WHERE WinName = '%1' AND "
                                               "OperateContent = '%2' AND UserCode = 'Admin'");
        QCOMPARE(QueryValue(entries.arg(QStringLiteral("进入系统"), QStringLiteral("打开"))),
                 QStringLiteral("1"));
        main.close();
        QVERIFY(!main.isVisible());
        QString error;
        QVERIFY2(m_db->dataModule().connectTo(m_db->params(), &error), qPrintable(error));
        QCOMPARE(QueryValue(entries.arg(QStringLiteral("退出系统"), QStringLiteral("关闭"))),
                 QStringLiteral("1"));
    }

    void cancelledReloginKeepsUser()
    {
        auto* hooks = new test::TestHooks(QStringLiteral("Admin"));
        auto main = start(hooks);
        hooks->loginAnswer = false;
        main->ribbonButton(QStringLiteral("BtnRelogin"))->click();
        QVERIFY(main->isVisible());
        QCOMPARE(currentUser().UserCode, QStringLiteral("Admin"));
        QCOMPARE(hooks->log.size(), 1);
    }

    void failedFirstLoginEndsProgram()
    {
        auto* hooks = new test::TestHooks;
        hooks->loginAnswer = false;
        MainForm main(*m_config);
        main.setHooks(std::unique_ptr<MainWindowHooks>(hooks));
        main.show();
        QTRY_VERIFY(!main.isVisible());
        QVERIFY(hooks->log.isEmpty()); // no exit entry without a login
    }

    void closing_data()
    {
        QTest::addColumn<bool>("exitConfirm");
        QTest::addColumn<QString>("answer"); // "", "cancel", "exit", "poweroff"
        QTest::addColumn<bool>("closed");

        QTest::newRow("no confirmation") << false << "" << true;
        QTest::newRow("confirm, cancel") << true << "cancel" << false;
        QTest::newRow("confirm, leave") << true << "exit" << true;
        QTest::newRow("confirm, power off fails") << true << "poweroff" << true;
    }
    void closing()
    {
        QFETCH(bool, exitConfirm);
        QFETCH(QString, answer);
        QFETCH(bool, closed);
        setExitConfirm(exitConfirm);
        QStringList commands;
        SessionControl::setRunner([&commands](const QString& program, const QStringList& args, QString* out) {
            commands << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
            *out = QStringLiteral("Access denied");
            return 1;
        });
        auto* hooks = new test::TestHooks;
        auto main = start(hooks);
        bool exitFormShown = false;
        if (!answer.isEmpty()) {
            answerModal<ExitForm>([&](ExitForm* f) {
                exitFormShown = true;
                QCOMPARE(f->windowTitle(), QStringLiteral("退出系统"));
                QVERIFY(f->RbExit->isChecked());
                if (answer == QLatin1String("cancel")) {
                    f->BtnCancel->click();
                    return;
                }
                if (answer == QLatin1String("poweroff"))
                    f->RbPowerOff->setChecked(true);
                f->BtnOK->click();
            });
        }
        main->ribbonButton(QStringLiteral("BtnExit"))->click();
        QCOMPARE(exitFormShown, !answer.isEmpty());
        QCOMPARE(!main->isVisible(), closed);
        QCOMPARE(hooks->log.contains(QStringLiteral("退出系统/关闭")), closed);
        QCOMPARE(m_db->dataModule().isConnected(), !closed);
        if (answer == QLatin1String("poweroff")) {
            QCOMPARE(commands.value(0), QStringLiteral("systemctl poweroff"));
            QCOMPARE(m_prompts->shown.size(), 1);
            QCOMPARE(m_prompts->shown[0].icon, Prompts::Icon::Error);
            QVERIFY(m_prompts->lastText().startsWith(QStringLiteral("关闭计算机失败：")));
        } else {
            QVERIFY(commands.isEmpty());
            QVERIFY(m_prompts->shown.isEmpty());
        }
    }

    void backupReminderCounter_data()
    {
        QTest::addColumn<bool>("reminder");
        QTest::addColumn<int>("reminderCount"); // -1: not written
        QTest::addColumn<int>("runningTimes");
        QTest::addColumn<bool>("due");
        QTest::addColumn<int>("storedRunningTimes");

        QTest::newRow("reminder off") << false << 3 << 1 << false << 1;
        QTest::newRow("default 3, first run") << true << -1 << 0 << false << 1;
        QTest::newRow("default 3, third run") << true << -1 << 2 << true << 0;
        QTest::newRow("count 0 acts as 1") << true << 0 << 0 << true << 0;
        QTest::newRow("negative acts as 1") << true << -5 << 0 << true << 0;
        QTest::newRow("count 5, below") << true << 5 << 3 << false << 4;
        QTest::newRow("above 99 acts as 99") << true << 500 << 98 << true << 0;
        QTest::newRow("99 not yet") << true << 500 << 97 << false << 98;
    }
    void backupReminderCounter()
    {
        QFETCH(bool, reminder);
        QFETCH(int, reminderCount);
        QFETCH(int, runningTimes);
        QFETCH(bool, due);
        QFETCH(int, storedRunningTimes);
        const QString s = QStringLiteral("Backup");
        m_config->WriteBoolean(s, QStringLiteral("Reminder"), reminder);
        if (reminderCount != -1)
            m_config->WriteInteger(s, QStringLiteral("ReminderCount"), reminderCount);
        m_config->WriteInteger(s, QStringLiteral("RunningTimes"), runningTimes);
        QCOMPARE(backupReminderDue(*m_config), due);
        QCOMPARE(m_config->ReadInteger(s, QStringLiteral("RunningTimes"), -100), storedRunningTimes);
    }

    void closingRunsBackupReminder()
    {
        m_config->WriteBoolean(QStringLiteral("Backup"), QStringLiteral("Reminder"), true);
        m_config->WriteInteger(QStringLiteral("Backup"), QStringLiteral("ReminderCount"), 2);
        int backups = 0;
        for (int run = 1; run <= 4; ++run) {
            QString error;
            if (run > 1) // the previous closing closed the connection
                QVERIFY2(m_db->dataModule().connectTo(m_db->params(), &error), qPrintable(error));
            auto* hooks = new test::TestHooks;
            auto main = start(hooks);
            main->close();
            QVERIFY(!main->isVisible());
            backups += hooks->backupCount;
            QCOMPARE(backups, run / 2);
        }
    }

    void errorHandlerKeepsRunning_data()
    {
        QTest::addColumn<int>("kind"); // 0 database error, 1 std exception, 2 abandon silently
        QTest::addColumn<QString>("shown");
        QTest::newRow("database error") << 0 << QStringLiteral("no such table: Nowhere_tab");
        QTest::newRow("other error") << 1 << QStringLiteral("出错了");
        QTest::newRow("abandon silently") << 2 << QString();
    }
    void errorHandlerKeepsRunning()
    {
        QFETCH(int, kind);
        QFETCH(QString, shown);
        auto main = start();
        QPushButton button(QStringLiteral("按钮"));
        connect(&button, &QPushButton::clicked, &button, [kind] {
            if (kind == 0)
                throw DatabaseError(QStringLiteral("no such table: Nowhere_tab"), QStringLiteral("SELECT 1"));
            if (kind == 1)
                throw std::runtime_error("出错了");
            throw AbortSilently();
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        if (shown.isEmpty()) {
            QVERIFY(m_prompts->shown.isEmpty());
        } else {
            QCOMPARE(m_prompts->shown.size(), 1);
            QCOMPARE(m_prompts->shown[0].icon, Prompts::Icon::Error);
            QCOMPARE(m_prompts->lastText(), shown);
        }
        // The program goes on: later events are handled as usual.
        bool later = false;
        QTimer::singleShot(0, [&later] { later = true; });
        QTRY_VERIFY(later);
        QVERIFY(main->isVisible());

        // The same from a timer slot.
        m_prompts->clear();
        QTimer::singleShot(0, main.get(), [] { throw DatabaseError(QStringLiteral("连接已断开")); });
        QTRY_COMPARE(m_prompts->lastText(), QStringLiteral("连接已断开"));
    }

    void timerErrorStopsTimer()
    {
        auto main = start();
        main->activateWindow();
        QTRY_VERIFY(main->isActiveWindow());
        QVERIFY(main->AppTimer->isActive());
        m_db->connection().execute(QStringLiteral("DROP VIEW LoanList_view"));
        m_db->connection().execute(QStringLiteral("DROP TABLE LoanList_tab"));
        main->AppTimer->start(1);
        QTRY_VERIFY(!m_prompts->shown.isEmpty());
        QCOMPARE(m_prompts->shown[0].icon, Prompts::Icon::Error);
        QVERIFY(!main->AppTimer->isActive());
        QVERIFY(main->isVisible());
    }

    void f9LocksScreen()
    {
        auto* hooks = new test::TestHooks;
        auto main = start(hooks);
        QTest::keyClick(main->navItem(11), Qt::Key_F9);
        QCOMPARE(hooks->lockCount, 1);
        main->ribbonButton(QStringLiteral("BtnLockScreen"))->click();
        QCOMPARE(hooks->lockCount, 2);
        QTest::keyClick(main->navItem(11), Qt::Key_F8);
        QCOMPARE(hooks->lockCount, 2);
        // Nobody logged in: nothing to lock, the key is still consumed.
        currentUser().clear();
        QTest::keyClick(main->navItem(11), Qt::Key_F9);
        QCOMPARE(hooks->lockCount, 2);
    }

    void navBarToggle()
    {
        auto main = start();
        QVERIFY(main->isNavBarVisible());
        QToolButton* toggle = main->ribbonButton(QStringLiteral("BtnMainNavBar"));
        QVERIFY(toggle->isChecked());
        main->BtnCloseNavBar->click();
        QVERIFY(!main->isNavBarVisible());
        QVERIFY(!toggle->isChecked());
        QCOMPARE(m_config->ReadBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), true), false);
        toggle->click();
        QVERIFY(main->isNavBarVisible());
        QCOMPARE(m_config->ReadBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), false), true);
        // The next start takes the stored state.
        m_config->WriteBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), false);
        MainForm second(*m_config);
        QVERIFY(!second.isNavBarVisible());
    }

    void oemMode()
    {
        m_config->WriteBoolean(QStringLiteral("OEM"), QStringLiteral("IsOEM"), true);
        m_config->WriteString(QStringLiteral("OEM"), QStringLiteral("CorpName"), QStringLiteral("某某科技"));
        m_config->WriteString(QStringLiteral("OEM"), QStringLiteral("Phone"), QStringLiteral("010-12345678"));
        ConfigManager oem(AppPaths::configFile());
        MainForm main(oem);
        QCOMPARE(main.windowTitle(), QStringLiteral("图书馆管理系统"));
        QCOMPARE(main.LblCorpName->text(), QStringLiteral("某某科技"));
        QCOMPARE(main.LblPhone->text(), QStringLiteral("010-12345678"));
        QVERIFY(main.LblOfficialWeb->isHidden()); // no address configured
        main.showGuide();
        QVERIFY(main.guideForm()->ImgLogo->isHidden());
        main.closeWithoutQuery();

        const AboutInfo about = AboutInfo::current();
        QVERIFY(about.oem);
        QCOMPARE(about.supportLine, QStringLiteral("技术支持：某某科技"));
    }

    void systemNameFromParameters()
    {
        m_db->connection().execute(QStringLiteral("UPDATE Par_tab SET SystemName = '第一中学图书馆'"));
        MainForm main(*m_config);
        QCOMPARE(main.windowTitle(), QStringLiteral("第一中学图书馆"));
    }

    void guideIsReused()
    {
        auto main = start();
        QVERIFY(!main->guideForm());
        main->ribbonButton(QStringLiteral("BtnGuide"))->click();
        GuideForm* guide = main->guideForm();
        QVERIFY(guide);
        QVERIFY(guide->isVisible());
        QVERIFY(!guide->isModal());
        QVERIFY(guide->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!guide->ImgLogo->isHidden());
        guide->close();
        main->showGuide();
        QCOMPARE(main->guideForm(), guide);
        for (const QString& title : GuideForm::sectionTitles())
            QVERIFY(guide->findChild<QWidget*>(QStringLiteral("TxtGuide"))
                        ->property("plainText")
                        .toString()
                        .contains(title));
        QCOMPARE(GuideForm::sectionTitles().size(), 5);
    }

    void aboutWindow()
    {
        QCOMPARE(AboutInfo::versionWithDate(QDate(2024, 3, 5)), QStringLiteral("5.21.1.513.240305"));
        m_db->connection().execute(QStringLiteral("UPDATE Par_tab SET CorpName = '   '"));
        const AboutInfo info = AboutInfo::current();
        QCOMPARE(info.corpName, QStringLiteral("<使用单位名称未设置>"));
        AboutForm about(info);
        QCOMPARE(about.windowTitle(), QStringLiteral("关于"));
        QCOMPARE(about.LblName->text(), QStringLiteral("软件名称：澄岭图书馆管理系统 2021"));
        QVERIFY(about.LblVersion->text().startsWith(QStringLiteral("软件版本：5.21.1.513.")));
        QCOMPARE(about.LblVersion->text().size(), QStringLiteral("软件版本：5.21.1.513.240305").size());
        QCOMPARE(about.BtnClose->text(), QStringLiteral("关闭退出(&C)"));
        QCOMPARE(about.BtnSysInfo->text(), QStringLiteral("系统信息(&S)"));

        auto main = start();
        answerModal<AboutForm>([](AboutForm* f) { f->BtnClose->click(); });
        main->ribbonButton(QStringLiteral("BtnAbout"))->click();
    }

    void screenshotModeWritesEveryWindow()
    {
        bool filled = false;
        addScreenshotSample(QStringLiteral("TFakeParForm"),
                            [&filled](QWidget* w) { filled = qobject_cast<QDialog*>(w) != nullptr; });
        auto main = start();
        QTemporaryDir out;
        ScreenshotMode mode(out.path());
        QCOMPARE(mode.run(*main), 0);
        QVERIFY(filled);
        QVERIFY(mode.failures().isEmpty());
        QStringList expected{QStringLiteral("TMainForm"),      QStringLiteral("TAboutForm"),
                             QStringLiteral("TGuideForm"),     QStringLiteral("ProgressForm"),
                             QStringLiteral("QLDBFilterForm"), QStringLiteral("GridOutputForm"),
                             QStringLiteral("TExitForm")};
        const int ownWindows = expected.size();
        for (const FunctionWindow& w : FunctionWindows::all())
            expected << w.className;
        for (int i = 0; i < expected.size(); ++i) {
            const QImage image(out.filePath(expected[i] + QStringLiteral(".png")));
            QVERIFY2(!image.isNull(), qPrintable(expected[i]));
            if (i < ownWindows) // laid out windows, not the empty fakes
                QVERIFY2(image.width() > 200 && image.height() > 80, qPrintable(expected[i]));
        }
        // The fake windows were opened for their pictures, not through the dispatcher.
        QCOMPARE(main->isVisible(), true);
    }

    void hintTexts_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("html");
        QTest::newRow("plain") << QStringLiteral("双击刷新统计数据") << QStringLiteral("双击刷新统计数据");
        QTest::newRow("titled") << QStringLiteral("录入：\r\n快速录入书刊信息")
                                << QStringLiteral("<b>录入</b><br>快速录入书刊信息");
        QTest::newRow("titled, markup escaped") << QStringLiteral("<a>：\r\n1 < 2\r\n第二行")
                                                << QStringLiteral("<b>&lt;a&gt;</b><br>1 &lt; 2<br>第二行");
        QTest::newRow("colon without line break")
            << QStringLiteral("读者：张三") << QStringLiteral("读者：张三");
    }
    void hintTexts()
    {
        QFETCH(QString, hint);
        QFETCH(QString, html);
        QCOMPARE(hintHtml(hint), html);
    }

    void sessionControl_data()
    {
        QTest::addColumn<int>("systemctlCode");
        QTest::addColumn<int>("busCode");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("systemctl") << 0 << 1 << true;
        QTest::newRow("D-Bus fallback") << -1 << 0 << true;
        QTest::newRow("both refuse") << 1 << 1 << false;
    }
    void sessionControl()
    {
        QFETCH(int, systemctlCode);
        QFETCH(int, busCode);
        QFETCH(bool, accepted);
        QStringList calls;
        SessionControl::setRunner([&](const QString& program, const QStringList& args, QString* out) {
            calls << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
            *out = QStringLiteral("refused");
            return program == QLatin1String("systemctl") ? systemctlCode : busCode;
        });
        QString error;
        QCOMPARE(SessionControl::request(SessionControl::Action::Reboot, &error), accepted);
        QCOMPARE(calls.value(0), QStringLiteral("systemctl reboot"));
        if (systemctlCode != 0)
            QVERIFY(calls.value(1).contains(QStringLiteral("org.freedesktop.login1.Manager.Reboot")));
        QCOMPARE(error.isEmpty(), accepted);
        if (!accepted)
            QCOMPARE(error, QStringLiteral("重新启动计算机失败：refused"));
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestMainShell t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_mainshell.moc"
