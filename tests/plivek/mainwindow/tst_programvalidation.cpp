#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"
#include "modalanswerer.h"
#include "plivek/mainwindow/programvalidation.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace WindowTesting;

namespace {

// Groups 1 and 2; phases "1" = {2}, "2" = {1}, "3" = {2}; program 7 runs
// them in that order, so its group list is 2, 1. In the change 2->3 group 1
// closes and group 2, standing first in the list, opens. The safety matrix
// holds only the pair (opening 2, closing 1).
void fill(CnfController &controller, const QString &family, bool withMatrix = true)
{
    CnfNative::initController(
        controller, family, family == QLatin1String("tiverk") ? QStringLiteral("3.18") : QString());
    for (int id : { 1, 2 }) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        controller.addSignalGroup(group);
    }
    const int members[] = { 2, 1, 2 };
    for (int i = 0; i < 3; ++i) {
        auto phase = CnfPhasePtr::create();
        phase->id = QString::number(i + 1);
        phase->signalGroups << controller.findSG(members[i]);
        controller.addPhase(phase);
    }
    auto program = CnfProgramPtr::create(&controller);
    program->id = QStringLiteral("7");
    for (const QString &phase : { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") })
        program->appendPhase(controller.findPhase(phase), 10);
    controller.addProgram(program);
    if (withMatrix) {
        auto matrix = CnfMatrixPtr::create();
        matrix->setId(1);
        matrix->setReleaf(2, 1, 3);
        controller.addMatrix(matrix, false, true);
    }
}

CnfTransitionPtr storeTransition(CnfController &controller, const QString &to, const QString &from,
                                 int end, int start)
{
    auto transition = CnfTransitionPtr::create();
    transition->greenEnd.insert(1, end);
    transition->greenStart.insert(2, start);
    controller.findPhase(to)->transitions.insert(from, transition);
    return transition;
}

} // namespace

class TestProgramValidation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    // A conflict whose opening group stands before the closing one is found;
    // the pair the matrix does not hold (NaN) is not.
    void conflictOfOpeningGroupFirst()
    {
        CnfController controller;
        fill(controller, QStringLiteral("tiverk"));
        QVERIFY(std::isnan(controller.safetyMatrix()->releaf(1, 2)));
        QCOMPARE(ProgramValidation::findFaults(controller, true),
                 QStringLiteral("Conflict of green:\nProgram 7, transition 2->3, SG 1 and 2"));
    }

    // Computed transitions: the closing group 1 is green until its blinking
    // ends, so a green of group 2 that starts right after the blink conflicts.
    void computedGreenEndsAfterTheBlink_data()
    {
        QTest::addColumn<QByteArray>("closing"); // AG1, GF, Y, AR
        QTest::addColumn<int>("redYellow"); // of the opening group
        QTest::addColumn<bool>("conflict");
        QTest::newRow("blink runs into the green") << QByteArray::fromHex("00030000") << 0 << true;
        QTest::newRow("steady green into the green")
            << QByteArray::fromHex("02000000") << 0 << true;
        QTest::newRow("yellow between") << QByteArray::fromHex("00030300") << 0 << false;
        QTest::newRow("all-red between") << QByteArray::fromHex("00030001") << 0 << false;
        QTest::newRow("red-yellow between") << QByteArray::fromHex("00030000") << 2 << false;
    }

    void computedGreenEndsAfterTheBlink()
    {
        QFETCH(QByteArray, closing);
        QFETCH(int, redYellow);
        QFETCH(bool, conflict);
        CnfController controller;
        fill(controller, QStringLiteral("tiverk"));
        controller.findSG(1)->setInterstate(1, closing + QByteArray(2, '\0'));
        controller.findSG(2)->setInterstate(
            1, QByteArray(4, '\0') + char(redYellow) + QByteArray(1, '\0'));
        QCOMPARE(ProgramValidation::findFaults(controller, true),
                 conflict
                     ? QStringLiteral("Conflict of green:\nProgram 7, transition 2->3, SG 1 and 2")
                     : QString());
    }

    void storedTransitions_data()
    {
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("conflict");
        QTest::newRow("end before start") << 2 << 5 << false;
        QTest::newRow("end equals start") << 4 << 4 << true;
        QTest::newRow("end after start") << 6 << 4 << true;
    }

    // Missing transitions and conflicts in one text: the transition block,
    // one line break, the conflict block.
    void storedTransitions()
    {
        QFETCH(int, end);
        QFETCH(int, start);
        QFETCH(bool, conflict);
        CnfController controller;
        fill(controller, QStringLiteral("other"));
        storeTransition(controller, QStringLiteral("3"), QStringLiteral("2"), end, start);
        QString expected = QStringLiteral("Incorrect phase transitions:\n"
                                          "Program 7, transition 3->1\nProgram 7, transition 1->2");
        if (conflict)
            expected
                += QStringLiteral("\nConflict of green:\nProgram 7, transition 2->3, SG 1 and 2");
        QCOMPARE(ProgramValidation::findFaults(controller, false), expected);
    }

    void withoutMatrixOrChange()
    {
        CnfController controller;
        fill(controller, QStringLiteral("other"), false);
        storeTransition(controller, QStringLiteral("3"), QStringLiteral("2"), 9, 0);
        QCOMPARE(ProgramValidation::findFaults(controller, false),
                 QStringLiteral("Incorrect phase transitions:\n"
                                "Program 7, transition 3->1\nProgram 7, transition 1->2"));

        // One step has no phase change.
        CnfController single;
        CnfNative::initController(single, QStringLiteral("other"), QString());
        auto phase = CnfPhasePtr::create();
        phase->id = QStringLiteral("1");
        single.addPhase(phase);
        auto program = CnfProgramPtr::create(&single);
        program->id = QStringLiteral("1");
        program->appendPhase(phase, 10);
        single.addProgram(program);
        QCOMPARE(ProgramValidation::findFaults(single, false), QString());
    }

    // The save question: only Yes lets the save go on.
    void question_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("result");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("No") << int(QMessageBox::No) << false;
    }

    void question()
    {
        QFETCH(int, button);
        QFETCH(bool, result);
        MainWindow window;
        fill(window.document().controller(), QStringLiteral("tiverk"));
        ModalAnswerer answerer;
        answerer.pressButton(button);
        QCOMPARE(window.validatePrograms(), result);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Programs contain errors"));
        QCOMPARE(
            answerer.seenText(),
            QStringLiteral("Conflict of green:\nProgram 7, transition 2->3, SG 1 and 2\nSave?"));
    }

    // The samples are what a new user saves first: their programs hold no fault.
    void samplesHaveNoFaults_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::newRow("TIVERK 3.18") << "tiverk318_intersection.cnf";
        QTest::newRow("adapter") << "adapter_crossing.txt";
    }

    void samplesHaveNoFaults()
    {
        QFETCH(QString, sample);
        const CnfNativePtr native = CnfNative::loadNativeConfig(TestSupport::examplesPath(sample));
        QVERIFY2(native, qPrintable(CnfNative::loadError()));
        CnfController controller;
        QVERIFY2(native->createController(controller), qPrintable(native->lastError()));
        QCOMPARE(ProgramValidation::findFaults(controller, true), QString());
    }

    void familiesSkipped_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("TIVERK II") << "tiverkii";
        QTest::newRow("ZU_MOLT") << "ZU_MOLT";
    }

    void familiesSkipped()
    {
        QFETCH(QString, family);
        MainWindow window;
        fill(window.document().controller(), family);
        QVERIFY(window.validatePrograms());

        MainWindow clean;
        CnfNative::initController(clean.document().controller(), QStringLiteral("tiverk"),
                                  QStringLiteral("3.18"));
        QVERIFY(clean.validatePrograms());
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestProgramValidation);
#include "tst_programvalidation.moc"
