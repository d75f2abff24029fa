#include "cnf/cnfcontroller.h"
#include "keylistexchange.h"
#include "plivek/dialogs/controller/synchronizerdlg.h"
#include "testmain.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QtTest>

namespace {

const QStringList keys { "sync_frequency", "sync_timeCorrection", "sync_timezoneCorrection",
                         "sync_summerTime" };

} // namespace

class TestSynchronizerDlg : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        SynchronizerDlg dialog(nullptr, 0);
        auto *summerTime = dialog.findChild<QCheckBox *>(QStringLiteral("sync_summerTime"));
        QVERIFY(summerTime->isTristate());
        QCOMPARE(summerTime->text(), QStringLiteral("Daylight saving time"));
        const auto *frequency = dialog.findChild<QSpinBox *>(QStringLiteral("sync_frequency"));
        QCOMPARE(frequency->suffix(), QStringLiteral("KHz"));
        QCOMPARE(frequency->text(), QStringLiteral("Not set"));
    }

    // Hidden fields stay enabled: whatever the receiver, all four keys come
    // back as they were stored, and not set stays not set.
    void roundTrip_data()
    {
        QTest::addColumn<int>("receiver");
        QTest::addColumn<QVariantMap>("stored");

        const QVariantMap set { { "sync_frequency", 1000 },
                                { "sync_timeCorrection", 3 },
                                { "sync_timezoneCorrection", -5 },
                                { "sync_summerTime", 1 } };
        const QVariantMap unset { { "sync_frequency", 499 },
                                  { "sync_timeCorrection", -1 },
                                  { "sync_timezoneCorrection", -13 } };
        for (int receiver : { 0, 1, 2, 5 }) {
            QTest::addRow("receiver %d, set", receiver) << receiver << set;
            QTest::addRow("receiver %d, nothing stored", receiver) << receiver << QVariantMap();
            QTest::addRow("receiver %d, lowest values", receiver) << receiver << unset;
        }
        QTest::newRow("summer time off") << 2 << QVariantMap { { "sync_summerTime", 0 } };
    }

    void roundTrip()
    {
        QFETCH(int, receiver);
        QFETCH(QVariantMap, stored);

        CnfController controller;
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            controller.setNativeData(it.key(), it.value());
        SynchronizerDlg dialog(nullptr, receiver);
        QCOMPARE(KeyListExchange::roundTrip(dialog, controller, keys), int(QDialog::Accepted));
        for (const QString &key : keys) {
            // The lowest value of each spin box is its "Not set".
            const bool lowest = stored.value(key) == QVariant(499)
                || stored.value(key) == QVariant(-1) || stored.value(key) == QVariant(-13);
            QCOMPARE(controller.getNativeData(key), lowest ? QVariant() : stored.value(key));
        }
    }

    // A partly ticked "Daylight saving time" stores not set, a ticked or
    // unticked one 1 or 0.
    void partlyTicked()
    {
        CnfController controller;
        controller.setNativeData(QStringLiteral("sync_summerTime"), 1);
        SynchronizerDlg dialog(nullptr, 2);
        KeyListExchange::load(dialog, controller, keys);
        auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("sync_summerTime"));
        QCOMPARE(box->checkState(), Qt::Checked);
        box->setCheckState(Qt::PartiallyChecked);
        KeyListExchange::store(dialog, controller, keys);
        QVERIFY(!controller.getNativeData(QStringLiteral("sync_summerTime")).isValid());
        box->setCheckState(Qt::Unchecked);
        KeyListExchange::store(dialog, controller, keys);
        QCOMPARE(controller.getNativeData(QStringLiteral("sync_summerTime")), QVariant(0));
    }
};

PROJECT_TEST(TestSynchronizerDlg);
#include "tst_synchronizerdlg.moc"
