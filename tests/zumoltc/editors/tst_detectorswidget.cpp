#include "pagefixture.h"
#include "pageswindow.h"
#include "testmain.h"
#include "zumoltc/editors/detectorswidget.h"

#include <QtTest>

using namespace PageFixture;

class TestDetectorsWidget : public QObject
{
    Q_OBJECT
private slots:
    void emptiedInterval()
    {
        ZUConfiguration configuration;
        QVERIFY(loadPages(configuration));
        DetectorsWidget page;
        QList<const char *> classNames;
        connect(&page, &DetectorsWidget::configurationChanged, &page,
                [&classNames](const char *className) { classNames << className; });
        page.load(configuration.detectorIntervals());
        QCOMPARE(field(page, "logInterval")->text(), QStringLiteral("60"));
        QCOMPARE(field(page, "its_logInterval")->text(), QStringLiteral("300"));
        QVERIFY(!button(page, QDialogButtonBox::Apply)->isEnabled());
        type(field(page, "logInterval"), QString());
        clickApply(page);
        QCOMPARE(classNames.size(), 1);
        QCOMPARE(classNames.first(), ZUDetector::staticMetaObject.className());
        const QJsonObject detectors = saved(configuration).value("detectors").toObject();
        QVERIFY(!detectors.contains("logInterval"));
        QCOMPARE(detectors.value("logIntervalASUDD").toInt(), 300);

        type(field(page, "its_logInterval"), QStringLiteral("30"));
        clickApply(page);
        QCOMPARE(configuration.detectorIntervals()->logIntervalASUDD, 30);
        QCOMPARE(configuration.detectorIntervals()->logInterval, int(zu::NotSet));
    }

    void applyBeforeLoad()
    {
        DetectorsWidget page;
        int emitted = 0;
        connect(&page, &DetectorsWidget::configurationChanged, &page, [&emitted] { ++emitted; });
        type(field(page, "logInterval"), QStringLiteral("5"));
        button(page, QDialogButtonBox::Apply)->setEnabled(true);
        clickApply(page);
        QCOMPARE(emitted, 0);
    }

    // Through the window: the "Detectors" branch opens the intervals page.
    void intervalsInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        w.select({ w.section(QStringLiteral("Detectors")) });
        auto *page = w.page<DetectorsWidget>();
        QVERIFY(page);
        type(field(*page, "logInterval"), QString());
        clickApply(*page);
        const QJsonObject detectors = w.save().value("detectors").toObject();
        QVERIFY(!detectors.contains("logInterval"));
        QCOMPARE(detectors.value("logIntervalASUDD").toInt(), 300);
    }
};

PROJECT_TEST(TestDetectorsWidget);
#include "tst_detectorswidget.moc"
