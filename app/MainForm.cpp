#include "app/MainForm.h"

#include "app/AboutForm.h"
#include "app/AppArt.h"
#include "app/ApplicationFilter.h"
#include "app/BackgroundStatistics.h"
#include "app/BackupReminder.h"
#include "app/ExitForm.h"
#include "app/GuideForm.h"
#include "app/SessionControl.h"
#include "app/Supplier.h"
#include "core/AppInfo.h"
#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/DataModule.h"
#include "core/ParManager.h"
#include "core/Prompts.h"
#include "core/UserInfo.h"
#include "core/ui/DesktopTools.h"
#include "core/ui/FunctionWindows.h"

#include <QApplication>
#include <QShortcut>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace dedizo {

namespace {

constexpr int kStatisticsInterval = 120000;

// The main window's background picture, scaled to the panel.
class MainPanel : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (m_cache.size() != size()) {
            const QPixmap fallback = AppArt::mainBackground(size());
            const QPixmap picture = AppArt::fromWorkingFolder(QStringLiteral("Main.bmp"), fallback);
            m_cache = picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        p.drawPixmap(0, 0, m_cache);
    }

private:
    QPixmap m_cache;
};

// Restores the cursor when the refresh ends, however it ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

void setTextColor(QWidget* w, const QColor& color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    w->setPalette(pal);
}

QStyle::StandardPixmap iconForKey(int key)
{
    switch (key) {
    case 11:
        return QStyle::SP_FileDialogDetailedView;
    case 12:
        return QStyle::SP_DirHomeIcon;
    case 13:
        return QStyle::SP_FileDialogListView;
    case 21:
        return QStyle::SP_DirIcon;
    case 22:
        return QStyle::SP_FileDialogContentsView;
    case 23:
        return QStyle::SP_FileDialogInfoView;
    case 31:
        return QStyle::SP_BrowserReload;
    case 32:
        return QStyle::SP_FileDialogContentsView;
    case 41:
        return QStyle::SP_MessageBoxWarning;
    case 42:
        return QStyle::SP_FileDialogInfoView;
    case 51:
        return QStyle::SP_DriveHDIcon;
    case 52:
        return QStyle::SP_DialogApplyButton;
    case 53:
        return QStyle::SP_FileIcon;
    case 54:
        return QStyle::SP_FileDialogDetailedView;
    case 55:
        return QStyle::SP_DriveNetIcon;
    default:
        return QStyle::SP_FileIcon;
    }
}

QStyle::StandardPixmap iconForButton(const RibbonButton& b)
{
    using C = RibbonCommand;
    switch (b.command) {
    case C::OpenKey:
        if (b.parameter == QLatin1String("Add"))
            return QStyle::SP_FileDialogNewFolder;
        if (b.parameter == QLatin1String("Loan"))
            return QStyle::SP_ArrowRight;
        if (b.parameter == QLatin1String("Return"))
            return QStyle::SP_ArrowLeft;
        if (b.parameter == QLatin1String("Reloan"))
            return QStyle::SP_BrowserReload;
        return iconForKey(b.tag);
    case C::OpenCopyList:
        return QStyle::SP_FileDialogListView;
    case C::CloseMain:
        return QStyle::SP_DialogCloseButton;
    case C::Relogin:
        return QStyle::SP_DialogResetButton;
    case C::ChangePassword:
        return QStyle::SP_DialogApplyButton;
    case C::ClientConfig:
        return QStyle::SP_ComputerIcon;
    case C::Backup:
        return QStyle::SP_DialogSaveButton;
    case C::LockScreen:
        return QStyle::SP_MessageBoxCritical;
    case C::Calculator:
        return QStyle::SP_DesktopIcon;
    case C::TextEditor:
        return QStyle::SP_FileIcon;
    case C::ToggleNavBar:
        return QStyle::SP_TitleBarUnshadeButton;
    case C::QuickStart:
        return QStyle::SP_MediaPlay;
    case C::UserManual:
        return QStyle::SP_DialogHelpButton;
    case C::OfficialWeb:
        return QStyle::SP_DriveNetIcon;
    case C::About:
        return QStyle::SP_MessageBoxInformation;
    }
    return QStyle::SP_FileIcon;
}

} // namespace

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

MainForm::MainForm(ConfigManager& config, QWidget* parent)
    : QMainWindow(parent), m_config(config), m_hooks(std::make_unique<MainWindowHooks>())
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowIcon(AppArt::appIcon());
    m_oem = config.isOEM();
    // F1 opens the user manual, as in every window.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, [] { ShowHelp(); });
    m_background = new BackgroundStatistics(this);
    connect(m_background, &BackgroundStatistics::counted, this, [this](const StatisticsCounts& counts) {
        if (m_busyCursor) {
            QApplication::restoreOverrideCursor();
            m_busyCursor = false;
        }
        showStatistics(counts);
    });
    connect(m_background, &BackgroundStatistics::failed, this, [this](const QString& message) {
        if (m_busyCursor) {
            QApplication::restoreOverrideCursor();
            m_busyCursor = false;
        }
        ShowError(message);
    });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    RibbonMain = new QTabWidget(central);
    RibbonMain->setObjectName(QStringLiteral("RibbonMain"));
    RibbonMain->setDocumentMode(true);
    layout->addWidget(RibbonMain);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(buildNavBar());
    body->addWidget(buildMainPanel(), 1);
    layout->addLayout(body, 1);
    setCentralWidget(central);
    buildRibbon();

    StaBarMain = new QStatusBar(this);
    StaBarMain->setObjectName(QStringLiteral("StaBarMain"));
    setStatusBar(StaBarMain);
    if (DataModule::hasInstance()) {
        const CurrentDBInfo& info = DataModule::instance().dbInfo();
        QString text = QStringLiteral("数据库：%1 - %2").arg(info.currentDBType, info.currentDBName);
        if (!info.currentDBIsAccess)
            text += QStringLiteral(" - @") + info.currentDBServer;
        auto* db = new QLabel(text, StaBarMain);
        db->setObjectName(QStringLiteral("LblDatabase"));
        StaBarMain->addWidget(db, 1);
    }

    AppTimer = new QTimer(this);
    AppTimer->setObjectName(QStringLiteral("AppTimer"));
    AppTimer->setInterval(kStatisticsInterval);
    connect(AppTimer, &QTimer::timeout, this, &MainForm::timerRefresh);

    applyTitleAndSupplier();
    setNavBarVisible(m_config.ReadBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), true));

    m_filter = new ApplicationFilter([this] { LockScreen(); }, this);
    qApp->installEventFilter(m_filter);
    resize(1100, 720);
}

MainForm::~MainForm()
{
    qApp->removeEventFilter(m_filter);
    m_background->wait();
    if (m_busyCursor)
        QApplication::restoreOverrideCursor();
}

void MainForm::setHooks(std::unique_ptr<MainWindowHooks> hooks)
{
    m_hooks = hooks ? std::move(hooks) : std::make_unique<MainWindowHooks>();
}

QWidget* MainForm::buildNavBar()
{
    MainNavBar = new QWidget(this);
    MainNavBar->setObjectName(QStringLiteral("MainNavBar"));
    MainNavBar->setFixedWidth(190);
    auto* layout = new QVBoxLayout(MainNavBar);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    auto* header = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("功能导航"), MainNavBar);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    BtnCloseNavBar = new QToolButton(MainNavBar);
    BtnCloseNavBar->setObjectName(QStringLiteral("BtnCloseNavBar"));
    BtnCloseNavBar->setAutoRaise(true);
    BtnCloseNavBar->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    BtnCloseNavBar->setToolTip(QStringLiteral("关闭功能导航栏"));
    connect(BtnCloseNavBar, &QToolButton::clicked, this, [this] {
        setNavBarVisible(false);
        m_config.WriteBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), false);
    });
    header->addWidget(title, 1);
    header->addWidget(BtnCloseNavBar);
    layout->addLayout(header);

    NavBarGroups = new QToolBox(MainNavBar);
    NavBarGroups->setObjectName(QStringLiteral("NavBarGroups"));
    for (const NavGroup& group : navigationGroups()) {
        auto* page = new QWidget(NavBarGroups);
        auto* items = new QVBoxLayout(page);
        items->setSpacing(4);
        for (const NavItem& item : group.items) {
            auto* b = new QToolButton(page);
            b->setObjectName(QStringLiteral("NavItem%1").arg(item.key));
            b->setText(item.caption);
            b->setToolTip(item.hint);
            b->setProperty("tag", item.key);
            b->setIcon(style()->standardIcon(iconForKey(item.key)));
            b->setIconSize(QSize(32, 32));
            b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            b->setAutoRaise(true);
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            const int key = item.key;
            connect(b, &QToolButton::clicked, this, [this, key] { OpenFun(key); });
            items->addWidget(b);
            m_navItems << b;
        }
        items->addStretch();
        NavBarGroups->addItem(page, group.caption);
    }
    layout->addWidget(NavBarGroups, 1);
    return MainNavBar;
}

void MainForm::buildRibbon()
{
    for (const RibbonTab& tab : ribbonTabs()) {
        auto* page = new QWidget(RibbonMain);
        auto* row = new QHBoxLayout(page);
        row->setContentsMargins(4, 2, 4, 0);
        row->setSpacing(2);
        for (const RibbonGroup& group : tab.groups) {
            auto* box = new QWidget(page);
            auto* column = new QVBoxLayout(box);
            column->setContentsMargins(2, 0, 2, 0);
            column->setSpacing(0);
            auto* buttons = new QHBoxLayout;
            buttons->setSpacing(1);
            auto* smallColumn = static_cast<QVBoxLayout*>(nullptr);
            int smallCount = 0;
            for (const RibbonButton& def : group.buttons) {
                auto* b = new QToolButton(box);
                b->setObjectName(def.objectName);
                b->setText(def.caption);
                b->setProperty("tag", def.tag);
                b->setAutoRaise(true);
                b->setIcon(style()->standardIcon(iconForButton(def)));
                if (!def.hint.isEmpty())
                    b->setToolTip(def.hint);
                if (def.large) {
                    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
                    b->setIconSize(QSize(32, 32));
                    b->setMinimumWidth(56);
                    buttons->addWidget(b);
                } else {
                    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
                    b->setIconSize(QSize(16, 16));
                    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
                    if (smallCount++ % 3 == 0) {
                        smallColumn = new QVBoxLayout;
                        smallColumn->setSpacing(0);
                        buttons->addLayout(smallColumn);
                    }
                    smallColumn->addWidget(b);
                }
                if (def.command == RibbonCommand::ToggleNavBar) {
                    b->setCheckable(true);
                    m_navToggle = b;
                    connect(b, &QToolButton::clicked, this, [this](bool on) {
                        setNavBarVisible(on);
                        m_config.WriteBoolean(QStringLiteral("UI"), QStringLiteral("MainNavBar"), on);
                    });
                } else {
                    connect(b, &QToolButton::clicked, this, [this, def] { runRibbon(def); });
                }
                m_ribbonButtons.append({b, def});
            }
            if (smallColumn)
                smallColumn->addStretch();
            column->addLayout(buttons, 1);
            auto* caption = new QLabel(group.caption, box);
            caption->setAlignment(Qt::AlignHCenter);
            setTextColor(caption, palette().color(QPalette::Disabled, QPalette::WindowText));
            column->addWidget(caption);
            row->addWidget(box);
            auto* separator = new QFrame(page);
            separator->setFrameShape(QFrame::VLine);
            separator->setFrameShadow(QFrame::Sunken);
            row->addWidget(separator);
        }
        row->addStretch();
        RibbonMain->addTab(page, tab.caption);
    }
    RibbonMain->setFixedHeight(RibbonMain->sizeHint().height());
}

QWidget* MainForm::buildMainPanel()
{
    PanMain = new MainPanel(this);
    PanMain->setObjectName(QStringLiteral("PanMain"));
    setTextColor(PanMain, Qt::white);

    ImgMainWord = new QLabel(PanMain);
    ImgMainWord->setObjectName(QStringLiteral("ImgMainWord"));

    GrpStat = new QGroupBox(QStringLiteral("统计信息"), PanMain);
    GrpStat->setObjectName(QStringLiteral("GrpStat"));
    GrpStat->setToolTip(QStringLiteral("双击刷新统计数据"));
    GrpStat->installEventFilter(this);
    setTextColor(GrpStat, statColor());
    auto* stats = new QVBoxLayout(GrpStat);
    auto statLabel = [this](const QString& name, int key) {
        auto* l = new ClickLabel(GrpStat);
        l->setObjectName(name);
        l->setCursor(Qt::PointingHandCursor);
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 1.25);
        l->setFont(f);
        setTextColor(l, statColor());
        connect(l, &ClickLabel::clicked, this, [this, key] { OpenFun(key); });
        return l;
    };
    LblBookStat = statLabel(QStringLiteral("LblBookStat"), 11);
    LblReaderStat = statLabel(QStringLiteral("LblReaderStat"), 21);
    LblExceedStat = statLabel(QStringLiteral("LblExceedStat"), 41);
    stats->addWidget(LblBookStat);
    stats->addWidget(LblReaderStat);
    stats->addWidget(LblExceedStat);
    showStatistics(StatisticsCounts());

    LblCurrUser = new QLabel(QStringLiteral("当前用户："), PanMain);
    LblCurrUser->setObjectName(QStringLiteral("LblCurrUser"));
    LblVersion = new QLabel(
        QStringLiteral("软件版本：v%1 (%2)").arg(QStringLiteral("2021"), AppInfo::version()), PanMain);
    LblVersion->setObjectName(QStringLiteral("LblVersion"));
    LblCorpName = new QLabel(PanMain);
    LblCorpName->setObjectName(QStringLiteral("LblCorpName"));
    LblPhone = new QLabel(PanMain);
    LblPhone->setObjectName(QStringLiteral("LblPhone"));
    LblOfficialWeb = new ClickLabel(PanMain);
    LblOfficialWeb->setObjectName(QStringLiteral("LblOfficialWeb"));
    LblOfficialWeb->setCursor(Qt::PointingHandCursor);
    connect(LblOfficialWeb, &ClickLabel::clicked, this, [] { openSupplierSite(); });

    auto* right = new QVBoxLayout;
    right->addStretch();
    for (QLabel* l : {LblCurrUser, LblVersion, LblCorpName, LblPhone, static_cast<QLabel*>(LblOfficialWeb)}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        right->addWidget(l);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GrpStat, 0, Qt::AlignBottom);
    bottom->addStretch();
    bottom->addLayout(right);
    auto* layout = new QVBoxLayout(PanMain);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->addWidget(ImgMainWord, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch();
    layout->addLayout(bottom);
    return PanMain;
}

void MainForm::applyTitleAndSupplier()
{
    QString title;
    if (m_oem) {
        title = m_config.ReadString(QStringLiteral("OEM"), QStringLiteral("SystemName"),
                                    QStringLiteral("图书馆管理系统"));
        LblCorpName->setText(
            m_config.ReadString(QStringLiteral("OEM"), QStringLiteral("CorpName"), QString()));
        LblPhone->setText(m_config.ReadString(QStringLiteral("OEM"), QStringLiteral("Phone"), QString()));
        LblOfficialWeb->setText(
            m_config.ReadString(QStringLiteral("OEM"), QStringLiteral("OfficialWeb"), QString()));
    } else {
        title = AppInfo::title();
        if (DataModule::hasInstance() && DataModule::instance().isConnected())
            title = ParManager(DataModule::instance().connection()).SystemName(title);
        LblCorpName->setText(Supplier::name());
        LblOfficialWeb->setText(Supplier::webAddress());
    }
    for (QLabel* l : {LblCorpName, LblPhone, static_cast<QLabel*>(LblOfficialWeb)})
        l->setVisible(!l->text().isEmpty());
    setWindowTitle(title);
    ImgMainWord->setPixmap(
        AppArt::fromWorkingFolder(QStringLiteral("MainWord.png"), AppArt::mainWord(title)));
}

QToolButton* MainForm::navItem(int key) const
{
    for (QToolButton* b : m_navItems)
        if (b->property("tag").toInt() == key)
            return b;
    return nullptr;
}

QToolButton* MainForm::ribbonButton(const QString& objectName) const
{
    for (const auto& [button, def] : m_ribbonButtons)
        if (button->objectName() == objectName)
            return button;
    return nullptr;
}

void MainForm::setNavBarVisible(bool visible)
{
    MainNavBar->setVisible(visible);
    if (m_navToggle)
        m_navToggle->setChecked(visible);
}

bool MainForm::isNavBarVisible() const
{
    return !MainNavBar->isHidden();
}

void MainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_firstShowDone)
        return;
    m_firstShowDone = true;
    QTimer::singleShot(0, this, [this] { Login(true); });
}

bool MainForm::Login(bool firstShow)
{
    if (!m_hooks->login(this, firstShow)) {
        if (firstShow || !currentUser().isLoggedIn())
            closeWithoutQuery();
        return false;
    }
    m_hooks->writeLog(QStringLiteral("进入系统"), QStringLiteral("打开"));
    m_hooks->loadRights();
    applyRights();
    const UserInfo& user = currentUser();
    QString text = QStringLiteral("当前用户：%1").arg(user.UserCode);
    if (user.hasBookRoom())
        text += QStringLiteral(" - ") + user.BookRoom;
    LblCurrUser->setText(text);
    refreshStatisticsInBackground();

    if (!m_firstLoginDone) {
        m_firstLoginDone = true;
        AppTimer->start();
        if (m_config.ReadReaderSyncParams().isShowOnStartup) {
            const FunctionRight r = m_hooks->right(21);
            const bool admin = isAdministrator(user.UserCode);
            if (r.found && (admin || (r.isOpen && r.isOperate)))
                m_hooks->readerSync(this);
        }
    }
    Q_EMIT loggedIn();
    return true;
}

bool MainForm::mayOpen(int key) const
{
    if (isAdministrator(currentUser().UserCode))
        return true;
    const FunctionRight r = m_hooks->right(key);
    return r.found && r.isOpen;
}

void MainForm::applyRights()
{
    const bool admin = isAdministrator(currentUser().UserCode);
    for (QToolButton* b : m_navItems)
        b->setEnabled(mayOpen(b->property("tag").toInt()));
    for (const auto& [button, def] : m_ribbonButtons) {
        if (def.tag == 0)
            continue;
        bool on = mayOpen(def.tag);
        if (on && !admin && def.objectName == QLatin1String("BtnBooksAdd"))
            on = m_hooks->right(11).isOperate;
        button->setEnabled(on);
    }
}

void MainForm::OpenFun(int key, const QString& parameter)
{
    if (key == 0 || !mayOpen(key))
        return;
    OpenFunctionByKey(key, parameter, this);
}

void MainForm::openCopyList()
{
    if (!mayOpen(11))
        return;
    if (const FunctionWindow* w = FunctionWindows::byClassName(copyListClassName()))
        OpenFunctionWindow(*w, QString(), this);
}

void MainForm::runRibbon(const RibbonButton& b)
{
    using C = RibbonCommand;
    switch (b.command) {
    case C::OpenKey:
        OpenFun(b.tag, b.parameter);
        break;
    case C::OpenCopyList:
        openCopyList();
        break;
    case C::CloseMain:
        close();
        break;
    case C::Relogin:
        Login(false);
        break;
    case C::ChangePassword:
        m_hooks->changePassword(this);
        break;
    case C::ClientConfig:
        runClientConfig();
        break;
    case C::Backup:
        m_hooks->backup(this);
        break;
    case C::LockScreen:
        LockScreen();
        break;
    case C::Calculator:
        runCalculator();
        break;
    case C::TextEditor:
        runTextEditor();
        break;
    case C::ToggleNavBar:
        break;
    case C::QuickStart:
        showGuide();
        break;
    case C::UserManual:
        ShowHelp();
        break;
    case C::OfficialWeb:
        openSupplierSite();
        break;
    case C::About:
        showAbout();
        break;
    }
}

void MainForm::runClientConfig()
{
    // The client configuration program sits beside the executable.
    const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    for (const QString& name : {QStringLiteral("dedizo-config"), QStringLiteral("Config")}) {
        if (QFileInfo(dir + name).isExecutable()) {
            QProcess::startDetached(dir + name, {});
            return;
        }
    }
    ShowError(QStringLiteral("没有找到客户端配置程序。"));
}

void MainForm::LockScreen()
{
    if (!currentUser().isLoggedIn())
        return;
    m_hooks->lockScreen(this);
}

void MainForm::showGuide()
{
    if (!m_guide)
        m_guide = new GuideForm(m_oem, this);
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void MainForm::showAbout()
{
    showAboutWindow(this);
}

QColor MainForm::statColor()
{
    return Qt::white;
}

QColor MainForm::overdueColor()
{
    return Qt::yellow;
}

void MainForm::showStatistics(const StatisticsCounts& counts)
{
    m_counts = counts;
    LblBookStat->setText(counts.bookText());
    LblReaderStat->setText(counts.readerText());
    LblExceedStat->setText(counts.exceedText());
    setTextColor(LblExceedStat, counts.hasOverdue() ? overdueColor() : statColor());
    Q_EMIT statisticsRefreshed();
}

void MainForm::refreshStatistics()
{
    WaitCursor wait;
    showStatistics(StatisticsCounts::read(mainConnection(), StatisticsQueries::forCurrentUser()));
}

bool MainForm::refreshStatisticsInBackground()
{
    if (m_background->isRunning())
        return false;
    // The statements (and the server clock) are read here, on this thread.
    const StatisticsQueries queries = StatisticsQueries::forCurrentUser();
    if (!m_background->start(mainConnection().params(), queries))
        return false;
    if (!m_busyCursor) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_busyCursor = true;
    }
    return true;
}

bool MainForm::isRefreshingInBackground() const
{
    return m_background->isRunning() || m_busyCursor;
}

void MainForm::timerRefresh()
{
    if (!isActiveWindow())
        return;
    try {
        refreshStatistics();
    } catch (...) {
        AppTimer->stop();
        throw;
    }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GrpStat && event->type() == QEvent::MouseButtonDblClick) {
        refreshStatistics();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainForm::closeQuery()
{
    bool confirm = false;
    try {
        confirm = ParManager(mainConnection()).IsExitConfirm();
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
    }
    if (!confirm)
        return true;
    ExitForm form(this);
    if (form.exec() != QDialog::Accepted)
        return false;
    const ExitForm::Choice choice = form.choice();
    if (choice != ExitForm::Choice::Exit) {
        QString error;
        const auto action = choice == ExitForm::Choice::PowerOff ? SessionControl::Action::PowerOff
                                                                 : SessionControl::Action::Reboot;
        if (!SessionControl::request(action, &error))
            ShowError(error);
    }
    return true;
}

void MainForm::closeDown(bool quiet)
{
    if (m_closedDown)
        return;
    m_closedDown = true;
    AppTimer->stop();
    m_background->wait();
    if (!quiet) {
        if (backupReminderDue(m_config))
            m_hooks->backup(this);
    }
    if (m_guide)
        m_guide->close();
    try {
        if (!quiet)
            m_hooks->writeLog(QStringLiteral("退出系统"), QStringLiteral("关闭"));
        if (DataModule::hasInstance())
            DataModule::instance().disconnect();
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
    }
}

void MainForm::closeWithoutQuery()
{
    m_closeWithoutQuery = true;
    close();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (!m_closeWithoutQuery && !closeQuery()) {
        event->ignore();
        return;
    }
    closeDown(m_closeWithoutQuery);
    event->accept();
}

} // namespace dedizo
