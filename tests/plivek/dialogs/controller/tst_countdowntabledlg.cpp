#include "plivek/dialogs/controller/countdowntabledlg.h"
#include "plivek/framework/tiverkedittable.h"
#include "testmain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

namespace {

QVariantMap display(const QVariant &group, const QVariant &address, const QVariant &blinking)
{
    return { { "sg", group }, { "address", address }, { "blinkingTime", blinking } };
}

TiverkEditTable *tableOf(const CountDownTableDlg &dialog)
{
    return dialog.findChild<TiverkEditTable *>(QStringLiteral("countDownTable"));
}

} // namespace

class TestCountDownTableDlg : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        CountDownTableDlg dialog(nullptr, {}, { "1", "2" }, QStringLiteral("3.17"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Parameters display countdown"));
        const TiverkEditTable *table = tableOf(dialog);
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->columnCount(), 16);
        QCOMPARE(table->verticalHeaderItem(0)->text(), QStringLiteral("Sgnal group"));
        QCOMPARE(table->verticalHeaderItem(2)->text(), QStringLiteral("Blinking time"));
        QVERIFY(dialog.countDownTable().isEmpty());
    }

    void versions_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("keys");

        QTest::newRow("3.17") << "3.17" << 3 << QStringList { "address", "blinkingTime", "sg" };
        QTest::newRow("3.18") << "3.18" << 2 << QStringList { "count", "sg" };
    }

    void versions()
    {
        QFETCH(QString, version);
        QFETCH(int, rows);
        QFETCH(QStringList, keys);

        QVariantMap loaded = display(3, 12, 5);
        loaded.insert(QStringLiteral("count"), 2);
        CountDownTableDlg dialog(nullptr, { loaded }, { "3" }, version);
        QCOMPARE(tableOf(dialog)->rowCount(), rows);
        const QVariantList stored = dialog.countDownTable();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().toMap().keys(), keys);
        QCOMPARE(stored.first().toMap().value("sg"), QVariant(3));
        if (rows == 2) {
            QCOMPARE(tableOf(dialog)->verticalHeaderItem(1)->text(),
                     QStringLiteral("Count tables in group"));
            QCOMPARE(stored.first().toMap().value("count"), QVariant(2));
        }
    }

    // Twenty displays grow the table; a display whose group is cleared is
    // dropped without a gap; 255 shows and stores as not set.
    void displays()
    {
        QVariantList loaded;
        for (int i = 0; i < 20; ++i)
            loaded << display(i + 1, 255, i);
        CountDownTableDlg dialog(nullptr, loaded, {}, QStringLiteral("3.17"));
        TiverkEditTable *table = tableOf(dialog);
        QCOMPARE(table->columnCount(), 20);
        table->setCellValue(0, 1, QVariant());
        table->setCellValue(0, 2, -1);
        const QVariantList stored = dialog.countDownTable();
        QCOMPARE(stored.size(), 18);
        QCOMPARE(stored.at(0).toMap().value("sg"), QVariant(1));
        QCOMPARE(stored.at(1).toMap().value("sg"), QVariant(4));
        QVERIFY(!stored.at(0).toMap().value("address").isValid());
        QVERIFY(stored.at(0).toMap().contains("address"));
    }

    // The paste of this table turns words into "1" or nothing.
    void pasteIsBoolMode()
    {
        CountDownTableDlg dialog(nullptr, {}, { "1" }, QStringLiteral("3.17"));
        TiverkEditTable *table = tableOf(dialog);
        table->setCurrentCell(1, 0);
        QGuiApplication::clipboard()->setText(QStringLiteral("true;7;no"));
        table->paste();
        QCOMPARE(table->cellValue(1, 0), QVariant("1"));
        QCOMPARE(table->cellValue(1, 1), QVariant("7"));
        QVERIFY(!table->cellValue(1, 2).isValid());
    }
};

PROJECT_TEST(TestCountDownTableDlg);
#include "tst_countdowntabledlg.moc"
