#include "../halm58a/gridnetwork.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

// Loading a road network of more than 10,000 objects onto the map, with the
// editor's object tree, and emptying it again.
class BenchNetworkgLoad : public QObject
{
    Q_OBJECT
private slots:
    void loadDrawAndClear()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grid.hm58a"));
        {
            Halm58a::Network net;
            buildGridNetwork(net, 22);
            QVERIFY(net.save(path, true, false));
        }
        TileView view;
        auto *net = new Halm58ga::Networkg(view.scene());
        Halm58ga::NetEdit edit(net, &view);
        QBENCHMARK
        {
            edit.beforeLoad();
            QVERIFY2(net->load(path, false), qPrintable(net->errorString()));
            edit.afterLoad();
            net->clear();
            edit.clear();
        }
    }

    // Drawing the whole network once, as a map showing all of it does.
    void render()
    {
        QGraphicsScene scene;
        auto *net = new Halm58ga::Networkg(&scene);
        buildGridNetwork(*net, 22);
        QImage image(1000, 1000, QImage::Format_ARGB32);
        QBENCHMARK
        {
            QPainter painter(&image);
            scene.render(&painter, QRectF(), net->boundingRect());
        }
    }
};

QTEST_MAIN(BenchNetworkgLoad)
#include "bench_networkg_load.moc"
