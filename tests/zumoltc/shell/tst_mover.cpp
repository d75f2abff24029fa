#include "itemmover.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

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

        QTest::newRow("rows 2 and 3 up") << QList<int>{3, 2} << "up" << QList<int>{0, 2, 3, 1, 4};
        QTest::newRow("rows 1 and 4 top") << QList<int>{4, 1} << "top" << QList<int>{1, 4, 0, 2, 3};
        QTest::newRow("rows 0 and 3 bottom") << QList<int>{0, 3} << "bottom" << QList<int>{1, 2, 4, 0, 3};
        QTest::newRow("rows 1 and 2 down") << QList<int>{1, 2} << "down" << QList<int>{0, 3, 1, 2, 4};
        QTest::newRow("unknown direction") << QList<int>{1} << "left" << QList<int>{0, 1, 2, 3, 4};
    }

    void move()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, direction);
        QFETCH(QList<int>, order);

        ZUConfiguration configuration;
        QTreeWidgetItem branch(QStringList{QStringLiteral("Detectors")});
        QList<ZUDetector *> detectors;
        for (int id = 0; id < 5; ++id) {
            auto *detector = new ZUDetector;
            detector->setId(id);
            configuration.addDetector(detector);
            detectors << detector;
            new QTreeWidgetItem(&branch, {QString::number(id)});
        }
        ItemMover<ZUConfiguration, ZUDetector> mover(&configuration.detectors(), &branch, &configuration,
                                                     &ZUConfiguration::moveDetector);
        QTreeWidgetItem other(QStringList{QStringLiteral("Stages")});
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

    // KMP devices move through the bus's own operation.
    void kmpDevices()
    {
        ZUConfiguration configuration;
        ZUKMP1 *bus = configuration.kmp1();
        QTreeWidgetItem branch(QStringList{QStringLiteral("Composite device")});
        for (int address : {3, 4, 5}) {
            bus->addDevice(new ZUKMPDevice(0, address, 0, 0));
            new QTreeWidgetItem(&branch, {QString::number(address)});
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
