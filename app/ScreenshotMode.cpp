#include "app/ScreenshotMode.h"

#include "app/AboutForm.h"
#include "app/ExitForm.h"
#include "app/GuideForm.h"
#include "app/MainForm.h"
#include "app/SplashForm.h"
#include "core/ui/FunctionWindows.h"
#include "core/ui/GridOutputForm.h"
#include "core/ui/ProgressForm.h"
#include "core/ui/QLDBFilterForm.h"
#include "core/ui/ScreenshotSamples.h"
#include "core/ui/WidgetPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QThread>
#include <cstdio>
#include <memory>

namespace dedizo {

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

} // namespace

ScreenshotMode::ScreenshotMode(const QString& outDir) : m_dir(outDir)
{
    QDir().mkpath(m_dir);
}

bool ScreenshotMode::save(QWidget* window, const QString& name)
{
    window->show();
    settle();
    const QString path = QDir(m_dir).filePath(name + QStringLiteral(".png"));
    const bool ok = window->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    std::fflush(stdout);
    (ok ? m_written : m_failures) << path;
    return ok;
}

int ScreenshotMode::run(MainForm& main)
{
    main.activateWindow();
    save(&main, QStringLiteral("TMainForm"));

    {
        AboutForm about(AboutInfo::current(), &main);
        save(&about, QStringLiteral("TAboutForm"));
    }
    main.showGuide();
    save(main.guideForm(), QStringLiteral("TGuideForm"));
    main.guideForm()->close();
    {
        SplashForm splash;
        splash.showProgress(QStringLiteral("正在连接数据库"));
        save(&splash, QStringLiteral("TSplashForm"));
    }
    {
        ExitForm exitForm(&main);
        save(&exitForm, QStringLiteral("TExitForm"));
    }
    {
        InputDialogForm input(&main);
        input.EditValue->setText(QStringLiteral("红楼梦"));
        save(&input, QStringLiteral("TInputDialogForm"));
        InputDateForm date(&main);
        date.LblPrompt->setText(QStringLiteral("请选择还书日期："));
        date.EditDate->setDate(QDate::currentDate());
        save(&date, QStringLiteral("TInputDateForm"));
    }
    {
        ProgressForm progress(&main);
        NullProgressService state;
        state.setTitle(QStringLiteral("正在导入读者..."));
        state.setMax(8);
        state.Start();
        state.StepIt();
        state.StepIt();
        state.StepIt();
        progress.showState(state);
        save(&progress, QStringLiteral("ProgressForm"));
    }
    {
        QStandardItemModel model(3, 3);
        model.setHorizontalHeaderLabels(
            {QStringLiteral("书刊名称"), QStringLiteral("著者"), QStringLiteral("出版单位")});
        GridOutputForm output(&model, {}, &main);
        save(&output, QStringLiteral("GridOutputForm"));
    }
    {
        const QList<FilterField> fields{
            {QStringLiteral("BookName"), QStringLiteral("书刊名称"), FilterFieldType::Text},
            {QStringLiteral("Author"), QStringLiteral("著者"), FilterFieldType::Text},
            {QStringLiteral("BookPrice"), QStringLiteral("书刊定价"), FilterFieldType::Number},
            {QStringLiteral("RegDate"), QStringLiteral("登记日期"), FilterFieldType::Date},
        };
        QLDBFilterForm filter(fields, {}, QStringLiteral("查询"), &main);
        filter.EditValue->setText(QStringLiteral("红楼梦"));
        filter.BtnAdd->click();
        filter.CboField->setCurrentIndex(1);
        filter.RbOr->setChecked(true);
        filter.EditValue->setText(QStringLiteral("曹雪芹"));
        filter.BtnAdd->click();
        save(&filter, QStringLiteral("QLDBFilterForm"));
    }
    functionWindows(main);
    return m_failures.isEmpty() ? 0 : 1;
}

void ScreenshotMode::functionWindows(MainForm& main)
{
    for (const FunctionWindow& w : FunctionWindows::all()) {
        if (!w.create)
            continue;
        try {
            std::unique_ptr<QDialog> dialog(w.create(&main, QString()));
            if (!dialog) {
                m_failures << w.className;
                continue;
            }
            if (const ScreenshotFiller fill = screenshotSample(w.className))
                fill(dialog.get());
            save(dialog.get(), w.className);
            dialog->close();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "FAILED %s: %s\n", qPrintable(w.className), e.what());
            m_failures << w.className;
        }
    }
}

} // namespace dedizo
