#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "modalanswerer.h"
#include "nativejson.h"
#include "plivek/mainwindow/phasestable.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;

namespace {

// Sets the native member at the path (a key, or "modules/Indication") to the
// JSON value.
void setNative(CnfController &controller, const QString &path, const QByteArray &json)
{
    const QStringList keys = path.split(QLatin1Char('/'));
    const VObject root = controller.nativeData();
    VObject target = keys.size() == 1 ? root[keys.at(0)] : root[keys.at(0)][keys.at(1)];
    target = NativeJson::value(json);
}

// Selects the row of the table whose first cell is the id.
void selectRow(QTableWidget *table, const QString &id)
{
    table->clearSelection();
    for (int row = 0; row < table->rowCount(); ++row) {
        if (cellText(table, row, 0) == id)
            table->item(row, 0)->setSelected(true);
    }
}

} // namespace

// A new id that a place naming the element by its number cannot hold, typed
// into the element's properties dialog: OK shows why and the document stays
// as it was.
class TestNumericPlaces : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    void dialogRefusesTheId_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("phase"); // the phase dialog, else the program dialog of 1
        QTest::addColumn<QString>("path"); // a native member set before, with its value
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("newId");
        QTest::addColumn<QString>("message");
        QTest::newRow("program: TIVERK II indication plans")
            << "tiverkii_intersection.json" << false << "modules/Indication"
            << QByteArray("[{'signalGroup': 1, 'plans': [1, 2]}]") << "N1"
            << "Indication row 1 names program 1 by its number: the id must be a whole number";
        QTest::newRow("program: TIVERK 3.18 record's own number")
            << "tiverk318_intersection.cnf" << false << QString() << QByteArray() << "P1"
            << "The record of program 1 holds its number: the id must be a number from 0 to 254";
        QTest::newRow("program: TIVERK 3.18, a number beyond a byte")
            << "tiverk318_intersection.cnf" << false << "vpu_programs" << QByteArray("[1, 2]")
            << "300"
            << "The record of program 1 holds its number: the id must be a number from 0 to 254";
        QTest::newRow("phase: ZU_MOLT panel stageId")
            << "zumolt_intersection.json" << true << QString() << QByteArray() << "A1"
            << "A ZU_MOLT file writes the id of phase 1 as a number; the remote control panel "
               "names phase 1 by its number: the id must be a number from 1 to 65535";
        QTest::newRow("phase: TIVERK 3.18 panel")
            << "tiverk318_intersection.xcnf" << true << "vpu_phases" << QByteArray("[2, 1]") << "A1"
            << "The remote control panel names phase 1 by its number: the id must be a whole "
               "number";
        QTest::newRow("phase: TIVERK 3.18 central-system phase of LFR/TSCTM")
            << "tiverk318_intersection.xcnf" << true << "mgr_tsku_phase" << QByteArray("1") << "100"
            << "The central-system link names phase 1 by its number: the id must be a number "
               "from 0 to 99";
    }

    void dialogRefusesTheId()
    {
        QFETCH(QString, sample);
        QFETCH(bool, phase);
        QFETCH(QString, path);
        QFETCH(QByteArray, value);
        QFETCH(QString, newId);
        QFETCH(QString, message);
        MainWindow window;
        window.loadDocument(TestSupport::examplesPath(sample));
        CnfController &controller = window.document().controller();
        if (!path.isEmpty())
            setNative(controller, path, value);
        const QByteArray before = controller.save(1);
        window.updatePhasesTable();
        window.updateProgramsTable();
        selectRow(table(window, phase ? "phasesTable" : "progTable"), QStringLiteral("1"));

        ModalAnswerer edit;
        ModalAnswerer error;
        bool stayedOpen = false;
        edit.answerWith([&](QWidget *modal) {
            child<QLineEdit>(*modal, phase ? "number" : "progNum")->setText(newId);
            // Other edits of the same OK, which must not be stored either.
            if (phase) {
                child<QLineEdit>(*modal, "name")->setText(QStringLiteral("Changed"));
                child<QSpinBox>(*modal, "minTime")->stepUp();
            } else {
                child<QLineEdit>(*modal, "progName")->setText(QStringLiteral("Changed"));
            }
            error.pressButton(QMessageBox::Ok);
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            stayedOpen = modal->isVisible();
            if (stayedOpen)
                static_cast<QDialog *>(modal)->reject();
        });
        QMetaObject::invokeMethod(&window,
                                  phase ? "phaseItemProperties" : "programsItemProperties");
        QVERIFY(edit.answered());
        QVERIFY(error.answered());
        QCOMPARE(error.seenText(), message);
        // The dialog stays open, and the window stores nothing of it.
        QVERIFY(stayedOpen);
        QVERIFY(messageTexts(window).contains(message));
        QVERIFY(phase ? bool(controller.findPhase(QStringLiteral("1")))
                      : bool(controller.findProgram(QStringLiteral("1"))));
        QCOMPARE(controller.save(1), before);
    }

    // The phases table's question says that the central-system link loses
    // its phase of LFR/TSCTM.
    void deleteQuestionNamesTheCentralSystemPhase()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (const char *id : { "1", "2" }) {
            auto phase = CnfPhasePtr::create();
            phase->id = QString::fromLatin1(id);
            controller.addPhase(phase);
        }
        controller.setNativeData(QStringLiteral("mgr_tsku_phase"), 2);
        QCOMPARE(PhasesTable::planRemoval(controller, { QStringLiteral("1") }).question,
                 QStringLiteral("Following phases will be deleted:\n1"));
        const PhasesTable::Removal removal
            = PhasesTable::planRemoval(controller, { QStringLiteral("2") });
        QCOMPARE(removal.question,
                 QStringLiteral("Following phases will be deleted:\n2\nThe phase of LFR/TSCTM in "
                                "the ATCS parameters will be not set after removal"));
        PhasesTable::remove(controller, removal);
        QVERIFY(!controller.nativeData().contains(QStringLiteral("mgr_tsku_phase")));
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestNumericPlaces);
#include "tst_numericplaces.moc"
