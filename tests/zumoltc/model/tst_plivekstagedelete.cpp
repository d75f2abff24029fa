#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/model/zusignalplanphase.h"
#include "zumoltc/model/zustage.h"
#include "zumoltfixture.h"

#include <QtTest>

namespace {

// "id>stage" per phase of the plan, and "call" when it has one.
QStringList phaseTexts(ZUSignalPlan &plan)
{
    QStringList texts;
    for (const QPointer<ZUSignalPlanPhase> &phase : plan.phases()) {
        QString text = QStringLiteral("%1>%2").arg(phase->id()).arg(phase->stage()->id());
        if (phase->call())
            text += QStringLiteral(" call %1").arg(phase->call()->id());
        texts << text;
    }
    return texts;
}

// "phase call redirect" per detector record, 0 for none.
QStringList recordTexts(ZUSignalPlan &plan)
{
    const auto id = [](const QPointer<ZUSignalPlanPhase> &phase) {
        return phase ? phase->id() : 0;
    };
    QStringList texts;
    for (const ZUSignalPlan::DetectorControl &record : plan.detectors())
        texts << QStringLiteral("%1 %2 %3")
                     .arg(id(record.phase))
                     .arg(id(record.call))
                     .arg(id(record.redirect));
    return texts;
}

} // namespace

// The file plivek saves after a stage was deleted: the plan phases that ran it
// are gone with every call, detector record and sequence entry naming them,
// and the others keep their ids. zumoltc reads it without a warning, keeps
// every plan (also one left without phases) and writes it back unchanged.
// The cnf library's tests save the file from plivek's Delete, byte for byte.
class TestPlivekStageDelete : public QObject
{
    Q_OBJECT
private slots:
    void readsThePlansPlivekSaved()
    {
        const QString path = fixture(QStringLiteral("stage-delete.saved.json"));
        ZUConfiguration c;
        QString error;
        QVERIFY2(c.load(path, &error), qPrintable(error));
        QVERIFY2(c.warnings().isEmpty(), qPrintable(c.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(c.stages().size(), 2);
        QList<QPointer<ZUSignalPlan>> &plans = c.signalPlans();
        QCOMPARE(plans.size(), 5);
        QCOMPARE(phaseTexts(*plans.at(0)), QStringList({ "1>2 call 3", "3>3" }));
        QCOMPARE(recordTexts(*plans.at(0)), QStringList({ "3 0 0", "1 3 0" }));
        QCOMPARE(phaseTexts(*plans.at(1)), QStringList({ "7>2" }));
        QCOMPARE(phaseTexts(*plans.at(2)), QStringList());
        QCOMPARE(recordTexts(*plans.at(2)), QStringList());
        QCOMPARE(plans.at(2)->cycle(), 60);
        QCOMPARE(phaseTexts(*plans.at(3)), QStringList({ "1>2", "2>3 call 1" }));
        QCOMPARE(QString::fromUtf8(c.toJson()), QString::fromUtf8(TestSupport::readFile(path)));
    }
};

PROJECT_TEST(TestPlivekStageDelete);
#include "tst_plivekstagedelete.moc"
