#include "itemremover.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// A branch item with the given text.
std::unique_ptr<QTreeWidgetItem> branchItem(const char *text)
{
    return std::make_unique<QTreeWidgetItem>(QStringList{QLatin1String(text)});
}

ZUSignalGroup *addGroup(ZUConfiguration &configuration, int id)
{
    auto *group = new ZUSignalGroup;
    group->setId(id);
    group->setName(QStringLiteral("Group.%1").arg(id));
    configuration.addSignalGroup(group);
    return group;
}

} // namespace

class TestRemover : public QObject
{
    Q_OBJECT
private slots:
    // The heading once, then one line per kind, texts joined by a comma.
    void description()
    {
        ZUConfiguration configuration;
        ZUSignalGroup *first = addGroup(configuration, 1);
        ZUSignalGroup *second = addGroup(configuration, 2);
        auto *stage = new ZUStage;
        stage->setId(4);
        stage->setName(QStringLiteral("North"));
        configuration.addStage(stage);
        auto *device = new ZUKMPDevice(3, 6, 0, 0);
        configuration.kmp1()->addDevice(device);

        const auto groups = branchItem("Signal groups");
        const auto stages = branchItem("Stages");
        const auto devices = branchItem("Composite device");
        ItemRemover<ZUSignalGroup> groupRemover(groups.get());
        ItemRemover<ZUStage> stageRemover(stages.get());
        ItemRemover<ZUKMPDevice> deviceRemover(devices.get(), QStringLiteral("KMP devices"));
        QList<ItemRemoverInerface *> removers{&groupRemover, &stageRemover, &deviceRemover};
        for (ItemRemoverInerface *remover : removers) {
            remover->collect(groups.get(), first);
            remover->collect(stages.get(), stage);
            remover->collect(groups.get(), second);
            remover->collect(devices.get(), device);
            // Objects of another branch and branch items themselves count for nothing.
            remover->collect(stages.get(), first);
            remover->collect(nullptr, second);
        }
        QString text;
        for (ItemRemoverInerface *remover : removers)
            remover->appendDescription(text);
        QCOMPARE(text, QStringLiteral("Following objects will be deleted:\n"
                                      "Signal groups: 1 (Group.1),2 (Group.2)\n"
                                      "Stages: 4 (North)\n"
                                      "KMP devices: ") + device->text(QString()));
        QCOMPARE(groupRemover.branchItem(), groups.get());
    }

    void nothingCollected()
    {
        const auto groups = branchItem("Signal groups");
        ItemRemover<ZUSignalGroup> remover(groups.get());
        QString text;
        remover.appendDescription(text);
        QVERIFY(text.isEmpty());
        QVERIFY(!remover.deleteObjects());
    }

    // Deleted in collection order; a stage loses the deleted group and keeps the others.
    void deleteObjects()
    {
        ZUConfiguration configuration;
        ZUSignalGroup *first = addGroup(configuration, 1);
        ZUSignalGroup *second = addGroup(configuration, 2);
        ZUSignalGroup *third = addGroup(configuration, 3);
        auto *stage = new ZUStage;
        stage->addGroup(first);
        stage->addGroup(second);
        stage->addGroup(third);
        configuration.addStage(stage);

        const auto groups = branchItem("Signal groups");
        ItemRemover<ZUSignalGroup> remover(groups.get());
        remover.collect(groups.get(), third);
        remover.collect(groups.get(), first);
        QList<int> destroyedIds;
        connect(&configuration, &ZUConfiguration::objectDestroyed, this,
                [&destroyedIds](ZUBaseObject *object) { destroyedIds << object->id(); });
        QVERIFY(remover.deleteObjects());
        QCOMPARE(destroyedIds, (QList<int>{3, 1}));
        QCOMPARE(configuration.signalGroups().size(), 1);
        QCOMPARE(configuration.signalGroups().first().data(), second);
        QCOMPARE(stage->groups().size(), 1);
        QCOMPARE(stage->groups().first().data(), second);
    }
};

PROJECT_TEST(TestRemover);
#include "tst_remover.moc"
