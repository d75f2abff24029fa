#include "plivek/dialogs/controller/dtstatdlg.h"
#include "plivek/dialogs/controller/infopartparametersdlg.h"
#include "plivek/dialogs/controller/synchronizerdlg.h"
#include "plivek/framework/tiverkedittable.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

namespace {

// The dialog is shown so that visibility is that of the screen.
template<typename Dialog> void showDialog(Dialog &dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

bool isShown(const QWidget &dialog, const char *name)
{
    const QWidget *widget = dialog.findChild<QWidget *>(QLatin1String(name));
    return widget && widget->isVisible();
}

int pressOk(QDialog &dialog)
{
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    return dialog.exec();
}

} // namespace

// The dialogs whose widgets the main window fills and reads back by key name.
class TestKeyDialogs : public QObject
{
    Q_OBJECT
private slots:
    void infoPartVersions_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<int>("receivers");

        QTest::newRow("3.17") << "tiverk"
                              << "3.17"
                              << QStringList { "power_counter", "ups", "priority_skip", "vpu2",
                                               "receiver" }
                              << QStringList { "MODEMTYPE" } << 3;
        QTest::newRow("3.18") << "tiverk"
                              << "3.18" << QStringList { "priority_skip", "vpu2" }
                              << QStringList { "power_counter", "ups" } << 3;
        QTest::newRow("3.16") << "tiverk"
                              << "3.16" << QStringList { "vpu2" }
                              << QStringList { "priority_skip", "ups" } << 3;
        QTest::newRow("3.15") << "tiverk"
                              << "3.15" << QStringList { "priority_skip" } << QStringList { "vpu2" }
                              << 2;
        QTest::newRow("adapter") << "adapter"
                                 << "3.17"
                                 << QStringList { "MODEMTYPE", "HOST", "PORT", "MODEMINIT" }
                                 << QStringList { "receiver" } << 3;
    }

    void infoPartVersions()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        QFETCH(int, receivers);

        InfoPartParametersDlg dialog(nullptr, type, version);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Content of the information part"));
        showDialog(dialog);
        for (const QString &name : shown)
            QVERIFY2(isShown(dialog, qPrintable(name)), qPrintable(name));
        for (const QString &name : hidden)
            QVERIFY2(!isShown(dialog, qPrintable(name)), qPrintable(name));
        QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("receiver"))->count(), receivers);
    }

    // Hidden widgets stay enabled: what was loaded comes back; a receiver
    // choice that the version lacks reads -1.
    void infoPartPassesHiddenValues()
    {
        InfoPartParametersDlg dialog(nullptr, QStringLiteral("tiverk"), QStringLiteral("3.14"));
        dialog.setWidgetValue(QStringLiteral("ups"), 1);
        dialog.setWidgetValue(QStringLiteral("receiver"), 2);
        dialog.setWidgetValue(QStringLiteral("USER"), QVariant());
        dialog.setWidgetValue(QStringLiteral("TIMEZONE"), QVariant());
        QCOMPARE(pressOk(dialog), int(QDialog::Accepted));
        QCOMPARE(dialog.widgetValue(QStringLiteral("ups")), QVariant(1));
        QCOMPARE(dialog.widgetValue(QStringLiteral("receiver")), QVariant(-1));
        QVERIFY(!dialog.widgetValue(QStringLiteral("USER")).isValid());
        QCOMPARE(dialog.widgetValue(QStringLiteral("TIMEZONE")), QVariant(0));
    }

    void dtStatPages_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("groups");

        QTest::newRow("3.17") << "3.17" << true;
        QTest::newRow("3.18") << "3.18" << true;
        QTest::newRow("3.16") << "3.16" << false;
        QTest::newRow("empty") << "" << false;
    }

    void dtStatPages()
    {
        QFETCH(QString, version);
        QFETCH(bool, groups);

        DtStatDlg dialog(nullptr, version);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Statistics of detectors"));
        const auto *pages = dialog.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        QCOMPARE(pages->currentWidget()->objectName(),
                 groups ? QStringLiteral("page_2") : QStringLiteral("page"));
    }

    // Loading nothing shows the defaults; every key reads back on either page.
    void dtStatNotSet()
    {
        DtStatDlg dialog(nullptr, QStringLiteral("3.18"));
        for (const char *key : { "dtInternalStatPeriod", "dtGroupStatPeriod", "dtStatPeriod",
                                 "dtStat314", "dtStat317" })
            dialog.setWidgetValue(QLatin1String(key), QVariant());
        QVERIFY(!dialog.widgetValue(QStringLiteral("dtInternalStatPeriod")).isValid());
        QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("dtInternalStatPeriod"))->text(),
                 QStringLiteral("Not set"));
        QCOMPARE(dialog.widgetValue(QStringLiteral("dtStatPeriod")), QVariant(1));
        const QVariantList records = dialog.widgetValue(QStringLiteral("dtStat314")).toList();
        QCOMPARE(records.size(), 16);
        QCOMPARE(records.first().toList().size(), 1);
        QVERIFY(!records.first().toList().first().isValid());
        const QVariantList groups = dialog.widgetValue(QStringLiteral("dtStat317")).toList();
        QCOMPARE(groups.size(), 8);
        QCOMPARE(groups.last().toList().size(), 8);

        dialog.setWidgetValue(QStringLiteral("dtStat317"),
                              QVariantList { QVariantList { 255, 3 } });
        const QVariantList first
            = dialog.widgetValue(QStringLiteral("dtStat317")).toList().first().toList();
        QVERIFY(!first.at(0).isValid());
        QCOMPARE(first.at(1), QVariant(3));
        auto *table = dialog.findChild<TiverkEditTable *>(QStringLiteral("dtStat314"));
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QString::fromUtf8("Record \u2116"));
    }

    void synchronizerReceivers_data()
    {
        QTest::addColumn<int>("receiver");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");

        const QStringList mayak { "sync_frequency", "frequencyLabel", "sync_timeCorrection",
                                  "timeCorrectionLabel" };
        const QStringList gps { "sync_timezoneCorrection", "timezoneCorrectionLabel",
                                "sync_summerTime" };
        QTest::newRow("no receiver") << 0 << mayak + gps << QStringList();
        QTest::newRow("Mayak") << 1 << mayak << gps;
        QTest::newRow("GPS") << 2 << gps << mayak;
        QTest::newRow("unknown") << 7 << mayak + gps << QStringList();
    }

    void synchronizerReceivers()
    {
        QFETCH(int, receiver);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);

        SynchronizerDlg dialog(nullptr, receiver);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Parameters of synchronizer"));
        showDialog(dialog);
        for (const QString &name : shown)
            QVERIFY2(isShown(dialog, qPrintable(name)), qPrintable(name));
        for (const QString &name : hidden)
            QVERIFY2(!isShown(dialog, qPrintable(name)), qPrintable(name));
    }

    void synchronizerNotSet()
    {
        SynchronizerDlg dialog(nullptr, 1);
        for (const char *key : { "sync_frequency", "sync_timeCorrection", "sync_timezoneCorrection",
                                 "sync_summerTime" })
            dialog.setWidgetValue(QLatin1String(key), QVariant());
        QCOMPARE(dialog.findChild<QCheckBox *>(QStringLiteral("sync_summerTime"))->checkState(),
                 Qt::PartiallyChecked);
        for (const char *key : { "sync_frequency", "sync_timeCorrection", "sync_timezoneCorrection",
                                 "sync_summerTime" })
            QVERIFY2(!dialog.widgetValue(QLatin1String(key)).isValid(), key);
        dialog.setWidgetValue(QStringLiteral("sync_timezoneCorrection"), -12);
        dialog.setWidgetValue(QStringLiteral("sync_frequency"), 500);
        QCOMPARE(dialog.widgetValue(QStringLiteral("sync_timezoneCorrection")), QVariant(-12));
        QCOMPARE(dialog.widgetValue(QStringLiteral("sync_frequency")), QVariant(500));
    }
};

PROJECT_TEST(TestKeyDialogs);
#include "tst_keydialogs.moc"
