#include "../../../libs/cnf/formatfixture.h"
#include "plivek/programs/emulation/dteventdlg.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace {

using FormatFixture::addDetector;

template<typename T> T *child(const QDialog &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    Q_ASSERT(widget);
    return widget;
}

} // namespace

// The emulated event dialog: its lists, the name matching and the five results.
class TestDtEventDlg : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        addDetector(m_controller, 4, QStringLiteral("Loop north"), false);
        addDetector(m_controller, 7, QStringLiteral("Loop south"), false);
        addDetector(m_controller, 2, QStringLiteral("Button east"), true);
        addDetector(m_controller, 9, QStringLiteral("Button west"), true);
    }

    void listsAndDefaults()
    {
        DtEventDlg dialog(nullptr, &m_controller, 12, true, 0, QString());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Event emulation"));
        auto *detectors = child<QComboBox>(dialog, "cbdt");
        QCOMPARE(detectors->count(), 2);
        QCOMPARE(detectors->itemText(1), QStringLiteral("7 (Loop south)"));
        QCOMPARE(detectors->itemData(1).toInt(), 7);
        QCOMPARE(child<QComboBox>(dialog, "cbsens")->itemText(0),
                 QStringLiteral("2 (Button east)"));
        QVERIFY(!child<QComboBox>(dialog, "cbsens")->isEnabled());
        QVERIFY(child<QRadioButton>(dialog, "radioButton")->isChecked());
        // Width 0 keeps the form's 1000 ms; no name keeps the first item.
        QCOMPARE(dialog.pulseWidth(), 1000);
        QCOMPARE(dialog.position(), 12);
        QCOMPARE(dialog.id(), 4);
        QCOMPARE(dialog.name(), QStringLiteral("4 (Loop north)"));
        QVERIFY(dialog.isDetector());
    }

    void matching_data()
    {
        QTest::addColumn<bool>("detector");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("resultDetector");
        QTest::newRow("detector by name") << true << "7 (Loop south)" << 7 << true;
        QTest::newRow("detector, case differs") << true << "7 (loop south)" << 4 << true;
        QTest::newRow("detector, a sensor's name") << true << "9 (Button west)" << 4 << true;
        QTest::newRow("sensor by name") << false << "9 (Button west)" << 9 << false;
        QTest::newRow("sensor, caption matches no sensor") << false << "9 (Button)" << 2 << false;
    }

    void matching()
    {
        QFETCH(bool, detector);
        QFETCH(QString, name);
        QFETCH(int, id);
        QFETCH(bool, resultDetector);
        DtEventDlg dialog(nullptr, &m_controller, 5, detector, 400, name);
        QCOMPARE(dialog.id(), id);
        QCOMPARE(dialog.isDetector(), resultDetector);
        QCOMPARE(child<QComboBox>(dialog, "cbsens")->isEnabled(), !resultDetector);
        QCOMPARE(child<QComboBox>(dialog, "cbdt")->isEnabled(), resultDetector);
    }

    void editedAndAccepted()
    {
        DtEventDlg dialog(nullptr, &m_controller, 70000, true, 2500,
                          QStringLiteral("4 (Loop north)"));
        QCOMPARE(dialog.position(), 65535);
        QCOMPARE(dialog.pulseWidth(), 2500);
        dialog.show();
        QTest::mouseClick(child<QRadioButton>(dialog, "rbsens"), Qt::LeftButton);
        child<QComboBox>(dialog, "cbsens")->setCurrentIndex(1);
        auto *position = child<QSpinBox>(dialog, "spin_pos");
        position->selectAll();
        QTest::keyClicks(position, QStringLiteral("30"));
        QTest::mouseClick(
            child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok),
            Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isDetector());
        QCOMPARE(dialog.id(), 9);
        QCOMPARE(dialog.name(), QStringLiteral("9 (Button west)"));
        QCOMPARE(dialog.position(), 30);
        QCOMPARE(dialog.pulseWidth(), 2500);
    }

    void noSensors()
    {
        CnfController detectorsOnly;
        addDetector(detectorsOnly, 1, QStringLiteral("Loop"), false);
        DtEventDlg dialog(nullptr, &detectorsOnly, 0, true, 0, QString());
        QCOMPARE(child<QComboBox>(dialog, "cbsens")->count(), 0);
        child<QRadioButton>(dialog, "rbsens")->setChecked(true);
        QCOMPARE(dialog.id(), 0);
        QCOMPARE(dialog.name(), QString());
        QVERIFY(!dialog.isDetector());
    }

private:
    CnfController m_controller;
};

PROJECT_TEST(TestDtEventDlg);
#include "tst_dteventdlg.moc"
