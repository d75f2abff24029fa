#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfreferences.h"
#include "cnf/vobject.h"
#include "nativejson.h"
#include "testmain.h"

#include <QtTest>

using Kind = CnfReferences::Kind;
using Note = CnfReferences::Note;

Q_DECLARE_METATYPE(CnfReferences::Kind)

namespace {

// The element in question is number 7 (named "Seven"); the new id is 9.
CnfReferences::Element seven(Kind kind)
{
    return { kind, QStringLiteral("7"), QStringLiteral("Seven") };
}

} // namespace

// The places inside TIVERK II program parameters and the countdown and
// indication places of the native data: what a new id and a Delete do to
// each, and which line of the question names them.
class TestCnfReferencePlaces : public QObject
{
    Q_OBJECT
private slots:
    void programParameters_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("renamed");
        QTest::addColumn<QByteArray>("cleared");

        QTest::newRow("condition detector, number and text")
            << Kind::Detector << QByteArray("conditions")
            << QByteArray("[{'phase': 1, 'detector': 7, 'call': 2}, {'detector': '7'}, "
                          "{'detector': 8, 'sensor': 7}]")
            << QByteArray("[{'phase': 1, 'detector': 9, 'call': 2}, {'detector': '9'}, "
                          "{'detector': 8, 'sensor': 7}]")
            << QByteArray("[{'phase': 1, 'call': 2}, {'detector': 8, 'sensor': 7}]");
        QTest::newRow("condition sensor, the last value")
            << Kind::Sensor << QByteArray("conditions") << QByteArray("[{'sensor': 7}]")
            << QByteArray("[{'sensor': 9}]") << QByteArray();
        QTest::newRow("crosswalk groups and pedestrians, by name too")
            << Kind::SignalGroup << QByteArray("crosswalks")
            << QByteArray("[{'groups': [7, 8], 'pedestrians': ['Seven', 7], 'minGreen': 7}, "
                          "{'groups': [7]}]")
            << QByteArray("[{'groups': [9, 8], 'pedestrians': ['Seven', 9], 'minGreen': 7}, "
                          "{'groups': [9]}]")
            << QByteArray("[{'groups': [8], 'minGreen': 7}, {}]");
        QTest::newRow("crosswalk detectors, a text is a name")
            << Kind::Detector << QByteArray("crosswalks")
            << QByteArray("[{'detectors': [7, '7'], 'sensors': [7]}]")
            << QByteArray("[{'detectors': [9, '7'], 'sensors': [7]}]")
            << QByteArray("[{'detectors': ['7'], 'sensors': [7]}]");
        QTest::newRow("sequence phase stays on Delete")
            << Kind::Phase << QByteArray("sequence") << QByteArray("[7, 8, 7]")
            << QByteArray("[9, 8, 9]") << QByteArray("[7, 8, 7]");
    }

    void programParameters()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, property);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, renamed);
        QFETCH(QByteArray, cleared);
        for (bool remove : { false, true }) {
            CnfController controller;
            CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
            auto program = CnfProgramPtr::create(&controller);
            program->id = QStringLiteral("3");
            controller.addProgram(program);
            program->setProperty(property.constData(), NativeJson::value(before));

            const QList<CnfReferences::Place> places
                = CnfReferences::places(controller, seven(kind));
            QCOMPARE(CnfReferences::owners(
                         places, kind == Kind::Phase ? Note::ProgramUse : Note::ProgramParameter),
                     QStringList({ "3" }));
            if (remove) {
                CnfReferences::clear(controller, places);
                QCOMPARE(
                    NativeJson::text(program->property(property.constData())),
                    NativeJson::text(cleared.isEmpty() ? QVariant() : NativeJson::value(cleared)));
            } else {
                CnfReferences::rename(controller, seven(kind), QStringLiteral("9"));
                QCOMPARE(NativeJson::text(program->property(property.constData())),
                         NativeJson::text(NativeJson::value(renamed)));
            }
        }
    }

    void countdownsAndIndication_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("renamed");
        QTest::addColumn<QByteArray>("cleared");
        QTest::addColumn<QStringList>("notes");

        QTest::newRow("TIVERK 3.x displays, number and text")
            << QByteArray("{'countDownTable': [{'sg': 7, 'count': 2}, {'sg': '7'}, {'sg': 8}]}")
            << QByteArray("{'countDownTable': [{'sg': 9, 'count': 2}, {'sg': '9'}, {'sg': 8}]}")
            << QByteArray("{'countDownTable': [{'sg': 8}]}") << QStringList({ "7" });
        QTest::newRow("TIVERK II boards: the last item takes the list along")
            << QByteArray("{'modules': {'Countdowns': {'protocol': 'V1', 'items': [{'id': 7, "
                          "'addr': 2}]}, 'SystemBus': {'devices': {'KTV1': {'items': [{'id': 8}, "
                          "{'id': 7}]}}}}}")
            << QByteArray("{'modules': {'Countdowns': {'protocol': 'V1', 'items': [{'id': 9, "
                          "'addr': 2}]}, 'SystemBus': {'devices': {'KTV1': {'items': [{'id': 8}, "
                          "{'id': 9}]}}}}}")
            << QByteArray("{'modules': {'Countdowns': {'protocol': 'V1'}, 'SystemBus': "
                          "{'devices': {'KTV1': {'items': [{'id': 8}]}}}}}")
            << QStringList({ "7" });
        QTest::newRow("ZU_MOLT boards")
            << QByteArray("{'countdownBoards': {'items': [{'id': 7, 'boards': 2}]}}")
            << QByteArray("{'countdownBoards': {'items': [{'id': 9, 'boards': 2}]}}")
            << QByteArray("{'countdownBoards': {}}") << QStringList({ "7" });
        QTest::newRow("indication rows keep their other cells")
            << QByteArray("{'modules': {'Indication': [{'type': 'wait', 'signalGroup': 7, "
                          "'red': 7}, {'signalGroup': 8}]}}")
            << QByteArray("{'modules': {'Indication': [{'type': 'wait', 'signalGroup': 9, "
                          "'red': 7}, {'signalGroup': 8}]}}")
            << QByteArray("{'modules': {'Indication': [{'type': 'wait', 'red': 7}, "
                          "{'signalGroup': 8}]}}")
            << QStringList();
    }

    void countdownsAndIndication()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, renamed);
        QFETCH(QByteArray, cleared);
        QFETCH(QStringList, notes);
        for (bool remove : { false, true }) {
            CnfController controller;
            CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
            const QVariantMap root = NativeJson::map(before);
            for (auto it = root.cbegin(); it != root.cend(); ++it)
                controller.setNativeData(it.key(), it.value());
            const QList<CnfReferences::Place> places
                = CnfReferences::places(controller, seven(Kind::SignalGroup));
            QCOMPARE(CnfReferences::owners(places, Note::Countdown), notes);
            if (remove)
                CnfReferences::clear(controller, places);
            else
                CnfReferences::rename(controller, seven(Kind::SignalGroup), QStringLiteral("9"));
            QVariantMap after;
            for (auto it = root.cbegin(); it != root.cend(); ++it)
                after.insert(it.key(), controller.nativeData()[it.key()].toVariant());
            QCOMPARE(NativeJson::text(after),
                     NativeJson::text(NativeJson::map(remove ? cleared : renamed)));
        }
    }

    // The plans of an indication row name programs by number or by name: a
    // number follows, a name stays, and a Delete keeps both.
    void indicationPlans()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(QStringLiteral("modules"),
                                 NativeJson::value("{'Indication': [{'plans': [7, 'Seven', 8]}, "
                                                   "{'plans': 7}]}"));
        const CnfReferences::Element program = seven(Kind::Program);
        const QList<CnfReferences::Place> places = CnfReferences::places(controller, program);
        QCOMPARE(CnfReferences::owners(places, Note::Indication), QStringList({ "1", "2" }));
        QCOMPARE(CnfReferences::clear(controller, places), 0);
        CnfReferences::rename(controller, program, QStringLiteral("9"));
        QCOMPARE(NativeJson::text(controller.nativeData()[QStringLiteral("modules")].toVariant()),
                 NativeJson::text(NativeJson::value("{'Indication': [{'plans': [9, 'Seven', 8]}, "
                                                    "{'plans': 9}]}")));
    }
};

PROJECT_TEST(TestCnfReferencePlaces);
#include "tst_cnfreferenceplaces.moc"
