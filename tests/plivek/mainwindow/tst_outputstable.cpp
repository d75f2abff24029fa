#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "elementfixtures.h"
#include "modalanswerer.h"
#include "nativejson.h"
#include "plivek/mainwindow/outputstable.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;

namespace {

QVariantMap output(int id, const QString &name)
{
    return { { "id", id }, { "name", name } };
}

QVariantMap channel(int number, const QVariant &out)
{
    return { { "channel", number }, { "out", out } };
}

QList<int> outputIds(const CnfController &controller)
{
    QList<int> ids;
    for (const QVariant &entry : controller.getNativeData(QStringLiteral("outputs")).toList())
        ids << entry.toMap().value(QStringLiteral("id")).toInt();
    return ids;
}

QAction *outputsAction(MainWindow &window, const char *name)
{
    return table(window, "outputsTable")->findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TestOutputsTable : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    void load(MainWindow &window, const QVariantList &outputs)
    {
        QVERIFY(ElementFixtures::loadDocument(window, dir));
        window.document().controller().setNativeData(QStringLiteral("outputs"), outputs);
        window.updateOutputsTable();
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    // Deleting output 3 clears the board channels and indication colours that
    // name it, by number (whatever its type) or by its name when it has one.
    void references_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantList>("channelsLeft");
        QTest::addColumn<QByteArray>("indicationLeft");
        QTest::newRow("named") << QStringLiteral("Lamp")
                               << QVariantList { 4, QStringLiteral("Other") }
                               << QByteArray("[{'amber': 4}, {'red': 'Other', 'green': ''}]");
        QTest::newRow("unnamed")
            << QString() << QVariantList { 4, QStringLiteral("Lamp"), QStringLiteral("Other") }
            << QByteArray("[{'amber': 4, 'green': 'Lamp'}, {'red': 'Other', 'green': ''}]");
    }

    void references()
    {
        QFETCH(QString, name);
        QFETCH(QVariantList, channelsLeft);
        QFETCH(QByteArray, indicationLeft);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(
            QStringLiteral("outputs"),
            QVariantList { output(3, name), output(4, QStringLiteral("Other")), output(3, name) });
        const QVariantList channels { channel(1, 3),
                                      channel(2, 3.0),
                                      channel(3, 4),
                                      channel(4, QStringLiteral("Lamp")),
                                      channel(5, QStringLiteral("Other")),
                                      channel(6, qlonglong(3)),
                                      QVariantMap { { "channel", 7 } } };
        QVariantMap modules
            = NativeJson::map("{'Indication': [{'red': 3, 'amber': 4, 'green': 'Lamp'}, {'red': "
                              "'Other', 'green': ''}]}");
        modules["SystemBus"] = QVariantMap {
            { "devices",
              QVariantMap {
                  { "DIO2", QVariantMap { { "channels", channels } } },
                  { "DIO9", QVariantMap { { "channels", QVariantList { channel(1, 3) } } } } } }
        };
        controller.setNativeData(QStringLiteral("modules"), modules);

        QCOMPARE(OutputsTable::remove(controller, 3), 2);
        QCOMPARE(outputIds(controller), QList<int> { 4 });
        const QVariantMap devices
            = controller.nativeData()["modules"]["SystemBus"]["devices"].toVariant().toMap();
        QVariantList outs;
        for (const QVariant &entry : devices.value("DIO2").toMap().value("channels").toList()) {
            if (entry.toMap().contains("out"))
                outs << entry.toMap().value("out");
        }
        QCOMPARE(outs, channelsLeft);
        QCOMPARE(devices.value("DIO2").toMap().value("channels").toList().size(),
                 channelsLeft.size() + 1);
        QCOMPARE(devices.value("DIO9").toMap().value("channels").toList().size(), 0);
        QCOMPARE(NativeJson::text(controller.nativeData()["modules"]["Indication"].toVariant()),
                 NativeJson::text(NativeJson::value(indicationLeft)));
    }

    // Both cells of a row selected: the output is deleted once, without a
    // question, and its row goes.
    void deleteRow()
    {
        MainWindow window;
        load(window, { output(1, "A"), output(3, "B"), output(5, "C") });
        QTableWidget *outputs = table(window, "outputsTable");
        outputs->item(1, 0)->setSelected(true);
        outputs->item(1, 1)->setSelected(true);
        ModalAnswerer answerer;
        answerer.reject();
        outputsAction(window, "outDelete")->trigger();
        QVERIFY(!answerer.answered());
        QCOMPARE(outputIds(window.document().controller()), (QList<int> { 1, 5 }));
        QCOMPARE(outputs->rowCount(), 2);
        QCOMPARE(cellText(outputs, 1, 1), QStringLiteral("C"));
        QVERIFY(window.document().isChanged());
    }

    void sort_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<bool>("changed");
        QTest::newRow("three") << QList<int> { 5, 2, 9 } << QList<int> { 2, 5, 9 } << true;
        QTest::newRow("already sorted") << QList<int> { 1, 2 } << QList<int> { 1, 2 } << true;
        QTest::newRow("single") << QList<int> { 7 } << QList<int> { 7 } << false;
        QTest::newRow("none") << QList<int> {} << QList<int> {} << false;
    }

    void sort()
    {
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        QFETCH(bool, changed);
        QVariantList outputs;
        for (int id : before)
            outputs << QVariantMap { { "id", id },
                                     { "name", QStringLiteral("O%1").arg(id) },
                                     { "pin", id * 10 } };
        MainWindow window;
        load(window, outputs);
        outputsAction(window, "sortDtItems")->trigger();
        QCOMPARE(outputIds(window.document().controller()), after);
        QCOMPARE(window.document().isChanged(), changed);
        QTableWidget *table = WindowTesting::table(window, "outputsTable");
        for (int row = 0; row < after.size(); ++row) {
            QCOMPARE(cellText(table, row, 0), QString::number(after.at(row)));
            QCOMPARE(window.document().controller().nativeData()["outputs"][row]["pin"].toInt(),
                     after.at(row) * 10);
        }
    }

    // Add and properties go through the output dialog, which writes the list.
    void addAndEdit()
    {
        MainWindow window;
        load(window, { output(1, "Output.1") });
        ModalAnswerer add;
        int proposed = 0;
        add.answerWith([&](QWidget *modal) {
            proposed = modal->findChild<QSpinBox *>(QStringLiteral("number"))->value();
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        outputsAction(window, "outAdd")->trigger();
        QVERIFY(add.answered());
        QCOMPARE(proposed, 2);
        QTableWidget *outputs = table(window, "outputsTable");
        QCOMPARE(outputs->rowCount(), 2);
        QCOMPARE(cellText(outputs, 1, 1), QStringLiteral("Output.2"));
        QVERIFY(window.document().isChanged());

        outputs->item(0, 1)->setSelected(true);
        ModalAnswerer edit;
        edit.answerWith([](QWidget *modal) {
            modal->findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("Horn"));
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        window.outputsItemProperties();
        QVERIFY(edit.answered());
        QCOMPARE(cellText(outputs, 0, 1), QStringLiteral("Horn"));
        QCOMPARE(outputIds(window.document().controller()), (QList<int> { 1, 2 }));
    }
};

PROJECT_TEST(TestOutputsTable);
#include "tst_outputstable.moc"
