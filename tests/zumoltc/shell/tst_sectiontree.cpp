#include "scripteddialogs.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

namespace {

QTreeWidget *tree(MainWindow &window)
{
    return window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
}

QTreeWidgetItem *section(MainWindow &window, const QString &text)
{
    const QList<QTreeWidgetItem *> found
        = tree(window)->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0);
    return found.value(0);
}

QStringList childTexts(QTreeWidgetItem *item)
{
    QStringList texts;
    for (int row = 0; row < item->childCount(); ++row)
        texts << item->child(row)->text(0);
    return texts;
}

template<typename T>
QStringList listTexts(const QList<QPointer<T>> &list, const QString &suffix = QString())
{
    QStringList texts;
    for (const QPointer<T> &object : list) {
        if (object)
            texts << object->text(suffix);
    }
    return texts;
}

// The buttons of the item's strip in layout order, "!" after a disabled one; "none"
// without a strip.
QString strip(MainWindow &window, QTreeWidgetItem *item)
{
    QWidget *widget = tree(window)->itemWidget(item, 1);
    if (!widget)
        return QStringLiteral("none");
    QStringList buttons;
    for (int index = 0; index < widget->layout()->count(); ++index) {
        auto *button = qobject_cast<QToolButton *>(widget->layout()->itemAt(index)->widget());
        if (button)
            buttons << button->objectName()
                    + (button->isEnabled() ? QString() : QStringLiteral("!"));
    }
    return buttons.join(QLatin1Char(' '));
}

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(32, 32).toImage();
}

// Whether the text column shows the whole text and icon of an item in view:
// the cell from the item's indentation to the column's end, against the width
// the item asks for. A row's rectangle spans the strip's column too.
bool showsWhole(QTreeWidget *list, QTreeWidgetItem *item)
{
    const QRect row = list->visualItemRect(item);
    const QModelIndex index = list->indexAt(QPoint(row.left() + 1, row.center().y()));
    if (!index.isValid() || index.column() != 0 || index.data() != item->text(0))
        return false;
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.font = list->font();
    option.decorationSize = list->iconSize();
    const int textEnd = list->columnViewportPosition(0) + list->columnWidth(0);
    return textEnd - row.left() >= list->itemDelegate()->sizeHint(option, index).width();
}

ZUSignalGroup *signalGroup(int id, const QString &name, int type = zu::traffic)
{
    auto *group = new ZUSignalGroup;
    group->setId(id);
    group->setName(name);
    group->setType(type);
    return group;
}

template<typename T> T *named(int id, const QString &name)
{
    auto *object = new T;
    object->setId(id);
    object->setName(name);
    return object;
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSectionTree : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Startup::setApplicationIdentity(); }

    void treeAndTabsOfTheForm()
    {
        MainWindow window;
        QTreeWidget *list = tree(window);
        QCOMPARE(list->columnCount(), 2);
        QVERIFY(list->isHeaderHidden());
        QCOMPARE(list->header()->defaultSectionSize(), 210);
        QVERIFY(list->header()->stretchLastSection());
        QVERIFY(list->alternatingRowColors());
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list->iconSize(), QSize(32, 32));
        QCOMPARE(list->sizeAdjustPolicy(), QAbstractScrollArea::AdjustToContents);
        QCOMPARE(window.findChild<QTabWidget *>(QStringLiteral("section_tabs"))->currentIndex(),
                 -1);
        QCOMPARE(list->currentItem(), nullptr);
    }

    void sectionItems()
    {
        MainWindow window;
        QTreeWidget *list = tree(window);
        const QStringList topLevel
            = { "Common parameters", "Network parameters", "Signal groups",   "Stages",
                "Conflict matrix",   "Detectors",          "Signal plans",    "Scheduler",
                "Power switches",    "Countdown timers",   "Inputs/Outputs",  "RCP",
                "Control sources",   "Composite device",   "Error processing" };
        const QStringList icons = { "commonParam.png",
                                    "net_param.png",
                                    "sg.png",
                                    "stages.png",
                                    "matrix.png",
                                    "detectors.png",
                                    "signalplan.png",
                                    "x-office-calendar.svg",
                                    "power_part.png",
                                    "tablo.png",
                                    "inputs_outputs.png",
                                    "vpu2.png",
                                    "cs.png",
                                    "pcb.png",
                                    "debug.png" };
        QCOMPARE(list->topLevelItemCount(), topLevel.size());
        for (int row = 0; row < topLevel.size(); ++row) {
            QTreeWidgetItem *item = list->topLevelItem(row);
            QCOMPARE(item->text(0), topLevel.at(row));
            const QIcon expected(QStringLiteral("://images/") + icons.at(row));
            QVERIFY2(!expected.isNull(), qPrintable(icons.at(row)));
            QCOMPARE(iconImage(item->icon(0)), iconImage(expected));
        }
        QTreeWidgetItem *scheduler = section(window, QStringLiteral("Scheduler"));
        QCOMPARE(childTexts(scheduler),
                 QStringList({ "Daily plans", "Week plans", "Extra periods", "Extra days" }));
        QTreeWidgetItem *io = section(window, QStringLiteral("Inputs/Outputs"));
        QCOMPARE(childTexts(io), QStringList({ "DIO1", "DIO2", "DIO3", "DIO4", "DIO5" }));
        QVERIFY(scheduler->child(0)->icon(0).isNull());
        QVERIFY(io->child(0)->icon(0).isNull());
        // Only branches of object kinds have children.
        QCOMPARE(section(window, QStringLiteral("Signal groups"))->childCount(), 0);
        QCOMPARE(section(window, QStringLiteral("RCP"))->childCount(), 0);
    }

    // Each object's item goes to the row of its object in the model's list.
    void itemsFollowTheModelLists()
    {
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        QPointer<ZUSignalGroup> first = signalGroup(1, QStringLiteral("Group.1"));
        configuration->addSignalGroup(first);
        configuration->addSignalGroup(signalGroup(3, QStringLiteral("Group.3"), zu::pedestrian));
        configuration->insertSignalGroup(signalGroup(2, QStringLiteral("Group.2"), zu::arrow),
                                         first);
        QTreeWidgetItem *groups = section(window, QStringLiteral("Signal groups"));
        QCOMPARE(
            childTexts(groups),
            QStringList({ "1 (Group.1) traffic", "2 (Group.2) arrow", "3 (Group.3) pedestrian" }));

        QPointer<ZUStage> stage1 = named<ZUStage>(1, QStringLiteral("S1"));
        configuration->addStage(stage1);
        configuration->addStage(named<ZUStage>(3, QStringLiteral("S3")));
        configuration->insertStage(named<ZUStage>(2, QStringLiteral("S2")), stage1);
        configuration->insertDetector(named<ZUDetector>(1, QStringLiteral("D")), nullptr);
        // The scheduler's source comes first: a plan without one would get one made.
        configuration->addControlSource(new ZUControlSource(zu::scheduler, 1, 0));
        configuration->addSignalPlan(named<ZUSignalPlan>(4, QStringLiteral("P")));
        configuration->addDayPlan(named<ZUDayPlan>(5, QStringLiteral("Day")));
        configuration->addWeekPlan(named<ZUWeekPlan>(6, QStringLiteral("Week")));
        configuration->addExtraPeriod(named<ZUExtraPeriod>(7, QStringLiteral("Season")));
        configuration->addExtraDay(named<ZUExtraDay>(8, QStringLiteral("Holiday")));
        configuration->insertControlSource(new ZUControlSource(zu::emergency, 2, 1),
                                           configuration->controlSources().first());
        configuration->addSwitch(named<ZUSwitch>(9, QStringLiteral("K.9")));
        QPointer<ZUKMPDevice> bus = new ZUKMPDevice(zu::KMPDevice::KSK1, 1, zu::NotSet, zu::NotSet);
        configuration->kmp1()->addDevice(bus);
        configuration->kmp1()->addDevice(
            new ZUKMPDevice(zu::KMPDevice::DIO2, 3, zu::NotSet, zu::NotSet));
        configuration->kmp1()->insertDevice(
            new ZUKMPDevice(zu::KMPDevice::VPU1, 2, zu::NotSet, zu::NotSet), bus);

        auto check = [&] {
            QCOMPARE(childTexts(section(window, QStringLiteral("Stages"))),
                     listTexts(configuration->stages()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Detectors"))),
                     listTexts(configuration->detectors()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Signal plans"))),
                     listTexts(configuration->signalPlans()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Daily plans"))),
                     listTexts(configuration->dayPlans()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Week plans"))),
                     listTexts(configuration->weekPlans()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Extra periods"))),
                     listTexts(configuration->extraPeriods()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Extra days"))),
                     listTexts(configuration->extraDays()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Control sources"))),
                     listTexts(configuration->controlSources()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Power switches"))),
                     listTexts(configuration->switches()));
            QCOMPARE(childTexts(section(window, QStringLiteral("Composite device"))),
                     listTexts(configuration->kmp1()->devices()));
        };
        check();
        QCOMPARE(childTexts(section(window, QStringLiteral("Stages"))),
                 QStringList({ "1 (S1)", "2 (S2)", "3 (S3)" }));
        QCOMPARE(childTexts(section(window, QStringLiteral("Composite device"))),
                 QStringList({ "1 (KSK1)", "2 (VPU1)", "3 (DIO2)" }));
        QCOMPARE(childTexts(section(window, QStringLiteral("Control sources"))),
                 QStringList({ "1 (Scheduler) [pr=0]", "2 (Emergency) [pr=1]" }));

        // Destroyed objects lose their items, the maps included.
        QPointer<ZUStage> middle = configuration->stages().at(1);
        QTreeWidgetItem *middleItem = window.objectItem(middle);
        QVERIFY(middleItem);
        delete middle;
        delete configuration->kmp1()->devices().at(1).data();
        delete first;
        check();
        QCOMPARE(childTexts(groups),
                 QStringList({ "2 (Group.2) arrow", "3 (Group.3) pedestrian" }));
        QCOMPARE(window.itemObject(middleItem), nullptr);
        QCOMPARE(childTexts(section(window, QStringLiteral("Composite device"))),
                 QStringList({ "1 (KSK1)", "3 (DIO2)" }));
        // Every add and destruction marked the configuration modified.
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration*"));
    }

    void switchTexts()
    {
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        QPointer<ZUSignalGroup> group = signalGroup(2, QStringLiteral("Group.2"), zu::pedestrian);
        configuration->addSignalGroup(group);
        auto *controlled = named<ZUSwitch>(1, QStringLiteral("K.1"));
        controlled->setControl(true);
        controlled->setSignalGroup(group);
        controlled->setColor(zu::Color::red);
        auto *plain = named<ZUSwitch>(2, QString());
        plain->setSignalGroup(group);
        auto *unlit = named<ZUSwitch>(3, QStringLiteral("K.3"));
        unlit->setControl(true);
        configuration->addSwitch(controlled);
        configuration->addSwitch(plain);
        configuration->addSwitch(unlit);
        window.update_sw_branch();

        QTreeWidgetItem *switches = section(window, QStringLiteral("Power switches"));
        QCOMPARE(childTexts(switches),
                 QStringList({ "1 (K.1) [c] {2 (Group.2)}", "2 {2 (Group.2)}", "3 (K.3) [c]" }));
        QCOMPARE(iconImage(switches->child(0)->icon(0)),
                 iconImage(QIcon(QStringLiteral("://images/red_c.png"))));
        const QImage grey = iconImage(QIcon(QStringLiteral("://images/gray_c.png")));
        QCOMPARE(iconImage(switches->child(1)->icon(0)), grey);
        QCOMPARE(iconImage(switches->child(2)->icon(0)), grey);

        // A group that has gone leaves only the control mark.
        delete group;
        window.update_sw_branch();
        QCOMPARE(childTexts(switches), QStringList({ "1 (K.1) [c]", "2", "3 (K.3) [c]" }));
    }

    void afterALoadEveryItemShowsItsFinalText()
    {
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        dialogs->answers << QDialog::Accepted; // should the example carry warnings
        QVERIFY(
            window.loadFile(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))));
        ZUConfiguration *configuration = window.configuration();
        QCOMPARE(childTexts(section(window, QStringLiteral("Signal groups"))),
                 QStringList({ "1 (Г1) traffic", "2 (Г2) traffic", "3 (Г3) pedestrian" }));
        QCOMPARE(childTexts(section(window, QStringLiteral("Power switches"))),
                 QStringList({ "1 (1-1) [c] {1 (Г1)}", "2 (1-2) {2 (Г2)}", "3 (1-3) [c] {3 (Г3)}",
                               "4 (1-4) {1 (Г1)}" }));
        QCOMPARE(childTexts(section(window, QStringLiteral("Control sources"))),
                 listTexts(configuration->controlSources()));
        QCOMPARE(childTexts(section(window, QStringLiteral("Composite device"))),
                 listTexts(configuration->kmp1()->devices()));
        QCOMPARE(childTexts(section(window, QStringLiteral("Signal plans"))),
                 listTexts(configuration->signalPlans()));
        QCOMPARE(iconImage(section(window, QStringLiteral("Power switches"))->child(3)->icon(0)),
                 iconImage(QIcon(QStringLiteral("://images/white_c.png"))));
        QCOMPARE(window.windowTitle().endsWith(QLatin1Char('*')), false);
    }

    void resetViewKeepsTheSections()
    {
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        dialogs->answers << QDialog::Accepted;
        QVERIFY(
            window.loadFile(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))));
        QTreeWidget *list = tree(window);
        QTreeWidgetItem *groups = section(window, QStringLiteral("Signal groups"));
        QVERIFY(groups->childCount() > 0);
        QVERIFY(section(window, QStringLiteral("Daily plans"))->childCount() > 0);
        list->setCurrentItem(groups->child(1));
        QVERIFY(list->itemWidget(groups->child(1), 1));
        QPointer<ZUSignalGroup> group = window.configuration()->signalGroups().first();

        window.resetView();
        processDeferredDeletes();
        QCOMPARE(list->topLevelItemCount(), 15);
        QCOMPARE(groups->childCount(), 0);
        QCOMPARE(childTexts(section(window, QStringLiteral("Scheduler"))),
                 QStringList({ "Daily plans", "Week plans", "Extra periods", "Extra days" }));
        QCOMPARE(section(window, QStringLiteral("Daily plans"))->childCount(), 0);
        QCOMPARE(section(window, QStringLiteral("Inputs/Outputs"))->childCount(), 5);
        QVERIFY(list->selectedItems().isEmpty());
        QVERIFY(!group);
        QCOMPARE(window.objectItem(group.data()), nullptr);
        // Nothing announced by the reset reached the window: it is not modified.
        window.updateWindowTitle();
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration"));

        // The tree follows the next objects as before.
        window.configuration()->addSignalGroup(signalGroup(1, QStringLiteral("A")));
        QCOMPARE(childTexts(groups), QStringList { QStringLiteral("1 (A) traffic") });
    }

    // Removing the remote control panel's control source takes the panel and its
    // devices on the bus with it.
    void removingTheRcpSource()
    {
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        QPointer<ZUControlSource> source = new ZUControlSource(zu::remoteControlPanel, 1, 0);
        configuration->addControlSource(source);
        configuration->addControlSource(new ZUControlSource(zu::scheduler, 2, 1));
        configuration->vpu()->setType(zu::passive);
        configuration->vpu()->setSource(source);
        configuration->kmp1()->addDevice(
            new ZUKMPDevice(zu::KMPDevice::VPU1, 4, zu::passive, zu::KMPDevPort::dryContact));
        configuration->kmp1()->addDevice(
            new ZUKMPDevice(zu::KMPDevice::DIO1, 17, zu::NotSet, zu::NotSet));

        delete source;
        QCOMPARE(configuration->vpu()->type(), int(zu::NotSet));
        processDeferredDeletes();
        QCOMPARE(listTexts(configuration->kmp1()->devices()),
                 QStringList { QStringLiteral("17 (DIO1)") });
        QCOMPARE(childTexts(section(window, QStringLiteral("Composite device"))),
                 QStringList { QStringLiteral("17 (DIO1)") });
        QCOMPARE(childTexts(section(window, QStringLiteral("Control sources"))),
                 QStringList { QStringLiteral("2 (Scheduler) [pr=1]") });

        // Another kind of source leaves the panel alone.
        configuration->vpu()->setType(zu::passive);
        delete configuration->controlSources().first().data();
        QCOMPARE(configuration->vpu()->type(), int(zu::passive));
    }

    void toolStrip_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QList<int>>("selectedGroups"); // rows of signal groups also selected
        QTest::addColumn<QString>("buttons");

        QTest::newRow("page section") << "Common parameters" << QList<int>() << "none";
        QTest::newRow("Scheduler") << "Scheduler" << QList<int>() << "none";
        QTest::newRow("Inputs/Outputs") << "Inputs/Outputs" << QList<int>() << "none";
        QTest::newRow("DIO item") << "DIO2" << QList<int>() << "none";
        QTest::newRow("branch") << "Signal groups" << QList<int>() << "+";
        QTest::newRow("Scheduler child") << "Daily plans" << QList<int>() << "+";
        QTest::newRow("only object of its branch") << "1 (S1)" << QList<int>() << "+ -";
        QTest::newRow("first of four")
            << "1 (G1) traffic" << QList<int> { 0 } << "+ - up! top! down bottom";
        QTest::newRow("last of four")
            << "4 (G4) traffic" << QList<int> { 3 } << "+ - up top down! bottom!";
        QTest::newRow("middle of four")
            << "2 (G2) traffic" << QList<int> { 1, 2 } << "+ - up top down bottom";
        QTest::newRow("rows 0 and 2 of four")
            << "3 (G3) traffic" << QList<int> { 0, 2 } << "+ - up! top! down bottom";
        // The last row cannot go further down, whatever else is selected.
        QTest::newRow("rows 0 and 3 of four")
            << "4 (G4) traffic" << QList<int> { 0, 3 } << "+ - up! top! down! bottom!";
        QTest::newRow("nothing selected")
            << "2 (G2) traffic" << QList<int>() << "+ - up! top! down! bottom!";
    }

    void toolStrip()
    {
        QFETCH(QString, current);
        QFETCH(QList<int>, selectedGroups);
        QFETCH(QString, buttons);

        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int id = 1; id <= 4; ++id)
            window.configuration()->addSignalGroup(signalGroup(id, QStringLiteral("G%1").arg(id)));
        window.configuration()->addStage(named<ZUStage>(1, QStringLiteral("S1")));
        QTreeWidget *list = tree(window);
        list->expandAll();

        QTreeWidgetItem *item = section(window, current);
        QVERIFY(item);
        list->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        list->clearSelection();
        QTreeWidgetItem *groups = section(window, QStringLiteral("Signal groups"));
        for (int row : selectedGroups)
            groups->child(row)->setSelected(true);
        window.setButtonsForCurrentItem();
        QCOMPARE(strip(window, item), buttons);
        if (buttons != QLatin1String("none")) {
            auto *add
                = tree(window)->itemWidget(item, 1)->findChild<QToolButton *>(QStringLiteral("+"));
            QCOMPARE(add->toolTip(), QStringLiteral("Add new item\nInsert"));
            QCOMPARE(iconImage(add->icon()),
                     iconImage(QIcon(QStringLiteral("://icons/list-add.png"))));
        }
        if (buttons.contains(QLatin1String("up"))) {
            QWidget *widget = tree(window)->itemWidget(item, 1);
            QCOMPARE(widget->findChild<QToolButton *>(QStringLiteral("up"))->toolTip(),
                     QStringLiteral("Mov up\nCtrl+Up"));
            QCOMPARE(widget->findChild<QToolButton *>(QStringLiteral("bottom"))->toolTip(),
                     QStringLiteral("Move bottom\nCtrl+End"));
            QCOMPARE(widget->findChild<QToolButton *>(QStringLiteral("-"))->toolTip(),
                     QStringLiteral("Remove selected items\nDelete"));
        }

        // Only the current item carries a strip; the old one is out of sight at
        // once, not only when the event loop deletes it.
        QPointer<QWidget> oldStrip = list->itemWidget(item, 1);
        list->setCurrentItem(section(window, QStringLiteral("Stages")));
        if (oldStrip && item != section(window, QStringLiteral("Stages")))
            QVERIFY(!oldStrip->isVisible());
        processDeferredDeletes();
        if (item != section(window, QStringLiteral("Stages")))
            QCOMPARE(strip(window, item), QStringLiteral("none"));
        QCOMPARE(strip(window, section(window, QStringLiteral("Stages"))), QStringLiteral("+"));
    }

    void keyboard()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int id = 1; id <= 3; ++id)
            window.configuration()->addSignalGroup(signalGroup(id, QStringLiteral("G%1").arg(id)));
        QTreeWidget *list = tree(window);
        list->expandAll();
        list->setFocus();
        QTreeWidgetItem *groups = section(window, QStringLiteral("Signal groups"));
        QTreeWidgetItem *first = groups->child(0);
        list->setCurrentItem(first);

        // Ctrl+Up on the first object: its disabled "up" takes the key, nothing moves.
        QToolButton *up
            = list->itemWidget(first, 1)->findChild<QToolButton *>(QStringLiteral("up"));
        QToolButton *down
            = list->itemWidget(first, 1)->findChild<QToolButton *>(QStringLiteral("down"));
        QToolButton *bottom
            = list->itemWidget(first, 1)->findChild<QToolButton *>(QStringLiteral("bottom"));
        QVERIFY(up && !up->isEnabled());
        QVERIFY(bottom);
        QSignalSpy upClicks(up, &QToolButton::clicked);
        QSignalSpy downClicks(down, &QToolButton::clicked);
        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(list->currentItem(), first);
        QCOMPARE(upClicks.size(), 0);
        QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(list->currentItem(), first);
        // Enabled buttons are clicked: the group moves down, then to the bottom; the
        // move gives the item a new strip.
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(downClicks.size(), 1);
        QCOMPARE(groups->indexOfChild(first), 1);
        QToolButton *newBottom
            = list->itemWidget(first, 1)->findChild<QToolButton *>(QStringLiteral("bottom"));
        QVERIFY(newBottom);
        QSignalSpy bottomClicks(newBottom, &QToolButton::clicked);
        QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(bottomClicks.size(), 1);
        QCOMPARE(groups->indexOfChild(first), 2);
        QCOMPARE(list->currentItem(), first);

        // Without Ctrl the tree moves as usual.
        list->clearSelection();
        list->setCurrentItem(groups->child(0));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentItem(), groups->child(1));

        // A branch has no "up": Ctrl+Up reaches the tree.
        QTreeWidgetItem *stages = section(window, QStringLiteral("Stages"));
        list->setCurrentItem(stages);
        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(list->currentItem() != stages);

        // Insert and Delete never reach the tree (on a section that adds and removes nothing).
        QTreeWidgetItem *matrix = section(window, QStringLiteral("Conflict matrix"));
        list->clearSelection();
        list->setCurrentItem(matrix);
        QTest::keyClick(list, Qt::Key_Insert);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(list->currentItem(), matrix);
    }

    // A click on a strip button whose handling replaces the strip, or even removes
    // its item, must not pull the button away under the click.
    void stripReplacedFromItsOwnButton()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int id = 1; id <= 2; ++id)
            window.configuration()->addSignalGroup(signalGroup(id, QStringLiteral("G%1").arg(id)));
        QTreeWidget *list = tree(window);
        list->expandAll();
        QTreeWidgetItem *groups = section(window, QStringLiteral("Signal groups"));
        list->setCurrentItem(groups->child(0));
        QPointer<QWidget> oldStrip = list->itemWidget(groups->child(0), 1);
        QPointer<QToolButton> add = oldStrip->findChild<QToolButton *>(QStringLiteral("+"));
        connect(add, &QToolButton::clicked, &window, [&] {
            list->setCurrentItem(groups->child(1));
            window.resetView();
        });
        QTest::mouseClick(add, Qt::LeftButton);
        processDeferredDeletes();
        QVERIFY(!oldStrip);
        QCOMPARE(groups->childCount(), 0);
    }

    void expandingResizesTheNames()
    {
        MainWindow window;
        window.configuration()->addSignalGroup(signalGroup(
            1, QStringLiteral("A signal group with a name much wider than the column")));
        QTreeWidget *list = tree(window);
        const int before = list->columnWidth(0);
        list->expandItem(section(window, QStringLiteral("Signal groups")));
        QVERIFY(list->columnWidth(0) > before);
    }

    // A name that grows after the branch is open still shows whole, as does a
    // long name added to an open branch.
    void longerNamesStayWhole()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPointer<ZUSignalGroup> group = signalGroup(1, QStringLiteral("G"));
        window.configuration()->addSignalGroup(group);
        QTreeWidget *list = tree(window);
        QTreeWidgetItem *groups = section(window, QStringLiteral("Signal groups"));
        list->expandItem(groups);
        const auto fits = [list](QTreeWidgetItem *item) {
            QCoreApplication::processEvents();
            return showsWhole(list, item);
        };
        group->setName(QStringLiteral("A signal group with a name much wider than the column"));
        window.update_sg_branch();
        QVERIFY(fits(groups->child(0)));
        window.configuration()->addSignalGroup(signalGroup(
            2, QStringLiteral("Another signal group with an even longer name than the first one")));
        QVERIFY(fits(groups->child(1)));
    }

    // The tree measures only the items in view: wherever the user scrolls, the
    // text column is as wide as the widest of them, four-digit ids included.
    void textColumnFollowsTheItemsInView()
    {
        MainWindow window;
        // The further down, the longer the name. More rows than the tree measures
        // around the ones in view: the widest names lie far below the first rows.
        const int count = tree(window)->header()->resizeContentsPrecision() + 200;
        for (int id = 1000; id < 1000 + count; ++id) {
            window.configuration()->addSignalGroup(
                signalGroup(id,
                            QStringLiteral("Lane ")
                                + QStringLiteral("north ").repeated((id - 1000) / 150 + 1)));
        }
        window.resize(1024, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTreeWidget *list = tree(window);
        list->expandItem(section(window, QStringLiteral("Signal groups")));
        QScrollBar *scroll = list->verticalScrollBar();
        for (int step = 0; step <= 4; ++step) {
            scroll->setValue(scroll->maximum() * step / 4);
            QCoreApplication::processEvents();
            int checked = 0;
            for (QTreeWidgetItemIterator it(list); *it; ++it) {
                const QRect row = list->visualItemRect(*it);
                if (!row.isValid() || !list->viewport()->rect().intersects(row))
                    continue;
                QVERIFY2(showsWhole(list, *it), qPrintable((*it)->text(0)));
                ++checked;
            }
            QVERIFY(checked > 5);
        }
    }

    // On the window of a small screen the stage-ring page lays its rows out one
    // below the other, its tables scrolling where the room ends.
    void stageRingPageFitsASmallWindow()
    {
        MainWindow window;
        window.resize(1024, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(
            window.loadFile(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))));
        QTreeWidgetItem *plans = section(window, QStringLiteral("Signal plans"));
        QTreeWidgetItem *ring = nullptr;
        for (int i = 0; i < plans->childCount(); ++i) {
            if (plans->child(i)->text(0) == QLatin1String("4 (Adaptive)"))
                ring = plans->child(i);
        }
        QVERIFY(ring);
        tree(window)->setCurrentItem(ring);
        QCoreApplication::processEvents();
        auto *page = window.findChild<QWidget *>(QStringLiteral("pageStageRing"));
        QVERIFY(page && page->isVisible());
        QCOMPARE(window.size(), QSize(1024, 700));

        QList<QWidget *> shown;
        for (QWidget *widget :
             page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (widget->isVisible())
                shown << widget;
        }
        QVERIFY(shown.size() > 8);
        for (int i = 0; i < shown.size(); ++i) {
            QVERIFY2(shown[i]->height() >= shown[i]->minimumSizeHint().height(),
                     qPrintable(shown[i]->objectName()));
            for (int j = i + 1; j < shown.size(); ++j) {
                QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                         qPrintable(shown[i]->objectName() + QStringLiteral(" / ")
                                    + shown[j]->objectName()));
            }
        }
    }
};

PROJECT_TEST(TestSectionTree);
#include "tst_sectiontree.moc"
