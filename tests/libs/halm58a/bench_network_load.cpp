#include "gridnetwork.h"

#include <QTemporaryDir>
#include <QtTest>

// Loading a road network of more than 10,000 objects from its file.
class BenchNetworkLoad : public QObject
{
    Q_OBJECT
private slots:
    void load()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grid.hm58a"));
        {
            Halm58a::Network net;
            buildGridNetwork(net, 22);
            QVERIFY(net.objectCount() >= 10000);
            QVERIFY2(net.save(path, true, false), qPrintable(net.errorString()));
        }
        QBENCHMARK
        {
            Halm58a::Network net;
            QVERIFY2(net.load(path, false), qPrintable(net.errorString()));
        }
    }
};

QTEST_GUILESS_MAIN(BenchNetworkLoad)
#include "bench_network_load.moc"
