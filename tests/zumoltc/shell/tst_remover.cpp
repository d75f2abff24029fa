#include "common/widgets/parameterstable.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/editors/signalplanwidget.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/itemremover.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include <QAction>
#include <QComboBox>
#include <QSettings>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// A branch item with the given text.
std::unique_ptr<QTreeWidgetItem> branchItem(const char *text)
{
    return std::make_unique<QTreeWidgetItem>(QStringList { QLatin1String(text) });
}

ZUSignalGroup *addGroup(ZUConfiguration &configuration, int id)
{
    auto *group = new ZUSignalGroup;
    group->setId(id);
    group->setName(QStringLiteral("Group.%1").arg(id));
    configuration.addSignalGroup(group);
    return group;
}

ZUSignalGroup *addGroup(ZUConfiguration *configuration, int id)
{
    return addGroup(*configuration, id);
}

// A user of the window who answers the question of a removal with Yes.
ScriptedDialogs *answeringYes(MainWindow &window)
{
    auto *dialogs = new ScriptedDialogs;
    dialogs->answers << int(QMessageBox::Yes);
    window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
    return dialogs;
}

} // namespace

class TestRemover : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Startup::setApplicationIdentity(); }
    void init() { QSettings().clear(); }

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
        QList<ItemRemoverInerface *> removers { &groupRemover, &stageRemover, &deviceRemover };
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
        QCOMPARE(text,
                 QStringLiteral("Following objects will be deleted:\n"
                                "Signal groups: 1 (Group.1),2 (Group.2)\n"
                                "Stages: 4 (North)\n"
                                "KMP devices: ")
                     + device->text(QString()));
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

    // The window's Delete: one question for the whole selection; No changes nothing.
    void windowRemovesSelection_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(QMessageBox::Yes);
        QTest::newRow("no") << int(QMessageBox::No);
    }

    void windowRemovesSelection()
    {
        QFETCH(int, answer);
        Startup::setApplicationIdentity();
        QSettings().clear();
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        dialogs->answers << answer;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        ZUConfiguration *configuration = window.configuration();
        ZUSignalGroup *first = addGroup(configuration, 1);
        addGroup(configuration, 2);
        ZUSignalGroup *third = addGroup(configuration, 3);
        auto *stage = new ZUStage;
        stage->setId(4);
        stage->addGroup(first);
        stage->addGroup(third);
        configuration->addStage(stage);
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        tree->clearSelection();
        window.objectItem(third)->setSelected(true);
        window.objectItem(stage)->setSelected(true);
        window.objectItem(first)->setSelected(true);
        // Sections and branch items in the selection count for nothing.
        tree->findItems(QStringLiteral("Conflict matrix"), Qt::MatchExactly)
            .value(0)
            ->setSelected(true);
        QList<int> destroyedIds;
        connect(configuration, &ZUConfiguration::objectDestroyed, this,
                [&destroyedIds](ZUBaseObject *object) { destroyedIds << object->id(); });
        window.treeItem_remove();

        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown.first().title, QStringLiteral("Delete items"));
        QCOMPARE(dialogs->shown.first().text,
                 QStringLiteral("Following objects will be deleted:\n"
                                "Signal groups: 3 (Group.3),1 (Group.1)\n"
                                "Stages: 4"));
        const bool yes = answer == QMessageBox::Yes;
        QCOMPARE(destroyedIds, yes ? (QList<int> { 3, 1, 4 }) : QList<int>());
        QCOMPARE(configuration->signalGroups().size(), yes ? 1 : 3);
        QTreeWidgetItem *groups
            = tree->findItems(QStringLiteral("Signal groups"), Qt::MatchExactly).value(0);
        QCOMPARE(groups->childCount(), yes ? 1 : 3);
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("actionSave"))->isEnabled(), true);
    }

    void windowAsksNothingWithoutObjects()
    {
        Startup::setApplicationIdentity();
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        tree->findItems(QStringLiteral("Signal groups"), Qt::MatchExactly)
            .value(0)
            ->setSelected(true);
        tree->findItems(QStringLiteral("Common parameters"), Qt::MatchExactly)
            .value(0)
            ->setSelected(true);
        window.treeItem_remove();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(dialogs->unexpected, 0);
    }

    // A removed stage takes along the steps that run it, the calls of them and the
    // conditions on them at once: the plan's page shows the plan without them.
    void stageGoesWithItsSteps()
    {
        MainWindow window;
        ScriptedDialogs *dialogs = answeringYes(window);
        ZUConfiguration *configuration = window.configuration();
        QList<ZUStage *> stages;
        for (int id = 1; id <= 2; ++id) {
            auto *stage = new ZUStage;
            stage->setId(id);
            configuration->addStage(stage);
            stages << stage;
        }
        auto *plan = new ZUSignalPlan;
        plan->setId(4);
        plan->setType(zu::StageRing);
        const QPointer<ZUSignalPlanPhase> first = plan->addPhase(1, stages.at(0), 40, 10, zu::max);
        const QPointer<ZUSignalPlanPhase> second = plan->addPhase(2, stages.at(1), 30, 5, zu::none);
        second->setCall(first);
        ZUSignalPlan::DetectorControl condition;
        condition.phase = first;
        condition.call = second;
        plan->addDetector(condition);
        condition.phase = second;
        condition.call = first;
        plan->addDetector(condition);
        configuration->addSignalPlan(plan);

        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        tree->clearSelection();
        window.objectItem(stages.at(0))->setSelected(true);
        window.treeItem_remove();
        QCOMPARE(dialogs->shown.size(), 1);

        QVERIFY(first.isNull());
        QCOMPARE(plan->phases(), (QList<QPointer<ZUSignalPlanPhase>> { second }));
        QVERIFY(second->call().isNull());
        QCOMPARE(plan->detectors().size(), 1);
        QVERIFY(plan->detectors().first().call.isNull());

        tree->clearSelection();
        window.objectItem(plan)->setSelected(true);
        auto *steps = window.findChild<ParametersTable *>(QStringLiteral("stagering_table"));
        auto *conditions
            = window.findChild<ParametersTable *>(QStringLiteral("stagering_dt_table"));
        QVERIFY(steps && conditions);
        QCOMPARE(steps->columnCount(), 1);
        QCOMPARE(steps->cellData(0, 0), QVariant(2));
        QCOMPARE(steps->cellData(3, 0), QVariant()); // the call of the removed step
        QCOMPARE(conditions->columnCount(), 1);
        QCOMPARE(conditions->cellData(0, 0), QVariant(1));
        QCOMPARE(dialogs->unexpected, 0);
    }

    // A page left open shows the cell or choice of a removed object empty at once,
    // as the model no longer references it, and the removal is no edit on the page.
    void openPageFollowsRemovedObjects_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("page"); // how the text of the tree item of the page starts
        QTest::addColumn<QString>("field"); // a table, or a combo box when row < 0
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariant>("before");
        QTest::addColumn<QVariant>("after");
        const QVariant empty;
        QTest::newRow("detector of a DIO channel") << "detector" << 1 << "DIO1"
                                                   << "channels" << 0 << 3 << QVariant(1) << empty;
        QTest::newRow("stage of a panel button") << "stage" << 1 << "RCP"
                                                 << "buttons" << 0 << 0 << QVariant(1) << empty;
        QTest::newRow("signal group of a countdown board")
            << "group" << 1 << "Countdown timers"
            << "cdt_items" << 0 << 0 << QVariant(1) << empty;
        QTest::newRow("day plan of a week day") << "day plan" << 2 << "1 (Week)"
                                                << "day_plans" << 5 << 0 << QVariant(2) << empty;
        QTest::newRow("spare program of a day plan period")
            << "plan" << 3 << "1 (Workday)"
            << "plansTable" << 0 << 3 << QVariant(3) << empty;
        QTest::newRow("detector of a plan's call condition")
            << "detector" << 1 << "4 (Adaptive)"
            << "stagering_dt_table" << int(SignalPlanWidget::SourceDetectorRow) << 0 << QVariant(1)
            << empty;
        QTest::newRow("signal group of a switch")
            << "group" << 1 << "1 (1-1)"
            << "signalGroup" << -1 << -1 << QVariant(1) << empty;
        QTest::newRow("week plan of an extra period")
            << "week plan" << 1 << "1 (Summer)"
            << "week_plan" << -1 << -1 << QVariant(1) << empty;
        QTest::newRow("default program of the scheduler")
            << "plan" << 4 << "Scheduler"
            << "prog" << -1 << -1 << QVariant(4) << empty;
        // The choice moves up in the list and stays what it was.
        QTest::newRow("a program before the default one")
            << "plan" << 1 << "Scheduler"
            << "prog" << -1 << -1 << QVariant(4) << QVariant(4);
    }

    void openPageFollowsRemovedObjects()
    {
        QFETCH(QString, kind);
        QFETCH(int, id);
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QVariant, before);
        QFETCH(QVariant, after);
        MainWindow window;
        ScriptedDialogs *dialogs = answeringYes(window);
        QVERIFY(
            window.loadFile(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))));
        ZUConfiguration *configuration = window.configuration();
        ZUBaseObject *removed = nullptr;
        if (kind == QLatin1String("detector"))
            removed = configuration->findDetector(id);
        else if (kind == QLatin1String("stage"))
            removed = configuration->findStage(id);
        else if (kind == QLatin1String("group"))
            removed = configuration->findSignalGroup(id);
        else if (kind == QLatin1String("day plan"))
            removed = configuration->findDayPlan(id);
        else if (kind == QLatin1String("week plan"))
            removed = configuration->findWeekPlan(id);
        else
            removed = configuration->findSignalPlan(id);
        QVERIFY(removed);

        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        QTreeWidgetItem *pageItem
            = tree->findItems(page, Qt::MatchStartsWith | Qt::MatchRecursive).value(0);
        QVERIFY(pageItem);
        tree->clearSelection();
        pageItem->setSelected(true);
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("section_tabs"));
        const QPointer<QWidget> shown = tabs->currentWidget();
        QVERIFY(shown);
        auto value = [&]() {
            if (row < 0)
                return shown->findChild<QComboBox *>(field)->currentData();
            return shown->findChild<ParametersTable *>(field)->cellData(row, column);
        };
        QCOMPARE(value(), before);

        if (window.itemObject(pageItem)) {
            // The page of another object of the kind stays open while this one goes.
            delete removed;
        } else {
            // A section's page stays open beside the object removed through the tree.
            window.objectItem(removed)->setSelected(true);
            QCOMPARE(tabs->count(), 2);
            window.treeItem_remove();
            QCOMPARE(dialogs->shown.size(), 1);
        }
        QVERIFY(shown);
        QCOMPARE(value(), after);
        QVERIFY(!shown->property("changed").toBool());
        QVERIFY(tree->isEnabled());
        QCOMPARE(dialogs->unexpected, 0);
    }

    // The page of a stage-ring plan left open loses the steps of a removed stage at
    // once, with the conditions on them, as the plan does.
    void openPlanPageLosesTheStepsOfARemovedStage()
    {
        Startup::setApplicationIdentity();
        QSettings().clear();
        MainWindow window;
        window.setUserDialogs(std::make_unique<ScriptedDialogs>());
        QVERIFY(
            window.loadFile(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))));
        ZUConfiguration *configuration = window.configuration();
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        tree->clearSelection();
        window.objectItem(configuration->findSignalPlan(4))->setSelected(true);
        auto *page = window.findChild<SignalPlanWidget *>();
        QVERIFY(page);
        auto *steps = page->findChild<ParametersTable *>(QStringLiteral("stagering_table"));
        auto *conditions = page->findChild<ParametersTable *>(QStringLiteral("stagering_dt_table"));
        QCOMPARE(steps->columnCount(), 2);
        QCOMPARE(conditions->columnCount(), 1);

        delete configuration->findStage(1).data();
        QCOMPARE(steps->columnCount(), 1);
        QCOMPARE(steps->cellData(SignalPlanWidget::StageRow, 0), QVariant(2));
        QCOMPARE(steps->cellData(SignalPlanWidget::ActivateRow, 0), QVariant());
        QCOMPARE(conditions->columnCount(), 0);
        QVERIFY(!page->property("changed").toBool());
        QVERIFY(tree->isEnabled());
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
        QCOMPARE(destroyedIds, (QList<int> { 3, 1 }));
        QCOMPARE(configuration.signalGroups().size(), 1);
        QCOMPARE(configuration.signalGroups().first().data(), second);
        QCOMPARE(stage->groups().size(), 1);
        QCOMPARE(stage->groups().first().data(), second);
    }
};

PROJECT_TEST(TestRemover);
#include "tst_remover.moc"
