#pragma once

#include "app/FunctionTable.h"
#include "app/GuideForm.h"
#include "app/MainWindowHooks.h"
#include "app/Statistics.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class QGroupBox;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolBox;
class QToolButton;

namespace dedizo {

class ApplicationFilter;
class BackgroundStatistics;
class ConfigManager;

// A label that reports clicks (the statistics and web address labels).
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// TMainForm: the main window with the function navigation bar, the ribbon,
// the library statistics and the current user. Function windows open from
// here through OpenFun, one at a time and modally.
class MainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainForm(ConfigManager& config, QWidget* parent = nullptr);
    ~MainForm() override;

    // Replaces the login, rights, log and lock-screen hooks (the default runs as "Admin").
    void setHooks(std::unique_ptr<MainWindowHooks> hooks);
    MainWindowHooks& hooks() { return *m_hooks; }

    // The login sequence: at first show (automatic login allowed) and from "重新登录".
    bool Login(bool firstShow = false);
    // The dispatcher of function keys; `parameter` goes to the window ("Add", "Loan", ...).
    void OpenFun(int key, const QString& parameter = QString());
    // Recomputes the statistics now, on the main connection (timer, double click).
    void refreshStatistics();
    // Starts the count on a connection of its own; false while one is running.
    bool refreshStatisticsInBackground();
    bool isRefreshingInBackground() const;
    void LockScreen();
    void showGuide();
    void showAbout();
    void setNavBarVisible(bool visible);
    bool isNavBarVisible() const;
    // Closes at once: no exit window, backup reminder or log entry.
    void closeWithoutQuery();

    // The statistics last shown.
    const StatisticsCounts& statistics() const { return m_counts; }
    // The colour of LblBookStat / LblReaderStat, and of LblExceedStat with overdue loans.
    static QColor statColor();
    static QColor overdueColor();

    QToolButton* navItem(int key) const;
    QToolButton* ribbonButton(const QString& objectName) const;
    GuideForm* guideForm() const { return m_guide; }

    QWidget* MainNavBar = nullptr;
    QToolBox* NavBarGroups = nullptr;
    QToolButton* BtnCloseNavBar = nullptr;
    QTabWidget* RibbonMain = nullptr;
    QWidget* PanMain = nullptr;
    QLabel* ImgMainWord = nullptr;
    QGroupBox* GrpStat = nullptr;
    ClickLabel* LblBookStat = nullptr;
    ClickLabel* LblReaderStat = nullptr;
    ClickLabel* LblExceedStat = nullptr;
    QLabel* LblCurrUser = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* LblCorpName = nullptr;
    QLabel* LblPhone = nullptr;
    ClickLabel* LblOfficialWeb = nullptr;
    QStatusBar* StaBarMain = nullptr;
    QTimer* AppTimer = nullptr;

Q_SIGNALS:
    void loggedIn();
    void statisticsRefreshed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRibbon();
    QWidget* buildNavBar();
    QWidget* buildMainPanel();
    void applyTitleAndSupplier();
    void applyRights();
    void runRibbon(const RibbonButton& button);
    void openCopyList();
    bool mayOpen(int key) const;
    void showStatistics(const StatisticsCounts& counts);
    void timerRefresh();
    bool closeQuery();
    void closeDown(bool quiet);
    void runClientConfig();

    ConfigManager& m_config;
    std::unique_ptr<MainWindowHooks> m_hooks;
    BackgroundStatistics* m_background = nullptr;
    ApplicationFilter* m_filter = nullptr;
    QList<QToolButton*> m_navItems;
    QList<QPair<QToolButton*, RibbonButton>> m_ribbonButtons;
    QToolButton* m_navToggle = nullptr;
    QPointer<GuideForm> m_guide;
    StatisticsCounts m_counts;
    bool m_firstShowDone = false;
    bool m_firstLoginDone = false;
    bool m_closeWithoutQuery = false;
    bool m_closedDown = false;
    bool m_busyCursor = false;
    bool m_oem = false;
};

} // namespace dedizo
