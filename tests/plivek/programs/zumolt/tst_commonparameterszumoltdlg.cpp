#include "plivek/programs/zumolt/commonparameterszu_moltdlg.h"
#include "testmain.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

class TestCommonParametersZuMoltDlg : public QObject
{
    Q_OBJECT
private slots:
    // A key the configuration lacks shows "not set" and reads unset after an
    // unchanged accept; values come back as they went in.
    void notSetStaysUnset_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("time zone unset") << "timeZone" << QVariant();
        QTest::newRow("time zone -12") << "timeZone" << QVariant(-12);
        QTest::newRow("maximum current unset") << "maxCurrent" << QVariant();
        QTest::newRow("maximum current 0") << "maxCurrent" << QVariant(0);
        QTest::newRow("all red unset") << "allRed" << QVariant();
        QTest::newRow("amber blink 60") << "amberBlink" << QVariant(60);
        QTest::newRow("number 0") << "number" << QVariant(0);
    }

    void notSetStaysUnset()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        CommonParametersZU_MOLTDlg dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Common parameters"));
        dialog.setWidgetValue(key, value);
        if (!value.isValid())
            QCOMPARE(dialog.findChild<QSpinBox *>(key)->text(), QStringLiteral("not set"));
        dialog.accept();
        QCOMPARE(dialog.widgetValue(key), value);
    }

    // -13 is the "not set" position of the time zone, never a value; the
    // description takes 64 characters and no more.
    void limits()
    {
        CommonParametersZU_MOLTDlg dialog(nullptr);
        dialog.show();
        auto *timeZone = dialog.findChild<QSpinBox *>(QStringLiteral("timeZone"));
        dialog.setWidgetValue(QStringLiteral("timeZone"), -13);
        QVERIFY(!dialog.widgetValue(QStringLiteral("timeZone")).isValid());
        timeZone->setValue(-14);
        QVERIFY(!dialog.widgetValue(QStringLiteral("timeZone")).isValid());
        QCOMPARE(timeZone->minimum(), -13);
        QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("number"))->value(), 1);

        auto *description = dialog.findChild<QLineEdit *>(QStringLiteral("description"));
        description->setFocus();
        QTest::keyClicks(description, QString(65, QLatin1Char('x')));
        QCOMPARE(description->text(), QString(64, QLatin1Char('x')));
    }
};

PROJECT_TEST(TestCommonParametersZuMoltDlg);
#include "tst_commonparameterszumoltdlg.moc"
