#include "app/Program.h"

#include "app/AboutForm.h"
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/OperatorHooks.h"
#include "app/SampleData.h"
#include "app/ScreenshotMode.h"
#include "app/SplashForm.h"
#include "core/AppInfo.h"
#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/DataModule.h"
#include "core/DbUtils.h"
#include "core/Prompts.h"
#include "core/ui/FatherForm.h"
#include "core/ui/ProgressForm.h"
#include "core/ui/WidgetPrompts.h"
#include "schema/InitDbCommand.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <optional>

namespace dedizo {

namespace {

// Removes "--screenshots DIR" from args; empty when absent.
QString takeScreenshotDir(QStringList& args)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshots") && i + 1 < args.size()) {
            const QString dir = args[i + 1];
            args.remove(i, 2);
            return dir;
        }
    }
    return {};
}

// Built-in control texts in Chinese (PRC).
void useChineseLocale(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

int runProgram(int argc, char** argv)
{
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DedIzo"));
    QStringList args = QApplication::arguments();
    AppPaths::initialise(args);
    const QString screenshotDir = takeScreenshotDir(args);
    const bool screenshots = !screenshotDir.isEmpty();

    // Screenshot runs have nobody to answer a box: their messages go to stderr.
    WidgetPrompts widgetPrompts;
    if (!screenshots)
        setPrompts(&widgetPrompts);
    ProgressWindowService progress;
    setProgressService(&progress);

    SplashForm splash;
    splash.show();
    splash.showProgress(QStringLiteral("正在初始化"));
    QApplication::processEvents();

    const QString appPath = AppPaths::appPath();
    ConfigManager config(AppPaths::configFile());
    ConfigManager::setInstance(&config);
    // Dates and times are written "yyyy/MM/dd" and "HH:mm:ss" throughout; the
    // locale gives the built-in texts of the controls.
    useChineseLocale(app);
    QApplication::setWindowIcon(QIcon());

    splash.showProgress(QStringLiteral("正在连接数据库"));
    QString error;
    if (!ensureFileDatabase(appPath, &error)) {
        splash.close();
        ShowError(error);
        return 1;
    }
    std::optional<DataModule> dataModule;
    dataModule.emplace();
    if (!dataModule->ConnDB(config, appPath)) {
        splash.close();
        return 1;
    }
    if (screenshots) {
        try {
            SampleData::insertSampleLibrary(dataModule->connection(), ServerNow().date());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "sample data: %s\n", e.what());
        }
    }

    splash.showProgress(QStringLiteral("正在创建窗体"));
    registerFunctionWindows();
    FatherForm::setAboutHandler([](QWidget* parent) { showAboutWindow(parent); });
    MainForm main(config);
    // Screenshot runs log in as the administrator without the login window.
    if (screenshots)
        main.setHooks(std::make_unique<ScreenshotHooks>());
    else
        main.setHooks(std::make_unique<OperatorHooks>());
    splash.close();

    int screenshotResult = 0;
    if (screenshots) {
        // After the automatic login, once the statistics are in, take the pictures and leave.
        QObject::connect(&main, &MainForm::loggedIn, &main, [&] {
            auto shoot = [&] {
                ScreenshotMode mode(screenshotDir);
                screenshotResult = mode.run(main);
                main.closeWithoutQuery();
            };
            if (main.isRefreshingInBackground()) {
                auto* once = new QObject(&main);
                QObject::connect(&main, &MainForm::statisticsRefreshed, once, [once, shoot] {
                    once->deleteLater();
                    QTimer::singleShot(0, shoot);
                });
            } else {
                QTimer::singleShot(0, shoot);
            }
        });
    }
    main.show();
    const int result = app.exec();
    setProgressService(nullptr);
    setPrompts(nullptr);
    return screenshots ? screenshotResult : result;
}

} // namespace dedizo
