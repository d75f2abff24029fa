#include "cnf/cnfcontroller.h"
#include "keylistexchange.h"
#include "plivek/dialogs/controller/infopartparametersdlg.h"
#include "testmain.h"

#include <QComboBox>
#include <QStackedWidget>
#include <QtTest>

namespace {

const QStringList tiverkKeys { "receiver",   "asudd_type",    "table",     "priority_skip",
                               "vpu2",       "power_counter", "ups",       "dt_module1",
                               "dt_module2", "dt_module3",    "dt_module4" };
const QStringList adapterKeys { "MODEMTYPE", "HOST",     "PORT",     "TIMEZONE",
                                "USER",      "PASSWORD", "MODEMINIT" };

} // namespace

class TestInfoPartParametersDlg : public QObject
{
    Q_OBJECT
private slots:
    void pages_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("receivers");

        const QStringList all { "No", "Mayak", "GPS" };
        const QStringList withoutGps { "No", "Mayak" };
        QTest::newRow("tiverk 3.17") << "tiverk"
                                     << "3.17"
                                     << "page" << all;
        QTest::newRow("tiverk 3.15") << "tiverk"
                                     << "3.15"
                                     << "page" << withoutGps;
        QTest::newRow("adapter") << "adapter"
                                 << ""
                                 << "page_2" << all;
        // The version rules run for the adapter as well.
        QTest::newRow("adapter 3.14") << "adapter"
                                      << "3.14"
                                      << "page_2" << withoutGps;
        QTest::newRow("tiverkii") << "tiverkii"
                                  << ""
                                  << "page" << all;
        QTest::newRow("no type") << ""
                                 << "3.14"
                                 << "page" << withoutGps;
    }

    void pages()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(QString, page);
        QFETCH(QStringList, receivers);

        InfoPartParametersDlg dialog(nullptr, type, version);
        QCOMPARE(dialog.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))
                     ->currentWidget()
                     ->objectName(),
                 page);
        const auto *receiver = dialog.findChild<QComboBox *>(QStringLiteral("receiver"));
        QStringList texts;
        for (int i = 0; i < receiver->count(); ++i)
            texts << receiver->itemText(i);
        QCOMPARE(texts, receivers);
    }

    // The main window's key list through the dialog: hidden widgets stay
    // enabled, so what the version hides comes back as it was stored; a
    // receiver that the version no longer offers reads -1.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QVariantMap>("expected");

        const QVariantMap full {
            { "receiver", 1 },   { "asudd_type", 3 },    { "table", 1 },     { "priority_skip", 1 },
            { "vpu2", 1 },       { "power_counter", 1 }, { "ups", 1 },       { "dt_module1", 3 },
            { "dt_module2", 2 }, { "dt_module3", 1 },    { "dt_module4", 0 }
        };
        for (const char *version : { "3.14", "3.15", "3.16", "3.17", "3.18" })
            QTest::addRow("all kept under %s", version) << "tiverk" << version << full << full;

        QVariantMap gps = full;
        gps["receiver"] = 2;
        QVariantMap lost = gps;
        lost["receiver"] = -1;
        QTest::newRow("GPS under 3.14") << "tiverk"
                                        << "3.14" << gps << lost;
        QTest::newRow("GPS under 3.15") << "tiverk"
                                        << "3.15" << gps << lost;
        QTest::newRow("GPS under 3.16") << "tiverk"
                                        << "3.16" << gps << gps;

        QVariantMap absent;
        for (const QString &key : tiverkKeys)
            absent[key] = 0; // first choice or unticked
        QTest::newRow("nothing stored") << "tiverk"
                                        << "3.17" << QVariantMap() << absent;

        const QVariantMap modem { { "MODEMTYPE", 4 },
                                  { "HOST", "10.0.0.1" },
                                  { "PORT", 8080 },
                                  { "TIMEZONE", -3 },
                                  { "USER", "op" },
                                  { "PASSWORD", "secret" },
                                  { "MODEMINIT", "AT+CGDCONT=1\nATE0" } };
        QTest::newRow("adapter") << "adapter"
                                 << "" << modem << modem;
        QTest::newRow("adapter, nothing stored")
            << "adapter"
            << "" << QVariantMap()
            << QVariantMap { { "MODEMTYPE", 0 }, { "PORT", 0 }, { "TIMEZONE", 0 } };
    }

    void roundTrip()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(QVariantMap, stored);
        QFETCH(QVariantMap, expected);

        CnfController controller;
        controller.setProperty("type", type);
        controller.setProperty("version", version);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            controller.setNativeData(it.key(), it.value());

        InfoPartParametersDlg dialog(nullptr, type, version);
        const QStringList &keys = type == QLatin1String("adapter") ? adapterKeys : tiverkKeys;
        QCOMPARE(KeyListExchange::roundTrip(dialog, controller, keys), int(QDialog::Accepted));
        for (const QString &key : keys)
            QVERIFY2(controller.getNativeData(key) == expected.value(key), qPrintable(key));
    }
};

PROJECT_TEST(TestInfoPartParametersDlg);
#include "tst_infopartparametersdlg.moc"
