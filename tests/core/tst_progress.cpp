#include "core/ProgressService.h"

#include <QTimer>
#include <QtTest>

using namespace dedizo;

namespace {

// Counts what the display was asked to do.
class RecordingProgress final : public ProgressService
{
public:
    int presented = 0;
    int dismissed = 0;

protected:
    void present() override { ++presented; }
    void dismiss() override { ++dismissed; }
};

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void percentRoundsHalfToEven_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("count");
        QTest::newRow("max 0") << 0 << 0 << "0%"
                               << "0/0";
        QTest::newRow("1 of 3") << 1 << 3 << "33%"
                                << "1/3";
        QTest::newRow("2 of 3") << 2 << 3 << "67%"
                                << "2/3";
        QTest::newRow("1 of 8: 12.5 down to even") << 1 << 8 << "12%"
                                                   << "1/8";
        QTest::newRow("3 of 8: 37.5 up to even") << 3 << 8 << "38%"
                                                 << "3/8";
        QTest::newRow("5 of 8: 62.5 down to even") << 5 << 8 << "62%"
                                                   << "5/8";
        QTest::newRow("1 of 200: 0.5 down to 0") << 1 << 200 << "0%"
                                                 << "1/200";
        QTest::newRow("3 of 200: 1.5 up to 2") << 3 << 200 << "2%"
                                               << "3/200";
        QTest::newRow("0 of 10") << 0 << 10 << "0%"
                                 << "0/10";
        QTest::newRow("10 of 10") << 10 << 10 << "100%"
                                  << "10/10";
        QTest::newRow("no overflow near the int limit") << 2147483646 << 2147483647 << "100%"
                                                        << "2147483646/2147483647";
    }
    void percentRoundsHalfToEven()
    {
        QFETCH(int, position);
        QFETCH(int, max);
        QFETCH(QString, percent);
        QFETCH(QString, count);
        NullProgressService p;
        p.setMax(max);
        p.Start();
        p.setPosition(position);
        QCOMPARE(p.percentText(), percent);
        QCOMPARE(p.countText(), count);
    }

    void maxZeroShowsUntilTheFirstStep()
    {
        RecordingProgress p;
        p.setMax(0);
        p.Start();
        QVERIFY(p.isShown());
        QCOMPARE(p.percentText(), QStringLiteral("0%"));
        QCOMPARE(p.countText(), QStringLiteral("0/0"));
        QVERIFY(!p.IsStoped());
        p.StepIt();
        QVERIFY(!p.isShown());
        QCOMPARE(p.countText(), QStringLiteral("0/0"));
        QVERIFY(!p.IsStoped());
    }

    void stopAndFinishAreTold_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("pressStop");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("stop at 5 of 10") << 5 << true << false << true;
        QTest::newRow("running at 5 of 10") << 5 << false << true << false;
        QTest::newRow("finished at 10 of 10") << 10 << false << false << false;
        QTest::newRow("stop after finishing changes nothing") << 10 << true << false << false;
        QTest::newRow("steps past the maximum stay at it") << 13 << false << false << false;
    }
    void stopAndFinishAreTold()
    {
        QFETCH(int, steps);
        QFETCH(bool, pressStop);
        QFETCH(bool, shown);
        QFETCH(bool, stopped);
        RecordingProgress p;
        p.setTitle(QStringLiteral("正在删除记录..."));
        p.setMax(10);
        p.Start();
        for (int i = 0; i < steps; ++i)
            p.StepIt();
        if (pressStop)
            p.stop();
        QCOMPARE(p.isShown(), shown);
        QCOMPARE(p.IsStoped(), stopped);
        QCOMPARE(p.Position(), qMin(steps, 10));
        QCOMPARE(p.presented, 1);
        QCOMPARE(p.dismissed, shown ? 0 : 1);
    }

    void settingMaxRestartsThePosition()
    {
        NullProgressService p;
        p.setMax(4);
        p.Start();
        p.StepIt();
        p.StepIt();
        p.setMax(6);
        QCOMPARE(p.Position(), 0);
        QCOMPARE(p.countText(), QStringLiteral("0/6"));
        QVERIFY(p.isShown());
    }

    // Callers that set Max one above their records close the display with a last StepIt.
    void oneAboveTheRecordsClosesAfterTheLoop()
    {
        RecordingProgress p;
        const int records = 3;
        p.setMax(records + 1);
        p.Start();
        int done = 0;
        for (int i = 0; i < records; ++i) {
            if (p.IsStoped())
                break;
            ++done;
            p.StepIt();
        }
        QCOMPARE(done, records);
        QVERIFY(p.isShown());
        p.StepIt();
        QVERIFY(!p.isShown());
        QVERIFY(!p.IsStoped());
    }

    // IsStoped lets pending events run first: a stop waiting in the event queue is seen.
    void isStopedRunsPendingEvents()
    {
        NullProgressService p;
        p.setMax(5);
        p.Start();
        int done = 0;
        for (int i = 0; i < 5; ++i) {
            if (p.IsStoped())
                break;
            ++done;
            p.StepIt();
            if (done == 2)
                QTimer::singleShot(0, [&p] { p.stop(); });
        }
        QCOMPARE(done, 2);
        QCOMPARE(p.countText(), QStringLiteral("2/5"));
        QVERIFY(p.stopped());
    }

    void processWideAccessor()
    {
        ProgressService& initial = progressService();
        QVERIFY(dynamic_cast<NullProgressService*>(&initial));
        RecordingProgress mine;
        QCOMPARE(setProgressService(&mine), &initial);
        QCOMPARE(&progressService(), static_cast<ProgressService*>(&mine));
        QCOMPARE(setProgressService(nullptr), static_cast<ProgressService*>(&mine));
        QCOMPARE(&progressService(), &initial);
    }
};

QTEST_GUILESS_MAIN(TestProgress)
#include "tst_progress.moc"
