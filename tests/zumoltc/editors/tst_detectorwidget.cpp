#include "pagefixture.h"
#include "pageswindow.h"
#include "testmain.h"
#include "zumoltc/editors/detectorwidget.h"

#include <QCheckBox>
#include <QtTest>

using namespace PageFixture;

namespace {

struct Fixture
{
    Fixture()
    {
        loaded = loadPages(configuration);
        QObject::connect(&page, &DetectorWidget::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }
    QPointer<ZUDetector> detector(int index) { return configuration.detectors().at(index); }
    void show(const QList<int> &indexes)
    {
        QList<QPointer<ZUDetector>> detectors;
        for (int index : indexes)
            detectors << detector(index);
        page.setObjects(&configuration, detectors);
    }
    QCheckBox *report() const { return field<QCheckBox>(page, "allow_report"); }
    QList<bool> savedReports()
    {
        QList<bool> reports;
        const QJsonArray items
            = saved(configuration).value("detectors").toObject().value("items").toArray();
        for (const QJsonValue &item : items)
            reports << item.toObject().value("report").toBool();
        return reports;
    }

    ZUConfiguration configuration;
    DetectorWidget page;
    bool loaded = false;
    QList<const char *> classNames;
};

} // namespace

class TestDetectorWidget : public QObject
{
    Q_OBJECT
private slots:
    // Several detectors: the report flags merged into a tristate box.
    void merge_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<Qt::CheckState>("shown");
        QTest::addColumn<Qt::CheckState>("set");
        QTest::addColumn<QList<bool>>("reports"); // of detectors 1, 2, 3 after Apply

        QTest::newRow("mixed left partly checked")
            << QList<int> { 0, 1 } << Qt::PartiallyChecked << Qt::PartiallyChecked
            << QList<bool> { true, false, true };
        QTest::newRow("mixed ticked") << QList<int> { 0, 1 } << Qt::PartiallyChecked << Qt::Checked
                                      << QList<bool> { true, true, true };
        QTest::newRow("mixed unticked") << QList<int> { 1, 2 } << Qt::PartiallyChecked
                                        << Qt::Unchecked << QList<bool> { true, false, false };
        QTest::newRow("both reported") << QList<int> { 0, 2 } << Qt::Checked << Qt::Unchecked
                                       << QList<bool> { false, false, false };
        QTest::newRow("first differs from two")
            << QList<int> { 1, 0, 2 } << Qt::PartiallyChecked << Qt::PartiallyChecked
            << QList<bool> { true, false, true };
    }

    void merge()
    {
        QFETCH(QList<int>, selected);
        QFETCH(Qt::CheckState, shown);
        QFETCH(Qt::CheckState, set);
        QFETCH(QList<bool>, reports);

        Fixture f;
        QVERIFY(f.loaded);
        f.show(selected);
        QVERIFY(f.report()->isTristate());
        QVERIFY(f.report()->isEnabled());
        QCOMPARE(f.report()->checkState(), shown);
        QVERIFY(!field(f.page, "id")->isEnabled());
        QVERIFY(!field(f.page, "name")->isEnabled());
        f.report()->setCheckState(set);
        // Untouched, Apply stays disabled and a click of it writes nothing.
        button(f.page, QDialogButtonBox::Apply)->setEnabled(true);
        clickApply(f.page);
        QCOMPARE(f.savedReports(), reports);
        if (set != shown)
            QCOMPARE(f.classNames.size(), 1);
        else
            QVERIFY(f.classNames.isEmpty());
    }

    void oneDetector()
    {
        Fixture f;
        f.show({ 1 });
        QVERIFY(!f.report()->isTristate());
        QCOMPARE(f.report()->checkState(), Qt::Unchecked);
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Detector.2"));
        QVERIFY(!field<QCheckBox>(f.page, "manualName")->isChecked());
        QVERIFY(field(f.page, "name")->isReadOnly());

        QLineEdit *id = field(f.page, "id");
        type(id, QStringLiteral("3"));
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Detector.3")); // another's name too
        type(id, QStringLiteral("0"));
        QVERIFY(button(f.page, QDialogButtonBox::Apply)->isEnabled());
        QTest::mouseClick(f.report(), Qt::LeftButton, {}, QPoint(5, f.report()->height() / 2));
        clickApply(f.page);
        QCOMPARE(f.detector(1)->id(), 0);
        QCOMPARE(f.detector(1)->name(), QStringLiteral("Detector.0"));
        QVERIFY(f.detector(1)->report());
        QCOMPARE(f.page.windowTitle(), f.detector(1)->text(QString()));
        QCOMPARE(f.classNames.size(), 1);
        QCOMPARE(f.classNames.first(), ZUDetector::staticMetaObject.className());

        f.show({ 0, 1 });
        f.show({ 1 }); // one again: fresh forbidden values
        type(id, QStringLiteral("1"));
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
    }

    void emptyListKeepsPage()
    {
        Fixture f;
        f.show({ 0 });
        f.page.setObjects(&f.configuration, {});
        QCOMPARE(field(f.page, "id")->text(), QStringLiteral("1"));
        QCOMPARE(f.report()->checkState(), Qt::Checked);
        QVERIFY(f.report()->isEnabled());
    }

    // Through the window: two detectors with differing flags, ticked together.
    void detectorsInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        ZUConfiguration *c = w.configuration();
        w.selectObjects(QList<ZUDetector *> { c->detectors().at(0), c->detectors().at(1) });
        auto *page = w.page<DetectorWidget>();
        QVERIFY(page);
        auto *report = field<QCheckBox>(*page, "allow_report");
        QCOMPARE(report->checkState(), Qt::PartiallyChecked);
        QTest::mouseClick(report, Qt::LeftButton, {}, QPoint(5, report->height() / 2));
        QCOMPARE(report->checkState(), Qt::Checked);
        clickApply(*page);
        const QJsonArray items = w.save().value("detectors").toObject().value("items").toArray();
        QVERIFY(itemWithId(items, 1).value("report").toBool());
        QVERIFY(itemWithId(items, 2).value("report").toBool());

        w.selectObjects(QList<ZUDetector *> { c->detectors().at(1) });
        type(field(*page, "id"), QStringLiteral("1"));
        QVERIFY(!button(*page, QDialogButtonBox::Apply)->isEnabled());
        type(field(*page, "id"), QStringLiteral("0"));
        clickApply(*page);
        QCOMPARE(itemWithId(w.save().value("detectors").toObject().value("items").toArray(), 0)
                     .value("name")
                     .toString(),
                 QStringLiteral("Detector.0"));
    }
};

PROJECT_TEST(TestDetectorWidget);
#include "tst_detectorwidget.moc"
