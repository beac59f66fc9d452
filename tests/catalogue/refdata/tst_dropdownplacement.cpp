#include "catalogue/refdata/DropDownPlacement.h"

#include <QtTest>

using namespace dedizo;

class TestDropDownPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QRect>("control");
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 1920, 1040);
        const QSize picker(398, 223);
        // Under the control, one pixel below its bottom edge, 2 pixels to the left.
        QTest::newRow("under") << QRect(100, 100, 120, 24) << screen << picker << QRect(98, 125, 398, 223);
        QTest::newRow("right edge") << QRect(1800, 100, 100, 24) << screen << picker
                                    << QRect(1920 - 398 - 2, 125, 398, 223);
        // 66 pixels below the edit, 950 above: the picker goes above, its bottom at the edit's top.
        QTest::newRow("bottom, more room above")
            << QRect(100, 950, 120, 24) << screen << picker << QRect(98, 950 - 223, 398, 223);
        // More room below than above: stays below and is shortened to the work area.
        QTest::newRow("bottom, more room below")
            << QRect(100, 120, 120, 24) << QRect(0, 0, 1920, 300) << picker << QRect(98, 145, 398, 155);
        // Flipped above but taller than the room there: starts at the work area's top.
        QTest::newRow("above, shortened")
            << QRect(100, 200, 120, 24) << QRect(0, 0, 1920, 300) << picker << QRect(98, 0, 398, 200);
        QTest::newRow("narrow work area")
            << QRect(40, 100, 120, 24) << QRect(0, 0, 300, 1040) << picker << QRect(-2, 125, 300, 223);
        QTest::newRow("second screen") << QRect(1930, 100, 120, 24) << QRect(1920, 0, 1280, 1000) << picker
                                       << QRect(1928, 125, 398, 223);
        QTest::newRow("control left of the work area")
            << QRect(-50, 100, 120, 24) << screen << picker << QRect(-2, 125, 398, 223);
        // A panel above the work area: the flipped picker starts below it.
        QTest::newRow("work area below a top panel")
            << QRect(100, 250, 120, 24) << QRect(0, 28, 1920, 300) << picker << QRect(98, 28, 398, 222);
        QTest::newRow("control just below the work area")
            << QRect(100, 500, 120, 24) << QRect(0, 0, 1920, 300) << picker << QRect(98, 277, 398, 23);
        // Far below the work area: an empty picker, never a negative height.
        QTest::newRow("control far below the work area")
            << QRect(100, 1000, 120, 24) << QRect(0, 0, 1920, 300) << picker << QRect(98, 777, 398, 0);
    }
    void placement()
    {
        QFETCH(QRect, control);
        QFETCH(QRect, workArea);
        QFETCH(QSize, size);
        QFETCH(QRect, expected);
        QCOMPARE(DropDownPlacement(control, workArea, size), expected);
    }
};

QTEST_APPLESS_MAIN(TestDropDownPlacement)
#include "tst_dropdownplacement.moc"
