#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
#include "testmain.h"

#include <QtTest>

class TestVObject : public QObject
{
    Q_OBJECT
private slots:
    void readingMissingKeyCreatesNothing()
    {
        CnfController controller;
        VObject root = controller.nativeData();
        VObject missing = root["modules"]["SystemBus"]["devices"];
        QVERIFY(missing.isNull());
        QCOMPARE(missing.size(), 0);
        QVERIFY(missing.keys().isEmpty());
        QCOMPARE(missing.toInt(), 0);
        QVERIFY(!missing.toVariant().isValid());
        QVERIFY(!(missing == 0));
        QVERIFY(root.keys().isEmpty());
        QVERIFY(!controller.getNativeData(QStringLiteral("modules")).isValid());
    }

    void writingThroughMissingPathCreatesIt()
    {
        CnfController controller;
        VObject url = controller.nativeData()["modules"]["Priority"]["url"];
        url = QStringLiteral("tcp://host:1/");
        QCOMPARE(controller.nativeData()["modules"]["Priority"]["url"].toString(),
                 QStringLiteral("tcp://host:1/"));
        // The handle is now bound to the created node.
        url = QStringLiteral("tcp://other:2/");
        QCOMPARE(controller.getNativeData(QStringLiteral("modules"))
                     .toMap()
                     .value(QStringLiteral("Priority"))
                     .toMap()
                     .value(QStringLiteral("url")),
                 QVariant(QStringLiteral("tcp://other:2/")));

        VObject channels
            = controller.nativeData()["modules"]["SystemBus"]["devices"]["DIO1"]["channels"];
        channels.append(QVariantMap { { QStringLiteral("channel"), 3 } });
        QCOMPARE(
            controller.nativeData()["modules"]["SystemBus"]["devices"]["DIO1"]["channels"].size(),
            1);
        QCOMPARE(channels[0]["channel"].toInt(), 3);
    }

    void kindChangeOfFilledContainerIsRefused_data()
    {
        QTest::addColumn<QString>("container"); // "map" or "list", holding one entry
        QTest::addColumn<QString>("write"); // what is written into it
        QTest::newRow("position into a map") << "map"
                                             << "at 0";
        QTest::newRow("position below, through a map") << "map"
                                                       << "at 0, key";
        QTest::newRow("append to a map") << "map"
                                         << "append";
        QTest::newRow("node placed by position into a map") << "map"
                                                            << "node at 0";
        QTest::newRow("key into a list") << "list"
                                         << "key";
        QTest::newRow("node placed by key into a list") << "list"
                                                        << "node at key";
    }

    void kindChangeOfFilledContainerIsRefused()
    {
        QFETCH(QString, container);
        QFETCH(QString, write);

        CnfController controller;
        VObject root = controller.nativeData();
        const QVariant before = container == QLatin1String("map")
            ? QVariant(QVariantMap { { QStringLiteral("a"), 1 } })
            : QVariant(QVariantList { 1 });
        root["groups"] = before;
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("^Native data: a write by .* is refused$")));
        if (write == QLatin1String("at 0"))
            root["groups"][0] = 9;
        else if (write == QLatin1String("at 0, key"))
            root["groups"][0]["x"] = 9;
        else if (write == QLatin1String("append"))
            QVERIFY(root["groups"].append(9).isNull());
        else if (write == QLatin1String("node at 0"))
            root["groups"][0] = VObject(QVariant(9));
        else if (write == QLatin1String("key"))
            root["groups"]["x"] = 9;
        else
            root["groups"]["x"] = VObject(QVariant(9));
        QCOMPARE(controller.getNativeData(QStringLiteral("groups")), before);
    }

    void emptyContainerTakesAnotherKind()
    {
        CnfController controller;
        VObject root = controller.nativeData();
        root["groups"] = QVariantMap();
        root["groups"][0] = 9;
        QCOMPARE(controller.getNativeData(QStringLiteral("groups")), QVariant(QVariantList { 9 }));
        root["items"] = QVariantList();
        root["items"]["x"] = 1;
        QCOMPARE(controller.getNativeData(QStringLiteral("items")),
                 QVariant(QVariantMap { { QStringLiteral("x"), 1 } }));
        // A whole new value replaces the old one of any kind, as before.
        root["groups"] = QVariantMap { { QStringLiteral("y"), 2 } };
        QCOMPARE(controller.getNativeData(QStringLiteral("groups")),
                 QVariant(QVariantMap { { QStringLiteral("y"), 2 } }));
    }

    void handlesFollowNodesAcrossRemovals()
    {
        VObject list = VObject::list();
        for (int i = 0; i < 4; ++i)
            list.append(QVariantMap { { QStringLiteral("id"), i } });
        VObject third = list[2];
        VObject alsoThird = list[2];
        QVERIFY(third == alsoThird);
        QVERIFY(list.removeAt(0));
        QCOMPARE(third["id"].toInt(), 2);
        QVERIFY(third == list[1]);
        third["id"] = 20;
        QCOMPARE(list[1]["id"].toInt(), 20);

        VObject map = VObject::map();
        map["a"] = 1;
        map["b"] = 2;
        VObject b = map["b"];
        QVERIFY(map.remove(QStringLiteral("a")));
        b = 5;
        QCOMPARE(map["b"].toInt(), 5);
    }

    // Removal by handle takes exactly the handle's entry out of a map, also
    // among many entries and after other entries came and went.
    void mapEntryRemovedByHandle()
    {
        VObject map = VObject::map();
        for (int i = 0; i < 100; ++i)
            map[QStringLiteral("k%1").arg(i)] = i;
        QList<VObject> handles;
        for (int i = 0; i < 100; ++i)
            handles << map[QStringLiteral("k%1").arg(i)];
        for (int i = 99; i >= 0; i -= 2)
            QVERIFY(handles[i].remove());
        QVERIFY(map.remove(QStringLiteral("k0")));
        map[QStringLiteral("k0")] = QStringLiteral("new");
        QVERIFY(!handles[0].remove()); // its entry is gone; the new one stays
        QCOMPARE(map[QStringLiteral("k0")].toString(), QStringLiteral("new"));
        QVERIFY(handles[50].remove());
        QCOMPARE(map.keys().size(), 49);
        QVERIFY(!map.contains(QStringLiteral("k50")));
        QCOMPARE(map[QStringLiteral("k52")].toInt(), 52);
    }

    // Removals by handle among the other changes of a list of ten entries
    // (ids 0-9). Steps: "-N" removes the entry of id N by its handle, "xN" finds
    // it gone already, "+N" appends an entry of id N, "@I" removes position I,
    // "=I" puts a new entry of id 100 + I at position I, "?" reads the size.
    void listRemovalsByHandle_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("left");
        QTest::newRow("every second from the end")
            << "-9 -7 -5 -3 -1" << QList<int> { 0, 2, 4, 6, 8 };
        QTest::newRow("the same entry twice")
            << "-4 x4" << QList<int> { 0, 1, 2, 3, 5, 6, 7, 8, 9 };
        QTest::newRow("appends between")
            << "-2 -5 +10 -10 x10 +11" << QList<int> { 0, 1, 3, 4, 6, 7, 8, 9, 11 };
        QTest::newRow("reads between") << "-2 ? -5 ? -0" << QList<int> { 1, 3, 4, 6, 7, 8, 9 };
        QTest::newRow("by position between")
            << "-3 @0 -9 @2 x0 x4" << QList<int> { 1, 2, 5, 6, 7, 8 };
        QTest::newRow("entry replaced") << "-1 =1 x2 -3 -101" << QList<int> { 0, 4, 5, 6, 7, 8, 9 };
        QTest::newRow("all of them") << "-0 -9 -1 -8 -2 -7 -3 -6 -4 -5 +12" << QList<int> { 12 };
    }

    void listRemovalsByHandle()
    {
        QFETCH(QString, steps);
        QFETCH(QList<int>, left);
        CnfController controller;
        VObject list = controller.nativeData()["records"];
        QMap<int, VObject> handles;
        for (int id = 0; id < 10; ++id)
            handles[id] = list.append(QVariantMap { { QStringLiteral("id"), id } });
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            const int n = step.mid(1).toInt();
            switch (step.at(0).toLatin1()) {
            case '-':
                QVERIFY2(handles[n].remove(), qPrintable(step));
                break;
            case 'x':
                QVERIFY2(!handles[n].remove(), qPrintable(step));
                break;
            case '+':
                handles[n] = list.append(QVariantMap { { QStringLiteral("id"), n } });
                break;
            case '@':
                QVERIFY(list.removeAt(n));
                break;
            case '=':
                list[n] = VObject(QVariantMap { { QStringLiteral("id"), 100 + n } });
                handles[100 + n] = list[n];
                break;
            default:
                QVERIFY(list.size() >= 0);
                break;
            }
        }
        QList<int> ids;
        for (int i = 0; i < list.size(); ++i)
            ids << list[i]["id"].toInt();
        QCOMPARE(ids, left);
        // Every handle still reaches its own entry, and writes through it land there.
        for (int i = 0; i < left.size(); ++i) {
            QVERIFY(handles[left.at(i)] == list[i]);
            handles[left.at(i)]["seen"] = i;
        }
        const QVariantList stored = controller.getNativeData(QStringLiteral("records")).toList();
        for (int i = 0; i < left.size(); ++i)
            QCOMPARE(stored.at(i).toMap().value(QStringLiteral("seen")), QVariant(i));
    }

    void appendedEntryStaysWritable()
    {
        CnfController controller;
        VObject sources = controller.nativeData()["controlSources"];
        VObject entry;
        entry["id"] = 4;
        entry["name"] = QStringLiteral("vpu");
        sources.append(entry);
        entry["priority"] = 1;
        const QVariantList stored
            = controller.getNativeData(QStringLiteral("controlSources")).toList();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().toMap().value(QStringLiteral("priority")), QVariant(1));

        // A node that already sits in a tree is appended as a copy.
        sources.append(sources[0]);
        sources[1]["id"] = 5;
        QCOMPARE(sources[0]["id"].toInt(), 4);
    }

    void invalidAssignment_data()
    {
        QTest::addColumn<QVariant>("before");
        QTest::addColumn<bool>("keyStays");
        QTest::newRow("missing key") << QVariant() << false;
        // A missing child below a scalar: the scalar is left as it was.
        QTest::newRow("below a scalar") << QVariant(3) << false;
        // An existing entry holds a not-set value until removeInvalidValues.
        QTest::newRow("existing entry")
            << QVariant(QVariantMap { { QStringLiteral("defectSwitchRate"), 2 } }) << true;
    }

    void invalidAssignment()
    {
        QFETCH(QVariant, before);
        QFETCH(bool, keyStays);
        CnfController controller;
        if (before.isValid())
            controller.setNativeData(QStringLiteral("recovery"), before);
        VObject node = controller.nativeData()["recovery"]["defectSwitchRate"];
        node = QVariant();
        QVERIFY(node.isNull());
        if (before.userType() == QMetaType::Int)
            QCOMPARE(controller.getNativeData(QStringLiteral("recovery")), before);
        else
            QCOMPARE(controller.nativeData().contains(QStringLiteral("recovery")),
                     before.isValid());
        QCOMPARE(controller.nativeData()["recovery"].contains(QStringLiteral("defectSwitchRate")),
                 keyStays);
        controller.nativeData().removeInvalidValues(true);
        QVERIFY(!controller.nativeData()["recovery"].contains(QStringLiteral("defectSwitchRate")));

        controller.setNativeData(QStringLiteral("x"), 1);
        controller.setNativeData(QStringLiteral("x"), QVariant());
        QVERIFY(!controller.nativeData().contains(QStringLiteral("x")));

        // A negative position is no place to write: nothing on the way appears.
        controller.nativeData()["y"]["z"][-1] = 3;
        controller.nativeData()["y"][-1].append(3);
        controller.nativeData()["y"]["z"][-1] = VObject::map();
        QVERIFY(!controller.nativeData().contains(QStringLiteral("y")));
    }

    void removedNodeHandleDoesNotRecreate()
    {
        CnfController controller;
        controller.nativeData()["modules"]["VPU1"]["controlSource"] = QStringLiteral("vpu");
        VObject device = controller.nativeData()["modules"]["VPU1"];
        VObject source = device["controlSource"];
        QVERIFY(device.remove());
        QVERIFY(!controller.nativeData()["modules"].contains(QStringLiteral("VPU1")));
        device["controlSource"] = 7;
        source = 8;
        device["other"]["deep"] = 1;
        QVERIFY(!controller.nativeData()["modules"].contains(QStringLiteral("VPU1")));
        QCOMPARE(device["controlSource"].toInt(), 8);
        QVERIFY(device.parent().isNull());
    }

    void metatypeRoundTrip()
    {
        CnfController controller;
        controller.nativeData()["outputs"].append(QVariantMap { { QStringLiteral("id"), 1 } });
        VObject entry = controller.nativeData()["outputs"][0];
        const QVariant carried = QVariant::fromValue(entry);
        QCOMPARE(QMetaType::type("VObject"), qMetaTypeId<VObject>());
        QCOMPARE(carried.userType(), qMetaTypeId<VObject>());
        VObject back = carried.value<VObject>();
        QVERIFY(back == entry);
        back["name"] = QStringLiteral("Output.1");
        QCOMPARE(controller.nativeData()["outputs"][0]["name"].toString(),
                 QStringLiteral("Output.1"));
        QVERIFY(carried == QVariant::fromValue(entry));
    }

    void conversions_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("textOk");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("numberOk");
        QTest::newRow("int") << QVariant(5) << "5" << true << 5 << true;
        QTest::newRow("whole double") << QVariant(5.0) << "5" << true << 5 << true;
        QTest::newRow("large whole double")
            << QVariant(12000000.0) << "12000000" << true << 12000000 << true;
        QTest::newRow("negative whole double")
            << QVariant(-30000000.0) << "-30000000" << true << -30000000 << true;
        QTest::newRow("fraction") << QVariant(2.5) << "2.5" << true << 3 << true;
        QTest::newRow("long") << QVariant(qlonglong(1) << 40) << "1099511627776" << true << 0
                              << false;
        QTest::newRow("number as text")
            << QVariant(QStringLiteral(" 12 ")) << " 12 " << true << 12 << true;
        QTest::newRow("text") << QVariant(QStringLiteral("det")) << "det" << true << 0 << false;
        QTest::newRow("bool") << QVariant(true) << "true" << true << 1 << true;
        QTest::newRow("map") << QVariant(QVariantMap { { QStringLiteral("a"), 1 } }) << QString()
                             << false << 0 << false;
        QTest::newRow("not set") << QVariant() << QString() << false << 0 << false;
    }

    void conversions()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, text);
        QFETCH(bool, textOk);
        QFETCH(int, number);
        QFETCH(bool, numberOk);
        VObject root = VObject::map();
        root["value"] = stored;
        bool ok = !textOk;
        QCOMPARE(root["value"].toString(&ok), text);
        QCOMPARE(ok, textOk);
        ok = !numberOk;
        QCOMPARE(root["value"].toInt(&ok), number);
        QCOMPARE(ok, numberOk);
    }

    void comparisons_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("other");
        QTest::addColumn<bool>("equal");
        QTest::newRow("int and double") << QVariant(3) << QVariant(3.0) << true;
        QTest::newRow("int and text") << QVariant(5) << QVariant(QStringLiteral("5")) << true;
        QTest::newRow("text and int") << QVariant(QStringLiteral("det")) << QVariant(5) << false;
        QTest::newRow("long and int") << QVariant(qlonglong(7)) << QVariant(7) << true;
        QTest::newRow("double differs") << QVariant(3.5) << QVariant(3) << false;
        QTest::newRow("texts") << QVariant(QStringLiteral("ä")) << QVariant(QStringLiteral("ä"))
                               << true;
        QTest::newRow("maps") << QVariant(QVariantMap { { QStringLiteral("a"), 1 } })
                              << QVariant(QVariantMap { { QStringLiteral("a"), 1.0 } }) << true;
        QTest::newRow("lists differ")
            << QVariant(QVariantList { 1, 2 }) << QVariant(QVariantList { 2, 1 }) << false;
    }

    void comparisons()
    {
        QFETCH(QVariant, stored);
        QFETCH(QVariant, other);
        QFETCH(bool, equal);
        VObject node(stored);
        QCOMPARE(node == other, equal);
        QCOMPARE(node.dataEqual(VObject(other)), equal);
    }

    void comparisonOperandTypes()
    {
        VObject node(QVariantMap { { QStringLiteral("id"), 3 },
                                   { QStringLiteral("name"), QStringLiteral("vpu") },
                                   { QStringLiteral("on"), true },
                                   { QStringLiteral("big"), qlonglong(1) << 40 } });
        QVERIFY(node["id"] == 3);
        QVERIFY(node["id"] == qlonglong(3));
        QVERIFY(node["id"] == 3u);
        QVERIFY(node["id"] == 3.0);
        QVERIFY(3 == node["id"]);
        QVERIFY(node["id"] != 4);
        QVERIFY(node["big"] == qlonglong(1) << 40);
        QVERIFY(node["big"] != 0);
        QVERIFY(node["on"] == true);
        QVERIFY(node["name"] == "vpu");
        QVERIFY(node["name"] == QLatin1String("vpu"));
        QVERIFY(node["name"] != QStringLiteral("its"));
        QVERIFY(QStringLiteral("vpu") == node["name"]);
        QVERIFY(node["missing"] != 0);
        QVERIFY(node["missing"] != "");
        QVERIFY(node["missing"] == QVariant());
        QVERIFY(node["id"] != node["name"]);
    }

    void typesAreToldApart()
    {
        VObject node = VObject::map();
        node["i"] = 1;
        node["l"] = qlonglong(1) << 40;
        node["d"] = 1.5;
        node["s"] = QStringLiteral("x");
        QCOMPARE(node["i"].type(), int(QMetaType::Int));
        QCOMPARE(node["l"].type(), int(QMetaType::LongLong));
        QCOMPARE(node["d"].type(), int(QMetaType::Double));
        QCOMPARE(node["s"].type(), int(QMetaType::QString));
        QCOMPARE(node.type(), int(QMetaType::QVariantMap));
        QCOMPARE(node.size(), 0);
        bool ok = true;
        node["s"].toInt(&ok);
        QVERIFY(!ok);
        node["l"].toInt(&ok);
        QVERIFY(!ok);
    }

    void pendingHandleSeesLaterCreation()
    {
        VObject root = VObject::map();
        VObject pending = root["a"]["b"];
        root["a"]["b"] = 3;
        QCOMPARE(pending.toInt(), 3);
        QVERIFY(pending == root["a"]["b"]);
        QVERIFY(pending.parent() == root["a"]);
    }

    void assignmentOfNodes()
    {
        CnfController controller;
        VObject root = controller.nativeData();
        root["recovery"] = VObject::map();
        QCOMPARE(root["recovery"].type(), int(QMetaType::QVariantMap));
        // A default-constructed handle is re-pointed, not written.
        VObject priority;
        priority = root["recovery"];
        priority["rate"] = 2;
        QCOMPARE(root["recovery"]["rate"].toInt(), 2);
        // Assigning a tree node to another place copies it.
        root["copy"] = root["recovery"];
        root["copy"]["rate"] = 9;
        QCOMPARE(root["recovery"]["rate"].toInt(), 2);
        // The root itself cannot become its own child.
        root["self"] = root;
        QVERIFY(root["self"]["recovery"].dataEqual(root["recovery"]));

        // A named handle is re-pointed, so walking entries writes nothing.
        root["list"] = QVariantList { 1, 2, 3 };
        VObject entry;
        for (int i = 0; i < 3; ++i)
            entry = root["list"][i];
        QCOMPARE(root["list"].toVariant(), QVariant(QVariantList { 1, 2, 3 }));
        QVERIFY(entry == root["list"][2]);
        entry = VObject(); // dropping a member handle keeps the stored value
        QCOMPARE(root["list"][2].toInt(), 3);
        QVector<VObject> kept { root["list"][0], root["list"][1] };
        kept.removeFirst();
        QCOMPARE(root["list"].toVariant(), QVariant(QVariantList { 1, 2, 3 }));
    }

    // After removeInvalidValues(true) on a node no not-set value stays below
    // it, whatever is written there later (a setting put back to "not set"
    // removes its key).
    void writesBelowCleanedNode_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QVariant>("expected"); // the "countdownBoards" node afterwards
        const QString protocol = QStringLiteral("protocol");
        const QString warnTime = QStringLiteral("warnTime");
        QTest::newRow("existing entry set to not set")
            << "warnTime=invalid" << QVariant(QVariantMap { { protocol, QStringLiteral("V1") } });
        QTest::newRow("missing entry set to not set")
            << "other=invalid"
            << QVariant(QVariantMap { { protocol, QStringLiteral("V1") }, { warnTime, 5 } });
        QTest::newRow("map with a not-set value")
            << "items=map"
            << QVariant(QVariantMap {
                   { protocol, QStringLiteral("V1") },
                   { warnTime, 5 },
                   { QStringLiteral("items"), QVariantMap { { QStringLiteral("id"), 1 } } } });
        QTest::newRow("appended item with a not-set value")
            << "items+=map"
            << QVariant(QVariantMap {
                   { protocol, QStringLiteral("V1") },
                   { warnTime, 5 },
                   { QStringLiteral("items"),
                     QVariantList { QVariantMap { { QStringLiteral("id"), 1 } } } } });
        QTest::newRow("placed item with a not-set value")
            << "items=node"
            << QVariant(QVariantMap {
                   { protocol, QStringLiteral("V1") },
                   { warnTime, 5 },
                   { QStringLiteral("items"), QVariantMap { { QStringLiteral("id"), 1 } } } });
        QTest::newRow("the cleaned node set to not set") << "self=invalid" << QVariant();
    }

    void writesBelowCleanedNode()
    {
        QFETCH(QString, write);
        QFETCH(QVariant, expected);
        CnfController controller;
        controller.setNativeData(QStringLiteral("countdownBoards"),
                                 QVariantMap { { QStringLiteral("protocol"), QStringLiteral("V2") },
                                               { QStringLiteral("warnTime"), 5 },
                                               { QStringLiteral("old"), QVariant() } });
        VObject node = controller.nativeData()["countdownBoards"];
        node.removeInvalidValues(true);
        node["protocol"] = QStringLiteral("V1");
        const QVariantMap item { { QStringLiteral("id"), 1 },
                                 { QStringLiteral("addr"), QVariant() } };
        if (write == QLatin1String("warnTime=invalid"))
            node["warnTime"] = QVariant();
        else if (write == QLatin1String("other=invalid"))
            node["other"] = QVariant();
        else if (write == QLatin1String("items=map"))
            node["items"] = item;
        else if (write == QLatin1String("items+=map"))
            node["items"].append(QVariant(item));
        else if (write == QLatin1String("items=node"))
            node["items"] = VObject(item);
        else
            node = QVariant();
        QCOMPARE(controller.getNativeData(QStringLiteral("countdownBoards")), expected);
    }

    void handleOnDroppedEntryWritesAgain()
    {
        CnfController controller;
        controller.setNativeData(QStringLiteral("recovery"),
                                 QVariantMap { { QStringLiteral("rate"), 2 } });
        VObject recovery = controller.nativeData()["recovery"];
        recovery.removeInvalidValues(true);
        VObject rate = recovery["rate"];
        rate = QVariant();
        QVERIFY(!recovery.contains(QStringLiteral("rate")));
        rate = 4; // the handle stays on its key
        QCOMPARE(controller.nativeData()["recovery"]["rate"].toInt(), 4);
        // Elsewhere a not-set value is still stored as such.
        controller.setNativeData(QStringLiteral("startTime"),
                                 QVariantMap { { QStringLiteral("allRed"), 3 } });
        controller.nativeData()["startTime"]["allRed"] = QVariant();
        QVERIFY(controller.nativeData()["startTime"].contains(QStringLiteral("allRed")));
        // A cleaned root holds for its configuration only.
        controller.nativeData().removeInvalidValues(true);
        controller.clear();
        controller.nativeData()["x"] = 1;
        controller.nativeData()["x"] = QVariant();
        QVERIFY(controller.nativeData().contains(QStringLiteral("x")));
    }

    void clearAndRemoveInvalid()
    {
        VObject list(
            QVariantList { 1, QVariant(), QVariantMap { { QStringLiteral("x"), QVariant() } } });
        list.removeInvalidValues(false);
        QCOMPARE(list.size(), 2);
        QVERIFY(list[1].contains(QStringLiteral("x")));
        list.removeInvalidValues(true);
        QVERIFY(!list[1].contains(QStringLiteral("x")));
        list.clear();
        QCOMPARE(list.size(), 0);
        QCOMPARE(list.kind(), VObject::List);
    }
};

PROJECT_TEST(TestVObject);
#include "tst_vobject.moc"
