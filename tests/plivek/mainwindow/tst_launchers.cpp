#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfsignalgroup.h"
#include "modalanswerer.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/tiverkedittable.h"
#include "plivek/framework/uidataexchange.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;

namespace {

// Presses OK or Cancel of the dialog that the launcher opens, after `edit`
// has had its way with it.
void answer(ModalAnswerer &answerer, bool accept, std::function<void(QWidget *)> edit = nullptr)
{
    answerer.answerWith([accept, edit](QWidget *modal) {
        if (edit)
            edit(modal);
        auto *box = modal->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        box->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
}

// Runs the launcher through its action (or the defaults button), whose
// connection by name is thus checked too. The window has no document loaded
// from a file, so the action is enabled for the test, and the button (in a
// disabled dock) gives its signal directly.
void launch(MainWindow &window, const QString &name)
{
    if (auto *button = window.findChild<QPushButton *>(name)) {
        emit button->clicked();
        return;
    }
    auto *action = window.findChild<QAction *>(name);
    QVERIFY2(action, qPrintable(name));
    action->setEnabled(true);
    action->trigger();
}

UiDataExchange *exchange(QWidget *modal)
{
    return qobject_cast<UiDataExchange *>(modal);
}

// Whether the document shows as changed: flag, title and Save agree.
bool shownChanged(MainWindow &window)
{
    const bool changed = window.document().isChanged();
    const bool titled = window.windowTitle().endsWith(QLatin1Char('*'));
    const bool save = child<QAction>(window, "actionSave")->isEnabled();
    if (changed != titled || changed != save)
        qWarning("changed %d, title %d, Save %d", changed, titled, save);
    return changed && titled && save;
}

} // namespace

class TestLaunchers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    // The launchers whose dialogs move their data themselves: the right
    // dialog opens, and only OK marks the document changed.
    void plainLaunchers_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("dialogClass");

        QTest::newRow("ATCS") << "tiverk"
                              << "actionAsud"
                              << "AsuddDlg";
        QTest::newRow("calendar") << "tiverk"
                                  << "actionCalendar"
                                  << "CalendarDlg";
        QTest::newRow("RCU") << "tiverkii"
                             << "actionVPU"
                             << "VpuDlg";
        QTest::newRow("error control") << "tiverk"
                                       << "actionErrControl"
                                       << "ErrorControlDlg";
        QTest::newRow("indication") << "tiverkii"
                                    << "actionIndication"
                                    << "IndicationDlg";
        QTest::newRow("interstates") << "tiverk"
                                     << "actionInterstates"
                                     << "InterstatesDlg";
        QTest::newRow("countdown ZU_MOLT") << "ZU_MOLT"
                                           << "actionTablo"
                                           << "CountDownTableZU_MOLTDlg";
        QTest::newRow("countdown TIVERK II") << "tiverkii"
                                             << "actionTablo"
                                             << "CountDownTableTiverk2Dlg";
        QTest::newRow("countdown TIVERK") << "tiverk"
                                          << "actionTablo"
                                          << "CountDownTableDlg";
        QTest::newRow("countdown adapter") << "adapter"
                                           << "actionTablo"
                                           << "CountDownTableDlg";
    }

    void plainLaunchers()
    {
        QFETCH(QString, type);
        QFETCH(QString, action);
        QFETCH(QString, dialogClass);

        for (const bool accept : { false, true }) {
            MainWindow window;
            window.document().controller().setProperty("type", type);
            const QString title = window.windowTitle();
            ModalAnswerer answerer;
            answer(answerer, accept);
            launch(window, action);
            QVERIFY(answerer.answered());
            QCOMPARE(answerer.seenClassName(), dialogClass);
            QCOMPARE(shownChanged(window), accept);
            if (!accept) {
                QCOMPARE(window.windowTitle(), title);
                QVERIFY(!child<QAction>(window, "actionSave")->isEnabled());
            }
            QVERIFY(QSettings().contains(QLatin1String("WindowsGeometry/") + dialogClass));
        }
    }

    // With no stored geometry a dialog opens large enough for what its layout
    // holds (within the screen), on the samples as a user first sees them.
    void firstSizeShowsTheContent_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("dialogClass");

        QTest::newRow("safety matrix") << "tiverk318_intersection.cnf"
                                       << "actionConflictMatrix"
                                       << "MatrixDlg";
        QTest::newRow("TIVERK 3.x program") << "tiverk318_intersection.cnf"
                                            << "actionAddProgram"
                                            << "ProgramDlg";
        QTest::newRow("common parameters") << "tiverk318_intersection.cnf"
                                           << "actionCommon"
                                           << "CommonParametersDlg";
        QTest::newRow("calendar") << "tiverk318_intersection.cnf"
                                  << "actionCalendar"
                                  << "CalendarDlg";
        QTest::newRow("ZU_MOLT program") << "zumolt_intersection.json"
                                         << "actionAddProgram"
                                         << "ProgramDlgZU_MOLT";
        QTest::newRow("TIVERK II program") << "tiverkii_intersection.json"
                                           << "actionAddProgram"
                                           << "ProgramTiverk2Dlg";
        QTest::newRow("indication") << "tiverkii_intersection.json"
                                    << "actionIndication"
                                    << "IndicationDlg";
    }

    void firstSizeShowsTheContent()
    {
        QFETCH(QString, sample);
        QFETCH(QString, action);
        QFETCH(QString, dialogClass);

        MainWindow window;
        window.loadDocument(TestSupport::examplesPath(sample));
        QSize seen;
        QSize wanted;
        ModalAnswerer answerer;
        answer(answerer, false, [&](QWidget *modal) {
            // As the user sees it once the window has settled.
            QCoreApplication::processEvents();
            seen = modal->size();
            wanted = modal->layout()->sizeHint().boundedTo(
                modal->screen()->availableGeometry().size());
        });
        launch(window, action);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenClassName(), dialogClass);
        QVERIFY2(seen.width() >= wanted.width() && seen.height() >= wanted.height(),
                 qPrintable(QStringLiteral("%1x%2 below %3x%4")
                                .arg(seen.width())
                                .arg(seen.height())
                                .arg(wanted.width())
                                .arg(wanted.height())));
    }

    // Key-list launchers: each key's native value reaches its widget (absent
    // as not set), and only OK moves the widgets back, not-set ones removing
    // their key.
    void detectorStatistics_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }

    void detectorStatistics()
    {
        QFETCH(bool, accept);

        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setProperty("version", QStringLiteral("3.18"));
        controller.setNativeData(QStringLiteral("dtInternalStatPeriod"), 5);
        controller.setNativeData(QStringLiteral("dtStatPeriod"), 30);
        controller.setNativeData(QStringLiteral("dtStat317"),
                                 QVariantList { QVariantList { 1, 2 } });
        QVariantMap seen;
        ModalAnswerer answerer;
        answer(answerer, accept, [&seen](QWidget *modal) {
            UiDataExchange *dialog = exchange(modal);
            for (const char *key : { "dtInternalStatPeriod", "dtGroupStatPeriod", "dtStatPeriod" })
                seen.insert(QLatin1String(key), dialog->widgetValue(QLatin1String(key)));
            dialog->setWidgetValue(QStringLiteral("dtInternalStatPeriod"), QVariant());
            dialog->setWidgetValue(QStringLiteral("dtGroupStatPeriod"), 15);
        });
        launch(window, QStringLiteral("actionDtStat"));
        QCOMPARE(answerer.seenClassName(), QStringLiteral("DtStatDlg"));
        QCOMPARE(seen.value("dtInternalStatPeriod"), QVariant(5));
        QVERIFY(!seen.value("dtGroupStatPeriod").isValid());
        QCOMPARE(seen.value("dtStatPeriod"), QVariant(30));

        QCOMPARE(shownChanged(window), accept);
        const QVariant internal = controller.getNativeData(QStringLiteral("dtInternalStatPeriod"));
        const QVariant group = controller.getNativeData(QStringLiteral("dtGroupStatPeriod"));
        if (accept) {
            QVERIFY(!internal.isValid());
            QCOMPARE(group.toInt(), 15);
            QCOMPARE(controller.getNativeData(QStringLiteral("dtStatPeriod")).toInt(), 30);
            const QVariantList rows
                = controller.getNativeData(QStringLiteral("dtStat317")).toList();
            QCOMPARE(rows.size(), 8);
            QCOMPARE(rows.first().toList().at(1).toInt(), 2);
            QVERIFY(!rows.first().toList().at(2).isValid());
        } else {
            QCOMPARE(internal.toInt(), 5);
            QVERIFY(!group.isValid());
        }
    }

    void synchronizer()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setNativeData(QStringLiteral("receiver"), 2);
        controller.setNativeData(QStringLiteral("sync_frequency"), 700);
        ModalAnswerer answerer;
        bool frequencyShown = true;
        answer(answerer, true, [&frequencyShown](QWidget *modal) {
            frequencyShown
                = !modal->findChild<QWidget *>(QStringLiteral("sync_frequency"))->isHidden();
            exchange(modal)->setWidgetValue(QStringLiteral("sync_timezoneCorrection"), 3);
        });
        launch(window, QStringLiteral("actionSynchronizer"));
        QCOMPARE(answerer.seenClassName(), QStringLiteral("SynchronizerDlg"));
        QVERIFY(!frequencyShown);
        // The hidden frequency passes through; the partly ticked summer time
        // (absent key) stays absent.
        QCOMPARE(controller.getNativeData(QStringLiteral("sync_frequency")).toInt(), 700);
        QCOMPARE(controller.getNativeData(QStringLiteral("sync_timezoneCorrection")).toInt(), 3);
        QVERIFY(!controller.getNativeData(QStringLiteral("sync_summerTime")).isValid());
        QVERIFY(shownChanged(window));
    }

    // The adapter moves only the seven modem keys, the other families only
    // the eleven keys of the information part; the actions follow the result.
    void informationPart_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("moved");
        QTest::addColumn<QString>("kept");

        QTest::newRow("adapter") << "adapter"
                                 << "HOST"
                                 << "receiver";
        QTest::newRow("tiverk") << "tiverk"
                                << "receiver"
                                << "HOST";
    }

    void informationPart()
    {
        QFETCH(QString, type);
        QFETCH(QString, moved);
        QFETCH(QString, kept);

        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("type", type);
        controller.setProperty("version", QStringLiteral("3.17"));
        controller.setNativeData(QStringLiteral("receiver"), 1);
        controller.setNativeData(QStringLiteral("HOST"), QStringLiteral("old.host"));
        ModalAnswerer answerer;
        answer(answerer, true, [](QWidget *modal) {
            exchange(modal)->setWidgetValue(QStringLiteral("receiver"), 2);
            exchange(modal)->setWidgetValue(QStringLiteral("HOST"), QStringLiteral("new.host"));
        });
        launch(window, QStringLiteral("actionInfoPart"));
        QCOMPARE(answerer.seenClassName(), QStringLiteral("InfoPartParametersDlg"));
        const QVariant movedValue
            = moved == QLatin1String("HOST") ? QVariant("new.host") : QVariant(2);
        const QVariant keptValue
            = kept == QLatin1String("HOST") ? QVariant("old.host") : QVariant(1);
        QCOMPARE(controller.getNativeData(moved).toString(), movedValue.toString());
        QCOMPARE(controller.getNativeData(kept).toString(), keptValue.toString());
        // Absent keys of the moved list are stored as not set: nothing appears.
        QVERIFY(!controller.getNativeData(QStringLiteral("USER")).isValid());
        QVERIFY(shownChanged(window));
        if (type == QLatin1String("tiverk"))
            QVERIFY(isShown(window, "actionSynchronizer"));
    }

    // Countdown displays of the first product line: the groups' numbers as
    // texts (none when there are no groups), the list back on OK.
    void countdownTable_data()
    {
        QTest::addColumn<QList<int>>("groups");
        QTest::newRow("no groups") << QList<int>();
        QTest::newRow("two groups") << QList<int> { 7, 3 };
    }

    void countdownTable()
    {
        QFETCH(QList<int>, groups);

        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setProperty("version", QStringLiteral("3.17"));
        QStringList numbers;
        for (int id : groups) {
            auto group = CnfSignalGroupPtr::create();
            group->id = id;
            QVERIFY(controller.addSignalGroup(group));
            numbers << QString::number(id);
        }
        controller.setNativeData(
            QStringLiteral("countDownTable"),
            QVariantList { QVariantMap { { "sg", 7 }, { "address", 2 }, { "blinkingTime", 3 } } });
        QStringList offered;
        ModalAnswerer answerer;
        answer(answerer, true, [&offered](QWidget *modal) {
            auto *table = modal->findChild<TiverkEditTable *>(QStringLiteral("countDownTable"));
            offered = static_cast<ComboBoxDelegate *>(table->itemDelegateForRow(0))->texts();
            table->setCellValue(0, 1, 3);
        });
        launch(window, QStringLiteral("actionTablo"));
        QCOMPARE(offered, numbers);
        const QVariantList stored
            = controller.getNativeData(QStringLiteral("countDownTable")).toList();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored.at(0).toMap().value("address").toInt(), 2);
        QCOMPARE(stored.at(1).toMap().value("sg").toInt(), 3);
        QVERIFY(shownChanged(window));
    }

    // A missing default group is made before the run and kept after Cancel;
    // OK writes eight keys for TIVERK II, eleven otherwise.
    void signalGroupDefaults_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("hadDefaults");

        QTest::newRow("TIVERK II OK") << "tiverkii" << true << true;
        QTest::newRow("ZU_MOLT OK") << "ZU_MOLT" << true << true;
        QTest::newRow("Cancel") << "tiverkii" << false << true;
        QTest::newRow("Cancel without defaults") << "ZU_MOLT" << false << false;
        QTest::newRow("OK without defaults") << "ZU_MOLT" << true << false;
    }

    void signalGroupDefaults()
    {
        QFETCH(QString, type);
        QFETCH(bool, accept);
        QFETCH(bool, hadDefaults);

        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("type", type);
        if (hadDefaults) {
            auto defaults = CnfSignalGroupPtr::create();
            defaults->setProperty("amber", 3);
            defaults->setProperty("extRed", 4);
            controller.setDefaulSignalGroup(defaults);
        }
        QVariantMap seen;
        ModalAnswerer answerer;
        answer(answerer, accept, [&seen](QWidget *modal) {
            UiDataExchange *dialog = exchange(modal);
            seen.insert("amber", dialog->widgetValue(QStringLiteral("amber")));
            seen.insert("extRed", dialog->widgetValue(QStringLiteral("extRed")));
            dialog->setWidgetValue(QStringLiteral("amber"), QVariant());
            dialog->setWidgetValue(QStringLiteral("extRed"), 9);
            dialog->setWidgetValue(QStringLiteral("minGreen"), 6);
        });
        launch(window, QStringLiteral("sg_defaults"));
        QCOMPARE(answerer.seenClassName(), QStringLiteral("SGDefaultsDlg"));
        const CnfSignalGroupPtr defaults = controller.defaultSignalGroup();
        QVERIFY(defaults);
        QCOMPARE(shownChanged(window), accept);
        if (hadDefaults) {
            QCOMPARE(seen.value("amber"), QVariant(3));
            QCOMPARE(seen.value("extRed"), QVariant(4));
        }
        if (!accept) {
            QCOMPARE(defaults->property("amber").isValid(), hadDefaults);
            if (!hadDefaults)
                QVERIFY(defaults->dynamicPropertyNames().isEmpty());
            return;
        }
        QVERIFY(!defaults->dynamicPropertyNames().contains("amber"));
        QCOMPARE(defaults->property("minGreen"), QVariant(6));
        const bool eleven = type != QLatin1String("tiverkii");
        QCOMPARE(defaults->property("extRed"), QVariant(eleven ? 9 : 4));
        QCOMPARE(defaults->dynamicPropertyNames().contains("extGreen1"), false);
    }

    // The conflict matrix is edited only with a road network; a configuration
    // without one gets a new matrix.
    void conflictMatrix_data()
    {
        QTest::addColumn<bool>("network");
        QTest::addColumn<bool>("hadMatrix");
        QTest::addColumn<bool>("accept");

        QTest::newRow("network, matrix, OK") << true << true << true;
        QTest::newRow("network, matrix, Cancel") << true << true << false;
        QTest::newRow("network, no matrix, OK") << true << false << true;
        QTest::newRow("network, no matrix, Cancel") << true << false << false;
        QTest::newRow("no network") << false << true << true;
        QTest::newRow("no network, no matrix") << false << false << true;
    }

    void conflictMatrix()
    {
        QFETCH(bool, network);
        QFETCH(bool, hadMatrix);
        QFETCH(bool, accept);

        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("type", QStringLiteral("tiverk"));
        if (network)
            window.initNetEdit();
        QCOMPARE(window.document().network() != nullptr, network);
        CnfMatrixPtr matrix;
        if (hadMatrix) {
            matrix = CnfMatrixPtr::create();
            matrix->setId(1);
            QVERIFY(controller.addMatrix(matrix, true, true));
            auto other = CnfMatrixPtr::create();
            other->setId(2);
            QVERIFY(controller.addMatrix(other, false, false));
        }
        ModalAnswerer answerer;
        answer(answerer, accept);
        launch(window, QStringLiteral("actionConflictMatrix"));
        QCOMPARE(answerer.answered(), network);
        const bool changed = network && accept;
        QCOMPARE(shownChanged(window), changed);
        if (!network)
            return;
        QCOMPARE(answerer.seenClassName(), QStringLiteral("MatrixDlg"));
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Conflict matrix"));
        if (hadMatrix) {
            QCOMPARE(controller.conflictMatrix(), matrix);
            QCOMPARE(controller.matrixList().size(), 2);
        } else if (accept) {
            QVERIFY(controller.conflictMatrix());
            QCOMPARE(controller.conflictMatrix()->id(), 1);
            QCOMPARE(controller.matrixList().size(), 1);
        } else {
            QVERIFY(!controller.conflictMatrix());
            QVERIFY(controller.matrixList().isEmpty());
        }
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestLaunchers);
#include "tst_launchers.moc"
