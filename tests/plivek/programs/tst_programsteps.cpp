#include "plivek/programs/programsteps.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"

#include "testmain.h"

#include <QtTest>

// The numbers and names that both program dialogs forbid for the program they edit.
class TestProgramSteps : public QObject
{
    Q_OBJECT
private:
    static CnfProgramPtr addProgram(CnfController &controller, const QString &id,
                                    const QString &name)
    {
        auto program = CnfProgramPtr::create(&controller);
        program->id = id;
        program->name = name;
        controller.addProgram(program);
        return program;
    }

private slots:
    void takenProgramIds_data()
    {
        QTest::addColumn<int>("edited"); // index of the edited program, -1 for a new one
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("new program")
            << -1 << QStringList { "0", "1", "2", "5" } << QStringList { "Morning", "Night" };
        QTest::newRow("first") << 0 << QStringList { "0", "2", "5" } << QStringList { "Night" };
        // An unnamed program takes its number only.
        QTest::newRow("unnamed") << 1 << QStringList { "0", "1", "5" }
                                 << QStringList { "Morning", "Night" };
        QTest::newRow("last") << 2 << QStringList { "0", "1", "2" } << QStringList { "Morning" };
    }

    void takenProgramIds()
    {
        QFETCH(int, edited);
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, names);
        CnfController controller;
        const QList<CnfProgramPtr> programs { addProgram(controller, "1", "Morning"),
                                              addProgram(controller, "2", ""),
                                              addProgram(controller, "5", "Night") };
        const TakenProgramIds taken
            = ::takenProgramIds(&controller, edited < 0 ? CnfProgramPtr() : programs.at(edited));
        QCOMPARE(taken.numbers, numbers);
        QCOMPARE(taken.names, names);
    }

    // A clone of a program is another program: its original's number stays taken.
    void cloneIsAnotherProgram()
    {
        CnfController controller;
        const CnfProgramPtr stored = addProgram(controller, "3", "Evening");
        auto clone = CnfProgramPtr::create(&controller);
        clone->clone(*stored);
        QCOMPARE(::takenProgramIds(&controller, clone).numbers, (QStringList { "0", "3" }));
    }

    void noController()
    {
        const TakenProgramIds taken = ::takenProgramIds(nullptr, CnfProgramPtr());
        QCOMPARE(taken.numbers, QStringList { "0" });
        QVERIFY(taken.names.isEmpty());
    }
};

PROJECT_TEST(TestProgramSteps);
#include "tst_programsteps.moc"
