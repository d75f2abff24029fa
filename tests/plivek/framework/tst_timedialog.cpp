#include "plivek/framework/timedialog.h"
#include "testmain.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QtTest>

namespace {

template<typename T> T *child(const QDialog &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

// Runs the dialog and presses OK once it is shown, as a user would.
int execAndPressOk(TimeDialog &dialog)
{
    QTimer::singleShot(0, &dialog, [&dialog] {
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton"), Qt::LeftButton);
    });
    return dialog.exec();
}

} // namespace

class TestTimeDialog : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        TimeDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Program duration"));
        QVERIFY(child<QRadioButton>(dialog, "always")->isChecked());
        QVERIFY(!child<QTimeEdit>(dialog, "period")->isEnabled());
        QCOMPARE(child<QTimeEdit>(dialog, "period")->time(), QTime(1, 0));
        auto *presets = child<QComboBox>(dialog, "timePresets");
        QVERIFY(!presets->isEnabled());
        QCOMPARE(presets->currentIndex(), -1);
        QCOMPARE(presets->count(), 4);
        QCOMPARE(presets->itemText(3), QStringLiteral("1 hour."));
        const QStringList presetTexts { "5 min.", "10 min.", "30 min.", "1 hour." };
        for (int i = 0; i < presetTexts.size(); ++i)
            QCOMPARE(presets->itemText(i), presetTexts.at(i));
        QCOMPARE(dialog.size(), QSize(504, 153));
        for (const char *name : { "gridLayout", "horizontalLayout", "horizontalLayout_2" })
            QVERIFY2(dialog.findChild<QLayout *>(QLatin1String(name)), name);
        QVERIFY(!child<QDateTimeEdit>(dialog, "endTime")->isEnabled());
        QVERIFY(child<QPushButton>(dialog, "pushButton")->isDefault());
        QCOMPARE(child<QPushButton>(dialog, "pushButton_2")->text(), QStringLiteral("Cancel"));
    }

    // The texts and settings of the form's widgets, by object name.
    void formProperties_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");

        const QByteArray text("text");
        QTest::newRow("label") << "label" << text << QVariant("Set duration of the program:");
        QTest::newRow("onTime") << "onTime" << text
                                << QVariant("for a predetermined time (horus:minutes)");
        QTest::newRow("beforeTime")
            << "beforeTime" << text << QVariant("until a predetermined time (horus:minutes)");
        QTest::newRow("always") << "always" << text
                                << QVariant("permanently (until manually canceled)");
        QTest::newRow("pushButton") << "pushButton" << text << QVariant("OK");
        QTest::newRow("pushButton_2") << "pushButton_2" << text << QVariant("Cancel");
        QTest::newRow("period format")
            << "period" << QByteArray("displayFormat") << QVariant("HH:mm");
        QTest::newRow("endTime format")
            << "endTime" << QByteArray("displayFormat") << QVariant("dd.MM.yyyy H:mm");
        QTest::newRow("endTime calendar")
            << "endTime" << QByteArray("calendarPopup") << QVariant(true);
        QTest::newRow("presets not editable")
            << "timePresets" << QByteArray("editable") << QVariant(false);
        QTest::newRow("presets framed") << "timePresets" << QByteArray("frame") << QVariant(true);
    }

    void formProperties()
    {
        QFETCH(QString, object);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);

        TimeDialog dialog;
        const QWidget *widget = dialog.findChild<QWidget *>(object);
        QVERIFY(widget);
        QCOMPARE(widget->property(property.constData()), value);
    }

    void radioButtonsEnableTheirEditors()
    {
        TimeDialog dialog;
        child<QRadioButton>(dialog, "onTime")->click();
        QVERIFY(child<QTimeEdit>(dialog, "period")->isEnabled());
        QVERIFY(child<QComboBox>(dialog, "timePresets")->isEnabled());
        QVERIFY(!child<QDateTimeEdit>(dialog, "endTime")->isEnabled());
        child<QRadioButton>(dialog, "beforeTime")->click();
        QVERIFY(!child<QTimeEdit>(dialog, "period")->isEnabled());
        QVERIFY(child<QDateTimeEdit>(dialog, "endTime")->isEnabled());
        QVERIFY(!child<QRadioButton>(dialog, "onTime")->isChecked());
    }

    void unchangedGivesPermanently()
    {
        TimeDialog dialog;
        QCOMPARE(execAndPressOk(dialog), int(QDialog::Accepted));
        QVERIFY(dialog.dateTime().isNull());
    }

    void cancelRejects()
    {
        TimeDialog dialog;
        QTimer::singleShot(0, &dialog, [&dialog] {
            QTest::mouseClick(child<QPushButton>(dialog, "pushButton_2"), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }

    // Period chosen by preset, by hand, or both: the result is now + period.
    void period_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QTime>("typed");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("presetAfter");

        QTest::newRow("initial period") << -1 << QTime() << 3600 << -1;
        QTest::newRow("5 min.") << 0 << QTime() << 300 << 0;
        QTest::newRow("10 min.") << 1 << QTime() << 600 << 1;
        QTest::newRow("30 min.") << 2 << QTime() << 1800 << 2;
        QTest::newRow("1 hour.") << 3 << QTime() << 3600 << 3;
        QTest::newRow("typed 01:30") << -1 << QTime(1, 30) << 5400 << -1;
        QTest::newRow("preset then typed") << 2 << QTime(0, 45) << 2700 << -1;
    }
    void period()
    {
        QFETCH(int, preset);
        QFETCH(QTime, typed);
        QFETCH(int, seconds);
        QFETCH(int, presetAfter);

        TimeDialog dialog;
        child<QRadioButton>(dialog, "onTime")->click();
        auto *presets = child<QComboBox>(dialog, "timePresets");
        auto *period = child<QTimeEdit>(dialog, "period");
        if (preset >= 0)
            presets->setCurrentIndex(preset);
        if (typed.isValid())
            period->setTime(typed);
        QCOMPARE(presets->currentIndex(), presetAfter);

        QCOMPARE(execAndPressOk(dialog), int(QDialog::Accepted));
        const QDateTime before = QDateTime::currentDateTime();
        const QDateTime result = dialog.dateTime();
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(result >= before.addSecs(seconds));
        QVERIFY(result <= after.addSecs(seconds));
    }

    void endCountsFromConstruction()
    {
        const QDateTime before = QDateTime::currentDateTime();
        TimeDialog dialog;
        const QDateTime after = QDateTime::currentDateTime();
        child<QRadioButton>(dialog, "beforeTime")->click();
        QCOMPARE(execAndPressOk(dialog), int(QDialog::Accepted));
        const QDateTime result = dialog.dateTime();
        // The edit shows minutes, so allow the seconds to be cut off.
        QVERIFY(result >= before.addSecs(3600 - 60));
        QVERIFY(result <= after.addSecs(3600));
    }

    void setDateTime_data()
    {
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<bool>("fixedEnd");

        QTest::newRow("null leaves permanently") << QDateTime() << false;
        QTest::newRow("future") << QDateTime(QDate(2031, 5, 4), QTime(17, 30)) << true;
        QTest::newRow("past shown unchanged") << QDateTime(QDate(2001, 1, 2), QTime(3, 4)) << true;
    }
    void setDateTime()
    {
        QFETCH(QDateTime, end);
        QFETCH(bool, fixedEnd);

        TimeDialog dialog;
        dialog.setDateTime(end);
        QCOMPARE(child<QRadioButton>(dialog, "beforeTime")->isChecked(), fixedEnd);
        QCOMPARE(child<QDateTimeEdit>(dialog, "endTime")->isEnabled(), fixedEnd);
        QCOMPARE(child<QRadioButton>(dialog, "always")->isChecked(), !fixedEnd);
        QCOMPARE(execAndPressOk(dialog), int(QDialog::Accepted));
        QCOMPARE(dialog.dateTime(), end);
    }
};

PROJECT_TEST(TestTimeDialog);
#include "tst_timedialog.moc"
