#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "plivek/dialogs/elements/interstatesdlg.h"
#include "testmain.h"

#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

enum Column { Tist = 0, AG1, GF, Y, AR, RY, AG2 };

CnfSignalGroupPtr addGroup(CnfController &controller, int id, int type,
                           const QByteArray &record = QByteArray())
{
    auto group = CnfSignalGroupPtr::create();
    group->id = id;
    group->setType(type);
    if (!record.isEmpty())
        group->setInterstate(1, record);
    controller.addSignalGroup(group);
    return group;
}

QTabWidget *tabs(InterstatesDlg &dialog)
{
    return dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
}

ParametersTable *variantTable(InterstatesDlg &dialog, int variant)
{
    return qobject_cast<ParametersTable *>(tabs(dialog)->widget(variant - 1));
}

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

// Types a value into a cell through its editor, as the user does.
void typeInto(QTableWidget *table, int row, int column, int value)
{
    table->setCurrentCell(row, column);
    table->editItem(table->item(row, column) ? table->item(row, column) : [&] {
        auto *item = new QTableWidgetItem;
        table->setItem(row, column, item);
        return item;
    }());
    auto *editor = table->findChild<QSpinBox *>();
    QVERIFY(editor);
    editor->setValue(value);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits from a queued call
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestInterstatesDlg : public QObject
{
    Q_OBJECT
private slots:
    void tabsPerVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("tabs");
        QTest::newRow("3.14") << "3.14" << 4;
        QTest::newRow("3.17") << "3.17" << 8;
        QTest::newRow("3.18") << "3.18" << 6;
    }

    // One tab per variant, one row per group: the header carries the number.
    void tabsPerVersion()
    {
        QFETCH(QString, version);
        QFETCH(int, tabs);

        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), version);
        addGroup(controller, 3, CnfSignalGroup::Traffic);
        addGroup(controller, 7, CnfSignalGroup::Pedestrian);
        InterstatesDlg dialog(nullptr, &controller, false);
        QTabWidget *tabWidget = ::tabs(dialog);
        QCOMPARE(tabWidget->count(), tabs);
        QCOMPARE(tabWidget->currentIndex(), 0);
        for (int index = 0; index < tabs; ++index) {
            QCOMPARE(tabWidget->tabText(index), QStringLiteral("variant %1").arg(index + 1));
            auto *table = qobject_cast<ParametersTable *>(tabWidget->widget(index));
            QVERIFY(table);
            QCOMPARE(table->rowCount(), 2);
            QStringList headers;
            for (int column = 0; column < table->columnCount(); ++column)
                headers << table->horizontalHeaderItem(column)->text();
            QCOMPARE(headers, QStringList({ "Tist", "AG1", "GF", "Y", "AR", "RY", "AG2" }));
            QCOMPARE(table->verticalHeaderItem(1)->data(Qt::UserRole).toInt(), 7);
            QCOMPARE(table->verticalHeaderItem(1)->text(), QStringLiteral("7(Pedestrian)"));
        }
    }

    void entries_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("total");
        QTest::newRow("negative AG1 becomes 0") << int(AG1) << -5 << 0 << "9";
        QTest::newRow("300 in GF is limited to 255") << int(GF) << 300 << 255 << "263";
        QTest::newRow("AR counts in the total") << int(AR) << 10 << 10 << "16";
        QTest::newRow("RY leaves the total") << int(RY) << 40 << 40 << "10";
        QTest::newRow("AG2 leaves the total") << int(AG2) << 40 << 40 << "10";
    }

    // Each edit shows the bounded value, reports it with its group, variant
    // and byte offset, and recounts "Tist" for the first four bytes only.
    void entries()
    {
        QFETCH(int, column);
        QFETCH(int, typed);
        QFETCH(int, stored);
        QFETCH(QString, total);

        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        addGroup(controller, 1, CnfSignalGroup::Traffic);
        const CnfSignalGroupPtr group = addGroup(controller, 2, CnfSignalGroup::Traffic);
        group->setInterstate(2, QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        InterstatesDlg dialog(nullptr, &controller, false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.setVariant(2);
        ParametersTable *table = variantTable(dialog, 2);
        QCOMPARE(cellText(table, 1, Tist), QStringLiteral("10"));

        QSignalSpy spy(&dialog, &InterstatesDlg::istateChanged);
        typeInto(table, 1, column, typed);
        QCOMPARE(cellText(table, 1, column), QString::number(stored));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<CnfSignalGroupPtr>(), group);
        QCOMPARE(spy.at(0).at(1).toInt(), 2);
        QCOMPARE(spy.at(0).at(2).toUInt(), uint(column - 1));
        QCOMPARE(spy.at(0).at(3).toInt(), stored);
        QCOMPARE(cellText(table, 1, Tist), total);
        // Nothing reaches the group before applyToController.
        QCOMPARE(group->interstate(2), QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        dialog.applyToController();
        QCOMPARE(group->interstateByte(2, column - 1), stored);
    }

    // A dialog closed while a cell editor is open goes away cleanly: the
    // editor's last commit must not reach the half-destroyed dialog.
    void destroyedWithOpenEditor()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        addGroup(controller, 1, CnfSignalGroup::Traffic);
        const QByteArray record("\x01\x02\x03\x04\x05\x06", 6);
        const CnfSignalGroupPtr group = addGroup(controller, 2, CnfSignalGroup::Traffic);
        group->setInterstate(2, record);
        auto dialog = std::make_unique<InterstatesDlg>(nullptr, &controller, false);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->setVariant(2);
        ParametersTable *table = variantTable(*dialog, 2);
        table->setCurrentCell(1, AG2);
        table->editItem(table->item(1, AG2));
        auto *editor = table->findChild<QSpinBox *>();
        QVERIFY(editor);
        editor->setValue(7);
        QSignalSpy changes(dialog.get(), &InterstatesDlg::istateChanged);
        dialog.reset();
        QCOMPARE(changes.count(), 0);
        QCOMPARE(group->interstate(2), record);
    }

    // The signal carries a signal-group pointer across a queued connection too.
    void queuedEdit()
    {
        CnfController controller;
        const CnfSignalGroupPtr group = addGroup(controller, 4, CnfSignalGroup::Traffic);
        InterstatesDlg dialog(nullptr, &controller, true);
        CnfSignalGroupPtr received;
        int value = -1;
        QObject receiver;
        connect(
            &dialog, &InterstatesDlg::istateChanged, &receiver,
            [&](CnfSignalGroupPtr sg, int, uint, int val) {
                received = sg;
                value = val;
            },
            Qt::QueuedConnection);
        variantTable(dialog, 1)->setItem(0, AG2, new QTableWidgetItem(QStringLiteral("12")));
        QTRY_COMPARE(value, 12);
        QCOMPARE(received, group);
    }

    // Groups without amber show Y and RY grey and read-only; their total at
    // opening leaves out the stored Y, as an edit of the row does.
    void groupsWithoutAmber_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("grey");
        QTest::addColumn<QString>("total");
        QTest::newRow("traffic") << int(CnfSignalGroup::Traffic) << false << "10";
        QTest::newRow("pedestrian") << int(CnfSignalGroup::Pedestrian) << true << "7";
        QTest::newRow("arrow") << int(CnfSignalGroup::Arrow) << true << "7";
        QTest::newRow("tram") << int(CnfSignalGroup::Tram) << true << "7";
        QTest::newRow("always on") << int(CnfSignalGroup::AlwaysOn) << true << "7";
        QTest::newRow("bicycle") << int(CnfSignalGroup::Bicycle) << false << "10";
    }

    void groupsWithoutAmber()
    {
        QFETCH(int, type);
        QFETCH(bool, grey);
        QFETCH(QString, total);

        CnfController controller;
        addGroup(controller, 1, type, QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        InterstatesDlg dialog(nullptr, &controller, false);
        ParametersTable *table = variantTable(dialog, 1);
        QCOMPARE(cellText(table, 0, Tist), total);
        for (int column : { Y, RY }) {
            QCOMPARE(bool(table->item(0, column)->flags() & Qt::ItemIsEditable), !grey);
            QCOMPARE(cellText(table, 0, column).isEmpty(), grey);
        }
        QVERIFY(table->item(0, AG1)->flags() & Qt::ItemIsEditable);
        QCOMPARE(table->item(0, Y)->background().color() == QColor(Qt::lightGray), grey);
        typeInto(table, 0, AG1, 2);
        QCOMPARE(cellText(table, 0, Tist), grey ? QStringLiteral("8") : QStringLiteral("11"));
    }

    // A variant whose table is all zeros disappears from every group; one
    // value left keeps a record for every group, zeros where it had none.
    void applyToController()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.16"));
        const CnfSignalGroupPtr first = addGroup(controller, 1, CnfSignalGroup::Traffic);
        const CnfSignalGroupPtr second = addGroup(controller, 2, CnfSignalGroup::Pedestrian);
        first->setInterstate(2, QByteArray("\x00\x03\x00\x00\x00\x00", 6));
        second->setInterstate(2, QByteArray("\x00\x00\x04\x00\x00\x00", 6));
        first->setInterstate(3, QByteArray("\x00\x00\x00\x00\x00\x09", 6));
        InterstatesDlg dialog(nullptr, &controller, false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.setVariant(2);
        typeInto(variantTable(dialog, 2), 0, GF, 0);
        dialog.applyToController();
        // The Y of a pedestrian group is grey: it reads as 0, so variant 2 is all zeros.
        QVERIFY(!first->hasInterstate(2));
        QVERIFY(!second->hasInterstate(2));
        QCOMPARE(first->interstate(3), QByteArray("\x00\x00\x00\x00\x00\x09", 6));
        QVERIFY(second->hasInterstate(3));
        QCOMPARE(second->interstate(3), QByteArray(6, '\0'));
        QVERIFY(!first->hasInterstate(1));
        QVERIFY(!first->hasInterstate(4));
    }

    void setVariant_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("current");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("count + 1") << 5 << 0;
        QTest::newRow("last") << 4 << 3;
        QTest::newRow("second") << 2 << 1;
    }

    void setVariant()
    {
        QFETCH(int, variant);
        QFETCH(int, current);

        CnfController controller;
        addGroup(controller, 1, CnfSignalGroup::Traffic);
        InterstatesDlg dialog(nullptr, &controller, true);
        QSignalSpy spy(&dialog, &InterstatesDlg::variantChanged);
        dialog.setVariant(variant);
        QCOMPARE(tabs(dialog)->currentIndex(), current);
        QCOMPARE(spy.count(), current == 0 ? 0 : 1);
        if (current != 0)
            QCOMPARE(spy.at(0).at(0).toInt(), variant);
    }
};

PROJECT_TEST(TestInterstatesDlg);
#include "tst_interstatesdlg.moc"
