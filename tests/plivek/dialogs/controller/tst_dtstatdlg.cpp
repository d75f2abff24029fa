#include "cnf/cnfcontroller.h"
#include "keylistexchange.h"
#include "plivek/dialogs/controller/dtstatdlg.h"
#include "plivek/framework/tiverkedittable.h"
#include "testmain.h"

#include <QHeaderView>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

namespace {

const QStringList keys { "dtInternalStatPeriod", "dtGroupStatPeriod", "dtStat314", "dtStat317",
                         "dtStatPeriod" };

QString numbered(const char *text, int number)
{
    return QString::fromUtf8(text).arg(number);
}

QStringList headerTexts(const QTableWidget *table, Qt::Orientation orientation)
{
    QStringList texts;
    const int count = orientation == Qt::Horizontal ? table->columnCount() : table->rowCount();
    for (int i = 0; i < count; ++i) {
        const QTableWidgetItem *item = orientation == Qt::Horizontal
            ? table->horizontalHeaderItem(i)
            : table->verticalHeaderItem(i);
        texts << (item ? item->text() : QString());
    }
    return texts;
}

QVariantList rows(int count, const QVariantList &row)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list << QVariant(row);
    return list;
}

} // namespace

class TestDtStatDlg : public QObject
{
    Q_OBJECT
private slots:
    // The titles carry the numero sign U+2116, not "No".
    void tableTitles()
    {
        DtStatDlg dialog(nullptr, QStringLiteral("3.17"));
        const auto *records = dialog.findChild<TiverkEditTable *>(QStringLiteral("dtStat314"));
        const auto *groups = dialog.findChild<TiverkEditTable *>(QStringLiteral("dtStat317"));

        QCOMPARE(headerTexts(records, Qt::Horizontal),
                 QStringList { QString::fromUtf8("Record \u2116") });
        QStringList detectors;
        for (int i = 1; i <= 16; ++i)
            detectors << numbered("DT \u2116%1", i);
        QCOMPARE(headerTexts(records, Qt::Vertical), detectors);
        QVERIFY(records->verticalHeader()->isHidden());

        QCOMPARE(headerTexts(groups, Qt::Horizontal), detectors.mid(0, 8));
        QStringList groupTitles;
        for (int i = 1; i <= 8; ++i)
            groupTitles << QStringLiteral("Group %1").arg(i);
        QCOMPARE(headerTexts(groups, Qt::Vertical), groupTitles);
    }

    void periodsNotSet_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariant>("read");

        QTest::newRow("internal period 0")
            << "dtInternalStatPeriod" << QVariant(0) << "Not set" << QVariant();
        QTest::newRow("internal period absent")
            << "dtInternalStatPeriod" << QVariant() << "Not set" << QVariant();
        QTest::newRow("internal period 15")
            << "dtInternalStatPeriod" << QVariant(15) << "15min." << QVariant(15);
        QTest::newRow("group period absent")
            << "dtGroupStatPeriod" << QVariant() << "Not set" << QVariant();
        // The period of the older versions is always set.
        QTest::newRow("period absent") << "dtStatPeriod" << QVariant() << "1min." << QVariant(1);
    }

    void periodsNotSet()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QFETCH(QVariant, read);

        DtStatDlg dialog(nullptr, QStringLiteral("3.18"));
        dialog.setWidgetValue(key, stored);
        QCOMPARE(dialog.findChild<QSpinBox *>(key)->text(), shown);
        QCOMPARE(dialog.widgetValue(key), read);
    }

    // All five keys go through whatever page is shown; 255 cells and absent
    // tables come back as not-set cells.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QVariantMap>("expected");

        const QVariantList records = rows(16, { 3 });
        QVariantList groups = rows(8, { 1, 0, 1, 0, 1, 0, 1, 0 });
        const QVariantMap full { { "dtInternalStatPeriod", 5 },
                                 { "dtGroupStatPeriod", 10 },
                                 { "dtStat314", records },
                                 { "dtStat317", groups },
                                 { "dtStatPeriod", 30 } };
        QTest::newRow("3.18 keeps the older page") << "3.18" << full << full;
        QTest::newRow("3.16 keeps the newer page") << "3.16" << full << full;

        const QVariantList emptyRecords = rows(16, { QVariant() });
        const QVariantList emptyGroups = rows(8,
                                              { QVariant(), QVariant(), QVariant(), QVariant(),
                                                QVariant(), QVariant(), QVariant(), QVariant() });
        QTest::newRow("nothing stored") << "3.17" << QVariantMap()
                                        << QVariantMap { { "dtStat314", emptyRecords },
                                                         { "dtStat317", emptyGroups },
                                                         { "dtStatPeriod", 1 } };

        QVariantList with255 = emptyGroups;
        with255[0] = QVariantList { 255,        2,          QVariant(), QVariant(),
                                    QVariant(), QVariant(), QVariant(), 255 };
        QVariantList read255 = emptyGroups;
        read255[0] = QVariantList { QVariant(), 2,          QVariant(), QVariant(),
                                    QVariant(), QVariant(), QVariant(), QVariant() };
        QTest::newRow("255 cells")
            << "3.17" << QVariantMap { { "dtStat317", with255 }, { "dtStatPeriod", 1 } }
            << QVariantMap { { "dtStat314", emptyRecords },
                             { "dtStat317", read255 },
                             { "dtStatPeriod", 1 } };
    }

    void roundTrip()
    {
        QFETCH(QString, version);
        QFETCH(QVariantMap, stored);
        QFETCH(QVariantMap, expected);

        CnfController controller;
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            controller.setNativeData(it.key(), it.value());
        DtStatDlg dialog(nullptr, version);
        QCOMPARE(KeyListExchange::roundTrip(dialog, controller, keys), int(QDialog::Accepted));
        for (const QString &key : keys)
            QCOMPARE(controller.getNativeData(key), expected.value(key));
    }
};

PROJECT_TEST(TestDtStatDlg);
#include "tst_dtstatdlg.moc"
