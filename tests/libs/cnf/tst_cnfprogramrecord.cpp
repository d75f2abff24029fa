#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "testmain.h"

#include <QtTest>

namespace {

// Phases "A", "B", "C" (indexes 0, 1, 2) and a program of the given kind
// running A 20 s, C 35 s, in interstate variant 2.
struct Fixture
{
    CnfController controller;
    CnfProgramPtr program;

    Fixture(const QString &family, const QString &version, int kind)
    {
        controller.setProperty("type", family);
        controller.setProperty("version", version);
        for (const char *id : { "A", "B", "C" }) {
            auto phase = CnfPhasePtr::create();
            phase->id = QLatin1String(id);
            phase->minTime = 5;
            controller.addPhase(phase);
        }
        program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("7");
        program->type = CnfProgram::Tiverk;
        program->kind = kind;
        program->interstateVariant = 2;
        program->appendPhase(controller.findPhase(QStringLiteral("A")), 20);
        program->appendPhase(controller.findPhase(QStringLiteral("C")), 35);
        controller.addProgram(program);
    }
};

QStringList stepTexts(const CnfProgram &program)
{
    QStringList texts;
    for (const CnfPhaseDefPtr &def : program.phases())
        texts << QStringLiteral("%1 %2").arg(def->id()).arg(def->length());
    return texts;
}

} // namespace

class TestCnfProgramRecord : public QObject
{
    Q_OBJECT
private slots:
    // Where each layout keeps the variant, the first two rows of the sequence
    // and a coordinated program's cycle and offset (little-endian words),
    // counted by hand from its fields; -1 where it has none.
    void recordOfAProgram_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("variantAt");
        QTest::addColumn<int>("phaseAt"); // row 0; row 1 follows one row later
        QTest::addColumn<int>("rowSize");
        QTest::addColumn<int>("durationAt"); // row 0, -1 without durations
        QTest::addColumn<int>("cycleAt");
        QTest::addColumn<int>("offsetAt");
        QTest::newRow("3.18 local fixed time") << "tiverk"
                                               << "3.18" << 1 << 2 << 3 << 2 << 4 << -1 << -1;
        // variant, transition time, start delay (word), cycle (word), offset (word)
        QTest::newRow("3.18 coordinated") << "tiverk"
                                          << "3.18" << 2 << 2 << 10 << 2 << 11 << 6 << 8;
        QTest::newRow("3.16 coordinated") << "tiverk"
                                          << "3.16" << 2 << 2 << 8 << 2 << 9 << 4 << 6;
        QTest::newRow("adapter coordinated")
            << "adapter" << QString() << 2 << 2 << 8 << 2 << 9 << 4 << 6;
        QTest::newRow("adapter local fixed time")
            << "adapter" << QString() << 1 << 2 << 3 << 2 << 4 << -1 << -1;
        // variant, call condition, button, detector, reserve; rows of phase, minimum, maximum,
        // extension
        QTest::newRow("3.18 vehicle actuated") << "tiverk"
                                               << "3.18" << 3 << 2 << 7 << 4 << -1 << -1 << -1;
        // A cycle that is no coordinated one stays a parameter of its own.
        QTest::newRow("3.18 kind 11") << "tiverk"
                                      << "3.18" << 11 << 2 << 5 << 3 << -1 << -1 << -1;
        QTest::newRow("3.18 all red") << "tiverk"
                                      << "3.18" << 7 << -1 << -1 << 0 << -1 << -1 << -1;
    }

    void recordOfAProgram()
    {
        QFETCH(QString, family);
        QFETCH(QString, version);
        QFETCH(int, kind);
        QFETCH(int, variantAt);
        QFETCH(int, phaseAt);
        QFETCH(int, rowSize);
        QFETCH(int, durationAt);
        QFETCH(int, cycleAt);
        QFETCH(int, offsetAt);
        Fixture fixture(family, version, kind);
        fixture.program->setCycleOffset(300);
        const QByteArray record = CnfProgramRecord::create(fixture.controller, *fixture.program);
        QCOMPARE(record.size(), 64);
        QCOMPARE(quint8(record.at(0)), quint8(7));
        QCOMPARE(quint8(record.at(1)), quint8(kind));

        // Exactly the variant, the steps' phases and durations, and a
        // coordinated program's cycle (20 + 35 s) and offset (300 s) are set.
        QByteArray expected(64, char(255));
        expected[0] = 7;
        expected[1] = char(kind);
        if (variantAt >= 0)
            expected[variantAt] = 2;
        if (phaseAt >= 0) {
            expected[phaseAt] = 0; // A
            expected[phaseAt + rowSize] = 2; // C
        }
        if (durationAt >= 0) {
            expected[durationAt] = 20;
            expected[durationAt + rowSize] = 35;
        }
        if (cycleAt >= 0) {
            expected[cycleAt] = 55;
            expected[cycleAt + 1] = 0;
            expected[offsetAt] = char(300 & 0xff);
            expected[offsetAt + 1] = char(300 >> 8);
        }
        QCOMPARE(record.toHex(), expected.toHex());

        const QDomDocument layout = fixture.controller.tiverkLayout();
        QCOMPARE(CnfProgramRecord::readVariant(layout, record), variantAt >= 0 ? 2 : -1);
        QList<CnfProgramRecord::Step> steps;
        QCOMPARE(CnfProgramRecord::readSteps(layout, record, &steps), phaseAt >= 0);
        if (phaseAt >= 0) {
            const int duration = durationAt >= 0 ? 20 : -1;
            QCOMPARE(steps.size(), 2);
            QCOMPARE(steps.at(0).phase, 0);
            QCOMPARE(steps.at(0).duration, duration);
            QCOMPARE(steps.at(1).phase, 2);
        }

        // Given back to a program without steps, the record makes the same steps.
        auto copy = CnfProgramPtr::create(&fixture.controller);
        QCOMPARE(CnfProgramRecord::applyTo(fixture.controller, layout, record, *copy),
                 phaseAt >= 0);
        if (phaseAt >= 0 && durationAt >= 0)
            QCOMPARE(stepTexts(*copy), QStringList({ "A 20", "C 35" }));
        QCOMPARE(copy->interstateVariant, variantAt >= 0 ? 2 : 1);
    }

    // A record that ends before its sequence tells nothing about the steps:
    // the program keeps them. Extending it adds "not set" bytes only.
    void shortRecordLeavesTheSteps()
    {
        Fixture fixture(QStringLiteral("tiverk"), QStringLiteral("3.18"), 1);
        const QDomDocument layout = fixture.controller.tiverkLayout();
        const QByteArray record = QByteArray::fromHex("0701");
        QList<CnfProgramRecord::Step> steps;
        QVERIFY(!CnfProgramRecord::readSteps(layout, record, &steps));
        QCOMPARE(CnfProgramRecord::readVariant(layout, record), -1);
        QVERIFY(!CnfProgramRecord::applyTo(fixture.controller, layout, record, *fixture.program));
        QCOMPARE(stepTexts(*fixture.program), QStringList({ "A 20", "C 35" }));
        QCOMPARE(fixture.program->interstateVariant, 2);

        const QByteArray extended = CnfProgramRecord::extended(record, 64);
        QCOMPARE(extended.size(), 64);
        QCOMPARE(extended.left(2), record);
        QCOMPARE(extended.mid(2), QByteArray(62, char(255)));
        QCOMPARE(CnfProgramRecord::extended(QByteArray(70, 'x'), 64).size(), 70);
    }

    // Steps whose phase stays keep their own settings; steps beyond the record's
    // sequence go; a phase index the controller lacks is passed over.
    void applyKeepsWhatStays()
    {
        Fixture fixture(QStringLiteral("tiverk"), QStringLiteral("3.18"), 1);
        fixture.program->phaseDefAt(0)->setProperty("recall", true);
        fixture.program->appendPhase(fixture.controller.findPhase(QStringLiteral("B")), 12);
        const QDomDocument layout = fixture.controller.tiverkLayout();
        QByteArray record = CnfProgramRecord::create(fixture.controller, *fixture.program);
        // Rows: A 25, index 9 (no phase) 30, B not set; variant not set.
        record[2] = char(255);
        record[4] = 25;
        record[5] = 9;
        record[6] = 30;
        record[7] = 1;
        record[8] = char(255);
        QVERIFY(CnfProgramRecord::applyTo(fixture.controller, layout, record, *fixture.program));
        // B takes the second step's place and, its duration not set, its length.
        QCOMPARE(stepTexts(*fixture.program), QStringList({ "A 25", "B 35" }));
        QVERIFY(fixture.program->phaseDefAt(0)->property("recall").toBool());
        QCOMPARE(fixture.program->interstateVariant, -1);
    }

    // Writing steps clears the rows after the last one and leaves every other
    // field of the record alone.
    void writingStepsKeepsOtherFields()
    {
        Fixture fixture(QStringLiteral("tiverk"), QStringLiteral("3.18"), 2);
        QByteArray record(64, char(255));
        record[0] = 7;
        record[1] = 2;
        record[3] = 4; // transition time
        record[6] = 90; // cycle, low byte
        record[7] = 0;
        for (int at = 10; at < 42; ++at)
            record[at] = 1; // sixteen rows of B 1 s
        const QByteArray written = CnfProgramRecord::withProgram(
            fixture.controller.tiverkLayout(), record,
            CnfProgramRecord::phaseIds(fixture.controller), *fixture.program);
        QCOMPARE(written.toHex(),
                 QByteArray::fromHex("0702"
                                     "02"
                                     "04"
                                     "ffff"
                                     "5a00"
                                     "ffff"
                                     "0014"
                                     "0223")
                     .append(QByteArray(22 + 28, char(255)))
                     .toHex());
    }
};

PROJECT_TEST(TestCnfProgramRecord);
#include "tst_cnfprogramrecord.moc"
