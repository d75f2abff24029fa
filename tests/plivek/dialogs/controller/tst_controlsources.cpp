#include "cnf/cnfcontroller.h"
#include "nativetree.h"
#include "plivek/dialogs/controller/controlsources.h"
#include "testmain.h"

#include <QtTest>

namespace {

void loadTree(CnfController &controller, const char *json)
{
    QVERIFY2(NativeTree::load(controller, json), json);
}

QVariantList priorities(const VObject &sources)
{
    QVariantList list;
    for (int i = 0; i < sources.size(); ++i)
        list << sources[i]["priority"].toVariant();
    return list;
}

} // namespace

class TestControlSources : public QObject
{
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QVariant>("pointer");
        QTest::addColumn<int>("byType");
        QTest::addColumn<int>("byNameOrId");

        // Entries: 0 {id 3, name "vpu2"}, 1 {id 4, name "3"}, 2 {id 5, name "its"}.
        QTest::newRow("integer 3") << QVariant(3) << 0 << 0;
        QTest::newRow("real 3.0") << QVariant(3.0) << 0 << 0;
        QTest::newRow("long 5") << QVariant(qlonglong(5)) << 2 << 2;
        QTest::newRow("text its") << QVariant("its") << 2 << 2;
        // Matched by type a text looks at names only; matched by name or id
        // the text "3" also finds the id 3 (of the earlier entry).
        QTest::newRow("text 3") << QVariant("3") << 1 << 0;
        QTest::newRow("text vpu2") << QVariant("vpu2") << 0 << 0;
        QTest::newRow("unknown") << QVariant("vpu") << -1 << -1;
        QTest::newRow("not set") << QVariant() << -1 << -1;
    }

    void matching()
    {
        QFETCH(QVariant, pointer);
        QFETCH(int, byType);
        QFETCH(int, byNameOrId);

        CnfController controller;
        loadTree(controller,
                 R"({"controlSources": [{"id": 3, "name": "vpu2"}, {"id": 4, "name": "3"},
                                                     {"id": 5, "name": "its"}],
                                  "pointer": 0})");
        VObject root = controller.nativeData();
        if (pointer.isValid())
            root["pointer"] = pointer;
        else
            root.remove(QStringLiteral("pointer"));
        const VObject sources = ControlSources::list(root);
        int foundByType = -1;
        for (int i = sources.size() - 1; i >= 0; --i) {
            if (ControlSources::matchesByType(root["pointer"], sources[i]))
                foundByType = i;
        }
        int foundByNameOrId = -1;
        for (int i = 0; i < sources.size() && foundByNameOrId < 0; ++i) {
            if (ControlSources::matchesNameOrId(root["pointer"], sources[i]))
                foundByNameOrId = i;
        }
        QCOMPARE(foundByType, byType);
        QCOMPARE(foundByNameOrId, byNameOrId);
    }

    // "JsConsole" and "JsonRPC" never raise the highest priority; priorities
    // from 9999 and the excluded name are left out too.
    void highestPriority_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("excluded");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("firstFree");

        QTest::newRow("empty") << QByteArray(R"({"controlSources": []})") << "its" << 1 << 1;
        QTest::newRow("script sources ignored")
            << QByteArray(R"({"controlSources": [{"type": "JsConsole", "priority": 50},
                                                  {"type": "JsonRPC", "priority": 40},
                                                  {"name": "vpu", "priority": 2}]})")
            << "its" << 2 << 3;
        QTest::newRow("excluded name") << QByteArray(
            R"({"controlSources": [{"name": "its", "priority": 7}, {"name": "vpu", "priority": 2}]})")
                                       << "its" << 2 << 3;
        QTest::newRow("outside the ranking") << QByteArray(
            R"({"controlSources": [{"name": "a", "priority": 9999}, {"name": "b", "priority": 4},
                                                  {"name": "c", "priority": 5}]})")
                                             << "vpu" << 5 << 6;
        QTest::newRow("text priority")
            << QByteArray(R"({"controlSources": [{"priority": "x"}]})") << "vpu" << 1 << 1;
    }

    void highestPriority()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, excluded);
        QFETCH(int, highest);
        QFETCH(int, firstFree);

        CnfController controller;
        loadTree(controller, json.constData());
        const VObject sources = ControlSources::list(controller.nativeData());
        QCOMPARE(ControlSources::highestPriority(sources, excluded), highest);
        QCOMPARE(ControlSources::firstFreePriority(sources, highest), firstFree);
    }

    void ids()
    {
        CnfController controller;
        loadTree(controller,
                 R"({"controlSources": [{"id": 1}, {"id": 4}, {"id": "two"}, {"id": 2}]})");
        const VObject sources = ControlSources::list(controller.nativeData());
        QCOMPARE(ControlSources::largestId(sources), 4);
        QCOMPARE(ControlSources::smallestFreeId(sources), 3);
        QCOMPARE(ControlSources::largestId(VObject()), 1);
        QCOMPARE(ControlSources::smallestFreeId(VObject()), 1);
    }

    // An entry taken out of the list stays out: writes through a handle
    // kept on it reach the detached entry only.
    void removedEntryStaysOut()
    {
        CnfController controller;
        loadTree(controller,
                 R"({"controlSources": [{"id": 1, "name": "its"}, {"id": 2, "name": "vpu"}]})");
        VObject sources = ControlSources::list(controller.nativeData());
        VObject entry = sources[0];
        QVERIFY(entry.remove());
        entry["priority"] = 5;
        ControlSources::setOrRemove(entry, QStringLiteral("url"), QStringLiteral("tcp://h:1/"));
        QCOMPARE(sources.size(), 1);
        QCOMPARE(NativeTree::json(sources), QByteArray(R"([{"id":2,"name":"vpu"}])"));
        QCOMPARE(ControlSources::lastWithPriority(sources, 5).isNull(), true);
    }

    // Rules 1 and 2: the RCU and one central-system source exchange their
    // numbers when their order disagrees with the flag.
    void exchange_data()
    {
        QTest::addColumn<bool>("centralUnderRcu");
        QTest::addColumn<QVariant>("rcu");
        QTest::addColumn<QVariant>("central");
        QTest::addColumn<QVariantList>("after");

        QTest::newRow("under, kept") << true << QVariant(2) << QVariant(5) << QVariantList { 2, 5 };
        QTest::newRow("under, exchanged")
            << true << QVariant(5) << QVariant(2) << QVariantList { 2, 5 };
        QTest::newRow("above, exchanged")
            << false << QVariant(2) << QVariant(5) << QVariantList { 5, 2 };
        QTest::newRow("above, kept")
            << false << QVariant(5) << QVariant(2) << QVariantList { 5, 2 };
        QTest::newRow("central not set")
            << false << QVariant(2) << QVariant() << QVariantList { 2, QVariant() };
    }

    void exchange()
    {
        QFETCH(bool, centralUnderRcu);
        QFETCH(QVariant, rcu);
        QFETCH(QVariant, central);
        QFETCH(QVariantList, after);

        CnfController controller;
        loadTree(controller,
                 R"({"controlSources": [{"name": "vpu"}, {"name": "its"}, {"type": "JsConsole",
                                                                                        "priority": 1}]})");
        VObject sources = ControlSources::list(controller.nativeData());
        if (rcu.isValid())
            sources[0]["priority"] = rcu;
        if (central.isValid())
            sources[1]["priority"] = central;
        ControlSources::exchange(sources[0]["priority"], sources[1]["priority"], centralUnderRcu);
        QCOMPARE(priorities(sources), after + QVariantList { 1 });
    }

    // Rule 3: against several central-system sources only the RCU and the
    // last holder of the lowest (or highest) number exchange.
    void exchangeWithCentral_data()
    {
        QTest::addColumn<bool>("centralUnderRcu");
        QTest::addColumn<QVariantList>("after");

        // vpu 3, its 1, its1 4, its2 1, JsonRPC 2
        QTest::newRow("under the RCU") << true << QVariantList { 1, 1, 4, 3, 2 };
        QTest::newRow("above the RCU") << false << QVariantList { 4, 1, 3, 1, 2 };
    }

    void exchangeWithCentral()
    {
        QFETCH(bool, centralUnderRcu);
        QFETCH(QVariantList, after);

        CnfController controller;
        loadTree(
            controller,
            R"({"controlSources": [{"name": "vpu", "priority": 3}, {"name": "its", "priority": 1},
                                                     {"name": "its1", "priority": 4},
                                                     {"name": "its2", "priority": 1},
                                                     {"type": "JsonRPC", "priority": 2}]})");
        VObject sources = ControlSources::list(controller.nativeData());
        QVERIFY(ControlSources::exchangeWithCentral(sources, sources[0]["priority"],
                                                    centralUnderRcu, 1, 4));
        QCOMPARE(priorities(sources), after);
        // The order agrees now: nothing more is exchanged.
        QVERIFY(!ControlSources::exchangeWithCentral(sources, sources[0]["priority"],
                                                     centralUnderRcu, 1, 4));
    }
};

PROJECT_TEST(TestControlSources);
#include "tst_controlsources.moc"
