#include "core/AppInfo.h"

#include <QtTest>

class TestAppInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titleAndVersion()
    {
        QCOMPARE(dedizo::AppInfo::version(), QStringLiteral("5.21.1.513"));
        QVERIFY(dedizo::AppInfo::title().startsWith(QStringLiteral("澄岭")));
    }
};

QTEST_GUILESS_MAIN(TestAppInfo)
#include "tst_appinfo.moc"
