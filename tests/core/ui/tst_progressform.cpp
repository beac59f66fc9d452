#include "core/ui/ProgressForm.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace dedizo;

class TestProgressForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgressWindowService> m_service;
    ProgressService* m_previous = nullptr;

    // A caller's loop as the long operations run it; returns the records done.
    static int runLoop(int records, const std::function<void(int)>& afterRecord = {})
    {
        ProgressService& p = progressService();
        p.setTitle(QStringLiteral("正在删除记录..."));
        p.setMax(records);
        p.Start();
        int done = 0;
        for (int i = 0; i < records; ++i) {
            if (p.IsStoped())
                break;
            ++done; // the record's work
            p.StepIt();
            if (afterRecord)
                afterRecord(done);
        }
        return done;
    }

private Q_SLOTS:
    void init()
    {
        m_service = std::make_unique<ProgressWindowService>();
        m_previous = setProgressService(m_service.get());
    }
    void cleanup()
    {
        setProgressService(m_previous);
        m_service.reset();
    }

    void windowTexts()
    {
        ProgressService& p = progressService();
        p.setTitle(QStringLiteral("正在导入读者..."));
        p.setMax(8);
        p.Start();
        ProgressForm* f = m_service->form();
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QVERIFY(!f->isModal());
        QCOMPARE(f->windowTitle(), QStringLiteral("进度"));
        QVERIFY(!(f->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(f->windowFlags() & Qt::WindowSystemMenuHint));
        QCOMPARE(f->findChild<QLabel*>(QStringLiteral("LblWait"))->text(), QStringLiteral("请稍等..."));
        QCOMPARE(f->LblTitle->text(), QStringLiteral("正在导入读者..."));
        QCOMPARE(f->BtnStop->text(), QStringLiteral("停止(&S)"));
        QCOMPARE(f->LblPercent->text(), QStringLiteral("0%"));
        QCOMPARE(f->LblCount->text(), QStringLiteral("0/8"));
        p.StepIt();
        QCOMPARE(f->LblPercent->text(), QStringLiteral("12%"));
        QCOMPARE(f->LblCount->text(), QStringLiteral("1/8"));
        QCOMPARE(f->PrgBar->value(), 1);
        QCOMPARE(f->PrgBar->maximum(), 8);
    }

    void stopAfterTwoOfFive()
    {
        const int done = runLoop(5, [this](int n) {
            if (n == 2) // the user presses the button while the third record waits
                QTimer::singleShot(0, m_service->form()->BtnStop,
                                   [this] { QTest::mouseClick(m_service->form()->BtnStop, Qt::LeftButton); });
        });
        QCOMPARE(done, 2);
        QVERIFY(progressService().IsStoped());
        ProgressForm* f = m_service->form();
        QVERIFY(!f->isVisible());
        QCOMPARE(f->LblCount->text(), QStringLiteral("2/5"));
        QCOMPARE(f->LblPercent->text(), QStringLiteral("40%"));
    }

    void finishingClosesTheWindow()
    {
        QCOMPARE(runLoop(3), 3);
        QVERIFY(!m_service->form()->isVisible());
        QVERIFY(!progressService().IsStoped());
        QCOMPARE(m_service->form()->LblPercent->text(), QStringLiteral("100%"));
        // The next run shows the same window again.
        ProgressForm* first = m_service->form();
        QCOMPARE(runLoop(2), 2);
        QCOMPARE(m_service->form(), first);
    }

    void escapeStopsLikeTheButton()
    {
        const int done = runLoop(5, [this](int n) {
            if (n == 3)
                QTimer::singleShot(0, m_service->form(),
                                   [this] { QTest::keyClick(m_service->form(), Qt::Key_Escape); });
        });
        QCOMPARE(done, 3);
        QVERIFY(progressService().IsStoped());
    }

    void maxZeroShowsZero()
    {
        ProgressService& p = progressService();
        p.setMax(0);
        p.Start();
        QVERIFY(m_service->form()->isVisible());
        QCOMPARE(m_service->form()->LblPercent->text(), QStringLiteral("0%"));
        QCOMPARE(m_service->form()->LblCount->text(), QStringLiteral("0/0"));
    }

    // Long loops run from modal function windows, which block every window but their own:
    // the progress window joins the modal one so its stop button still takes input.
    void stopWorksOverAModalWindow()
    {
        QDialog modal;
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&modal));
        QCOMPARE(QApplication::activeModalWidget(), &modal);
        const int done = runLoop(5, [this](int n) {
            if (n == 1)
                QTimer::singleShot(0, m_service->form()->BtnStop,
                                   [this] { QTest::mouseClick(m_service->form()->BtnStop, Qt::LeftButton); });
        });
        QCOMPARE(done, 1);
        QVERIFY(progressService().IsStoped());
        QCOMPARE(m_service->form()->parentWidget(), &modal);
        modal.close();
    }
};

QTEST_MAIN(TestProgressForm)
#include "tst_progressform.moc"
