#include "cnf/cnfcontroller.h"
#include "installedtranslation.h"
#include "keylistexchange.h"
#include "plivek/dialogs/controller/commonparametersdlg.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<CnfController> makeController(const QString &type, const QString &version)
{
    auto controller = std::make_unique<CnfController>();
    controller->setProperty("type", type);
    controller->setProperty("version", version);
    return controller;
}

QStringList itemTexts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

const QStringList powerSwitchChoices { "one",          "two",          "only network monitoring",
                                       "no",           "PWR_C - 1pc.", "PWR_C - 2pc.",
                                       "PWR_C - 3pc.", "PWR_C - 4pc.", "PWR_C - 5pc.",
                                       "PWR_C - 6pc.", "PWR_C - 7pc." };
const QStringList expansionCaseChoices { "no", "yes" };

// The widgets that only TIVERK shows besides its page.
const QStringList tiverkOnly { "creationTime",    "creationTimeLabel", "changeTime",
                               "changeTimeLabel", "versionList",       "versionListLabel" };

} // namespace

class TestCommonParametersDlg : public QObject
{
    Q_OBJECT
private slots:
    void families_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("powerLabel");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QStringList>("versions");
        QTest::addColumn<bool>("tableFlip");
        QTest::addColumn<bool>("tiverkRowsHidden");

        const QStringList known { "3.14", "3.15", "3.16", "3.17", "3.18" };
        QTest::newRow("tiverk 3.14")
            << "tiverk"
            << "3.14" << 0 << "Expansion case:" << expansionCaseChoices << known << false << false;
        QTest::newRow("tiverk 3.16")
            << "tiverk"
            << "3.16" << 0 << "Expansion case:" << expansionCaseChoices << known << false << false;
        QTest::newRow("tiverk 3.17")
            << "tiverk"
            << "3.17" << 0 << "Power switch:" << powerSwitchChoices << known << false << false;
        QTest::newRow("tiverk 3.18")
            << "tiverk"
            << "3.18" << 0 << "Power switch:" << powerSwitchChoices << known << true << false;
        QTest::newRow("tiverk unknown 3.9") << "tiverk"
                                            << "3.9" << 0 << "Power switch:" << powerSwitchChoices
                                            << QStringList { "3.9" } + known << false << false;
        QTest::newRow("tiverk empty version") << "tiverk"
                                              << "" << 0 << "Power switch:" << powerSwitchChoices
                                              << QStringList { "" } + known << false << false;
        QTest::newRow("adapter") << "adapter"
                                 << "" << 1 << "Power switch:" << QStringList() << known << true
                                 << true;
        QTest::newRow("tiverkii") << "tiverkii"
                                  << "" << 2 << "Power switch:" << QStringList() << known << true
                                  << true;
        QTest::newRow("unknown type")
            << "other"
            << "3.18" << 1 << "Power switch:" << QStringList() << known << true << true;
    }

    // The page, the power-switch row, the version list and the rows that a
    // family or version does not have.
    void families()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(int, page);
        QFETCH(QString, powerLabel);
        QFETCH(QStringList, choices);
        QFETCH(QStringList, versions);
        QFETCH(bool, tableFlip);
        QFETCH(bool, tiverkRowsHidden);

        auto controller = makeController(type, version);
        CommonParametersDlg dialog(nullptr, controller.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Common parameters"));
        QCOMPARE(
            dialog.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentIndex(),
            page);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("powerSwitchLabel"))->text(),
                 powerLabel);
        const auto *powerSwitch = dialog.findChild<QComboBox *>(QStringLiteral("powerSwitch"));
        QCOMPARE(itemTexts(powerSwitch), choices);
        QCOMPARE(powerSwitch->currentIndex(), choices.isEmpty() ? -1 : 0);
        const auto *versionList = dialog.findChild<QComboBox *>(QStringLiteral("versionList"));
        QCOMPARE(itemTexts(versionList), versions);
        if (page == 0)
            QCOMPARE(dialog.widgetValue(QStringLiteral("versionList"), "currentText"),
                     QVariant(version));

        QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("table_flip")) != nullptr, tableFlip);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("table_flipLabel")) != nullptr,
                 tableFlip);
        for (const QString &name : tiverkOnly)
            QVERIFY2(dialog.findChild<QWidget *>(name)->isHidden() == tiverkRowsHidden,
                     qPrintable(name));
        // The interstates are never shown; only TIVERK disables them.
        auto *interstates = dialog.findChild<QGroupBox *>(QStringLiteral("globalInterstates"));
        QCOMPARE(interstates->isHidden(), page == 0);
        QCOMPARE(interstates->isEnabled(), page != 0);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!interstates->isVisible());
        for (const char *name : { "number", "description" })
            QVERIFY2(dialog.findChild<QWidget *>(QLatin1String(name))->isVisible(), name);
    }

    // Choosing a version refills the power-switch choices and selects the
    // first, whatever was chosen before.
    void versionSwitch()
    {
        auto controller = makeController(QStringLiteral("tiverk"), QStringLiteral("3.18"));
        CommonParametersDlg dialog(nullptr, controller.get());
        auto *versionList = dialog.findChild<QComboBox *>(QStringLiteral("versionList"));
        auto *powerSwitch = dialog.findChild<QComboBox *>(QStringLiteral("powerSwitch"));
        const auto *label = dialog.findChild<QLabel *>(QStringLiteral("powerSwitchLabel"));

        dialog.setWidgetValue(QStringLiteral("powerSwitch"), 6);
        QCOMPARE(powerSwitch->currentIndex(), 6);
        versionList->setCurrentText(QStringLiteral("3.15"));
        QCOMPARE(label->text(), QStringLiteral("Expansion case:"));
        QCOMPARE(itemTexts(powerSwitch), expansionCaseChoices);
        dialog.setWidgetValue(QStringLiteral("powerSwitch"), 1);
        versionList->setCurrentText(QStringLiteral("3.16"));
        QCOMPARE(itemTexts(powerSwitch), expansionCaseChoices);
        QCOMPARE(dialog.widgetValue(QStringLiteral("powerSwitch")), QVariant(0));
        dialog.setWidgetValue(QStringLiteral("powerSwitch"), 1);
        versionList->setCurrentText(QStringLiteral("3.17"));
        QCOMPARE(label->text(), QStringLiteral("Power switch:"));
        QCOMPARE(itemTexts(powerSwitch), powerSwitchChoices);
        QCOMPARE(dialog.widgetValue(QStringLiteral("powerSwitch")), QVariant(0));
        QCOMPARE(dialog.widgetValue(QStringLiteral("versionList"), "currentText"),
                 QVariant("3.17"));
        // The row of the countdown blinking follows the opening version only.
        QVERIFY(dialog.findChild<QSpinBox *>(QStringLiteral("table_flip")));
    }

    void notSetReadings_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("loaded");
        QTest::addColumn<QString>("shownText");

        QTest::newRow("table_flip at -1") << "tiverk"
                                          << "table_flip" << QVariant(-1) << "not set";
        QTest::newRow("table_flip absent") << "tiverk"
                                           << "table_flip" << QVariant() << "not set";
        QTest::newRow("journalDetail at 24") << "tiverk"
                                             << "journalDetail" << QVariant(24) << "255";
        QTest::newRow("journalDetail absent") << "tiverk"
                                              << "journalDetail" << QVariant() << "255";
        QTest::newRow("interstate green blinking") << "tiverk"
                                                   << "is_greenBlink" << QVariant(1) << "1sec.";
        QTest::newRow("interstate yellow") << "tiverk"
                                           << "is_yellow" << QVariant(0) << "0sec.";
        QTest::newRow("interstate red-yellow") << "tiverk"
                                               << "is_redYellow" << QVariant(1) << "1sec.";
    }

    void notSetReadings()
    {
        QFETCH(QString, type);
        QFETCH(QString, key);
        QFETCH(QVariant, loaded);
        QFETCH(QString, shownText);

        auto controller = makeController(type, QStringLiteral("3.18"));
        CommonParametersDlg dialog(nullptr, controller.get());
        dialog.setWidgetValue(key, loaded);
        QCOMPARE(dialog.findChild<QSpinBox *>(key)->text(), shownText);
        QVERIFY(!dialog.widgetValue(key).isValid());
    }

    // Outside TIVERK the interstate flags are enabled on the page that is not
    // shown, and read back what was loaded.
    void interstatesOfOtherFamilies_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("adapter") << "adapter";
        QTest::newRow("tiverkii") << "tiverkii";
    }

    void interstatesOfOtherFamilies()
    {
        QFETCH(QString, type);

        auto controller = makeController(type, QString());
        CommonParametersDlg dialog(nullptr, controller.get());
        dialog.setWidgetValue(QStringLiteral("is_greenBlink"), 1);
        dialog.setWidgetValue(QStringLiteral("is_yellow"), 0);
        dialog.setWidgetValue(QStringLiteral("is_redYellow"), 1);
        QCOMPARE(dialog.widgetValue(QStringLiteral("is_greenBlink")), QVariant(1));
        QCOMPARE(dialog.widgetValue(QStringLiteral("is_yellow")), QVariant(0));
        QCOMPARE(dialog.widgetValue(QStringLiteral("is_redYellow")), QVariant(1));
    }

    // An unticked "MFU Signal" disables everything inside it, the ticked
    // "Signal2" group included.
    void untickedSignalModule()
    {
        auto controller = makeController(QStringLiteral("tiverkii"), QString());
        CommonParametersDlg dialog(nullptr, controller.get());
        const QStringList inside { "mfu_signal_port", "mfu_signal2", "mfu_signal2_port",
                                   "mfu_signal2_port_speed" };
        QCOMPARE(dialog.findChild<QGroupBox *>(QStringLiteral("mfu_signal2"))
                     ->parentWidget()
                     ->objectName(),
                 QStringLiteral("mfu_signal"));

        dialog.setWidgetValue(QStringLiteral("mfu_signal"), true);
        dialog.setWidgetValue(QStringLiteral("mfu_signal_port"), QStringLiteral("/dev/ttyACM1"));
        dialog.setWidgetValue(QStringLiteral("mfu_signal2"), true);
        dialog.setWidgetValue(QStringLiteral("mfu_signal2_port"), QStringLiteral("/dev/ttyS3"));
        dialog.setWidgetValue(QStringLiteral("mfu_signal2_port_speed"), 19200);
        QCOMPARE(dialog.widgetValue(QStringLiteral("mfu_signal")), QVariant(1));
        QCOMPARE(dialog.widgetValue(QStringLiteral("mfu_signal_port")), QVariant("/dev/ttyACM1"));
        QCOMPARE(dialog.widgetValue(QStringLiteral("mfu_signal2")), QVariant(1));
        QCOMPARE(dialog.widgetValue(QStringLiteral("mfu_signal2_port")), QVariant("/dev/ttyS3"));
        QCOMPARE(dialog.widgetValue(QStringLiteral("mfu_signal2_port_speed")), QVariant(19200));

        dialog.findChild<QGroupBox *>(QStringLiteral("mfu_signal"))->setChecked(false);
        QCOMPARE(dialog.widgetValue(QStringLiteral("mfu_signal")), QVariant(0));
        for (const QString &name : inside)
            QVERIFY2(!dialog.widgetValue(name).isValid(), qPrintable(name));
    }

    // The units are English in the form and Russian in the Russian interface.
    void unitTexts_data()
    {
        QTest::addColumn<bool>("russian");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("amperes");
        QTest::newRow("English") << false << "sec."
                                 << "A";
        QTest::newRow("Russian") << true << QString::fromUtf8("сек.") << QString::fromUtf8("А");
    }

    void unitTexts()
    {
        QFETCH(bool, russian);
        QFETCH(QString, seconds);
        QFETCH(QString, amperes);
        const TestSupport::InstalledTranslation translation(russian ? QStringLiteral("plivek_ru")
                                                                    : QString());
        QVERIFY(translation.isLoaded());
        auto controller = makeController(QStringLiteral("tiverk"), QStringLiteral("3.18"));
        CommonParametersDlg dialog(nullptr, controller.get());
        for (const char *name : { "startup_yf", "startup_rr", "table_flip", "is_yellow" })
            QCOMPARE(dialog.findChild<QSpinBox *>(QLatin1String(name))->suffix(), seconds);
        QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("maxCurrent"))->suffix(), amperes);
    }

    void fieldDefaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");

        QTest::newRow("number") << "number" << 0 << 65535 << 1;
        QTest::newRow("startup_yf") << "startup_yf" << 0 << 60 << 4;
        QTest::newRow("startup_rr") << "startup_rr" << 0 << 60 << 2;
        QTest::newRow("table_flip") << "table_flip" << -1 << 10 << -1;
        QTest::newRow("maxCurrent") << "maxCurrent" << 5 << 50 << 15;
        QTest::newRow("journalDetail") << "journalDetail" << 24 << 255 << 255;
        QTest::newRow("is_greenBlink") << "is_greenBlink" << 0 << 60 << 4;
        QTest::newRow("mfu_signal2_port_speed") << "mfu_signal2_port_speed" << 0 << 999999 << 9600;
    }

    void fieldDefaults()
    {
        QFETCH(QString, name);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);

        auto controller = makeController(QStringLiteral("tiverk"), QStringLiteral("3.18"));
        CommonParametersDlg dialog(nullptr, controller.get());
        const auto *box = dialog.findChild<QSpinBox *>(name);
        QVERIFY(box);
        QCOMPARE(box->minimum(), minimum);
        QCOMPARE(box->maximum(), maximum);
        QCOMPARE(box->value(), value);
        QCOMPARE(box->buttonSymbols(), QAbstractSpinBox::NoButtons);
    }

    // The family's keys, loaded as the main window loads them and read back
    // after OK: what the user did not touch comes back unchanged, a key the
    // configuration lacks comes back as the field's not-set or first value.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QVariantMap>("loaded");
        QTest::addColumn<QVariantMap>("read");

        const QVariantMap tiverk { { "number", 17 },
                                   { "description", "Main st." },
                                   { "creationTime", "01.02.2020 10:00" },
                                   { "changeTime", "03.04.2021 11:30" },
                                   { "maxCurrent", 20 },
                                   { "journalDetail", 60 },
                                   { "powerSwitch", 5 },
                                   { "startup_yf", 6 },
                                   { "startup_rr", 3 },
                                   { "table_flip", 2 } };
        QTest::newRow("tiverk") << "tiverk" << tiverk << tiverk;
        QTest::newRow("tiverk lacking keys")
            << "tiverk"
            << QVariantMap { { "description", QVariant() },   { "maxCurrent", QVariant() },
                             { "journalDetail", QVariant() }, { "powerSwitch", QVariant() },
                             { "table_flip", QVariant() },    { "changeTime", QVariant() } }
            << QVariantMap { { "description", QVariant() },   { "maxCurrent", 5 },
                             { "journalDetail", QVariant() }, { "powerSwitch", 0 },
                             { "table_flip", QVariant() },    { "changeTime", QVariant() } };
        const QVariantMap adapter {
            { "number", 3 }, { "description", "Adapter" }, { "DEVICE", 2 }, { "SCHEDULING", 1 }
        };
        QTest::newRow("adapter") << "adapter" << adapter << adapter;
        const QVariantMap tiverkII { { "number", 65535 },
                                     { "name", "North" },
                                     { "mfu_signal", 1 },
                                     { "mfu_signal_port", "/dev/ttyACM2" },
                                     { "mfu_signal2", 0 } };
        QTest::newRow("tiverkii") << "tiverkii" << tiverkII << tiverkII;
    }

    void roundTrip()
    {
        QFETCH(QString, type);
        QFETCH(QVariantMap, loaded);
        QFETCH(QVariantMap, read);

        auto controller = makeController(type, QStringLiteral("3.18"));
        CommonParametersDlg dialog(nullptr, controller.get());
        dialog.mapToWidgets(loaded);
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        for (auto it = read.cbegin(); it != read.cend(); ++it)
            QVERIFY2(dialog.widgetValue(it.key()) == it.value(), qPrintable(it.key()));
    }

    void cancel()
    {
        auto controller = makeController(QStringLiteral("tiverk"), QStringLiteral("3.17"));
        CommonParametersDlg dialog(nullptr, controller.get());
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Cancel), int(QDialog::Rejected));
        QCOMPARE(controller->property("version"), QVariant("3.17"));
    }
};

PROJECT_TEST(TestCommonParametersDlg);
#include "tst_commonparametersdlg.moc"
