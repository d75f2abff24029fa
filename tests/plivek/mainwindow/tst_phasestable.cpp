#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;

class TestPhasesTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    // Numeric sort, non-numbers first in their order; a repeated id refuses a
    // dragged order, a plain move is stored.
    void sortAndRowOrder()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (const QString &id : {QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("x")}) {
            auto phase = CnfPhasePtr::create();
            phase->id = id;
            controller.addPhase(phase);
        }
        window.updatePhasesTable();
        QTableWidget *phases = table(window, "phasesTable");
        child<QAction>(*phases, "sortPhaseItems")->trigger();
        const auto ids = [&controller] {
            QStringList result;
            for (const CnfPhasePtr &phase : controller.phases())
                result << phase->id;
            return result;
        };
        QCOMPARE(ids(), QStringList({"x", "9", "10"}));
        QCOMPARE(cellText(phases, 0, 0), QStringLiteral("x"));
        QVERIFY(window.document().isChanged());

        window.setChanged(false);
        phases->item(0, 0)->setText(QStringLiteral("9"));
        QMetaObject::invokeMethod(phases, "rowOrderChanged");
        QCOMPARE(ids(), QStringList({"x", "9", "10"}));
        QVERIFY(!window.document().isChanged());
        phases->item(1, 0)->setText(QStringLiteral("x"));
        QMetaObject::invokeMethod(phases, "rowOrderChanged");
        QCOMPARE(ids(), QStringList({"9", "x", "10"}));
        QVERIFY(window.document().isChanged());
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestPhasesTable);
#include "tst_phasestable.moc"
