#include "mapview/tileview.h"
#include "testmain.h"

#include <QGraphicsScene>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

class TestTileView : public QObject
{
    Q_OBJECT
private:
    static QPointF centre(const TileView &view)
    {
        return view.viewportTransform().inverted().map(QRectF(view.viewport()->rect()).center());
    }

private slots:
    void ownsAGeographicScene()
    {
        TileView view;
        QVERIFY(view.scene());
        QVERIFY(view.scene()->sceneRect().contains(QPointF(30.3276, 60.0034)));
        QVERIFY(view.scene()->sceneRect().contains(QPointF(-179, -80)));
    }

    void oneLevelDoublesTheScale_data()
    {
        QTest::addColumn<double>("level");
        QTest::newRow("whole") << 16.0;
        QTest::newRow("fraction") << 10.25;
        QTest::newRow("low") << 2.0;
    }

    void oneLevelDoublesTheScale()
    {
        QFETCH(double, level);
        TileView view;
        view.resize(400, 300);
        view.setZoom(level);
        QCOMPARE(view.zoomF(), level);
        const double before = view.transform().m11();
        view.setZoom(level + 1);
        QCOMPARE(view.transform().m11() / before, 2.0);
        // At zoom 0 the world is 256 pixels wide.
        QVERIFY(qAbs(before - 256.0 / 360.0 * std::pow(2.0, level)) < 1e-9 * before);
        // North is up.
        QVERIFY(view.transform().m22() < 0);
    }

    void zoomKeepsTheCentreAndClamps()
    {
        TileView view;
        view.resize(400, 300);
        view.setZoom(12);
        view.centerOn(QPointF(30.3276, 60.0034));
        // The view scrolls by whole pixels: the centre is right within one of them.
        const double pixel = 1.0 / view.transform().m11();
        view.setZoom(17);
        QVERIFY(QLineF(centre(view), QPointF(30.3276, 60.0034)).length() < pixel);
        QCOMPARE(view.zoomF(), 17.0);

        view.setZoom(99);
        QCOMPARE(view.zoomF(), TileView::MaxZoom);
        view.setZoom(-3);
        QCOMPARE(view.zoomF(), TileView::MinZoom);
        // A rectangle of no extent makes callers compute infinite or undefined levels.
        view.setZoom(std::nan(""));
        QCOMPARE(view.zoomF(), TileView::MinZoom);
        view.setZoom(std::numeric_limits<double>::infinity());
        QCOMPARE(view.zoomF(), TileView::MinZoom);
        view.setZoom(int(15));
        QCOMPARE(view.zoomF(), 15.0);
    }

    void centringElsewhereKeepsMetresSquare_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::newRow("north") << QPointF(30.3276, 60.0034);
        QTest::newRow("south") << QPointF(-58.38, -34.6);
        QTest::newRow("equator") << QPointF(10, 0);
    }

    // Go to point only centres the view: a junction there must not look
    // squashed until the next zoom.
    void centringElsewhereKeepsMetresSquare()
    {
        QFETCH(QPointF, point);
        TileView view;
        view.resize(400, 300);
        view.setZoom(16);
        view.centerOn(QPointF(5, 45));
        view.centerOn(point);
        const double expected = 1.0 / std::cos(point.y() * M_PI / 180.0);
        QVERIFY(qAbs(-view.transform().m22() / view.transform().m11() - expected)
                < 1e-6 * expected);
        QCOMPARE(view.zoomF(), 16.0);
        const double pixel = 1.0 / view.transform().m11();
        QVERIFY(QLineF(centre(view), point).length() < 2 * pixel);
    }

    void opacityStaysInRange_data()
    {
        QTest::addColumn<double>("given");
        QTest::addColumn<double>("kept");
        QTest::newRow("inside") << 0.555 << 0.555;
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("above") << 1.7 << 1.0;
        QTest::newRow("below") << -0.2 << 0.0;
    }

    void opacityStaysInRange()
    {
        QFETCH(double, given);
        QFETCH(double, kept);
        TileView view;
        QCOMPARE(view.opacity(), 1.0);
        view.setOpacity(given);
        QCOMPARE(view.opacity(), kept);
    }

    void fitInViewShowsTheWholeRectangle()
    {
        TileView view;
        view.resize(500, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QRectF junction(30.320, 60.000, 0.004, 0.002);
        QVERIFY(QMetaObject::invokeMethod(&view, "fitInView", Qt::DirectConnection,
                                          Q_ARG(QRectF, junction)));
        const QRectF visible = view.mapToScene(view.viewport()->rect()).boundingRect();
        QVERIFY(visible.contains(junction));
        // Not much more than needed: one of the two sides nearly fills the view.
        QVERIFY(visible.width() < junction.width() * 1.1
                || visible.height() < junction.height() * 1.1);
        QVERIFY(QLineF(centre(view), junction.center()).length() < 1e-5);

        const double zoom = view.zoomF();
        view.fitInView(QRectF(30, 60, 0, 0));
        QCOMPARE(view.zoomF(), zoom);
    }

    void backgroundDrawsAGridAtTheOpacity()
    {
        TileView view;
        view.resize(300, 300);
        view.setZoom(16);
        view.centerOn(QPointF(30.3276, 60.0034));
        view.setBackgroundColor(QColor(200, 220, 240));
        const QImage opaque = view.grab().toImage();
        QSet<QRgb> colours;
        for (int x = 0; x < opaque.width(); ++x)
            colours.insert(opaque.pixel(x, opaque.height() / 2));
        QVERIFY(colours.contains(QColor(200, 220, 240).rgb()));
        QVERIFY2(colours.size() >= 2, "no grid line crosses the middle row");

        view.setGridVisible(false);
        view.setOpacity(0);
        const QImage clear = view.grab().toImage();
        QCOMPARE(clear.pixel(150, 150), view.palette().base().color().rgb());
        // Lines are at least 80 pixels apart at every zoom.
        const double pixelsPerDegree = view.transform().m11();
        QVERIFY(view.gridStep() * pixelsPerDegree >= 80.0);
    }

    void settingsRoundTrip()
    {
        {
            TileView view;
            view.setBackgroundColor(QColor(10, 20, 30));
            view.setGridVisible(false);
            view.saveMapsSettings();
        }
        TileView view;
        QVERIFY(view.isGridVisible());
        view.loadMapsSettings();
        QCOMPARE(view.backgroundColor(), QColor(10, 20, 30));
        QVERIFY(!view.isGridVisible());
        QSettings().remove(QStringLiteral("TileView"));
    }

    void wheelZoomsAroundTheMouse()
    {
        TileView view;
        view.resize(400, 300);
        view.setZoom(15);
        view.centerOn(QPointF(30.3, 60.0));
        const QPoint mouse(300, 100);
        const QPointF under = view.mapToScene(mouse);
        QWheelEvent wheel(mouse, view.viewport()->mapToGlobal(mouse), QPoint(), QPoint(0, 240),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.viewport(), &wheel);
        QCOMPARE(view.zoomF(), 16.0);
        const QPointF after = view.mapToScene(mouse);
        const double pixel = 1.0 / view.transform().m11();
        QVERIFY(QLineF(after, under).length() < 3 * pixel);
    }
};

PROJECT_TEST(TestTileView);
#include "tst_tileview.moc"
