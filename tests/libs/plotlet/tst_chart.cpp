#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "plotlet/rectangleseries.h"
#include "plotlet/vline.h"
#include "testmain.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace plotlet;

class TestChart : public QObject
{
    Q_OBJECT
private:
    static QColor pixelAt(const QImage &image, const QPointF &pixel)
    {
        return image.pixelColor(pixel.toPoint());
    }

    static bool hasPixelOf(const QImage &image, const QColor &color)
    {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == color)
                    return true;
            }
        }
        return false;
    }

    // A 600 x 300 chart of one row from 0 to 100 s, for the marker lines.
    static void showHundredSeconds(Chart &chart)
    {
        chart.resize(600, 300);
        auto *bars = new ColorHBoxSeries;
        bars->addBar(0, 100, 1, Qt::green);
        chart.addSeries(bars);
    }

    static void mouse(Chart &chart, QEvent::Type type, const QPoint &pixel,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pixel, chart.mapToGlobal(pixel), button, held, modifiers);
        QApplication::sendEvent(&chart, &event);
    }

private slots:
    void barPicturesAreResources_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QColor>("left");
        QTest::newRow("green blink") << ":/images/gb.png" << QColor(0x1a, 0x6d, 0x06);
        QTest::newRow("amber blink") << ":/images/ab.png" << QColor(0xff, 0xfe, 0x0f);
    }

    void barPicturesAreResources()
    {
        QFETCH(QString, path);
        QFETCH(QColor, left);
        const QImage image(path);
        QCOMPARE(image.size(), QSize(10, 10));
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x)
                QCOMPARE(image.pixelColor(x, y), x < 5 ? left : QColor(Qt::white));
        }
    }

    // Each bar kind shows its colours where the bar is, and the bars hold what was added.
    void barsArePaintedInTheirColours_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("probe");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("one colour") << 0 << 5.0 << QColor(Qt::red);
        QTest::newRow("two colours, left") << 1 << 2.5 << QColor(Qt::red);
        QTest::newRow("two colours, right") << 1 << 7.5 << QColor(Qt::yellow);
        QTest::newRow("picture") << 2 << 0.0 << QColor(0x1a, 0x6d, 0x06);
    }

    void barsArePaintedInTheirColours()
    {
        QFETCH(int, kind);
        QFETCH(double, probe);
        QFETCH(QColor, expected);
        Chart chart;
        chart.resize(400, 300);
        auto *bars = new ColorHBoxSeries;
        if (kind == 0)
            bars->addBar(10, 0, 1, Qt::red);
        else if (kind == 1)
            bars->addBar(0, 10, 1, Qt::red, Qt::yellow);
        else
            bars->addBar(0, 10, 1, QPixmap(QStringLiteral(":/images/gb.png")));
        bars->addBar(0, 10, 2, Qt::blue);
        chart.addSeries(bars);

        QCOMPARE(bars->bars().first().from, 0.0);
        QCOMPARE(bars->bars().first().to, 10.0);
        QCOMPARE(bars->bars().first().pixmap.isNull(), kind != 2);
        const QImage image = chart.grab().toImage();
        QPointF pixel = chart.mapFromChart(QPointF(probe, 1));
        if (kind == 2)
            pixel += QPointF(2, 0);
        QCOMPARE(pixelAt(image, pixel), expected);
        QCOMPARE(pixelAt(image, chart.mapFromChart(QPointF(5, 2))), QColor(Qt::blue));
    }

    void barLengthReadsTenths_data()
    {
        QTest::addColumn<int>("fromMs");
        QTest::addColumn<int>("toMs");
        QTest::addColumn<QString>("text");
        // Ends in whole tenths of a second, as the emulation chart gives them:
        // the difference of two such doubles is off by a few ulps either way.
        QTest::newRow("35 from 10.1") << 10100 << 45100 << "35";
        QTest::newRow("43 from 0.3") << 300 << 43300 << "43";
        QTest::newRow("29.2") << 43200 << 72400 << "29.2";
        QTest::newRow("late in a long window") << 65490300 << 65535000 << "44.7";
        QTest::newRow("given right to left") << 45100 << 10100 << "35";
    }

    void barLengthReadsTenths()
    {
        QFETCH(int, fromMs);
        QFETCH(int, toMs);
        QFETCH(QString, text);
        ColorHBoxSeries bars;
        bars.addBar(fromMs / 1000.0, toMs / 1000.0, 1, Qt::red);
        QCOMPARE(ColorHBoxSeries::lengthText(bars.bars().first()), text);
    }

    void errorTextReplacesTheDrawing()
    {
        Chart chart;
        chart.resize(300, 200);
        auto *bars = new ColorHBoxSeries;
        bars->addBar(0, 10, 1, Qt::red);
        chart.addSeries(bars);
        QVERIFY(hasPixelOf(chart.grab().toImage(), Qt::red));

        chart.setError(QStringLiteral("Wrong phase transition 1 -> 2"));
        QVERIFY(!hasPixelOf(chart.grab().toImage(), Qt::red));
        QCOMPARE(chart.error(), QStringLiteral("Wrong phase transition 1 -> 2"));

        chart.setError(QString());
        QVERIFY(hasPixelOf(chart.grab().toImage(), Qt::red));
    }

    // A rectangle given with negative sides is kept and drawn as its normalised form.
    void negativeSidesAreNormalised_data()
    {
        QTest::addColumn<QRectF>("given");
        QTest::newRow("negative height") << QRectF(2, 3, 4, -2);
        QTest::newRow("negative width and height") << QRectF(6, 3, -4, -2);
        QTest::newRow("negative width") << QRectF(6, 1, -4, 2);
    }

    void negativeSidesAreNormalised()
    {
        QFETCH(QRectF, given);
        const QRectF normal(2, 1, 4, 2);
        QImage images[2];
        for (int i = 0; i < 2; ++i) {
            Chart chart;
            chart.resize(400, 300);
            auto *bars = new ColorHBoxSeries;
            bars->addBar(0, 10, 5, Qt::blue);
            chart.addSeries(bars);
            auto *rects = new RectangleSeries;
            rects->addRect({ i == 0 ? given : normal, Qt::black, Qt::red, 1.0, QString() });
            chart.addSeries(rects);
            QCOMPARE(rects->rects().first().rect, normal);
            images[i] = chart.grab().toImage();
            QCOMPARE(pixelAt(images[i], chart.mapFromChart(QPointF(4, 2))), QColor(Qt::red));
            QVERIFY(pixelAt(images[i], chart.mapFromChart(QPointF(4, 3.5))) != QColor(Qt::red));
            QVERIFY(pixelAt(images[i], chart.mapFromChart(QPointF(1, 2))) != QColor(Qt::red));
        }
        QCOMPARE(images[0], images[1]);
    }

    void seriesAreOwnedAndFoundById()
    {
        Chart chart;
        QPointer<ColorHBoxSeries> bars = new ColorHBoxSeries;
        QPointer<RectangleSeries> rects = new RectangleSeries;
        chart.addSeries(bars, 1);
        chart.addSeries(rects, 2);
        QCOMPARE(chart.findSeries(2), rects.data());
        QCOMPARE(chart.findSeries(3), nullptr);

        delete rects;
        QCOMPARE(chart.findSeries(2), nullptr);
        QCOMPARE(chart.series().size(), 1);

        chart.removeAllSeries();
        QVERIFY(bars.isNull());
        QVERIFY(chart.series().isEmpty());
    }

    void hiddenSeriesIsNotPainted()
    {
        Chart chart;
        chart.resize(300, 200);
        auto *rects = new RectangleSeries;
        rects->addRect({ QRectF(0, 0, 10, 3), Qt::black, Qt::red, 1.0, QString() });
        chart.addSeries(rects, 2);
        auto *bars = new ColorHBoxSeries;
        bars->addBar(0, 10, 1, Qt::blue);
        chart.addSeries(bars, 1);
        QVERIFY(hasPixelOf(chart.grab().toImage(), Qt::red));
        chart.findSeries(2)->setVisible(false);
        QVERIFY(!hasPixelOf(chart.grab().toImage(), Qt::red));
        QVERIFY(hasPixelOf(chart.grab().toImage(), Qt::blue));
    }

    void customLabelsAreReadable()
    {
        Chart chart;
        chart.yAxis()->setCustomLabel(2, QStringLiteral("1(T)"));
        chart.yAxis()->setCustomLabel(1, QStringLiteral("2(P)"));
        chart.yAxis()->setCustomLabel(1, QStringLiteral("3(P)"));
        QCOMPARE(chart.yAxis()->customLabels().size(), 2);
        QCOMPARE(chart.yAxis()->customLabel(1), QStringLiteral("3(P)"));
        chart.yAxis()->resetCustomLabels();
        QVERIFY(chart.yAxis()->customLabels().isEmpty());
    }

    void dragMovesTheLineOnceOnRelease()
    {
        Chart chart;
        showHundredSeconds(chart);
        chart.setMinGridStepX(1.0);
        auto *line = new VLine(20, QStringLiteral("D1"), 1.0);
        chart.addVLine(line);
        QSignalSpy moved(line, &VLine::moved);
        QSignalSpy pressed(&chart, &Chart::mousePress);

        const QPoint press = chart.mapFromChart(QPointF(20, 1)).toPoint();
        const QPoint release = chart.mapFromChart(QPointF(50, 1)).toPoint();
        mouse(chart, QEvent::MouseButtonPress, press);
        QVERIFY(line->selected());
        QCOMPARE(pressed.size(), 1);
        QCOMPARE(pressed.first().at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(pressed.first().at(1).toPoint(), press);
        QVERIFY(qAbs(pressed.first().at(2).toPointF().x() - 20) < 0.5);

        mouse(chart, QEvent::MouseMove, (press + release) / 2);
        mouse(chart, QEvent::MouseMove, release);
        QCOMPARE(moved.size(), 0);
        QCOMPARE(line->pos(), 20.0);
        mouse(chart, QEvent::MouseButtonRelease, release);

        QCOMPARE(moved.size(), 1);
        const double grabOffset = chart.mapToChart(press).x() - 20;
        const double expected = std::round((chart.mapToChart(release).x() - grabOffset) * 10) / 10;
        QCOMPARE(moved.first().first().toDouble(), expected);
        QCOMPARE(line->pos(), expected);
        QVERIFY(qAbs(expected - 50) < 0.5);

        // A click without a drag selects and moves nothing.
        const QPoint still = chart.mapFromChart(QPointF(line->pos(), 1)).toPoint();
        mouse(chart, QEvent::MouseButtonPress, still);
        mouse(chart, QEvent::MouseButtonRelease, still);
        QCOMPARE(moved.size(), 1);
    }

    void clicksSelectLines()
    {
        Chart chart;
        showHundredSeconds(chart);
        auto *first = new VLine(20, QStringLiteral("D1"));
        auto *second = new VLine(60, QStringLiteral("S2"));
        chart.addVLine(first);
        chart.addVLine(second);
        const auto at = [&](double x) {
            return chart.mapFromChart(QPointF(x, 1)).toPoint();
        };

        mouse(chart, QEvent::MouseButtonPress, at(20));
        mouse(chart, QEvent::MouseButtonRelease, at(20));
        mouse(chart, QEvent::MouseButtonPress, at(60), Qt::ControlModifier);
        mouse(chart, QEvent::MouseButtonRelease, at(60), Qt::ControlModifier);
        QVERIFY(first->selected() && second->selected());

        mouse(chart, QEvent::MouseButtonPress, at(60));
        mouse(chart, QEvent::MouseButtonRelease, at(60));
        QVERIFY(!first->selected() && second->selected());

        mouse(chart, QEvent::MouseButtonPress, at(40));
        mouse(chart, QEvent::MouseButtonRelease, at(40));
        QVERIFY(!first->selected() && !second->selected());
    }

    void labelBoxIsWhereTheDoubleClickFindsIt()
    {
        Chart chart;
        showHundredSeconds(chart);
        auto *line = new VLine(30, QStringLiteral("Detector 4"));
        QVERIFY(line->rcLabel().isEmpty());
        chart.addVLine(line);
        const QRect label = line->rcLabel();
        QVERIFY(!label.isEmpty());
        QVERIFY(qAbs(label.left() - chart.mapFromChart(QPointF(30, 1)).x()) < 5);

        QSignalSpy doubleClicked(&chart, &Chart::mouseButtonDblClick);
        QTest::mouseDClick(&chart, Qt::LeftButton, Qt::NoModifier, label.center());
        QCOMPARE(doubleClicked.size(), 1);
        QCOMPARE(doubleClicked.first().at(1).toPoint(), label.center());
    }

    void destroyedLineIsForgotten()
    {
        Chart chart;
        auto *line = new VLine(5, QStringLiteral("D1"));
        chart.addVLine(line);
        QCOMPARE(line->parent(), &chart);
        QCOMPARE(chart.vlines().size(), 1);
        delete line;
        QVERIFY(chart.vlines().isEmpty());
        chart.grab();
    }
};

PROJECT_TEST(TestChart);
#include "tst_chart.moc"
