#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zucontrolsource.h"
#include "zumoltc/model/zudayplan.h"
#include "zumoltc/model/zudetector.h"
#include "zumoltc/model/zuextraday.h"
#include "zumoltc/model/zuextraperiod.h"
#include "zumoltc/model/zukmpdevice.h"
#include "zumoltc/model/zusignalgroup.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/model/zustage.h"
#include "zumoltc/model/zuswitch.h"
#include "zumoltc/model/zuweekplan.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using Factory = std::function<ZUBaseObject *(QObject *)>;
using MetaObjectPointer = const QMetaObject *;
using Cloner = std::function<ZUBaseObject *(ZUBaseObject *)>;
Q_DECLARE_METATYPE(Factory)
Q_DECLARE_METATYPE(Cloner)
Q_DECLARE_METATYPE(MetaObjectPointer)

namespace {

template<typename T> void addKind(const char *name)
{
    QTest::newRow(name) << Factory([](QObject *parent) -> ZUBaseObject * { return new T(parent); })
                        << Cloner([](ZUBaseObject *source) -> ZUBaseObject * {
                               return new T(*static_cast<T *>(source));
                           });
}

void addEveryKind()
{
    QTest::addColumn<Factory>("create");
    QTest::addColumn<Cloner>("clone");
    addKind<ZUSignalGroup>("signal group");
    addKind<ZUStage>("stage");
    addKind<ZUDetector>("detector");
    addKind<ZUSignalPlan>("signal plan");
    addKind<ZUDayPlan>("day plan");
    addKind<ZUWeekPlan>("week plan");
    addKind<ZUExtraPeriod>("extra period");
    addKind<ZUExtraDay>("extra day");
    addKind<ZUControlSource>("control source");
    addKind<ZUKMPDevice>("KMP device");
    addKind<ZUSwitch>("switch");
}

// Reads an object's own data while it announces its destruction.
class DestructionWatcher : public QObject
{
public:
    int calls = 0;
    QString className;
    int id = 0;
    QString text;

    void watch(ZUBaseObject *object)
    {
        connect(object, &ZUBaseObject::beforeDestroyed, this, [this](ZUBaseObject *dying) {
            ++calls;
            className = QString::fromLatin1(dying->metaObject()->className());
            id = dying->id();
            text = dying->text(QStringLiteral("x"));
        });
    }
};

} // namespace

class TestZUBaseObject : public QObject
{
    Q_OBJECT
private slots:
    void text_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all empty") << zu::NotSet << ""
                                   << ""
                                   << "";
        QTest::newRow("id and name") << 3 << "Main"
                                     << ""
                                     << "3 (Main)";
        QTest::newRow("suffix alone") << zu::NotSet << ""
                                      << "traffic"
                                      << "traffic";
        QTest::newRow("id and suffix") << 7 << ""
                                       << "x"
                                       << "7 x";
        QTest::newRow("name and suffix") << zu::NotSet << "N"
                                         << "x"
                                         << "(N) x";
        QTest::newRow("everything") << 0 << "N"
                                    << "x"
                                    << "0 (N) x";
        QTest::newRow("negative id") << -2 << ""
                                     << ""
                                     << "-2";
    }
    void text()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(QString, suffix);
        QFETCH(QString, expected);
        ZUStage stage;
        stage.setId(id);
        stage.setName(name);
        QCOMPARE(stage.text(suffix), expected);
    }

    void freshObject_data() { addEveryKind(); }
    void freshObject()
    {
        QFETCH(Factory, create);
        QObject owner;
        std::unique_ptr<ZUBaseObject> object(create(&owner));
        QCOMPARE(object->parent(), &owner);
        QCOMPARE(object->id(), zu::NotSet);
        QVERIFY(object->name().isEmpty());
        QVERIFY(object->text().isEmpty());
    }

    void cloneRule_data() { addEveryKind(); }
    void cloneRule()
    {
        QFETCH(Factory, create);
        QFETCH(Cloner, clone);
        QObject owner;
        ZUBaseObject *source = create(&owner);
        source->setId(5);
        source->setName(QStringLiteral("A"));
        ZUBaseObject *copy = clone(source);
        QCOMPARE(copy->parent(), &owner);
        QCOMPARE(copy->id(), zu::NotSet);
        QVERIFY(copy->name().isEmpty());
        QCOMPARE(copy->metaObject(), source->metaObject());
        QCOMPARE(source->id(), 5);
        QCOMPARE(source->name(), QStringLiteral("A"));
    }

    void beforeDestroyedOnceWhileWhole_data() { addEveryKind(); }
    void beforeDestroyedOnceWhileWhole()
    {
        QFETCH(Factory, create);
        ZUBaseObject *object = create(nullptr);
        object->setId(9);
        const QString expectedClass = QString::fromLatin1(object->metaObject()->className());
        const QString expectedText = object->text(QStringLiteral("x"));
        DestructionWatcher watcher;
        watcher.watch(object);
        delete object;
        QCOMPARE(watcher.calls, 1);
        QCOMPARE(watcher.className, expectedClass);
        QCOMPARE(watcher.id, 9);
        QCOMPARE(watcher.text, expectedText);
    }

    void beforeDestroyedOnceForDerivedClass()
    {
        // A class derived from a model class still announces itself once.
        class SpecialGroup : public ZUSignalGroup
        {
        public:
            ~SpecialGroup() override { notifyDestroying(); }
        };
        auto *group = new SpecialGroup;
        QSignalSpy spy(group, &ZUBaseObject::beforeDestroyed);
        delete group;
        QCOMPARE(spy.count(), 1);
    }

    // Other parts find these methods by name and index: only the base, the KMP bus and
    // the configuration have any.
    void ownMetaMethods_data()
    {
        QTest::addColumn<MetaObjectPointer>("meta");
        QTest::addColumn<QStringList>("signatures");
        QTest::newRow("base object")
            << &ZUBaseObject::staticMetaObject << QStringList({ "beforeDestroyed(ZUBaseObject*)" });
        QTest::newRow("configuration")
            << &ZUConfiguration::staticMetaObject
            << QStringList({ "objectAdded(ZUBaseObject*,int)", "objectDestroyed(ZUBaseObject*)",
                             "beforeDestroyed(ZUBaseObject*)" });
        QTest::newRow("KMP bus") << &ZUKMP1::staticMetaObject
                                 << QStringList({ "objectAdded(ZUBaseObject*,int)",
                                                  "objectDestroyed(ZUBaseObject*)" });
        QTest::newRow("signal group") << &ZUSignalGroup::staticMetaObject << QStringList();
        QTest::newRow("signal plan") << &ZUSignalPlan::staticMetaObject << QStringList();
        QTest::newRow("phase") << &ZUSignalPlanPhase::staticMetaObject << QStringList();
        QTest::newRow("countdown boards") << &ZUCountdownBoards::staticMetaObject << QStringList();
        QTest::newRow("DIO module") << &ZUDIO::staticMetaObject << QStringList();
    }
    void ownMetaMethods()
    {
        QFETCH(MetaObjectPointer, meta);
        QFETCH(QStringList, signatures);
        QStringList own;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
            own.append(QString::fromLatin1(meta->method(i).methodSignature()));
        QCOMPARE(own, signatures);
    }

    void guardedReferenceReadsNullAfterDestruction()
    {
        ZUSignalGroup *group = new ZUSignalGroup;
        QPointer<ZUSignalGroup> reference(group);
        ZUSwitch output;
        output.setSignalGroup(reference);
        ZUStage stage;
        stage.addGroup(reference);
        delete group;
        QVERIFY(reference.isNull());
        QVERIFY(output.signalGroup().isNull());
        QVERIFY(stage.groups().isEmpty());
    }
};

PROJECT_TEST(TestZUBaseObject);
#include "tst_zubaseobject.moc"
