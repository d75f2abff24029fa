#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "modalanswerer.h"
#include "plivek/dialogs/controller/indicationdlg.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

enum Column { TypeColumn, GroupColumn, RedColumn, AmberColumn, GreenColumn, PlansColumn };

// Two groups, outputs 1 "Lamp A" and 2 (no name), programs "1" "Morning"
// and "2" "Evening".
void fill(CnfController &controller)
{
    for (int id : { 1, 2 }) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        group->type = id == 1 ? CnfSignalGroup::Traffic : CnfSignalGroup::Pedestrian;
        controller.addSignalGroup(group);
    }
    controller.setNativeData(QStringLiteral("outputs"),
                             QVariantList { QVariantMap { { "id", 1 }, { "name", "Lamp A" } },
                                            QVariantMap { { "id", 2 } } });
    const QStringList names { "Morning", "Evening" };
    for (int i = 0; i < names.size(); ++i) {
        auto program = CnfProgramPtr::create(&controller);
        program->id = QString::number(i + 1);
        program->name = names.at(i);
        controller.addProgram(program);
    }
}

QTableWidget *tableOf(IndicationDlg &dialog)
{
    return dialog.findChild<QTableWidget *>(QStringLiteral("indTable"));
}

QString cellText(QTableWidget *table, int row, int column)
{
    return table->item(row, column) ? table->item(row, column)->text() : QString();
}

void pressOk(IndicationDlg &dialog)
{
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

QVariantList storedIndications(const CnfController &controller)
{
    return controller.nativeData()["modules"]["Indication"].toVariant().toList();
}

} // namespace

class TestIndicationDlg : public QObject
{
    Q_OBJECT
private slots:
    // Texts shown for stored values, and the values stored back: output
    // names become ids, an unknown name is dropped, the group keeps its number.
    void loadAndStore()
    {
        CnfController controller;
        fill(controller);
        controller.nativeData()["modules"]["Indication"]
            = QVariantList { QVariantMap { { "type", "wait" },
                                           { "signalGroup", 2 },
                                           { "red", "No such lamp" },
                                           { "amber", 2 },
                                           { "green", "Lamp A" },
                                           { "plans", QVariantList { 2, "Morning", 2 } } } };
        IndicationDlg dialog(&controller, nullptr);
        QTableWidget *table = tableOf(dialog);
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(cellText(table, 0, TypeColumn), QStringLiteral("Countdown board"));
        QCOMPARE(cellText(table, 0, GroupColumn),
                 QStringLiteral("2(%1)").arg(
                     CnfSignalGroup::type2String(CnfSignalGroup::Pedestrian, true)));
        QCOMPARE(cellText(table, 0, RedColumn), QString());
        QCOMPARE(cellText(table, 0, AmberColumn), QStringLiteral("2"));
        QCOMPARE(cellText(table, 0, GreenColumn), QStringLiteral("1 (Lamp A)"));
        QCOMPARE(cellText(table, 0, PlansColumn), QStringLiteral("2,1"));

        pressOk(dialog);
        const QVariantMap stored = storedIndications(controller).value(0).toMap();
        QCOMPARE(stored,
                 (QVariantMap { { "type", "wait" },
                                { "signalGroup", 2 },
                                { "amber", 2 },
                                { "green", 1 },
                                { "plans", QVariantList { 2, 1 } } }));
        QCOMPARE(stored.value("green").userType(), int(QMetaType::Int));
    }

    void planForms_data()
    {
        QTest::addColumn<QVariant>("plans");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one number") << QVariant(2) << "2";
        QTest::newRow("one name") << QVariant("Morning") << "1";
        QTest::newRow("list") << QVariant(QVariantList { 1, 2 }) << "1,2";
        QTest::newRow("duplicates") << QVariant(QVariantList { "Evening", 2, 2 }) << "2";
        QTest::newRow("unknown") << QVariant(QVariantList { 9, "Night" }) << "";
        QTest::newRow("absent") << QVariant() << "";
    }

    // One plan or many, by number or name, each shown once; an empty plans
    // cell stores no "plans" key.
    void planForms()
    {
        QFETCH(QVariant, plans);
        QFETCH(QString, shown);
        CnfController controller;
        fill(controller);
        QVariantMap entry { { "type", "button" } };
        if (plans.isValid())
            entry.insert("plans", plans);
        controller.nativeData()["modules"]["Indication"] = QVariantList { entry };
        IndicationDlg dialog(&controller, nullptr);
        QCOMPARE(cellText(tableOf(dialog), 0, PlansColumn), shown);
        pressOk(dialog);
        const QVariantMap stored = storedIndications(controller).value(0).toMap();
        QCOMPARE(stored.contains("plans"), !shown.isEmpty());
    }

    // The plans name programs by number: a program whose id is no number is
    // stored by its name (a text, which reads back as a name), not as 0; one
    // without a name is refused and nothing is stored.
    void programWithoutANumber_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored"); // invalid: refused
        QTest::newRow("named") << "Night" << QVariant(QVariantList { 1, "Night" });
        QTest::newRow("without a name") << "" << QVariant();
    }

    void programWithoutANumber()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        CnfController controller;
        fill(controller);
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("N3");
        program->name = name;
        controller.addProgram(program);
        const QVariantList before { QVariantMap { { "type", "button" }, { "plans", 1 } } };
        controller.nativeData()["modules"]["Indication"] = before;
        IndicationDlg dialog(&controller, nullptr);
        dialog.show();
        tableOf(dialog)->item(0, PlansColumn)->setText(QStringLiteral("1,N3"));
        if (stored.isValid()) {
            pressOk(dialog);
            QCOMPARE(storedIndications(controller).value(0).toMap().value("plans"), stored);
            return;
        }
        ModalAnswerer error;
        error.pressButton(QMessageBox::Ok);
        pressOk(dialog);
        QVERIFY(error.answered());
        QCOMPARE(
            error.seenText(),
            QStringLiteral("Row 1: program N3 has neither a number nor a name to be named by"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(storedIndications(controller), before);
    }

    // Delete starts disabled, follows the selection and removes each touched
    // row once; an added row is stored as an empty map.
    void addAndDelete()
    {
        CnfController controller;
        fill(controller);
        QVariantList loaded;
        for (int group = 1; group <= 6; ++group)
            loaded << QVariantMap { { "type", "button" },
                                    { "signalGroup", group <= 2 ? group : 1 },
                                    { "amber", group <= 2 ? 1 : 2 } };
        controller.nativeData()["modules"]["Indication"] = loaded;
        IndicationDlg dialog(&controller, nullptr);
        QTableWidget *table = tableOf(dialog);
        auto *del = dialog.findChild<QPushButton *>(QStringLiteral("del"));
        QVERIFY(!del->isEnabled());

        table->setRangeSelected(QTableWidgetSelectionRange(1, 0, 3, 1), true);
        table->setRangeSelected(QTableWidgetSelectionRange(2, 3, 2, 4), true);
        table->setRangeSelected(QTableWidgetSelectionRange(5, 2, 5, 2), true);
        QVERIFY(del->isEnabled());
        QTest::mouseClick(del, Qt::LeftButton);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(cellText(table, 0, AmberColumn), QStringLiteral("1 (Lamp A)"));
        QCOMPARE(cellText(table, 1, AmberColumn), QStringLiteral("2"));

        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("add")), Qt::LeftButton);
        QCOMPARE(table->rowCount(), 3);
        pressOk(dialog);
        const QVariantList stored = storedIndications(controller);
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored.at(1).toMap().value("amber"), QVariant(2));
        QCOMPARE(stored.at(2).toMap(), QVariantMap());
    }

    // No rows: OK stores an empty list in place of the old one.
    void emptyList()
    {
        CnfController controller;
        fill(controller);
        controller.nativeData()["modules"]["Indication"]
            = QVariantList { QVariantMap { { "type", "button" } } };
        IndicationDlg dialog(&controller, nullptr);
        tableOf(dialog)->setRowCount(0);
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const VObject stored = controller.nativeData()["modules"]["Indication"];
        QCOMPARE(stored.kind(), VObject::List);
        QCOMPARE(stored.size(), 0);
    }
};

PROJECT_TEST(TestIndicationDlg);
#include "tst_indicationdlg.moc"
