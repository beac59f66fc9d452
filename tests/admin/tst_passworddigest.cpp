#include "admin/PasswordDigest.h"

#include <QRegularExpression>
#include <QtTest>

using namespace dedizo;

class TestPasswordDigest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Stored digests depend on the fixed framing and digit swap: these values
    // must never change, or every existing password stops matching.
    void pinnedValues_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty") << QString() << QStringLiteral("C5E60C90324EE98B4EEE");
        QTest::newRow("ascii") << QStringLiteral("secret") << QStringLiteral("5C5EB554DFC3D1C9044F");
        // UTF-8 bytes of the framed text, not a local code page.
        QTest::newRow("chinese") << QStringLiteral("图书馆2021") << QStringLiteral("C511632E484085B65CCF");
    }
    void pinnedValues()
    {
        QFETCH(QString, password);
        QFETCH(QString, digest);
        QCOMPARE(PasswordDigest(password), digest);
    }

    void form_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("empty") << QString();
        QTest::newRow("ascii") << QStringLiteral("secret");
        QTest::newRow("chinese") << QStringLiteral("图书馆2021");
        QTest::newRow("quote") << QStringLiteral("it's");
        QTest::newRow("long") << QString(300, QLatin1Char('x'));
    }
    void form()
    {
        QFETCH(QString, password);
        const QString d = PasswordDigest(password);
        // 20 upper-case hexadecimal digits, one digit never appears (swapped out).
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9A-F]{20}$")).match(d).hasMatch(), qPrintable(d));
        QVERIFY(!d.contains(QLatin1Char('7')));
        QCOMPARE(PasswordDigest(password), d);
        QVERIFY(PasswordMatches(password, d));
    }

    void matchIsExact_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("same") << QStringLiteral("Abc") << QStringLiteral("Abc") << true;
        QTest::newRow("other case") << QStringLiteral("Abc") << QStringLiteral("abc") << false;
        QTest::newRow("trailing blank") << QStringLiteral("Abc") << QStringLiteral("Abc ") << false;
        QTest::newRow("empty vs blank") << QString() << QStringLiteral(" ") << false;
        QTest::newRow("unicode") << QStringLiteral("密码") << QStringLiteral("密码") << true;
    }
    void matchIsExact()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        QCOMPARE(PasswordMatches(typed, PasswordDigest(stored)), matches);
        // A digest in lower case is not the stored form.
        QVERIFY(!PasswordMatches(stored, PasswordDigest(stored).toLower()) ||
                PasswordDigest(stored) == PasswordDigest(stored).toLower());
    }

    void emptyPassword()
    {
        QCOMPARE(EmptyPasswordDigest(), PasswordDigest(QString()));
        QVERIFY(EmptyPasswordDigest() != PasswordDigest(QStringLiteral(" ")));
    }
};

QTEST_APPLESS_MAIN(TestPasswordDigest)
#include "tst_passworddigest.moc"
