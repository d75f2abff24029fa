#include "common/widgets/parameterstable.h"
#include "pagewindow.h"
#include "testmain.h"
#include "zumoltc/editors/rcpwidget.h"
#include "zumoltc/model/zucontrolsource.h"
#include "zumoltc/model/zuvpu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QToolButton>

namespace {

const QString Section = QStringLiteral("RCP");

QJsonArray sourcesOfType(const QJsonObject &saved, const QString &type)
{
    QJsonArray found;
    for (const QJsonValue &value : saved.value("controlSources").toArray()) {
        if (value.toObject().value("type").toString() == type)
            found.append(value);
    }
    return found;
}

// A configuration without a panel, its source and its device.
void removePanel(PageWindow &w)
{
    ZUConfiguration *configuration = w.configuration();
    configuration->vpu()->setType(zu::NotSet);
    w.window.configuration_changed(QObject::staticMetaObject.className());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestRCPWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        RCPWidget page;
        auto *type = PageTesting::field<QComboBox>(page, "type");
        QCOMPARE(type->count(), 2);
        QCOMPARE(type->itemData(0), QVariant(int(zu::passive)));
        QCOMPARE(type->itemData(1), QVariant(int(zu::passive_ind)));
        auto *buttons = PageTesting::field<ParametersTable>(page, "buttons");
        QCOMPARE(buttons->rowCount(), 1);
        QCOMPARE(buttons->columnCount(), 4);
        QCOMPARE(buttons->verticalHeaderItem(0)->text(), QStringLiteral("Stage:"));
        QCOMPARE(buttons->horizontalHeaderItem(3)->text(), QStringLiteral("Button 4"));
        QCOMPARE(PageTesting::field<QToolButton>(page, "clear_common")->toolTip(),
                 QStringLiteral("Clear type"));
    }

    // Ticked, "passive", buttons 1 and 3: the stages by position, one panel source
    // with timeout 300 and the VPU1 device at 4; unticked: both gone, the rest kept.
    void enableAndSave()
    {
        PageWindow w;
        QVERIFY(w.loaded);
        removePanel(w);
        ZUVPU *panel = w.configuration()->vpu();
        panel->setIdleInd(true);
        QVERIFY(PageWindow::devices(w.save(), QStringLiteral("VPU1")).isEmpty());

        auto *page = w.open<RCPWidget>(Section);
        QVERIFY(page);
        QVERIFY(!PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        QVERIFY(!PageTesting::field<ParametersTable>(*page, "buttons")->isEnabled());
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QVERIFY(PageTesting::field<ParametersTable>(*page, "buttons")->isEnabled());
        auto *type = PageTesting::field<QComboBox>(*page, "type");
        type->setCurrentIndex(type->findText(QStringLiteral("passive")));
        auto *buttons = PageTesting::field<ParametersTable>(*page, "buttons");
        const QList<QPointer<ZUStage>> stages = w.configuration()->stages();
        QVERIFY(stages.size() >= 2);
        buttons->setCellData(0, 0, stages.at(0)->id(), true);
        buttons->setCellData(0, 2, stages.at(1)->id(), true);
        PageWindow::clickApply(page);
        QCOMPARE(panel->type(), int(zu::passive));
        QCOMPARE(panel->stages().size(), 3);
        QVERIFY(!panel->stages().at(1));

        QJsonObject saved = w.save();
        const QJsonObject vpu
            = saved.value("remoteControlPanel").toObject().value("VPU1").toObject();
        const QJsonArray stageIds = vpu.value("stageId").toArray();
        QCOMPARE(stageIds.size(), 3);
        QCOMPARE(stageIds.at(0).toInt(), stages.at(0)->id());
        QVERIFY(stageIds.at(1).isNull());
        QCOMPARE(stageIds.at(2).toInt(), stages.at(1)->id());
        QJsonArray sources = sourcesOfType(saved, QStringLiteral("remoteControlPanel"));
        QCOMPARE(sources.size(), 1);
        QCOMPARE(sources.at(0).toObject().value("timeout").toInt(), 300);
        QJsonArray devices = PageWindow::devices(saved, QStringLiteral("VPU1"));
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.at(0).toObject().value("addr").toInt(), 4);

        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        PageWindow::clickApply(page);
        saved = w.save();
        QVERIFY(!saved.contains("remoteControlPanel"));
        QVERIFY(sourcesOfType(saved, QStringLiteral("remoteControlPanel")).isEmpty());
        QVERIFY(PageWindow::devices(saved, QStringLiteral("VPU1")).isEmpty());
        QVERIFY(panel->idleInd());
        QCOMPARE(panel->stages().size(), 3);
        QVERIFY(!PageTesting::field<ParametersTable>(*page, "buttons")->isEnabled());
        QCOMPARE(buttons->cellData(0, 2), QVariant(stages.at(1)->id()));
    }

    // A panel of a type the page does not offer shows none and keeps it through
    // other changes.
    void unofferedTypeKept()
    {
        PageWindow w;
        ZUVPU *panel = w.configuration()->vpu();
        panel->setType(zu::interface_tiverk1);
        auto *page = w.open<RCPWidget>(Section);
        QVERIFY(PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        QCOMPARE(PageTesting::field<QComboBox>(*page, "type")->currentIndex(), -1);
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "idleInd"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "clear_common"), Qt::LeftButton);
        PageWindow::clickApply(page);
        QCOMPARE(panel->type(), int(zu::interface_tiverk1));
        QVERIFY(panel->idleInd());
        QCOMPARE(panel->common(), int(zu::NotSet));
    }

    // More than four references: four shown, at most four stored.
    void atMostFourButtons()
    {
        PageWindow w;
        ZUVPU *panel = w.configuration()->vpu();
        const QList<QPointer<ZUStage>> stages = w.configuration()->stages();
        panel->clearStages();
        for (int i = 0; i < 5; ++i)
            panel->addStage(stages.at(i % stages.size()));
        auto *page = w.open<RCPWidget>(Section);
        auto *buttons = PageTesting::field<ParametersTable>(*page, "buttons");
        QCOMPARE(buttons->columnCount(), 4);
        QCOMPARE(buttons->cellData(0, 3), QVariant(stages.at(3 % stages.size())->id()));
        buttons->setCellData(0, 1, QVariant(), true);
        PageWindow::clickApply(page);
        QCOMPARE(panel->stages().size(), 4);
        QVERIFY(!panel->stages().at(1));
    }

    // A control-source change re-reads "Enable" as its baseline.
    void controlSourceChange()
    {
        PageWindow w;
        ZUVPU *panel = w.configuration()->vpu();
        auto *page = w.open<RCPWidget>(Section);
        QVERIFY(PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        panel->setType(zu::NotSet);
        page->configurationHasChanged(ZUControlSource::staticMetaObject.className());
        QVERIFY(!PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        QVERIFY(!PageWindow::apply(page)->isEnabled());
    }
};

PROJECT_TEST(TestRCPWidget);
#include "tst_rcpwidget.moc"
