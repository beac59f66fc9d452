#include "catalogue/refdata/ui/DropDownForm.h"
#include "core/Dataset.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

using namespace dedizo;

class TestDropDownForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<QWidget> m_window;
    QLineEdit* m_edit = nullptr;

    static DropDownForm* visiblePicker()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* picker = qobject_cast<DropDownForm*>(w); picker && picker->isVisible())
                return picker;
        return nullptr;
    }
    // Runs `action` on the picker once it is shown (or with nullptr when none
    // shows). A picker the action leaves open is closed a little later, so a
    // failed check cannot leave the test waiting.
    static void whenShown(std::function<void(DropDownForm*)> action)
    {
        QTimer::singleShot(0, [action] {
            action(visiblePicker());
            QTimer::singleShot(2000, [] {
                if (DropDownForm* picker = visiblePicker())
                    picker->hide();
            });
        });
    }
    // A window whose edit sits `fromBottom` pixels above the bottom of the work area.
    void placeEdit(int fromBottom)
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        m_window = std::make_unique<QWidget>();
        m_edit = new QLineEdit(m_window.get());
        m_edit->setGeometry(10, 10, 160, 24);
        m_window->setGeometry(area.x() + 100, area.bottom() - fromBottom - 10, 300, 60);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

private Q_SLOTS:
    void init() { m_db = std::make_unique<test::TestDatabase>(); }
    void cleanup()
    {
        m_window.reset();
        m_db.reset();
    }

    void choosingWithTheKeyboard()
    {
        placeEdit(400);
        Dataset query;
        query.setSql(
            QStringLiteral("SELECT PublisherName, PublisherISBN FROM Publishers_tab ORDER BY PublisherISBN"));
        QRect where;
        whenShown([&where](DropDownForm* picker) {
            QVERIFY(picker);
            where = picker->geometry();
            QTest::keyClick(picker->grid(), Qt::Key_Down);
            QTest::keyClick(picker->grid(), Qt::Key_Return);
        });
        QVERIFY(ShowDropDown(m_edit, query));
        QCOMPARE(query.text(QStringLiteral("PublisherName")), QStringLiteral("人民文学出版社"));
        const QPoint edit = m_edit->mapToGlobal(QPoint(0, 0));
        QCOMPARE(where.topLeft(), QPoint(edit.x() - 2, edit.y() + m_edit->height() + 1));
        QCOMPARE(where.size(), DropDownForm::baseSize());
        QVERIFY(!visiblePicker());
    }

    // Near the bottom of the screen, with more room above, the picker opens above the edit.
    void shownAboveNearTheBottom()
    {
        placeEdit(60);
        Dataset query;
        query.setSql(QStringLiteral("SELECT PublisherName FROM Publishers_tab"));
        QRect where;
        whenShown([&where](DropDownForm* picker) {
            QVERIFY(picker);
            where = picker->geometry();
            QWidget* viewport = picker->grid()->viewport();
            const QPoint row = picker->grid()->visualRect(picker->grid()->model()->index(2, 0)).center();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, row);
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, row);
        });
        QVERIFY(ShowDropDown(m_edit, query));
        const QPoint edit = m_edit->mapToGlobal(QPoint(0, 0));
        QCOMPARE(where.y() + where.height(), edit.y());
        QCOMPARE(query.currentRow(), 2);
    }

    void closingWithoutAChoice_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("click elsewhere") << "elsewhere";
    }
    void closingWithoutAChoice()
    {
        QFETCH(QString, how);
        placeEdit(400);
        Dataset query;
        query.setSql(QStringLiteral("SELECT PublisherName FROM Publishers_tab"));
        QWidget other;
        other.resize(200, 100);
        whenShown([&](DropDownForm* picker) {
            QVERIFY(picker);
            if (how == QLatin1String("escape")) {
                QTest::keyClick(picker->grid(), Qt::Key_Escape);
                return;
            }
            QVERIFY(QTest::qWaitForWindowActive(picker));
            other.show();
            other.activateWindow();
            QTRY_VERIFY(!picker->isVisible());
        });
        QVERIFY(!ShowDropDown(m_edit, query));
    }

    void emptyListChoosesNothing()
    {
        placeEdit(400);
        Dataset query;
        query.setSql(QStringLiteral("SELECT PublisherName FROM Publishers_tab WHERE 1=0"));
        whenShown([](DropDownForm* picker) {
            QVERIFY(picker);
            QTest::keyClick(picker->grid(), Qt::Key_Return);
            QVERIFY(picker->isVisible()); // Enter on an empty grid chooses nothing
            QTest::keyClick(picker->grid(), Qt::Key_Escape);
        });
        QVERIFY(!ShowDropDown(m_edit, query));
    }

    void singleRowIsTakenAtOnce_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("pickSingle");
        QTest::addColumn<bool>("shown");
        QTest::newRow("one row, pick single") << "PublisherISBN = '7-101'" << true << false;
        QTest::newRow("one row, always show") << "PublisherISBN = '7-101'" << false << true;
        QTest::newRow("two rows, pick single")
            << "PublisherPlace = '杭州' OR PublisherISBN = '7-101'" << true << true;
    }
    void singleRowIsTakenAtOnce()
    {
        QFETCH(QString, condition);
        QFETCH(bool, pickSingle);
        QFETCH(bool, shown);
        placeEdit(400);
        Dataset query;
        // The query is reopened with its own text: rows added since appear.
        query.setSql(QStringLiteral("SELECT PublisherName FROM Publishers_tab WHERE ") + condition);
        query.open();
        bool sawPicker = false;
        whenShown([&sawPicker](DropDownForm* picker) {
            sawPicker = picker != nullptr;
            if (picker)
                QTest::keyClick(picker->grid(), Qt::Key_Return);
        });
        QVERIFY(ShowDropDown(m_edit, query, pickSingle));
        QCoreApplication::processEvents();
        QCOMPARE(sawPicker, shown);
        QVERIFY(query.text(QStringLiteral("PublisherName")).size() > 0);
    }
};

QTEST_MAIN(TestDropDownForm)
#include "tst_dropdownform.moc"
