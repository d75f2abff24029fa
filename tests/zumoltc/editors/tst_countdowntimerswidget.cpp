#include "common/widgets/parameterstable.h"
#include "pagewindow.h"
#include "testmain.h"
#include "zumoltc/editors/countdowntimerswidget.h"
#include "zumoltc/model/zucountdownboards.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

namespace {

const QString Section = QStringLiteral("Countdown timers");

} // namespace

class TestCountdownTimersWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        CountdownTimersWidget page;
        auto *protocol = PageTesting::field<QComboBox>(page, "protocol");
        QCOMPARE(protocol->count(), 2);
        QCOMPARE(protocol->itemText(0), QStringLiteral("V1"));
        QCOMPARE(protocol->itemText(1), QStringLiteral("V2"));
        QCOMPARE(protocol->itemData(1), QVariant(1));
        auto *items = PageTesting::field<ParametersTable>(page, "cdt_items");
        QStringList headers;
        for (int column = 0; column < items->columnCount(); ++column)
            headers << items->horizontalHeaderItem(column)->text();
        QCOMPARE(headers, (QStringList { "ID", "Address", "Count", "Warning time" }));
        QCOMPARE(items->actions().value(0)->shortcut(), QKeySequence(Qt::Key_Insert));
        QCOMPARE(items->actions().value(1)->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_Delete));
    }

    // Remove and the moves need a selection; the add button and Insert add rows.
    void rowTools()
    {
        PageWindow w;
        auto *page = w.open<CountdownTimersWidget>(Section);
        QVERIFY(page);
        auto *items = PageTesting::field<ParametersTable>(*page, "cdt_items");
        QCOMPARE(items->rowCount(), 1);
        for (const char *name : { "remove_cdt", "move_top", "move_up", "move_down", "move_bottom" })
            QVERIFY2(!PageTesting::field<QToolButton>(*page, name)->isEnabled(), name);
        QVERIFY(PageTesting::field<QToolButton>(*page, "add_cdt")->isEnabled());
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "add_cdt"), Qt::LeftButton);
        QCOMPARE(items->rowCount(), 2);
        items->actions().at(0)->trigger();
        QCOMPARE(items->rowCount(), 3);
        items->setCurrentCell(0, 1);
        QVERIFY(PageTesting::field<QToolButton>(*page, "remove_cdt")->isEnabled());
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "remove_cdt"), Qt::LeftButton);
        QCOMPARE(items->rowCount(), 2);
    }

    // A configuration without a protocol: everything but "Enable" disabled; ticked,
    // "V1", a row without a group and one with the address "x": the protocol, one
    // board without an address and the KTV1 device at 6.
    void enableAndSave()
    {
        PageWindow w;
        ZUCountdownBoards *boards = w.configuration()->countdownBoards();
        boards->setProtocol(zu::NotSet);
        auto *page = w.open<CountdownTimersWidget>(Section);
        QVERIFY(!PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        QCOMPARE(PageTesting::field<QComboBox>(*page, "protocol")->currentIndex(), -1);
        QVERIFY(!PageTesting::field<QComboBox>(*page, "protocol")->isEnabled());
        QVERIFY(!PageTesting::field<ParametersTable>(*page, "cdt_items")->isEnabled());

        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QVERIFY(PageTesting::field<ParametersTable>(*page, "cdt_items")->isEnabled());
        auto *protocol = PageTesting::field<QComboBox>(*page, "protocol");
        protocol->setCurrentIndex(protocol->findText(QStringLiteral("V1")));
        auto *items = PageTesting::field<ParametersTable>(*page, "cdt_items");
        items->setCellData(0, 1, QStringLiteral("x"), true);
        items->add_row();
        items->setCellData(1, 1, 9, true);
        PageWindow::clickApply(page);
        QCOMPARE(boards->boards().size(), 1);
        QCOMPARE(boards->boards().at(0).addr, int(zu::NotSet));

        const QJsonObject saved = w.save();
        const QJsonObject countdown = saved.value("countdownBoards").toObject();
        QCOMPARE(countdown.value("protocol").toString(), QStringLiteral("V1"));
        const QJsonArray rows = countdown.value("items").toArray();
        QCOMPARE(rows.size(), 1);
        QVERIFY(!rows.at(0).toObject().contains("addr"));
        QCOMPARE(rows.at(0).toObject().value("boards").toInt(), 2);
        const QJsonArray ktv = PageWindow::devices(saved, QStringLiteral("KTV1"));
        QCOMPARE(ktv.size(), 1);
        QCOMPARE(ktv.at(0).toObject().value("addr").toInt(), 6);

        // Applied without a protocol chosen: none is stored.
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        PageWindow::clickApply(page);
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        PageTesting::field<QComboBox>(*page, "protocol")->setCurrentIndex(-1);
        PageWindow::clickApply(page);
        QCOMPARE(boards->protocol(), int(zu::NotSet));
        page = w.open<CountdownTimersWidget>(Section);
        QVERIFY(!PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
    }

    // Unticked: the protocol and the KTV1 device go, the warning time and the rows
    // stay; a warning time typed in the same edit is not shown as applied.
    void untickKeepsTheRest()
    {
        PageWindow w;
        ZUCountdownBoards *boards = w.configuration()->countdownBoards();
        auto *page = w.open<CountdownTimersWidget>(Section);
        QVERIFY(PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        auto *warnTime = PageTesting::field<IntEdit>(*page, "warn_time");
        QCOMPARE(warnTime->text(), QStringLiteral("5"));
        warnTime->selectAll();
        QTest::keyClicks(warnTime, QStringLiteral("9"));
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        PageWindow::clickApply(page);
        QCOMPARE(boards->protocol(), int(zu::NotSet));
        QCOMPARE(boards->warnTime(), 5);
        QCOMPARE(boards->boards().size(), 1);
        QCOMPARE(warnTime->text(), QStringLiteral("5"));
        QVERIFY(!warnTime->isEnabled());
        QVERIFY(!PageWindow::apply(page)->isEnabled());

        const QJsonObject saved = w.save();
        QVERIFY(!saved.contains("countdownBoards"));
        QVERIFY(PageWindow::devices(saved, QStringLiteral("KTV1")).isEmpty());
    }

    // The group choices follow the signal groups another page applied.
    void groupChoicesRefilled()
    {
        PageWindow w;
        auto *page = w.open<CountdownTimersWidget>(Section);
        auto *delegate = qobject_cast<ComboBoxDelegate *>(
            PageTesting::field<ParametersTable>(*page, "cdt_items")->itemDelegateForColumn(0));
        QVERIFY(delegate);
        const int before = delegate->values.size();
        QCOMPARE(before, w.configuration()->signalGroups().size());
        delete w.configuration()->signalGroups().first().data();
        page->configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
        QCOMPARE(delegate->values.size(), before - 1);
    }
};

PROJECT_TEST(TestCountdownTimersWidget);
#include "tst_countdowntimerswidget.moc"
