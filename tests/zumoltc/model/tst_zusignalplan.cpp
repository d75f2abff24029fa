#include "testmain.h"
#include "zumoltc/model/zusignalplan.h"

#include <QtTest>

class TestZUSignalPlan : public QObject
{
    Q_OBJECT
private slots:
    void fresh()
    {
        ZUSignalPlan plan;
        QCOMPARE(plan.type(), zu::NotSet);
        QCOMPARE(plan.cycle(), zu::NotSet);
        QCOMPARE(plan.offset(), zu::NotSet);
        QCOMPARE(plan.mode(), zu::NotSet);
        QVERIFY(!plan.coordinated());
        QVERIFY(plan.sequences().isEmpty());
        QVERIFY(plan.phases().isEmpty());
        QVERIFY(plan.detectors().isEmpty());
    }

    void groupSequences()
    {
        ZUSignalGroup a;
        auto *b = new ZUSignalGroup;
        ZUSignalPlan plan;
        plan.setGroupSequence(&a, { { 0, zu::green } });
        plan.setGroupSequence(b, { { 0, zu::red } });
        plan.setGroupSequence(&a, { { 0, zu::red }, { 20, zu::green } });
        plan.setGroupSequence(nullptr, { { 0, zu::amber } });
        QCOMPARE(plan.sequences().size(), 2);
        QCOMPARE(plan.sequences().first().sequence,
                 (QMap<int, zu::TimelineState> { { 0, zu::red }, { 20, zu::green } }));
        delete b;
        QCOMPARE(plan.sequences().size(), 1);
        plan.clearSequences();
        QVERIFY(plan.sequences().isEmpty());
    }

    void findPhase_data()
    {
        QTest::addColumn<QVariant>("key");
        QTest::addColumn<int>("expected"); // id found, or -1 for none
        QTest::newRow("int") << QVariant(2) << 2;
        QTest::newRow("double") << QVariant(2.0) << 2;
        QTest::newRow("64-bit") << QVariant(qlonglong(3)) << 3;
        QTest::newRow("unsigned") << QVariant(uint(1)) << 1;
        QTest::newRow("text") << QVariant(QStringLiteral("2")) << -1;
        QTest::newRow("bool") << QVariant(true) << -1;
        QTest::newRow("invalid") << QVariant() << -1;
        QTest::newRow("no such id") << QVariant(9) << -1;
        QTest::newRow("too large") << QVariant(1e12) << -1;
        QTest::newRow("64-bit beyond int does not wrap")
            << QVariant(qlonglong((1LL << 32) + 2)) << -1;
        QTest::newRow("double beyond int does not wrap") << QVariant(4294967298.0) << -1;
    }
    void findPhase()
    {
        QFETCH(QVariant, key);
        QFETCH(int, expected);
        ZUSignalPlan plan;
        for (int id : { 1, 2, 3, 2 })
            plan.addPhase(id, nullptr, zu::NotSet, zu::NotSet, zu::NotSet);
        const QPointer<ZUSignalPlanPhase> found = plan.findPhase(key);
        if (expected < 0) {
            QVERIFY(found.isNull());
        } else {
            QVERIFY(found);
            QCOMPARE(found->id(), expected);
            QCOMPARE(plan.phases().indexOf(found), expected - 1); // the first phase with that id
        }
    }

    void addPhaseSetsItsFields()
    {
        ZUStage stage;
        ZUSignalPlan plan;
        const QPointer<ZUSignalPlanPhase> phase = plan.addPhase(4, &stage, 40, 10, zu::soft);
        QCOMPARE(phase->parent(), &plan);
        QCOMPARE(phase->id(), 4);
        QCOMPARE(phase->stage(), QPointer<ZUStage>(&stage));
        QCOMPARE(phase->maxGreen(), 40);
        QCOMPARE(phase->minGreen(), 10);
        QCOMPARE(phase->recall(), int(zu::soft));
        QCOMPARE(phase->passage(), zu::NotSet);
        QCOMPARE(phase->countdownBoard(), zu::NotSet);
    }

    void setPhasesDeletesDropped()
    {
        ZUSignalPlan plan;
        const QPointer<ZUSignalPlanPhase> p1 = plan.addPhase(1, nullptr, 0, 0, 0);
        const QPointer<ZUSignalPlanPhase> p2 = plan.addPhase(2, nullptr, 0, 0, 0);
        const QPointer<ZUSignalPlanPhase> p3 = plan.addPhase(3, nullptr, 0, 0, 0);
        plan.setPhases({ p3, p1 });
        QVERIFY(p2.isNull());
        QCOMPARE(plan.phases(), QList<QPointer<ZUSignalPlanPhase>>({ p3, p1 }));
        QVERIFY(p1 && p3);
    }

    void detectorRecordsDropDeadPhase()
    {
        ZUSignalPlan plan;
        const QPointer<ZUSignalPlanPhase> p1 = plan.addPhase(1, nullptr, 0, 0, 0);
        const QPointer<ZUSignalPlanPhase> p2 = plan.addPhase(2, nullptr, 0, 0, 0);
        ZUSignalPlan::DetectorControl kept;
        kept.phase = p1;
        kept.call = p2;
        ZUSignalPlan::DetectorControl dropped;
        dropped.phase = p2;
        plan.addDetector(kept);
        plan.addDetector(dropped);
        plan.setPhases({ p1 });
        QCOMPARE(plan.detectors().size(), 1);
        QCOMPARE(plan.detectors().first().phase, p1);
        QVERIFY(plan.detectors().first().call.isNull());
    }

    void deepCloneRemapsPhases()
    {
        QObject owner;
        ZUStage stage;
        ZUSignalGroup group;
        ZUDetector detector;
        auto *source = new ZUSignalPlan(&owner);
        source->setType(zu::StageRing);
        source->setCoordinated(true);
        source->setCycle(90);
        source->setOffset(5);
        source->setMode(zu::OFF);
        source->setGroupSequence(&group, { { 0, zu::green } });
        ZUSignalPlan elsewhere;
        const QPointer<ZUSignalPlanPhase> foreign = elsewhere.addPhase(9, nullptr, 0, 0, 0);
        const QPointer<ZUSignalPlanPhase> s1 = source->addPhase(1, &stage, 30, 10, zu::max);
        const QPointer<ZUSignalPlanPhase> s2 = source->addPhase(2, nullptr, 0, 0, 0);
        const QPointer<ZUSignalPlanPhase> s3 = source->addPhase(3, nullptr, 0, 0, 0);
        s2->setCall(s1);
        s3->setCall(foreign);
        ZUSignalPlan::DetectorControl record;
        record.phase = s2;
        record.call = s1;
        record.redirect = foreign;
        record.detector = &detector;
        record.indicator = &detector;
        record.control = true;
        source->addDetector(record);

        auto *clone = new ZUSignalPlan(*source);
        QCOMPARE(clone->parent(), &owner);
        QCOMPARE(clone->type(), int(zu::StageRing));
        QVERIFY(clone->coordinated());
        QCOMPARE(clone->cycle(), 90);
        QCOMPARE(clone->offset(), 5);
        QCOMPARE(clone->mode(), int(zu::OFF));
        QCOMPARE(clone->sequences().size(), 1);
        QCOMPARE(clone->sequences().first().group, QPointer<ZUSignalGroup>(&group));

        const QList<QPointer<ZUSignalPlanPhase>> phases = clone->phases();
        QCOMPARE(phases.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(phases.at(i) != source->phases().at(i));
            QCOMPARE(phases.at(i)->parent(), clone);
            QCOMPARE(phases.at(i)->id(), i + 1);
        }
        QCOMPARE(phases.at(0)->stage(), QPointer<ZUStage>(&stage));
        QCOMPARE(phases.at(0)->maxGreen(), 30);
        QCOMPARE(phases.at(1)->call(), phases.at(0));
        QCOMPARE(phases.at(2)->call(), foreign); // outside the source's list: kept as copied

        QCOMPARE(clone->detectors().size(), 1);
        const ZUSignalPlan::DetectorControl copied = clone->detectors().first();
        QCOMPARE(copied.phase, phases.at(1));
        QCOMPARE(copied.call, phases.at(0));
        QVERIFY(copied.redirect.isNull());
        QCOMPARE(copied.detector, QPointer<ZUDetector>(&detector));
        QCOMPARE(copied.indicator, QPointer<ZUDetector>(&detector));
        QVERIFY(copied.control);

        // Independent of the source: deleting it leaves the clone whole.
        delete source;
        QCOMPARE(clone->phases().size(), 3);
        QCOMPARE(clone->phases().at(1)->call(), clone->phases().at(0));
        QCOMPARE(clone->detectors().size(), 1);
    }
};

PROJECT_TEST(TestZUSignalPlan);
#include "tst_zusignalplan.moc"
