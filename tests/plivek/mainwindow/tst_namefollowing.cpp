#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfprogram.h"
#include "nativejson.h"
#include "plivek/mainwindow/namefollowing.h"
#include "testmain.h"

#include <QtTest>

// A new name of an element and the places naming it by its name: the lines
// of the message table, and the question when another element of the kind
// has the old name too (the places name it as well).
class TestNameFollowing : public QObject
{
    Q_OBJECT
private slots:
    void follow_data()
    {
        QTest::addColumn<bool>("twin"); // detector 2 is also named "Loop"
        QTest::addColumn<QString>("question");
        QTest::newRow("the only one of the name") << false << QString();
        QTest::newRow("a twin of the old name")
            << true
            << "These places name detector 1 by its name \"Loop\":\nA channel of Priority\n"
               "Program 5\nDetector 2 has the name \"Loop\" too: they name it as well.\n"
               "Should they follow detector 1 to its new name \"Loop X\"?";
    }

    void follow()
    {
        QFETCH(bool, twin);
        QFETCH(QString, question);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        for (int id : { 1, 2 }) {
            auto detector = CnfDetectorPtr::create();
            detector->setId(id);
            detector->setName(id == 1 || twin ? QStringLiteral("Loop") : QStringLiteral("Other"));
            controller.addDetector(detector);
        }
        controller.setNativeData(
            QStringLiteral("modules"),
            NativeJson::value("{'Priority': {'channels': [{'detector': 'Loop'}, {'detector': "
                              "1}]}, 'Signal': {'channels': [{'sensor': 'Loop'}]}}"));
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("5");
        program->setProperty("crosswalks", NativeJson::value("[{'detectors': ['Loop', 1]}]"));
        controller.addProgram(program);
        // The dialog has given detector 1 its new name.
        controller.findDetector(1)->setName(QStringLiteral("Loop X"));

        const NameFollowing following(
            controller,
            { CnfReferences::Kind::Detector, QStringLiteral("1"), QStringLiteral("Loop") },
            QStringLiteral("Loop X"));
        QCOMPARE(following.question(), question);
        QCOMPARE(following.follow(controller),
                 QStringList({ "A channel of Priority follows detector 1 to its new name \"Loop "
                               "X\" (it was \"Loop\")",
                               "Program 5 follows detector 1 to its new name \"Loop X\" (it was "
                               "\"Loop\")" }));
        QCOMPARE(NativeJson::text(controller.nativeData()[QStringLiteral("modules")].toVariant()),
                 NativeJson::text(NativeJson::value(
                     "{'Priority': {'channels': [{'detector': 'Loop X'}, {'detector': 1}]}, "
                     "'Signal': {'channels': [{'sensor': 'Loop'}]}}")));
        QCOMPARE(NativeJson::text(program->property("crosswalks")),
                 NativeJson::text(NativeJson::value("[{'detectors': ['Loop X', 1]}]")));
    }
};

PROJECT_TEST(TestNameFollowing);
#include "tst_namefollowing.moc"
