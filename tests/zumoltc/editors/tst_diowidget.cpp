#include "common/widgets/parameterstable.h"
#include "pagewindow.h"
#include "testmain.h"
#include "zumoltc/editors/diowidget.h"
#include "zumoltc/model/zudio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

namespace {

void choose(QWidget *page, const char *combo, const QString &text)
{
    auto *box = PageTesting::field<QComboBox>(*page, combo);
    box->setCurrentIndex(box->findText(text));
}

bool ipShown(QWidget *page)
{
    return PageTesting::field<QLineEdit>(*page, "IP")->isVisibleTo(page)
        && PageTesting::field<QSpinBox>(*page, "port")->isVisibleTo(page);
}

} // namespace

class TestDIOWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        DIOWidget page;
        QStringList types;
        auto *type = PageTesting::field<QComboBox>(page, "type");
        for (int i = 0; i < type->count(); ++i)
            types << type->itemText(i);
        QCOMPARE(types.size(), 5);
        QCOMPARE(type->findData(int(zu::DIO::TiverkDET)),
                 type->findText(QStringLiteral("TiverkDET")));
        QCOMPARE(PageTesting::field<QToolButton>(page, "clear_common")->toolTip(),
                 QStringLiteral("Clear type"));
        auto *channels = PageTesting::field<ParametersTable>(page, "channels");
        QCOMPARE(channels->columnCount(), 4);
        QCOMPARE(channels->horizontalHeaderItem(3)->text(), QStringLiteral("Detector"));
        QVERIFY(channels->verticalHeader()->isHidden());
        // Add and remove head the context menu, with their shortcuts.
        const QList<QAction *> actions = channels->actions();
        QVERIFY(actions.size() >= 2);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Add record"));
        QCOMPARE(actions.at(0)->shortcut(), QKeySequence(Qt::Key_Insert));
        QCOMPARE(actions.at(1)->text(), QStringLiteral("Remove record"));
        QCOMPARE(actions.at(1)->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_Delete));
        QVERIFY(!PageTesting::field<QToolButton>(page, "remove_channel")->isEnabled());
    }

    // A used module and an unused one as the tree opens them.
    void load()
    {
        PageWindow w;
        QVERIFY(w.loaded);
        auto *page = w.open<DIOWidget>(QStringLiteral("DIO1"));
        QVERIFY(page);
        QVERIFY(PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        QCOMPARE(PageTesting::field<QComboBox>(*page, "type")->currentText(),
                 QStringLiteral("dry contact"));
        QVERIFY(!ipShown(page));
        auto *channels = PageTesting::field<ParametersTable>(*page, "channels");
        QCOMPARE(channels->rowCount(), 1);
        QCOMPARE(channels->cellData(0, 0), QVariant(1));
        QCOMPARE(channels->cellData(0, 3), QVariant(1));
        QVERIFY(channels->isEnabled());

        page = w.open<DIOWidget>(QStringLiteral("DIO2"));
        QCOMPARE(w.tabs()->count(), 1);
        QVERIFY(!PageTesting::field<QCheckBox>(*page, "enabled")->isChecked());
        QCOMPARE(PageTesting::field<QComboBox>(*page, "type")->currentIndex(), -1);
        QVERIFY(!ipShown(page));
        QCOMPARE(PageTesting::field<ParametersTable>(*page, "channels")->rowCount(), 0);
        QVERIFY(!PageTesting::field<QComboBox>(*page, "type")->isEnabled());
        QVERIFY(!PageTesting::field<ParametersTable>(*page, "channels")->isEnabled());
        QVERIFY(PageTesting::field<QCheckBox>(*page, "enabled")->isEnabled());

        // A click on "Enable" enables the rest.
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QVERIFY(PageTesting::field<QComboBox>(*page, "type")->isEnabled());
        QVERIFY(PageTesting::field<ParametersTable>(*page, "channels")->isEnabled());
    }

    void typeShowsAddress_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("shown");
        QTest::newRow("dry contact") << QStringLiteral("dry contact") << false;
        QTest::newRow("traficam simple") << QStringLiteral("traficam simple") << false;
        QTest::newRow("TiverkDET") << QStringLiteral("TiverkDET") << false;
        QTest::newRow("traficam") << QStringLiteral("traficam") << true;
        QTest::newRow("citilog") << QStringLiteral("citilog") << true;
        QTest::newRow("none") << QString() << false;
    }

    void typeShowsAddress()
    {
        QFETCH(QString, type);
        QFETCH(bool, shown);
        DIOWidget page;
        choose(&page, "type", QStringLiteral("traficam"));
        choose(&page, "type", type);
        QCOMPARE(ipShown(&page), shown);
    }

    // DIO3 made a traficam module: its address and port and its KMP device at 19.
    void traficamSaved()
    {
        PageWindow w;
        auto *page = w.open<DIOWidget>(QStringLiteral("DIO3"));
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        choose(page, "type", QStringLiteral("traficam"));
        QVERIFY(ipShown(page));
        QTest::keyClicks(PageTesting::field<QLineEdit>(*page, "IP"), QStringLiteral("10.0.0.5"));
        PageTesting::field<QSpinBox>(*page, "port")->setValue(8080);
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "add_channel"), Qt::LeftButton);
        auto *channels = PageTesting::field<ParametersTable>(*page, "channels");
        channels->setCellData(0, 0, 4, true);
        PageWindow::clickApply(page);
        QVERIFY(!PageWindow::apply(page)->isEnabled());
        QCOMPARE(w.tabs()->tabText(w.tabs()->indexOf(page)), QStringLiteral("DIO3"));

        const QJsonObject saved = w.save();
        QCOMPARE(w.dialogs->unexpected, 0);
        const QJsonObject dio3 = saved.value("inputsOutputs").toObject().value("DIO3").toObject();
        QCOMPARE(dio3.value("type").toString(), QStringLiteral("traficam"));
        QCOMPARE(dio3.value("IP").toString(), QStringLiteral("10.0.0.5"));
        QCOMPARE(dio3.value("port").toInt(), 8080);
        QCOMPARE(dio3.value("channels").toArray().size(), 1);
        const QJsonArray devices = PageWindow::devices(saved, QStringLiteral("DIO3"));
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.at(0).toObject().value("addr").toInt(), 19);
    }

    // Apply writes the shown address and port even when only the channels changed;
    // rows are kept with whatever they hold.
    void channelsOnlyChange()
    {
        PageWindow w;
        ZUDIO *module = w.configuration()->dios().at(2);
        module->setType(zu::DIO::sitilog);
        module->setIp(QStringLiteral("192.168.0.9"));
        module->setPort(502);
        auto *page = w.open<DIOWidget>(QStringLiteral("DIO3"));
        // Written behind the page's back: the page's values are the ones applied.
        module->setIp(QString());
        module->setPort(0);
        auto *channels = PageTesting::field<ParametersTable>(*page, "channels");
        channels->add_row();
        channels->add_row();
        channels->setCellData(0, 0, 2, true);
        channels->setCellData(0, 1, int(zu::PIR), true);
        channels->setCellData(0, 3, 77, true); // no such detector
        channels->setCellData(1, 2, int(zu::negative), true);
        PageWindow::clickApply(page);
        QCOMPARE(module->ip(), QStringLiteral("192.168.0.9"));
        QCOMPARE(int(module->port()), 502);
        QCOMPARE(module->channels().size(), 2);
        QCOMPARE(module->channels().at(0).channel, 2);
        QCOMPARE(module->channels().at(0).type, int(zu::PIR));
        QVERIFY(!module->channels().at(0).detector);
        QCOMPARE(module->channels().at(1).channel, int(zu::NotSet));
        QCOMPARE(module->channels().at(1).common, int(zu::negative));

        const QJsonObject dio3
            = w.save().value("inputsOutputs").toObject().value("DIO3").toObject();
        QCOMPARE(dio3.value("IP").toString(), QStringLiteral("192.168.0.9"));
        QCOMPARE(dio3.value("port").toInt(), 502);
    }

    // A row left empty is not stored, wherever it stands; after Apply the table
    // shows the stored channels, and the file holds no empty channel.
    void emptyRowIsNotStored()
    {
        PageWindow w;
        ZUDIO *module = w.configuration()->dios().at(0);
        auto *page = w.open<DIOWidget>(QStringLiteral("DIO1"));
        auto *channels = PageTesting::field<ParametersTable>(*page, "channels");
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "add_channel"), Qt::LeftButton);
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "add_channel"), Qt::LeftButton);
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "add_channel"), Qt::LeftButton);
        QCOMPARE(channels->rowCount(), 4);
        channels->setCellData(2, 0, 5, true);
        channels->setCellData(3, 0, QStringLiteral("  "), true);
        channels->selectRow(1);
        QVERIFY(PageWindow::apply(page)->isEnabled());
        PageWindow::clickApply(page);
        QCOMPARE(w.dialogs->unexpected, 0);

        QCOMPARE(module->channels().size(), 2);
        QCOMPARE(module->channels().at(0).channel, 1);
        QCOMPARE(module->channels().at(1).channel, 5);
        QCOMPARE(channels->rowCount(), 2);
        QCOMPARE(channels->cellData(1, 0), QVariant(5));
        QVERIFY(!PageWindow::apply(page)->isEnabled());
        QVERIFY(!PageTesting::field<QToolButton>(*page, "remove_channel")->isEnabled());

        const QJsonArray saved = w.save()
                                     .value("inputsOutputs")
                                     .toObject()
                                     .value("DIO1")
                                     .toObject()
                                     .value("channels")
                                     .toArray();
        QCOMPARE(saved.size(), 2);
        for (const QJsonValue &channel : saved)
            QVERIFY(!channel.toObject().isEmpty());
    }

    void clearCommon()
    {
        PageWindow w;
        auto *page = w.open<DIOWidget>(QStringLiteral("DIO1"));
        QCOMPARE(PageTesting::field<QComboBox>(*page, "common")->currentText(),
                 QStringLiteral("positive"));
        QTest::mouseClick(PageTesting::field<QToolButton>(*page, "clear_common"), Qt::LeftButton);
        QCOMPARE(PageTesting::field<QComboBox>(*page, "common")->currentIndex(), -1);
        PageWindow::clickApply(page);
        QCOMPARE(w.configuration()->dios().at(0)->common(), int(zu::NotSet));
        const QJsonObject dio1
            = w.save().value("inputsOutputs").toObject().value("DIO1").toObject();
        QVERIFY(!dio1.isEmpty());
        QVERIFY(!dio1.contains("common"));
    }

    // Unticked: only the type is cleared (and the module's device goes); what was
    // typed with it shows the stored values again.
    void untickClearsTypeOnly()
    {
        PageWindow w;
        ZUDIO *module = w.configuration()->dios().at(0);
        auto *page = w.open<DIOWidget>(QStringLiteral("DIO1"));
        choose(page, "common", QStringLiteral("negative"));
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "enabled"), Qt::LeftButton, {},
                          QPoint(5, 5));
        PageWindow::clickApply(page);
        QCOMPARE(module->type(), int(zu::NotSet));
        QCOMPARE(module->common(), int(zu::positive));
        QCOMPARE(module->channels().size(), 1);
        QCOMPARE(PageTesting::field<QComboBox>(*page, "common")->currentText(),
                 QStringLiteral("positive"));
        QVERIFY(!PageTesting::field<QComboBox>(*page, "common")->isEnabled());
        QVERIFY(!PageWindow::apply(page)->isEnabled());
        QVERIFY(!w.save().contains("inputsOutputs"));
    }
};

PROJECT_TEST(TestDIOWidget);
#include "tst_diowidget.moc"
