#include "common/widgets/parameterstable.h"
#include "pagewindow.h"
#include "testmain.h"
#include "zumoltc/editors/recoverywidget.h"
#include "zumoltc/model/zurecoveryparameters.h"
#include "zumoltc/shell/framework/intedit.h"

namespace {

const QString Section = QStringLiteral("Error processing");

} // namespace

class TestRecoveryWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        RecoveryWidget page;
        auto *errors = PageTesting::field<ParametersTable>(page, "errors");
        QCOMPARE(errors->rowCount(), 12);
        QCOMPARE(errors->columnCount(), 3);
        QCOMPARE(errors->horizontalHeaderItem(0)->text(), QStringLiteral("Interval, sec"));
        QCOMPARE(errors->horizontalHeaderItem(1)->text(), QStringLiteral("attempts count"));
        QCOMPARE(errors->verticalHeaderItem(1)->text(), QStringLiteral("Control of green"));
        QCOMPARE(errors->verticalHeaderItem(11)->text(), QStringLiteral("Short circuit in load"));
    }

    // The model keeps attempts first, the table shows the interval first.
    void load()
    {
        PageWindow w;
        auto *page = w.open<RecoveryWidget>(Section);
        QVERIFY(page);
        QCOMPARE(PageTesting::field<IntEdit>(*page, "defectSwitchRate")->text(),
                 QStringLiteral("2"));
        QVERIFY(PageTesting::field<IntEdit>(*page, "confidenceInterval")->text().isEmpty());
        auto *errors = PageTesting::field<ParametersTable>(*page, "errors");
        QCOMPARE(errors->cellData(ZURecoveryParameters::NoLoadSwBreak, 0), QVariant(60));
        QCOMPARE(errors->cellData(ZURecoveryParameters::NoLoadSwBreak, 1), QVariant(3));
        QVERIFY(!errors->cellData(ZURecoveryParameters::NoLoadSwBreak, 2).isValid());
        QVERIFY(!errors->cellData(0, 0).isValid());
    }

    void greenErrorSaved()
    {
        PageWindow w;
        auto *page = w.open<RecoveryWidget>(Section);
        auto *errors = PageTesting::field<ParametersTable>(*page, "errors");
        errors->setCellData(1, 0, 5, true);
        errors->setCellData(1, 1, 3, true);
        errors->setCellData(ZURecoveryParameters::NoLoadSwBreak, 2, QStringLiteral("x"), true);
        PageWindow::clickApply(page);
        const ZURecoveryParameters::ErrorRecovery green
            = w.configuration()->recoveryParameters()->greenError();
        QCOMPARE(green.interval, 5);
        QCOMPARE(green.attempts, 3);
        QCOMPARE(green.filter, int(zu::NotSet));
        const QJsonObject stored = w.save().value("recovery").toObject().value("errors").toObject();
        const QJsonObject greenError = stored.value("greenError").toObject();
        QCOMPARE(greenError.value("attempts").toInt(), 3);
        QCOMPARE(greenError.value("interval").toInt(), 5);
        QVERIFY(!greenError.contains("filter"));
        QCOMPARE(stored.value("noLoad/swBreak").toObject().value("interval").toInt(), 60);
    }

    // Only the confidence interval written; an emptied cell is not set.
    void singleFields()
    {
        PageWindow w;
        ZURecoveryParameters *recovery = w.configuration()->recoveryParameters();
        auto *page = w.open<RecoveryWidget>(Section);
        QTest::keyClicks(PageTesting::field<IntEdit>(*page, "confidenceInterval"),
                         QStringLiteral("30"));
        recovery->setDefectSwitchRate(8); // behind the page's back: not overwritten
        PageWindow::clickApply(page);
        QCOMPARE(recovery->confidenceInterval(), 30);
        QCOMPARE(recovery->defectSwitchRate(), 8);
        QCOMPARE(recovery->noLoadSwBreak().attempts, 3);

        PageTesting::field<ParametersTable>(*page, "errors")
            ->setCellData(ZURecoveryParameters::NoLoadSwBreak, 1, QVariant(), true);
        PageWindow::clickApply(page);
        QCOMPARE(recovery->noLoadSwBreak().attempts, int(zu::NotSet));
        QCOMPARE(recovery->noLoadSwBreak().interval, 60);
    }
};

PROJECT_TEST(TestRecoveryWidget);
#include "tst_recoverywidget.moc"
