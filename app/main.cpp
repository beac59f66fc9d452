#include "core/AppInfo.h"
#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/DataModule.h"
#include "core/Prompts.h"
#include "schema/InitDbCommand.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace {

// Message boxes of the running program.
class WidgetPrompts final : public dedizo::Prompts
{
public:
    void message(Icon icon, const QString& text) override
    {
        const auto i = icon == Icon::Error     ? QMessageBox::Critical
                       : icon == Icon::Warning ? QMessageBox::Warning
                                               : QMessageBox::Information;
        QMessageBox box(i, dedizo::AppInfo::title(), text, QMessageBox::Ok);
        box.exec();
    }
    bool confirm(const QString& text) override
    {
        return QMessageBox::question(nullptr, dedizo::AppInfo::title(), text,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }
    bool inputText(const QString&, const QString&, QString&) override { return false; }
    bool inputDate(const QString&, QDate&) override { return false; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString existingFolder(const QString&) override { return {}; }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DedIzo"));
    QStringList args = QApplication::arguments();
    dedizo::AppPaths::initialise(args);
    WidgetPrompts widgetPrompts;
    dedizo::setPrompts(&widgetPrompts);

    const QString appPath = dedizo::AppPaths::appPath();
    QString error;
    if (!dedizo::ensureFileDatabase(appPath, &error)) {
        dedizo::ShowError(error);
        return 1;
    }
    dedizo::ConfigManager config(dedizo::AppPaths::configFile());
    dedizo::ConfigManager::setInstance(&config);
    dedizo::DataModule dataModule;
    if (!dataModule.ConnDB(config, appPath))
        return 1;

    QMainWindow window;
    window.setWindowTitle(dedizo::AppInfo::title());
    window.setCentralWidget(new QLabel(dedizo::AppInfo::title()));
    window.statusBar()->showMessage(dataModule.dbInfo().currentDBType + QStringLiteral("  ") +
                                    dataModule.dbInfo().currentDBName);
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
