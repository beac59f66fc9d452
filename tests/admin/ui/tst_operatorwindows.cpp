#include "admin/Login.h"
#include "admin/PasswordDigest.h"
#include "admin/Rights.h"
#include "admin/ui/FunctionWindowOpener.h"
#include "admin/ui/LoginForm.h"
#include "admin/ui/ParForm.h"
#include "admin/ui/PasswordForms.h"
#include "admin/ui/RightsTags.h"
#include "admin/ui/UserAccForm.h"
#include "admin/ui/UserEditForm.h"
#include "admin/ui/UserForm.h"
#include "admin/ui/UserLogForm.h"
#include "core/ConfigManager.h"
#include "core/DbUtils.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "core/ui/DataGrid.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace dedizo;

namespace {

// Runs `f` on the first visible top-level window of type T as soon as it is
// shown (modal windows run their own loop, so this polls from a timer).
// Watchers still waiting when a test ends must not act in the next one.
QList<QPointer<QTimer>>& watchers()
{
    static QList<QPointer<QTimer>> list;
    return list;
}

void stopWatchers()
{
    for (const QPointer<QTimer>& t : std::as_const(watchers()))
        if (t)
            t->deleteLater();
    watchers().clear();
}

template <typename T> void whenShown(std::function<void(T*)> f, bool* seen = nullptr)
{
    auto* timer = new QTimer;
    watchers().append(timer);
    timer->setInterval(5);
    auto deadline = std::make_shared<QDeadlineTimer>(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, f, seen, deadline] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (T* t = qobject_cast<T*>(w); t && t->isVisible()) {
                timer->stop();
                timer->deleteLater();
                if (seen)
                    *seen = true;
                f(t);
                return;
            }
        }
        if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// A function window with one action and one button of each rights tag.
class TaggedWindow : public QDialog
{
    Q_OBJECT
public:
    explicit TaggedWindow(const QString& caption, QWidget* parent = nullptr) : QDialog(parent)
    {
        setWindowTitle(caption);
        actOperate = new QAction(QStringLiteral("新增"), this);
        setActionTag(actOperate, TagOperate);
        actPrint = new QAction(QStringLiteral("导出"), this);
        setActionTag(actPrint, TagPrint);
        actPlain = new QAction(QStringLiteral("刷新"), this);
        btnOperate = new QPushButton(QStringLiteral("删除"), this);
        setActionTag(btnOperate, TagOperate);
        btnPrint = new QPushButton(QStringLiteral("打印"), this);
        setActionTag(btnPrint, TagPrint);
        booksAdd = new QAction(QStringLiteral("新增(&A)"), this);
        booksAdd->setObjectName(QStringLiteral("BooksAdd"));
        setActionTag(booksAdd, TagOperate);
        connect(booksAdd, &QAction::triggered, this, [this] { ++addCount; });
    }
    Q_INVOKABLE void SetBusinessTypeLoan() { businessType = QStringLiteral("Loan"); }
    Q_INVOKABLE void SetBusinessTypeReturn() { businessType = QStringLiteral("Return"); }

    QAction* actOperate;
    QAction* actPrint;
    QAction* actPlain;
    QAction* booksAdd;
    QPushButton* btnOperate;
    QPushButton* btnPrint;
    int addCount = 0;
    QString businessType;
};

} // namespace

class TestOperatorWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<ConfigManager> m_config;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;

    Connection& c() { return m_db->connection(); }
    int count(const QString& sql) { return c().scalar(sql).toInt(); }

    int addUser(const QString& code, const QString& password = QString())
    {
        c().execute(
            QStringLiteral("INSERT INTO Users_tab(UserCode, UserName, UserPwd, IsLock) VALUES (?, ?, ?, 0)"),
            {code, QString(code + QStringLiteral("名")), PasswordDigest(password)});
        return c().scalar(QStringLiteral("SELECT MAX(UserID) FROM Users_tab")).toInt();
    }
    void grant(int userId, int funKey, bool open, bool operate, bool print)
    {
        c().execute(QStringLiteral("INSERT INTO UserAccredit_tab(UserID, FunID, IsOpen, IsOperate, IsPrint) "
                                   "SELECT ?, FunID, ?, ?, ? FROM UserFun_tab WHERE FunKey = ?"),
                    QVariantList{userId, open ? 1 : 0, operate ? 1 : 0, print ? 1 : 0, funKey});
    }
    void loginAs(const QString& code, const QString& password = QString())
    {
        QCOMPARE(TryLogin(code, password), LoginResult::LoggedIn);
        OpenAccTable();
    }
    void writeConfig(const QString& text)
    {
        QFile f(m_db->tempPath() + QStringLiteral("/Config.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        f.close();
        m_config = std::make_unique<ConfigManager>(f.fileName());
        ConfigManager::setInstance(m_config.get());
    }
    QStringList logRows()
    {
        QStringList rows;
        QSqlQuery q = c().select(QStringLiteral(
            "SELECT WinName, OperateContent, UserCode, ComputerName FROM UserLog_tab ORDER BY UserLogID"));
        while (q.next())
            rows << QStringLiteral("%1|%2|%3|%4")
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                             q.value(3).toString());
        return rows;
    }
    // A registered window of the given key whose instances the test can see.
    FunctionWindow taggedWindow(int key, const QString& caption, TaggedWindow** made,
                                int* createCount = nullptr)
    {
        return FunctionWindow{key, QStringLiteral("TTaggedForm"), caption,
                              [=](QWidget* p, const QString&) -> QDialog* {
                                  if (createCount)
                                      ++*createCount;
                                  *made = new TaggedWindow(caption, p);
                                  return *made;
                              }};
    }

private Q_SLOTS:
    void initTestCase() { installOperatorHooks(); }
    void init()
    {
        m_db = std::make_unique<test::TestDatabase>();
        writeConfig(QString());
        m_prompts = std::make_unique<test::ScriptedPrompts>();
        currentUser().clear();
    }
    void cleanup()
    {
        stopWatchers();
        currentUser().clear();
        DM1().AccQuery.close();
        DM1().UserQuery.close();
        m_prompts.reset();
        ConfigManager::setInstance(nullptr);
        m_config.reset();
        m_db.reset();
    }

    // --- the window opener ---

    void openerRefusesWithoutRightsRow()
    {
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"));
        grant(li, 41, true, true, true);
        loginAs(QStringLiteral("li"));
        TaggedWindow* made = nullptr;
        int created = 0;
        const FunctionWindow w = taggedWindow(42, QStringLiteral("借阅记录统计"), &made, &created);
        QVERIFY(!MayOpenFunction(42));
        QCOMPARE(OpenFunctionWindow(w), int(QDialog::Rejected));
        QCOMPARE(created, 0);
        QVERIFY(m_prompts->shown.isEmpty()); // silently
        QVERIFY(logRows().isEmpty());
        // A row with IsOpen false refuses the same way.
        grant(li, 42, false, true, true);
        OpenAccTable();
        QCOMPARE(OpenFunctionWindow(w), int(QDialog::Rejected));
        QCOMPARE(created, 0);
    }

    void openerAppliesTags_data()
    {
        QTest::addColumn<bool>("operate");
        QTest::addColumn<bool>("print");
        QTest::newRow("all") << true << true;
        QTest::newRow("no operate") << false << true;
        QTest::newRow("no print") << true << false;
        QTest::newRow("open only") << false << false;
    }
    void openerAppliesTags()
    {
        QFETCH(bool, operate);
        QFETCH(bool, print);
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"));
        grant(li, 32, true, operate, print);
        loginAs(QStringLiteral("li"));
        TaggedWindow* made = nullptr;
        bool seen = false;
        QMap<QString, bool> state;
        whenShown<TaggedWindow>(
            [&](TaggedWindow* t) {
                state[QStringLiteral("actOperate")] =
                    t->actOperate->isVisible() && t->actOperate->isEnabled();
                state[QStringLiteral("actPrint")] = t->actPrint->isVisible() && t->actPrint->isEnabled();
                state[QStringLiteral("actPlain")] = t->actPlain->isVisible() && t->actPlain->isEnabled();
                state[QStringLiteral("btnOperate")] =
                    !t->btnOperate->isHidden() && t->btnOperate->isEnabled();
                state[QStringLiteral("btnPrint")] = !t->btnPrint->isHidden() && t->btnPrint->isEnabled();
                t->reject();
            },
            &seen);
        OpenFunctionWindow(taggedWindow(32, QStringLiteral("借阅记录查询"), &made));
        QVERIFY(seen);
        QCOMPARE(state.value(QStringLiteral("actOperate")), operate);
        QCOMPARE(state.value(QStringLiteral("btnOperate")), operate);
        QCOMPARE(state.value(QStringLiteral("actPrint")), print);
        QCOMPARE(state.value(QStringLiteral("btnPrint")), print);
        QCOMPARE(state.value(QStringLiteral("actPlain")), true);
    }

    void openAndCloseWriteTwoLogRows()
    {
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"));
        grant(li, 31, true, true, true);
        loginAs(QStringLiteral("li"));
        TaggedWindow* made = nullptr;
        whenShown<TaggedWindow>([](TaggedWindow* t) { t->accept(); });
        QCOMPARE(OpenFunctionWindow(taggedWindow(31, QStringLiteral("借书还书续借"), &made)),
                 int(QDialog::Accepted));
        const QString computer = ComputerName().left(20);
        QCOMPARE(logRows(), (QStringList{QStringLiteral("借书还书续借|打开|li|") + computer,
                                         QStringLiteral("借书还书续借|关闭|li|") + computer}));
    }

    void closingEntryTakesCaptionAfterClosing()
    {
        addUser(QStringLiteral("Admin"));
        loginAs(QStringLiteral("Admin"));
        TaggedWindow* made = nullptr;
        whenShown<TaggedWindow>([](TaggedWindow* t) {
            t->setWindowTitle(QStringLiteral("借阅记录查询-李"));
            t->reject();
        });
        OpenFunctionWindow(taggedWindow(32, QStringLiteral("借阅记录查询"), &made));
        const QStringList rows = logRows();
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows[0].startsWith(QStringLiteral("借阅记录查询|打开|Admin|")));
        QVERIFY(rows[1].startsWith(QStringLiteral("借阅记录查询-李|关闭|Admin|")));
    }

    void parameters_data()
    {
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<bool>("operate");
        QTest::addColumn<int>("adds");
        QTest::addColumn<QString>("businessType");
        QTest::newRow("Add") << "Add" << true << 1 << QString();
        QTest::newRow("Add without operate") << "Add" << false << 0 << QString();
        QTest::newRow("Loan") << "Loan" << true << 0 << "Loan";
        QTest::newRow("Return") << "Return" << true << 0 << "Return";
        QTest::newRow("none") << QString() << true << 0 << QString();
    }
    void parameters()
    {
        QFETCH(QString, parameter);
        QFETCH(bool, operate);
        QFETCH(int, adds);
        QFETCH(QString, businessType);
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"));
        grant(li, 11, true, operate, true);
        loginAs(QStringLiteral("li"));
        TaggedWindow* made = nullptr;
        int addsWhenShown = -1;
        QString typeWhenShown;
        whenShown<TaggedWindow>([&](TaggedWindow* t) {
            addsWhenShown = t->addCount;
            typeWhenShown = t->businessType;
            t->reject();
        });
        OpenFunctionWindow(taggedWindow(11, QStringLiteral("书刊信息维护"), &made), parameter);
        QCOMPARE(addsWhenShown, adds);
        QCOMPARE(typeWhenShown, businessType);
    }

    void noKeyOpensWithAllActions()
    {
        addUser(QStringLiteral("Admin"));
        addUser(QStringLiteral("li")); // no rights rows at all
        loginAs(QStringLiteral("li"));
        TaggedWindow* made = nullptr;
        bool allOn = false;
        whenShown<TaggedWindow>([&](TaggedWindow* t) {
            allOn = t->actOperate->isEnabled() && t->actPrint->isEnabled();
            t->reject();
        });
        OpenFunctionWindow(taggedWindow(-1, QStringLiteral("用户信息维护"), &made));
        QVERIFY(allOn);
    }

    void usersWindowWithoutPrintRight()
    {
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"));
        grant(li, 52, true, true, false);
        loginAs(QStringLiteral("li"));
        bool exportShown = true, addShown = false;
        whenShown<UserForm>([&](UserForm* f) {
            exportShown = f->ActionExport->isVisible();
            addShown = f->ActionAdd->isVisible();
            f->reject();
        });
        QVERIFY(OpenFunctionByKey(52));
        QVERIFY(!exportShown);
        QVERIFY(addShown);
    }

    // --- login window ---

    void firstLoginOnEmptyDatabaseIsAutomatic()
    {
        bool shown = false;
        whenShown<LoginForm>([](LoginForm* f) { f->reject(); }, &shown);
        QVERIFY(Login(true));
        QVERIFY(!shown);
        QCOMPARE(currentUser().UserCode, QStringLiteral("Admin"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 1);
    }

    void loginWindowShownWhenAutomaticLoginDoesNotApply()
    {
        addUser(QStringLiteral("Admin"), QStringLiteral("pw"));
        bool shown = false;
        whenShown<LoginForm>(
            [](LoginForm* f) {
                f->EditPwd->setText(QStringLiteral("pw"));
                f->BtnLogin->click();
            },
            &shown);
        QVERIFY(Login(true));
        QVERIFY(shown);
        QCOMPARE(currentUser().UserCode, QStringLiteral("Admin"));
    }

    void reloginCancelledKeepsPreviousUser()
    {
        addUser(QStringLiteral("Admin"));
        addUser(QStringLiteral("li"));
        loginAs(QStringLiteral("li"));
        whenShown<LoginForm>([](LoginForm* f) {
            f->CboUserName->setEditText(QStringLiteral("Admin"));
            f->reject();
        });
        QVERIFY(!Login(false));
        QCOMPARE(currentUser().UserCode, QStringLiteral("li"));
    }

    void loginMessages_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("empty code") << " "
                                    << "" << int(Prompts::Icon::Information)
                                    << QStringLiteral("请输入您的用户名称!") << "user";
        QTest::newRow("unknown") << "zhao"
                                 << "" << int(Prompts::Icon::Error) << QStringLiteral("您输入的用户名不存在!")
                                 << "user";
        QTest::newRow("locked") << "wang"
                                << "pw" << int(Prompts::Icon::Information)
                                << QStringLiteral("该用户已被管理员锁定，无法登录。") << "user";
        QTest::newRow("wrong password") << "li"
                                        << "bad" << int(Prompts::Icon::Error)
                                        << QStringLiteral("密码错误。\r\n提示：系统无初始密码（密码清空不填写"
                                                          "），直接点登录进入；如已修改密码，请正确输入。")
                                        << "password";
    }
    void loginMessages()
    {
        QFETCH(QString, code);
        QFETCH(QString, password);
        QFETCH(int, icon);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        addUser(QStringLiteral("Admin"));
        addUser(QStringLiteral("li"), QStringLiteral("pw"));
        const int wang = addUser(QStringLiteral("wang"), QStringLiteral("pw"));
        c().execute(QStringLiteral("UPDATE Users_tab SET IsLock = 1 WHERE UserID = %1").arg(wang));
        LoginForm form;
        form.show();
        form.CboUserName->setEditText(code);
        form.EditPwd->setText(password);
        form.BtnLogin->click();
        QCOMPARE(m_prompts->shown.size(), 1);
        QCOMPARE(int(m_prompts->shown[0].icon), icon);
        QCOMPARE(m_prompts->shown[0].text, message);
        QVERIFY(form.isVisible());
        QVERIFY(!currentUser().isLoggedIn());
        if (focus == QLatin1String("password")) {
            QCOMPARE(form.focusWidget(), form.EditPwd);
            QCOMPARE(form.EditPwd->selectedText(), password);
        } else {
            QVERIFY(form.focusWidget() == form.CboUserName ||
                    form.focusWidget() == form.CboUserName->lineEdit());
        }
    }

    void loginList_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<int>("showList");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("shown");
        QTest::newRow("remembered, other case") << "[UI]\nLastUserName=LI\n" << 1 << 2 << "li";
        QTest::newRow("nothing remembered") << "" << 1 << 2 << "Admin";
        QTest::newRow("remembered user gone") << "[UI]\nLastUserName=old\n" << 1 << 2 << "Admin";
        QTest::newRow("no list offered") << "[UI]\nLastUserName=li\n" << 0 << 0 << "li";
    }
    void loginList()
    {
        QFETCH(QString, config);
        QFETCH(int, showList);
        QFETCH(int, items);
        QFETCH(QString, shown);
        writeConfig(config);
        addUser(QStringLiteral("Admin"));
        addUser(QStringLiteral("li"));
        c().execute(QStringLiteral("UPDATE Par_tab SET IsShowUserListOnLogin = %1").arg(showList));
        LoginForm form;
        QCOMPARE(form.CboUserName->count(), items);
        QCOMPARE(form.userCodeText(), shown);
        QCOMPARE(form.focusWidget(), form.EditPwd);
        // Enter in the password field logs in.
        QTest::keyClick(form.EditPwd, Qt::Key_Return);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(currentUser().UserCode, shown);
    }

    // --- users window ---

    void addUserThroughEditor()
    {
        addUser(QStringLiteral("Admin"));
        loginAs(QStringLiteral("Admin"));
        UserForm users;
        // First attempt without a name: the rule's message, the editor stays.
        whenShown<UserEditForm>([this](UserEditForm* e) {
            QVERIFY(e->EditUserCode->isEnabled());
            e->EditUserCode->setText(QStringLiteral("li"));
            e->BtnSave->click();
            QVERIFY(e->isVisible());
            QCOMPARE(m_prompts->lastText(), QStringLiteral("真实姓名不能为空。"));
            e->EditUserName->setText(QStringLiteral("李"));
            e->ChkIsLock->setChecked(true);
            e->BtnSave->click();
        });
        users.ActionAdd->trigger();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 2);
        QCOMPARE(QueryValue(QStringLiteral("SELECT UserPwd FROM Users_tab WHERE UserCode = 'li'")),
                 EmptyPasswordDigest());
        QCOMPARE(QueryValue(QStringLiteral("SELECT IsLock FROM Users_tab WHERE UserCode = 'li'")),
                 QStringLiteral("1"));
        QVERIFY(!DM1().UserQuery.isEditing());
        // A cancelled editor leaves nothing behind.
        whenShown<UserEditForm>([](UserEditForm* e) {
            e->EditUserCode->setText(QStringLiteral("zhang"));
            e->BtnCancel->click();
        });
        users.ActionAdd->trigger();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 2);
        QVERIFY(!DM1().UserQuery.isEditing());
        QCOMPARE(DM1().UserQuery.recordCount(), 2);
    }

    void editorRules()
    {
        addUser(QStringLiteral("Admin"));
        addUser(QStringLiteral("li"));
        loginAs(QStringLiteral("Admin"));
        UserForm users;
        Dataset& ds = DM1().UserQuery;
        QVERIFY(ds.locate(QStringLiteral("UserCode"), QStringLiteral("Admin")));
        bool adminLockEnabled = true, adminCodeEnabled = true;
        whenShown<UserEditForm>([&](UserEditForm* e) {
            adminLockEnabled = e->ChkIsLock->isEnabled();
            adminCodeEnabled = e->EditUserCode->isEnabled();
            e->reject();
        });
        users.ActionEdit->trigger();
        QVERIFY(!adminLockEnabled);
        QVERIFY(!adminCodeEnabled);
        QVERIFY(ds.locate(QStringLiteral("UserCode"), QStringLiteral("li")));
        bool lockEnabled = false;
        whenShown<UserEditForm>([&](UserEditForm* e) {
            lockEnabled = e->ChkIsLock->isEnabled();
            e->EditUserName->setText(QStringLiteral("李四"));
            // Ctrl+Enter saves.
            QTest::keyClick(e->EditUserName, Qt::Key_Return, Qt::ControlModifier);
        });
        users.ActionEdit->trigger();
        QVERIFY(lockEnabled);
        QCOMPARE(QueryValue(QStringLiteral("SELECT UserName FROM Users_tab WHERE UserCode = 'li'")),
                 QStringLiteral("李四"));
    }

    void deleteAndResetMessages()
    {
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"), QStringLiteral("secret"));
        grant(li, 11, true, true, true);
        loginAs(QStringLiteral("Admin"));
        UserForm users;
        Dataset& ds = DM1().UserQuery;

        QVERIFY(ds.locate(QStringLiteral("UserCode"), QStringLiteral("Admin")));
        users.ActionDelete->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("管理员帐户不能删除。"));
        users.ActionGrant->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("管理员帐户自动拥有所有权限，无需授权。"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 2);

        QVERIFY(ds.locate(QStringLiteral("UserCode"), QStringLiteral("li")));
        m_prompts->confirmAnswers.enqueue(false);
        users.ActionResetPwd->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("确定要重置用户 li 的密码为空吗？"));
        QCOMPARE(TryLogin(QStringLiteral("li"), QString()), LoginResult::WrongPassword);
        m_prompts->confirmAnswers.enqueue(true);
        users.ActionResetPwd->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("密码重置成功！"));
        QCOMPARE(TryLogin(QStringLiteral("li"), QString()), LoginResult::LoggedIn);
        currentUser().clear();
        loginAs(QStringLiteral("Admin"));

        m_prompts->confirmAnswers.enqueue(false);
        users.ActionDelete->trigger();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("确定要删除当前记录吗?"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 2);
        m_prompts->confirmAnswers.enqueue(true);
        users.ActionDelete->trigger();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM Users_tab")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserAccredit_tab")), 0);
    }

    // --- rights editor ---

    void rightsEditorForNewUser()
    {
        addUser(QStringLiteral("Admin"));
        const int li = addUser(QStringLiteral("li"));
        loginAs(QStringLiteral("Admin"));
        UserForm users;
        QVERIFY(DM1().UserQuery.locate(QStringLiteral("UserCode"), QStringLiteral("li")));
        UserAccForm acc;
        QCOMPARE(acc.LblStatus->text(), QStringLiteral("授权用户:li[li名]"));
        QAbstractItemModel* m = acc.gridModel();
        Dataset& funs = DM1().FunQuery;
        const int nameCol = funs.fieldIndex(QStringLiteral("FunName"));
        const int openCol = funs.fieldIndex(QStringLiteral("IsOpen"));
        const int operateCol = funs.fieldIndex(QStringLiteral("IsOperate"));
        const int printCol = funs.fieldIndex(QStringLiteral("IsPrint"));
        QCOMPARE(m->rowCount(), 15);
        for (int r = 0; r < m->rowCount(); ++r) {
            QCOMPARE(m->index(r, openCol).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
            QCOMPARE(m->index(r, operateCol).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
            QCOMPARE(m->index(r, printCol).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        }
        QVERIFY(!(m->flags(m->index(0, nameCol)) & Qt::ItemIsEditable));
        QVERIFY(m->flags(m->index(0, openCol)) & Qt::ItemIsUserCheckable);

        // Group "系统维护" (FunCate 5), then tick "用户授权设置" open and untick its print.
        acc.TreeGroups->setCurrentItem(acc.TreeGroups->topLevelItem(0)->child(4));
        QCOMPARE(m->rowCount(), 5);
        int row = -1;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, nameCol).data().toString() == QStringLiteral("用户授权设置"))
                row = r;
        QVERIFY(row >= 0);
        QVERIFY(m->setData(m->index(row, openCol), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(m->setData(m->index(row, printCol), Qt::Unchecked, Qt::CheckStateRole));
        const QString where =
            QStringLiteral(" FROM UserAccredit_tab a JOIN UserFun_tab f ON a.FunID = f.FunID "
                           "WHERE a.UserID = %1 AND f.FunKey = 52")
                .arg(li);
        QCOMPARE(count(QStringLiteral("SELECT a.IsOpen") + where), 1);
        QCOMPARE(count(QStringLiteral("SELECT a.IsOperate") + where), 1);
        QCOMPARE(count(QStringLiteral("SELECT a.IsPrint") + where), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM UserAccredit_tab WHERE IsOpen = 1")), 1);

        acc.TreeGroups->setCurrentItem(acc.TreeGroups->topLevelItem(0)->child(0));
        QCOMPARE(m->rowCount(), 3);
        QVERIFY(acc.Grid->isEnabled());
        acc.TreeGroups->setCurrentItem(acc.TreeGroups->topLevelItem(0));
        QCOMPARE(m->rowCount(), 15);

        // Takes effect at the user's next login.
        currentUser().clear();
        loginAs(QStringLiteral("li"));
        QVERIFY(MayOpenFunction(52));
        QVERIFY(!MayPrintFunction(52));
        QVERIFY(!MayOpenFunction(11));
    }

    // --- passwords and the lock screen ---

    void passwordPrompt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right") << "pw" << true;
        QTest::newRow("wrong") << "PW" << false;
        QTest::newRow("empty") << "" << false;
    }
    void passwordPrompt()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        addUser(QStringLiteral("li"), QStringLiteral("pw"));
        loginAs(QStringLiteral("li"), QStringLiteral("pw"));
        PwdInputForm form;
        QCOMPARE(form.LblPrompt->text(), QStringLiteral("请输入 li 的密码："));
        form.show();
        form.EditPwd->setText(typed);
        QTest::keyClick(form.EditPwd, Qt::Key_Return);
        QCOMPARE(form.result() == QDialog::Accepted, accepted);
        if (!accepted) {
            QCOMPARE(m_prompts->lastText(), QStringLiteral("密码错误，请重新输入。"));
            QVERIFY(form.EditPwd->text().isEmpty());
            QVERIFY(form.isVisible());
        }
    }

    void lockScreenNeedsTheRightPassword()
    {
        addUser(QStringLiteral("li"), QStringLiteral("pw"));
        loginAs(QStringLiteral("li"), QStringLiteral("pw"));
        LockScreenForm lock;
        QVERIFY(lock.isModal() || lock.windowModality() == Qt::ApplicationModal);
        int asked = 0;
        bool answer = false;
        lock.setPasswordPrompt([&](QWidget*) {
            ++asked;
            return answer;
        });
        lock.show();
        QTest::keyClick(&lock, Qt::Key_Escape);
        lock.close();
        QTest::mouseClick(lock.LblUnlock, Qt::LeftButton);
        QCOMPARE(asked, 3);
        QVERIFY(lock.isVisible());
        QVERIFY(!lock.isUnlocked());
        answer = true;
        QTest::mouseClick(lock.LblUnlock, Qt::LeftButton);
        QVERIFY(lock.isUnlocked());
        QVERIFY(!lock.isVisible());
        QCOMPARE(lock.result(), int(QDialog::Accepted));
    }

    void lockScreenWithRealPrompt()
    {
        addUser(QStringLiteral("li"), QStringLiteral("pw"));
        loginAs(QStringLiteral("li"), QStringLiteral("pw"));
        LockScreenForm lock;
        lock.show();
        whenShown<PwdInputForm>([](PwdInputForm* p) {
            p->EditPwd->setText(QStringLiteral("wrong"));
            p->BtnOK->click();
            p->BtnCancel->click();
        });
        lock.close();
        QVERIFY(lock.isVisible());
        QCOMPARE(m_prompts->lastText(), QStringLiteral("密码错误，请重新输入。"));
        whenShown<PwdInputForm>([](PwdInputForm* p) {
            p->EditPwd->setText(QStringLiteral("pw"));
            p->BtnOK->click();
        });
        lock.close();
        QVERIFY(!lock.isVisible());
    }

    void changePasswordWindow()
    {
        {
            ModPwdForm notLoggedIn;
            QVERIFY(!notLoggedIn.BtnModify->isEnabled());
        }
        addUser(QStringLiteral("li"), QStringLiteral("old"));
        loginAs(QStringLiteral("li"), QStringLiteral("old"));
        ModPwdForm form;
        form.show();
        QCOMPARE(form.EditUserCode->text(), QStringLiteral("li"));
        form.EditOldPwd->setText(QStringLiteral("bad"));
        form.BtnModify->click();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("原密码错误,请重新输入!"));
        QVERIFY(form.isVisible());
        form.EditOldPwd->setText(QStringLiteral("old"));
        form.EditNewPwd->setText(QStringLiteral("a"));
        form.EditNewPwd2->setText(QStringLiteral("b"));
        form.BtnModify->click();
        QCOMPARE(m_prompts->lastText(), QStringLiteral("两次输入的新密码不相同!"));
        QVERIFY(form.isVisible());
        form.EditNewPwd2->setText(QStringLiteral("a"));
        form.BtnModify->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(currentUser().UserPwd, PasswordDigest(QStringLiteral("a")));
    }

    // --- parameters and the log list ---

    void parametersWindow_data()
    {
        QTest::addColumn<bool>("oem");
        QTest::newRow("plain") << false;
        QTest::newRow("OEM") << true;
    }
    void parametersWindow()
    {
        QFETCH(bool, oem);
        writeConfig(oem ? QStringLiteral("[OEM]\nIsOEM=1\n") : QString());
        c().execute(QStringLiteral("UPDATE Par_tab SET SystemName = NULL, CorpName = 'old'"));
        {
            ParForm form;
            QCOMPARE(form.EditSystemName->isEnabled(), !oem);
            form.EditCorpName->setText(QStringLiteral("不保存"));
            form.BtnCancel->click();
        }
        QCOMPARE(QueryValue(QStringLiteral("SELECT CorpName FROM Par_tab")), QStringLiteral("old"));
        {
            ParForm form;
            form.EditSystemName->setText(QStringLiteral("新名称"));
            form.EditCorpName->setText(QStringLiteral("城关小学"));
            form.ChkIsShowUserListOnLogin->setChecked(false);
            form.BtnSave->click();
            QCOMPARE(form.result(), int(QDialog::Accepted));
        }
        QCOMPARE(QueryValue(QStringLiteral("SELECT CorpName FROM Par_tab")), QStringLiteral("城关小学"));
        QCOMPARE(QueryValue(QStringLiteral("SELECT SystemName FROM Par_tab")),
                 oem ? QString() : QStringLiteral("新名称"));
        QCOMPARE(QueryValue(QStringLiteral("SELECT IsShowUserListOnLogin FROM Par_tab")),
                 QStringLiteral("0"));
    }

    void logWindowListsEntries()
    {
        addUser(QStringLiteral("Admin"));
        loginAs(QStringLiteral("Admin"));
        whenShown<UserLogForm>([](UserLogForm* f) { f->reject(); });
        QVERIFY(OpenFunctionByKey(53));
        UserLogForm log;
        QAbstractItemModel* m = log.grid()->view()->model();
        QCOMPARE(m->rowCount(), 2);
        QVERIFY(!(m->flags(m->index(0, 3)) & Qt::ItemIsEditable));
        QVERIFY(DM1().UserLogQuery.isReadOnly());
        log.applyCondition(QStringLiteral("OperateContent = '关闭'"));
        QCOMPARE(m->rowCount(), 1);
        log.applyCondition(QString());
        QCOMPARE(m->rowCount(), 2);
    }
};

QTEST_MAIN(TestOperatorWindows)
#include "tst_operatorwindows.moc"
