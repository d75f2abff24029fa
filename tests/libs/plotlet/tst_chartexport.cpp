#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "testdata.h"
#include "testmain.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace plotlet;

class TestChartExport : public QObject
{
    Q_OBJECT
private:
    static void fill(Chart &chart, const QSize &size = QSize(300, 200))
    {
        chart.resize(size);
        auto *bars = new ColorHBoxSeries;
        bars->setShowLength(true);
        bars->addBar(0, 30, 2, Qt::green);
        bars->addBar(30, 33, 2, Qt::yellow);
        bars->addBar(0, 40, 1, Qt::red);
        chart.addSeries(bars);
    }

    // The outer width and height of an SVG file and its view box.
    static QStringList svgSize(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QXmlStreamReader xml(&file);
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("svg")) {
                const QXmlStreamAttributes attributes = xml.attributes();
                return { attributes.value(QLatin1String("width")).toString(),
                         attributes.value(QLatin1String("height")).toString(),
                         attributes.value(QLatin1String("viewBox")).toString() };
            }
        }
        return {};
    }

    // Every text drawn into an SVG file, in drawing order.
    static QStringList svgTexts(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList texts;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement
                && xml.name() == QLatin1String("text"))
                texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        }
        return texts;
    }

private slots:
    // Row labels stay one per row where the rows have room, and are thinned to
    // readable ones where they have not; the top row always keeps its label.
    void denseRowLabelsAreThinned_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("all");
        QTest::newRow("room for every row") << 2400 << true;
        QTest::newRow("crowded") << 240 << false;
    }

    void denseRowLabelsAreThinned()
    {
        QFETCH(int, height);
        QFETCH(bool, all);
        const int rows = 60;
        Chart chart;
        chart.resize(400, height);
        auto *bars = new ColorHBoxSeries;
        for (int row = 1; row <= rows; ++row) {
            bars->addBar(0, 10, rows + 1 - row, Qt::green);
            chart.yAxis()->setCustomLabel(rows + 1 - row, QStringLiteral("G%1").arg(row));
        }
        chart.addSeries(bars);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rows.svg"));
        QVERIFY(chart.saveAsSvg(path));
        QStringList labels;
        for (const QString &text : svgTexts(path)) {
            if (text.startsWith(QLatin1Char('G')))
                labels << text;
        }
        labels.removeDuplicates();
        QVERIFY(labels.contains(QStringLiteral("G1")));
        if (all) {
            QCOMPARE(labels.size(), rows);
            return;
        }
        // A label is about 16 pixels high: a 240 pixel chart shows a dozen at most.
        QVERIFY2(labels.size() > 1 && labels.size() <= 16,
                 qPrintable(labels.join(QLatin1Char(' '))));
    }

    void pngHasTheAskedSizeAndBackground()
    {
        QTemporaryDir dir;
        Chart chart;
        fill(chart);
        chart.setBgColor(Qt::white);
        const QString path = dir.filePath(QStringLiteral("prog_1.png"));
        QString error;
        QVERIFY2(chart.saveAsImage(path, QSize(1024, 600), &error), qPrintable(error));

        QImage image(path);
        QCOMPARE(image.size(), QSize(1024, 600));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(image.pixelColor(1023, 599), QColor(Qt::white));
        const QPoint bar = chart.mapFromChart(QPointF(5, 1), QSize(1024, 600)).toPoint();
        QCOMPARE(image.pixelColor(bar), QColor(Qt::red));
    }

    // The screen and the pictures come from one painting: a picture of the widget's size
    // is the widget.
    void pictureOfTheWidgetSizeIsTheWidget()
    {
        QTemporaryDir dir;
        Chart chart;
        fill(chart, QSize(500, 260));
        const QString path = dir.filePath(QStringLiteral("screen.png"));
        QVERIFY(chart.saveAsImage(path, QSize()));
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32),
                 chart.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    void svgSuffixWritesSvg()
    {
        QTemporaryDir dir;
        Chart chart;
        fill(chart);
        const QString path = dir.filePath(QStringLiteral("prog_1.SVG"));
        QVERIFY(chart.saveAsImage(path, QSize(1024, 600)));
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QCOMPARE(svgSize(path).value(2), QStringLiteral("0 0 1024 600"));
    }

    // A bar drawn with a picture (green blinking) shows its stripes in SVG as
    // on the screen: rendered, the SVG has the picture's colour where the bar starts.
    void pictureBarShowsInSvg()
    {
        QTemporaryDir dir;
        Chart chart;
        chart.resize(400, 200);
        auto *bars = new ColorHBoxSeries;
        bars->addBar(0, 20, 1, QPixmap(QStringLiteral(":/images/gb.png")));
        chart.addSeries(bars);
        const QString path = dir.filePath(QStringLiteral("blink.svg"));
        QVERIFY(chart.saveAsSvg(path, QSize(400, 200)));
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QImage image(400, 200, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QPoint start
            = (chart.mapFromChart(QPointF(0, 1), QSize(400, 200)) + QPointF(2, 0)).toPoint();
        QCOMPARE(image.pixelColor(start), QColor(0x1a, 0x6d, 0x06));
        const QPoint white
            = (chart.mapFromChart(QPointF(0, 1), QSize(400, 200)) + QPointF(7, 0)).toPoint();
        QCOMPARE(image.pixelColor(white), QColor(Qt::white));
    }

    void svgSizeInPixelsOrMillimetres_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("inMillimeters");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("pixels") << QSize(1024, 600) << false
                                << QStringList { "1024", "600", "0 0 1024 600" };
        // Laid out at 96 dpi: 200 mm are 756 pixels.
        QTest::newRow("millimetres")
            << QSize(200, 100) << true << QStringList { "200mm", "100mm", "0 0 756 378" };
    }

    void svgSizeInPixelsOrMillimetres()
    {
        QFETCH(QSize, size);
        QFETCH(bool, inMillimeters);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        Chart chart;
        fill(chart);
        const QString path = dir.filePath(QStringLiteral("chart.svg"));
        QVERIFY(chart.saveAsSvg(path, size, inMillimeters));
        QCOMPARE(svgSize(path), expected);
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        if (!inMillimeters)
            QCOMPARE(renderer.defaultSize(), size);
    }

    void svgDefaultsToTheWidgetSize()
    {
        QTemporaryDir dir;
        Chart chart;
        fill(chart, QSize(320, 180));
        const QString path = dir.filePath(QStringLiteral("chart.svg"));
        QVERIFY(chart.saveAsSvg(path));
        QCOMPARE(svgSize(path).value(2), QStringLiteral("0 0 320 180"));
    }

    void failuresReturnFalse_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("png in a missing folder") << "missing/x.png" << QSize(100, 100);
        QTest::newRow("svg in a missing folder") << "missing/x.svg" << QSize(100, 100);
        QTest::newRow("unknown format") << "x.nosuchformat" << QSize(100, 100);
        QTest::newRow("empty picture") << "x.png" << QSize(0, 100);
        QTest::newRow("empty svg") << "x.svg" << QSize(100, 0);
    }

    void failuresReturnFalse()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        Chart chart;
        fill(chart);
        const QString path = dir.filePath(name);
        QString error;
        QVERIFY(!chart.saveAsImage(path, size, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    void failedExportKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.png"));
        QVERIFY(TestSupport::writeFile(path, "old"));
        Chart chart;
        fill(chart);
        QVERIFY(!chart.saveAsImage(path, QSize(0, 0)));
        QCOMPARE(TestSupport::readFile(path), QByteArray("old"));
    }
};

PROJECT_TEST(TestChartExport);
#include "tst_chartexport.moc"
