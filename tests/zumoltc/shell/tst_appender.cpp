#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/itemappender.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"
#include "zumoltc/shell/uniquevalues.h"

#include <QSettings>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

constexpr int NotSet = 2147483647;

// Detectors with these ids and names, owned by one configuration.
QList<QPointer<ZUDetector>> detectors(ZUConfiguration &configuration, const QList<int> &ids,
                                      const QStringList &names = {})
{
    for (int i = 0; i < ids.size(); ++i) {
        auto *detector = new ZUDetector;
        detector->setId(ids.at(i));
        detector->setName(names.value(i));
        configuration.addDetector(detector);
    }
    return configuration.detectors();
}

// A branch item of one kind with one child item per listed object, as the section
// tree has them.
template<typename T> struct Branch
{
    explicit Branch(const QList<QPointer<T>> &list)
    {
        for (const QPointer<T> &object : list) {
            auto *child = new QTreeWidgetItem(branch.get(), { object->text() });
            objects.insert(child, object);
        }
    }
    QTreeWidgetItem *child(int row) const { return branch->child(row); }
    T *object(int row) const { return objects.value(child(row)); }

    std::unique_ptr<QTreeWidgetItem> branch
        = std::make_unique<QTreeWidgetItem>(QStringList { QStringLiteral("kind") });
    QMap<QTreeWidgetItem *, QPointer<T>> objects;
};

QStringList names(const QList<QPointer<ZUSignalGroup>> &list)
{
    QStringList result;
    for (const QPointer<ZUSignalGroup> &group : list)
        result << group->name();
    return result;
}

} // namespace

class TestAppender : public QObject
{
    Q_OBJECT
private slots:
    void uniqueId_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");

        QTest::newRow("after 1 to 3") << QList<int> { 1, 2, 3 } << 1 << 4;
        QTest::newRow("gap") << QList<int> { 1, 3, 4 } << 1 << 2;
        QTest::newRow("from start") << QList<int> { 1, 2, 3 } << 3 << 4;
        QTest::newRow("start free") << QList<int> { 1, 2 } << 7 << 7;
        QTest::newRow("unordered") << QList<int> { 5, 3, 4, 6 } << 3 << 7;
        QTest::newRow("none free below not set")
            << QList<int> { 2147483645, 2147483646 } << 2147483645 << NotSet;
    }

    void uniqueId()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, start);
        QFETCH(int, expected);
        ZUConfiguration configuration;
        QCOMPARE(::uniqueId(detectors(configuration, ids), start), expected);
    }

    // Dead entries of a list count for nothing.
    void deadEntriesSkipped()
    {
        ZUConfiguration configuration;
        QList<QPointer<ZUDetector>> list
            = detectors(configuration, { 1, 2 }, { "Detector.1", "Detector.2" });
        const QList<QPointer<ZUDetector>> held = list;
        delete list.first().data();
        QVERIFY(held.first().isNull());
        QCOMPARE(::uniqueId(held, 1), 1);
        QCOMPARE(::uniqueName(held, QStringLiteral("Detector."), 1), QStringLiteral("Detector.1"));
    }

    void uniqueName_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("expected");

        QTest::newRow("free at start")
            << QStringList { "Group.1", "Group.2" } << "Group." << 3 << "Group.3";
        QTest::newRow("raised") << QStringList { "Group.4", "Group.5" } << "Group." << 4
                                << "Group.6";
        QTest::newRow("case counts") << QStringList { "group.4" } << "Group." << 4 << "Group.4";
        QTest::newRow("empty prefix") << QStringList { "4" } << "" << 4 << "5";
    }

    void uniqueName()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, prefix);
        QFETCH(int, start);
        QFETCH(QString, expected);
        ZUConfiguration configuration;
        QList<int> ids;
        for (int i = 0; i < taken.size(); ++i)
            ids << i;
        QCOMPARE(::uniqueName(detectors(configuration, ids, taken), prefix, start), expected);
    }

    void uniqueCopyName_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");

        QTest::newRow("North 5") << QStringList { "North 5" } << "North 5"
                                 << "North 6";
        QTest::newRow("next taken") << QStringList { "North 5", "North 6" } << "North 5"
                                    << "North 7";
        QTest::newRow("leading zeros") << QStringList { "A009" } << "A009"
                                       << "A10";
        QTest::newRow("no number") << QStringList { "Main" } << "Main"
                                   << "Main1";
        QTest::newRow("minus is base") << QStringList { "X-1" } << "X-1"
                                       << "X-2";
        QTest::newRow("empty name") << QStringList { "" } << ""
                                    << "1";
        QTest::newRow("number beyond int") << QStringList { "Big99999999999" } << "Big99999999999"
                                           << "Big1";
        QTest::newRow("largest number") << QStringList { "Top2147483647" } << "Top2147483647"
                                        << "Top1";
        QTest::newRow("last number") << QStringList { "Top2147483646" } << "Top2147483646"
                                     << "Top1";
    }

    void uniqueCopyName()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        ZUConfiguration configuration;
        QList<int> ids;
        for (int i = 0; i < taken.size(); ++i)
            ids << i;
        QCOMPARE(::uniqueCopyName(detectors(configuration, ids, taken), source), expected);
    }

    void uniqueAddressAndValue()
    {
        ZUConfiguration configuration;
        for (int address : { 0, 1, 2, 3, 12 }) {
            auto *sw = new ZUSwitch;
            sw->setAddr(address);
            configuration.addSwitch(sw);
        }
        QCOMPARE(uniqueAddress(configuration.switches(), 0), 4);
        for (int priority : { 0, 2 }) {
            auto *source = new ZUControlSource;
            source->setPriority(priority);
            configuration.addControlSource(source);
        }
        configuration.addControlSource(new ZUControlSource);
        QCOMPARE(uniqueValue(configuration.controlSources(), &ZUControlSource::priority, 0), 1);
    }

    // A new default object for the branch: next id, prefix + id, at the end.
    void appendToBranch()
    {
        ZUConfiguration configuration;
        for (int id : { 1, 2, 3 }) {
            auto *group = new ZUSignalGroup;
            group->setId(id);
            group->setName(QStringLiteral("Group.%1").arg(id));
            configuration.addSignalGroup(group);
        }
        Branch<ZUSignalGroup> tree(configuration.signalGroups());
        ItemAppender<ZUConfiguration, ZUSignalGroup> appender(
            &configuration, tree.branch.get(), &configuration.signalGroups(),
            QStringLiteral("Group."), &ZUConfiguration::insertSignalGroup);
        QCOMPARE(appender.branchItem(), tree.branch.get());

        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        auto *created = qobject_cast<ZUSignalGroup *>(
            appender.append(tree.branch.get(), nullptr, nullptr, nullptr));
        QVERIFY(created);
        QCOMPARE(created->id(), 4);
        QCOMPARE(created->name(), QStringLiteral("Group.4"));
        QCOMPARE(created->parent(), &configuration);
        QCOMPARE(configuration.signalGroups().last().data(), created);
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.first().at(1).toInt(), 3);

        // A copy of Group.2 among ids 1 to 4 goes right after it.
        ZUSignalGroup *second = tree.object(1);
        second->setMinGreen(7);
        auto *copy = qobject_cast<ZUSignalGroup *>(
            appender.append(tree.child(1), tree.branch.get(), second, second));
        QVERIFY(copy);
        QCOMPARE(copy->id(), 5);
        QCOMPARE(copy->name(), QStringLiteral("Group.5"));
        QCOMPARE(copy->minGreen(), 7);
        QCOMPARE(names(configuration.signalGroups()),
                 (QStringList { "Group.1", "Group.2", "Group.5", "Group.3", "Group.4" }));

        // Items of other branches and other kinds concern this appender not at all.
        QTreeWidgetItem other(QStringList { QStringLiteral("Stages") });
        QVERIFY(!appender.append(&other, nullptr, nullptr, nullptr));
        QVERIFY(!appender.append(new QTreeWidgetItem(&other), &other, second, nullptr));
        QCOMPARE(configuration.signalGroups().size(), 5);
    }

    // Copies of rows 2 and 4, offered in row order with each new object as the next
    // `after`, form one block right after row 4.
    void copiesFormBlock()
    {
        ZUConfiguration configuration;
        detectors(configuration, { 1, 2, 3, 4, 5 },
                  { "Detector.1", "Detector.2", "Detector.3", "Detector.4", "Detector.5" });
        Branch<ZUDetector> tree(configuration.detectors());
        ItemAppender<ZUConfiguration, ZUDetector> appender(
            &configuration, tree.branch.get(), &configuration.detectors(),
            QStringLiteral("Detector."), &ZUConfiguration::insertDetector);
        QObject *after = tree.object(4);
        for (int row : { 2, 4 })
            after = appender.append(tree.child(row), tree.branch.get(), tree.object(row), after);
        QStringList order;
        for (const QPointer<ZUDetector> &detector : configuration.detectors())
            order << detector->name();
        QCOMPARE(order,
                 (QStringList { "Detector.1", "Detector.2", "Detector.3", "Detector.4",
                                "Detector.5", "Detector.6", "Detector.7" }));
        QCOMPARE(configuration.detectors().at(5)->id(), 6);
    }

    // Names and ids of copies.
    void copyNaming_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("sourceId");
        QTest::addColumn<QString>("sourceName");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");

        QTest::newRow("own name") << "Stage." << 7 << "North 5" << 9 << "North 6";
        QTest::newRow("prefixed name") << "Stage." << 7 << "Stage.7" << 9 << "Stage.9";
        QTest::newRow("empty prefix") << "" << 7 << "North 5" << 9 << "9";
        QTest::newRow("empty name") << "Stage." << 7 << "" << 9 << "1";
        QTest::newRow("id not set") << "Stage." << NotSet << "Stage.x" << 1 << "Stage.1";
    }

    void copyNaming()
    {
        QFETCH(QString, prefix);
        QFETCH(int, sourceId);
        QFETCH(QString, sourceName);
        QFETCH(int, id);
        QFETCH(QString, name);

        ZUConfiguration configuration;
        for (int other : { 8, 10 }) {
            auto *stage = new ZUStage;
            stage->setId(other);
            stage->setName(QStringLiteral("other %1").arg(other));
            configuration.addStage(stage);
        }
        auto *source = new ZUStage;
        source->setId(sourceId);
        source->setName(sourceName);
        source->setMaxTime(40);
        configuration.addStage(source);
        Branch<ZUStage> tree(configuration.stages());
        ItemAppender<ZUConfiguration, ZUStage> appender(&configuration, tree.branch.get(),
                                                        &configuration.stages(), prefix,
                                                        &ZUConfiguration::insertStage);
        auto *copy = qobject_cast<ZUStage *>(
            appender.append(tree.child(2), tree.branch.get(), source, source));
        QVERIFY(copy);
        QCOMPARE(copy->id(), id);
        QCOMPARE(copy->name(), name);
        QCOMPARE(copy->maxTime(), 40);
    }

    // Output addresses: the lowest free one from 0 (switches) or 3 (KMP devices).
    void addresses()
    {
        ZUConfiguration configuration;
        for (int address : { 0, 1, 2, 3, 12 }) {
            auto *sw = new ZUSwitch;
            sw->setId(address + 1);
            sw->setAddr(address);
            configuration.addSwitch(sw);
        }
        Branch<ZUSwitch> switches(configuration.switches());
        ItemAppender<ZUConfiguration, ZUSwitch> switchAppender(
            &configuration, switches.branch.get(), &configuration.switches(), QStringLiteral("K."),
            &ZUConfiguration::insertSwitch);
        auto *copy = qobject_cast<ZUSwitch *>(switchAppender.append(
            switches.child(4), switches.branch.get(), switches.object(4), nullptr));
        QVERIFY(copy);
        QCOMPARE(copy->addr(), 4);

        ZUKMP1 *bus = configuration.kmp1();
        bus->addDevice(new ZUKMPDevice(0, 3, 0, 0));
        bus->addDevice(new ZUKMPDevice(0, 5, 0, 0));
        QTreeWidgetItem branch(QStringList { QStringLiteral("Composite device") });
        ItemAppender<ZUKMP1, ZUKMPDevice> kmpAppender(
            bus, &branch, &bus->devices(), QStringLiteral("kmp."), &ZUKMP1::insertDevice, 3);
        auto *device
            = qobject_cast<ZUKMPDevice *>(kmpAppender.append(&branch, nullptr, nullptr, nullptr));
        QVERIFY(device);
        QCOMPARE(device->addr(), 4);
        QCOMPARE(device->parent(), bus);
        QCOMPARE(bus->devices().size(), 3);
    }

    // The window's add: copies of rows 4 and 2 follow row 4 in row order, the last
    // one becomes the current item.
    void windowCopiesSelection()
    {
        Startup::setApplicationIdentity();
        QSettings().clear();
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        detectors(
            *configuration, { 1, 2, 3, 4, 5, 6 },
            { "Detector.1", "Detector.2", "Detector.3", "Detector.4", "Detector.5", "Detector.6" });
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        QTreeWidgetItem *branch
            = tree->findItems(QStringLiteral("Detectors"), Qt::MatchExactly).value(0);
        tree->setCurrentItem(branch->child(4));
        branch->child(2)->setSelected(true);
        window.treeItem_add();

        QStringList order;
        for (const QPointer<ZUDetector> &detector : configuration->detectors())
            order << detector->name();
        QCOMPARE(order,
                 (QStringList { "Detector.1", "Detector.2", "Detector.3", "Detector.4",
                                "Detector.5", "Detector.7", "Detector.8", "Detector.6" }));
        QCOMPARE(configuration->detectors().at(5)->id(), 7);
        QCOMPARE(tree->currentItem(), branch->child(6));
        QCOMPARE(branch->child(5)->text(0), QStringLiteral("7 (Detector.7)"));
    }

    // A copied control source has no type and the smallest priority no source uses.
    void windowCopiesControlSource()
    {
        Startup::setApplicationIdentity();
        QSettings().clear();
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        configuration->addControlSource(new ZUControlSource(zu::emergency, 1, 0));
        configuration->addControlSource(new ZUControlSource(zu::tiverkITS, 2, 2));
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        QTreeWidgetItem *branch
            = tree->findItems(QStringLiteral("Control sources"), Qt::MatchExactly).value(0);
        tree->setCurrentItem(branch->child(1));
        window.treeItem_add();
        QCOMPARE(configuration->controlSources().size(), 3);
        ZUControlSource *copy = configuration->controlSources().at(2);
        QCOMPARE(copy->id(), 3);
        QCOMPARE(copy->priority(), 1);
        QCOMPARE(copy->type(), NotSet);
        QCOMPARE(branch->child(2)->text(0), copy->text(QString()));
        QVERIFY(branch->child(2)->text(0).contains(QStringLiteral("[pr=1]")));
    }

    // With no id left below the not-set value the add is refused.
    void noFreeIdRefuses()
    {
        ZUConfiguration configuration;
        detectors(configuration, { 2147483646 }, { "Detector.2147483646" });
        Branch<ZUDetector> tree(configuration.detectors());
        ItemAppender<ZUConfiguration, ZUDetector> appender(
            &configuration, tree.branch.get(), &configuration.detectors(),
            QStringLiteral("Detector."), &ZUConfiguration::insertDetector);
        QVERIFY(!appender.append(tree.child(0), tree.branch.get(), tree.object(0), nullptr));
        QCOMPARE(configuration.detectors().size(), 1);
        QCOMPARE(configuration.findChildren<ZUDetector *>().size(), 1);
    }
};

PROJECT_TEST(TestAppender);
#include "tst_appender.moc"
