#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/itemmover.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

class TestMover : public QObject
{
    Q_OBJECT
private slots:
    // A block of rows moved in the model list and among the branch's children alike.
    void move_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QList<int>>("order");

        QTest::newRow("rows 2 and 3 up")
            << QList<int> { 3, 2 } << "up" << QList<int> { 0, 2, 3, 1, 4 };
        QTest::newRow("rows 1 and 4 top")
            << QList<int> { 4, 1 } << "top" << QList<int> { 1, 4, 0, 2, 3 };
        QTest::newRow("rows 0 and 3 bottom")
            << QList<int> { 0, 3 } << "bottom" << QList<int> { 1, 2, 4, 0, 3 };
        QTest::newRow("rows 1 and 2 down")
            << QList<int> { 1, 2 } << "down" << QList<int> { 0, 3, 1, 2, 4 };
        QTest::newRow("unknown direction")
            << QList<int> { 1 } << "left" << QList<int> { 0, 1, 2, 3, 4 };
    }

    void move()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, direction);
        QFETCH(QList<int>, order);

        ZUConfiguration configuration;
        QTreeWidgetItem branch(QStringList { QStringLiteral("Detectors") });
        QList<ZUDetector *> detectors;
        for (int id = 0; id < 5; ++id) {
            auto *detector = new ZUDetector;
            detector->setId(id);
            configuration.addDetector(detector);
            detectors << detector;
            new QTreeWidgetItem(&branch, { QString::number(id) });
        }
        ItemMover<ZUConfiguration, ZUDetector> mover(
            &configuration.detectors(), &branch, &configuration, &ZUConfiguration::moveDetector);
        QTreeWidgetItem other(QStringList { QStringLiteral("Stages") });
        for (int row : selected) {
            mover.collect(&branch, detectors.at(row));
            mover.collect(&other, detectors.at((row + 1) % 5));
        }
        mover.move(direction);

        QList<int> listIds;
        QList<int> treeIds;
        for (int row = 0; row < 5; ++row) {
            listIds << configuration.detectors().at(row)->id();
            treeIds << branch.child(row)->text(0).toInt();
        }
        QCOMPARE(listIds, order);
        QCOMPARE(treeIds, order);
    }

    // The window's move buttons: only the current item's siblings move; the same
    // objects stay selected, the current item stays, and a saved file keeps the order.
    void windowMovesSelection()
    {
        Startup::setApplicationIdentity();
        QSettings().clear();
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        QList<ZUDetector *> detectors;
        for (int id = 0; id < 5; ++id) {
            auto *detector = new ZUDetector;
            detector->setId(id);
            configuration->addDetector(detector);
            detectors << detector;
        }
        auto *stage = new ZUStage;
        stage->setId(9);
        configuration->addStage(stage);
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
        QTreeWidgetItem *branch
            = tree->findItems(QStringLiteral("Detectors"), Qt::MatchExactly).value(0);
        tree->clearSelection();
        tree->setCurrentItem(window.objectItem(detectors.at(2)));
        window.objectItem(detectors.at(3))->setSelected(true);
        window.objectItem(stage)->setSelected(true);
        QWidget *strip = tree->itemWidget(tree->currentItem(), 1);
        QVERIFY(strip);
        auto *up = strip->findChild<QToolButton *>(QStringLiteral("up"));
        QVERIFY(up && up->isEnabled());
        QSignalSpy selection(tree, &QTreeWidget::itemSelectionChanged);
        up->click();

        QList<int> ids;
        for (const QPointer<ZUDetector> &detector : configuration->detectors())
            ids << detector->id();
        QCOMPARE(ids, (QList<int> { 0, 2, 3, 1, 4 }));
        QCOMPARE(branch->child(1), window.objectItem(detectors.at(2)));
        QCOMPARE(branch->child(2), window.objectItem(detectors.at(3)));
        QCOMPARE(tree->currentItem(), window.objectItem(detectors.at(2)));
        QVERIFY(window.objectItem(detectors.at(2))->isSelected());
        QVERIFY(window.objectItem(detectors.at(3))->isSelected());
        QCOMPARE(selection.count(), 0);
        QVERIFY(tree->itemWidget(tree->currentItem(), 1));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("moved.json"));
        QVERIFY(configuration->save(path));
        ZUConfiguration reread;
        QVERIFY(reread.load(path));
        ids.clear();
        for (const QPointer<ZUDetector> &detector : reread.detectors())
            ids << detector->id();
        QCOMPARE(ids, (QList<int> { 0, 2, 3, 1, 4 }));

        // Only a tool button moves anything.
        window.treeItem_move();
        QCOMPARE(configuration->detectors().at(1)->id(), 2);
    }

    // KMP devices move through the bus's own operation.
    void kmpDevices()
    {
        ZUConfiguration configuration;
        ZUKMP1 *bus = configuration.kmp1();
        QTreeWidgetItem branch(QStringList { QStringLiteral("Composite device") });
        for (int address : { 3, 4, 5 }) {
            bus->addDevice(new ZUKMPDevice(0, address, 0, 0));
            new QTreeWidgetItem(&branch, { QString::number(address) });
        }
        ItemMover<ZUKMP1, ZUKMPDevice> mover(&bus->devices(), &branch, bus, &ZUKMP1::move);
        mover.collect(&branch, bus->devices().at(2));
        mover.move(QStringLiteral("top"));
        QCOMPARE(bus->devices().at(0)->addr(), 5);
        QCOMPARE(branch.child(0)->text(0), QStringLiteral("5"));
    }
};

PROJECT_TEST(TestMover);
#include "tst_mover.moc"
