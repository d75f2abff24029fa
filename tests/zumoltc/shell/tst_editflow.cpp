#include "scripteddialogs.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/shell/itemselector.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include "zumoltc/editors/commonparameterswidget.h"
#include "zumoltc/editors/diowidget.h"
#include "zumoltc/model/zuconfiguration.h"

#include "common/widgets/parameterstable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// A page of detectors that keeps the page contract only as far as the window sees it.
class DetectorsTestPage : public QWidget
{
    Q_OBJECT
public:
    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUDetector>> &list)
    {
        loadedWith = configuration;
        objects = list;
        ++loads;
    }

    ZUConfiguration *loadedWith = nullptr;
    QList<QPointer<ZUDetector>> objects;
    int loads = 0;
    QList<QByteArray> heard;

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    void configurationHasChanged(const char *className)
    {
        heard << QByteArray(className ? className : "null");
    }
};

// A page that declares neither signal.
class SilentTestPage : public QWidget
{
    Q_OBJECT
public:
    void setObjects(ZUConfiguration *, const QList<QPointer<ZUStage>> &) { }
};

namespace {

QTreeWidget *tree(MainWindow &window)
{
    return window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
}

QTabWidget *tabs(MainWindow &window)
{
    return window.findChild<QTabWidget *>(QStringLiteral("section_tabs"));
}

QTreeWidgetItem *section(MainWindow &window, const QString &text)
{
    return tree(window)->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0).value(0);
}

QStringList tabTexts(MainWindow &window)
{
    QStringList texts;
    for (int tab = 0; tab < tabs(window)->count(); ++tab)
        texts << tabs(window)->tabText(tab);
    return texts;
}

bool saveEnabled(MainWindow &window)
{
    return window.findChild<QAction *>(QStringLiteral("actionSave"))->isEnabled();
}

QList<ZUKMPDevice *> devicesOfType(ZUConfiguration *configuration, int type)
{
    QList<ZUKMPDevice *> found;
    for (const QPointer<ZUKMPDevice> &device : configuration->kmp1()->devices()) {
        if (device && device->device() == type)
            found << device;
    }
    return found;
}

QList<ZUControlSource *> sourcesOfType(ZUConfiguration *configuration, int type)
{
    QList<ZUControlSource *> found;
    for (const QPointer<ZUControlSource> &source : configuration->controlSources()) {
        if (source && source->type() == type)
            found << source;
    }
    return found;
}

// Selects the tree item of this text alone; the page it opens.
QWidget *openSection(MainWindow &window, const QString &text)
{
    tree(window)->clearSelection();
    tree(window)->setCurrentItem(section(window, text));
    return tabs(window)->currentWidget();
}

void clickApply(QWidget *page)
{
    QTest::mouseClick(page->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Apply),
                      Qt::LeftButton);
}

// What a countdown or DIO page shows of its "Enable" box, its protocol or type and
// (countdown page only) its warning time.
QStringList shownSettings(QWidget *page)
{
    QStringList shown;
    shown << (page->findChild<QCheckBox *>(QStringLiteral("enabled"))->isChecked()
                  ? QStringLiteral("enabled")
                  : QStringLiteral("not enabled"));
    if (auto *protocol = page->findChild<QComboBox *>(QStringLiteral("protocol")))
        shown << protocol->currentText();
    else
        shown << page->findChild<QComboBox *>(QStringLiteral("type"))->currentText();
    if (auto *warnTime = page->findChild<QLineEdit *>(QStringLiteral("warn_time")))
        shown << warnTime->text();
    return shown;
}

// Runs what was deleted later.
void deleteLaterNow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestEditFlow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Startup::setApplicationIdentity(); }
    void init() { QSettings().clear(); }

    // One page per class: found again, retitled; connected where it declares the signals.
    void openPageReusesTab()
    {
        MainWindow window;
        DetectorsTestPage *first
            = window.openPage<DetectorsTestPage>(tabs(window), QStringLiteral("A"));
        DetectorsTestPage *again
            = window.openPage<DetectorsTestPage>(tabs(window), QStringLiteral("B"));
        QCOMPARE(again, first);
        QCOMPARE(tabTexts(window), QStringList { QStringLiteral("B") });
        QVERIFY(!first->parent() || first->parent() != &window);

        // changed(bool) locks and unlocks the tree by the pages' "changed" property.
        auto *silent = window.openPage<SilentTestPage>(tabs(window), QStringLiteral("C"));
        QCOMPARE(tabs(window)->count(), 2);
        first->setProperty("changed", true);
        emit first->changed(true);
        QVERIFY(!tree(window)->isEnabled());
        silent->setProperty("changed", true);
        first->setProperty("changed", false);
        emit first->changed(false);
        QVERIFY(!tree(window)->isEnabled());
        silent->setProperty("changed", false);
        emit first->changed(false);
        QVERIFY(tree(window)->isEnabled());
    }

    // The selector's tab titles: one object's tree text, several as "label (count)".
    void selectorTitles_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("title");

        QTest::newRow("one detector")
            << QList<int> { 1 } << QString() << QStringLiteral("2 (Detector.2)");
        QTest::newRow("three detectors")
            << QList<int> { 0, 1, 2 } << QString() << QStringLiteral("Detectors (3)");
        QTest::newRow("own label") << QList<int> { 0, 2 } << QStringLiteral("KMP devices")
                                   << QStringLiteral("KMP devices (2)");
    }

    void selectorTitles()
    {
        QFETCH(QList<int>, rows);
        QFETCH(QString, label);
        QFETCH(QString, title);

        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        for (int id = 1; id <= 3; ++id) {
            auto *detector = new ZUDetector;
            detector->setId(id);
            detector->setName(QStringLiteral("Detector.%1").arg(id));
            configuration->addDetector(detector);
        }
        QTreeWidgetItem *branch = section(window, QStringLiteral("Detectors"));
        QMap<QWidget *, QTreeWidgetItem *> pageItems;
        ItemSelector<ZUDetector, DetectorsTestPage> selector(&window, configuration, branch,
                                                             &pageItems, label);
        for (int row : rows) {
            QTreeWidgetItem *item = branch->child(row);
            selector.collect(item, branch, window.itemObject(item));
        }
        // The branch item itself and objects of other branches are not collected.
        selector.collect(branch, nullptr, configuration);
        QSet<QWidget *> pages;
        selector.openPages(tabs(window), pages);

        QCOMPARE(tabTexts(window), QStringList { title });
        auto *page = qobject_cast<DetectorsTestPage *>(tabs(window)->widget(0));
        QVERIFY(page);
        QCOMPARE(page->loadedWith, configuration);
        QCOMPARE(page->objects.size(), rows.size());
        QCOMPARE(pages, QSet<QWidget *> { page });
        QCOMPARE(pageItems.value(page), branch);
    }

    void selectorWithNothingCollected()
    {
        MainWindow window;
        QMap<QWidget *, QTreeWidgetItem *> pageItems;
        ItemSelector<ZUDetector, DetectorsTestPage> selector(
            &window, window.configuration(), section(window, QStringLiteral("Detectors")),
            &pageItems);
        QSet<QWidget *> pages;
        selector.openPages(tabs(window), pages);
        selector.openPages(nullptr, pages);
        QCOMPARE(tabs(window)->count(), 0);
        QVERIFY(pages.isEmpty());
    }

    // Selecting "Common parameters" opens its page; selecting another section closes it.
    void sectionPages()
    {
        MainWindow window;
        window.configuration()->setId(3);
        QTreeWidgetItem *common = section(window, QStringLiteral("Common parameters"));
        tree(window)->setCurrentItem(common);
        QCOMPARE(tabTexts(window), QStringList { QStringLiteral("Common parameters") });
        auto *page = qobject_cast<CommonParametersWidget *>(tabs(window)->widget(0));
        QVERIFY(page);
        QCOMPARE(page->findChild<QLineEdit *>(QStringLiteral("number"))->text(),
                 QStringLiteral("3"));

        // Selected again: the same page, loaded again.
        window.configuration()->setId(4);
        tree(window)->clearSelection();
        QCOMPARE(tabs(window)->count(), 0);
        deleteLaterNow();
        tree(window)->setCurrentItem(common);
        auto *reopened = qobject_cast<CommonParametersWidget *>(tabs(window)->widget(0));
        QCOMPARE(reopened->findChild<QLineEdit *>(QStringLiteral("number"))->text(),
                 QStringLiteral("4"));

        QPointer<QWidget> guard(reopened);
        tree(window)->setCurrentItem(section(window, QStringLiteral("Stages")));
        QCOMPARE(tabs(window)->count(), 0);
        deleteLaterNow();
        QVERIFY(guard.isNull());
    }

    // Two DIO items give one page, loaded with each module in turn: the last one stays.
    void dioItemsShareOnePage()
    {
        MainWindow window;
        window.configuration()->dios().at(2)->setIp(QStringLiteral("10.3.3.3"));
        section(window, QStringLiteral("DIO1"))->setSelected(true);
        section(window, QStringLiteral("DIO3"))->setSelected(true);
        QCOMPARE(tabTexts(window), QStringList { QStringLiteral("DIO3") });
        auto *page = qobject_cast<DIOWidget *>(tabs(window)->widget(0));
        QVERIFY(page);
        QCOMPARE(page->findChild<QLineEdit *>(QStringLiteral("IP"))->text(),
                 QStringLiteral("10.3.3.3"));
    }

    // The tree is locked while a page holds edits; Cancel or Apply unlock it.
    void treeLockedWhilePageChanged()
    {
        MainWindow window;
        tree(window)->setCurrentItem(section(window, QStringLiteral("Common parameters")));
        QWidget *page = tabs(window)->widget(0);
        auto *number = page->findChild<QLineEdit *>(QStringLiteral("number"));
        number->setText(QStringLiteral("8"));
        QVERIFY(!tree(window)->isEnabled());
        auto *box = page->findChild<QDialogButtonBox *>();
        QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(tree(window)->isEnabled());
        QVERIFY(!saveEnabled(window));

        number->setText(QStringLiteral("9"));
        QVERIFY(!tree(window)->isEnabled());
        QTest::mouseClick(box->button(QDialogButtonBox::Apply), Qt::LeftButton);
        QVERIFY(tree(window)->isEnabled());
        QCOMPARE(window.configuration()->id(), 9);
        QVERIFY(saveEnabled(window));
        QVERIFY(window.windowTitle().endsWith(QLatin1Char('*')));
    }

    // The upkeep: a scheduler source with the first plan.
    void firstPlanAddsSchedulerSource()
    {
        MainWindow window;
        QTreeWidgetItem *plans = section(window, QStringLiteral("Signal plans"));
        tree(window)->setCurrentItem(plans);
        window.treeItem_add();
        QCOMPARE(window.configuration()->signalPlans().size(), 1);
        QTreeWidgetItem *sources = section(window, QStringLiteral("Control sources"));
        QCOMPARE(sources->childCount(), 1);
        QCOMPARE(sources->child(0)->text(0), QStringLiteral("1 (Scheduler) [pr=0]"));
        // A second plan adds no second source.
        tree(window)->setCurrentItem(plans);
        window.treeItem_add();
        QCOMPARE(window.configuration()->controlSources().size(), 1);
        QVERIFY(saveEnabled(window));
    }

    void dioModuleDevice()
    {
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        configuration->kmp1()->addDevice(new ZUKMPDevice(zu::KMPDevice::KSK1, 19, 0, 0));
        configuration->dios().at(2)->setType(zu::DIO::traficamSimple);
        window.configuration_changed("ZUDIO");
        QList<ZUKMPDevice *> devices = devicesOfType(configuration, zu::KMPDevice::DIO3);
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.first()->addr(), 20);
        QCOMPARE(devices.first()->type(), int(zu::KMPDevice::interfaceType));
        QCOMPARE(devices.first()->port(), int(zu::KMPDevPort::RS485_1));
        QCOMPARE(configuration->kmp1()->devices().size(), 2);

        configuration->dios().at(0)->setType(zu::DIO::dryContact);
        window.configuration_changed("ZUDIO");
        devices = devicesOfType(configuration, zu::KMPDevice::DIO1);
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.first()->addr(), 17);
        QCOMPARE(devices.first()->type(), int(zu::KMPDevice::dryContact));

        configuration->dios().at(2)->setType(zu::NotSet);
        window.configuration_changed("ZUDIO");
        deleteLaterNow();
        QVERIFY(devicesOfType(configuration, zu::KMPDevice::DIO3).isEmpty());
        QCOMPARE(devicesOfType(configuration, zu::KMPDevice::DIO1).size(), 1);
    }

    void countdownDevice()
    {
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        configuration->countdownBoards()->setProtocol(zu::V2);
        window.configuration_changed("ZUCountdownBoards");
        window.configuration_changed("ZUCountdownBoards");
        const QList<ZUKMPDevice *> devices = devicesOfType(configuration, zu::KMPDevice::KTV1);
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.first()->addr(), 6);
        configuration->countdownBoards()->setProtocol(zu::NotSet);
        window.configuration_changed("ZUCountdownBoards");
        deleteLaterNow();
        QVERIFY(devicesOfType(configuration, zu::KMPDevice::KTV1).isEmpty());
    }

    // The remote control panel gets its control source and bus device, and loses both.
    void panelSetAndCleared_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("port");
        QTest::newRow("passive") << int(zu::passive) << int(zu::KMPDevice::passive)
                                 << int(zu::KMPDevPort::dryContact);
        QTest::newRow("passive_ind") << int(zu::passive_ind) << int(zu::KMPDevice::passive_ind)
                                     << int(zu::KMPDevPort::dryContact);
        QTest::newRow("interface_tiverk2")
            << int(zu::interface_tiverk2) << int(zu::KMPDevice::interface_tiverk1)
            << int(zu::KMPDevPort::RS485_1);
    }

    void panelSetAndCleared()
    {
        QFETCH(int, type);
        QFETCH(int, subType);
        QFETCH(int, port);
        MainWindow window;
        ZUConfiguration *configuration = window.configuration();
        configuration->addControlSource(new ZUControlSource(zu::emergency, 1, 0));
        const char *panelClass = configuration->vpu()->metaObject()->className();
        QCOMPARE(QByteArray(panelClass), QByteArray("QObject"));

        configuration->vpu()->setType(type);
        window.configuration_changed(panelClass);
        const QList<ZUControlSource *> sources
            = sourcesOfType(configuration, zu::remoteControlPanel);
        QCOMPARE(sources.size(), 1);
        QCOMPARE(sources.first()->id(), 2);
        QCOMPARE(sources.first()->priority(), 1);
        QCOMPARE(sources.first()->timeout(), 300);
        QCOMPARE(configuration->vpu()->source().data(), sources.first());
        const QList<ZUKMPDevice *> devices = devicesOfType(configuration, zu::KMPDevice::VPU1);
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.first()->addr(), 4);
        QCOMPARE(devices.first()->type(), subType);
        QCOMPARE(devices.first()->port(), port);

        configuration->vpu()->setType(zu::NotSet);
        window.configuration_changed(panelClass);
        deleteLaterNow();
        QVERIFY(sourcesOfType(configuration, zu::remoteControlPanel).isEmpty());
        QVERIFY(devicesOfType(configuration, zu::KMPDevice::VPU1).isEmpty());
        QCOMPARE(configuration->controlSources().size(), 1);
    }

    // End to end: open, edit the common parameters, apply, save. The saved file is
    // the opened one with that edit alone.
    void openEditApplySave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("crossing.json"));
        QVERIFY(QFile::copy(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")),
                            path));
        QFile original(path);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();

        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        QVERIFY(window.loadFile(path));
        QVERIFY(!saveEnabled(window));
        QCOMPARE(tree(window)->currentItem(), section(window, QStringLiteral("Common parameters")));
        auto *page = qobject_cast<CommonParametersWidget *>(tabs(window)->currentWidget());
        QVERIFY(page);
        auto *number = page->findChild<QLineEdit *>(QStringLiteral("number"));
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("42"));
        QTest::mouseClick(page->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Apply),
                          Qt::LeftButton);
        QVERIFY(window.windowTitle().endsWith(QLatin1Char('*')));

        window.findChild<QAction *>(QStringLiteral("actionSave"))->trigger();
        QCOMPARE(dialogs->unexpected, 0);
        QVERIFY(!saveEnabled(window));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(),
                 QByteArray(before).replace("\n    \"id\": 21,", "\n    \"id\": 42,"));
        QFile backup(path + QStringLiteral(".bak"));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), before);
    }

    // Save applies what a page holds unapplied.
    void saveAppliesPendingEdits()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pending.json"));
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        dialogs->files << path;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        tree(window)->setCurrentItem(section(window, QStringLiteral("Common parameters")));
        tabs(window)
            ->widget(0)
            ->findChild<QLineEdit *>(QStringLiteral("name"))
            ->setText(QStringLiteral("Pending"));
        QVERIFY(!tree(window)->isEnabled());
        window.findChild<QAction *>(QStringLiteral("actionSave_as"))->trigger();
        QCOMPARE(window.configuration()->name(), QStringLiteral("Pending"));
        QVERIFY(tree(window)->isEnabled());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("\"name\": \"Pending\""));
    }

    // What a countdown-timers or DIO page showed after Apply is what it shows after
    // saving and opening the file again, and the KMP bus holds the device of the
    // boards or module exactly when the file holds them.
    void appliedSettingsComeBackAfterReopening_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("withBoards"); // the file holds countdownBoards
        QTest::addColumn<QString>("sectionText");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<int>("devices"); // of that type, after Apply and after reopening
        const int ktv = zu::KMPDevice::KTV1;
        QTest::newRow("last board row removed") << "remove row" << true << "Countdown timers"
                                                << QStringList { "enabled", "V1", "5" } << ktv << 1;
        QTest::newRow("signal group of the board removed")
            << "remove group" << true << "Countdown timers" << QStringList { "enabled", "V1", "5" }
            << ktv << 0; // nothing to apply
        QTest::newRow("boards enabled without a board")
            << "enable boards" << false << "Countdown timers"
            << QStringList { "enabled", "V2", "7" } << ktv << 1;
        QTest::newRow("module enabled without a channel")
            << "enable module" << true << "DIO2" << QStringList { "enabled", "traficam simple" }
            << int(zu::KMPDevice::DIO2) << 1;
        QTest::newRow("boards enabled without a protocol")
            << "enable without protocol" << false << "Countdown timers"
            << QStringList { "not enabled", "", "" } << ktv << 0;
    }

    void appliedSettingsComeBackAfterReopening()
    {
        QFETCH(QString, edit);
        QFETCH(bool, withBoards);
        QFETCH(QString, sectionText);
        QFETCH(QStringList, shown);
        QFETCH(int, deviceType);
        QFETCH(int, devices);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("crossing.json"));
        QByteArray text = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        if (!withBoards) {
            // As an earlier save left a file whose boards had no record.
            const int start = text.indexOf("    \"countdownBoards\"");
            const int end = text.indexOf("    \"inputsOutputs\"");
            QVERIFY(start > 0 && end > start);
            text.remove(start, end - start);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();

        {
            MainWindow window;
            auto *dialogs = new ScriptedDialogs;
            window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
            QVERIFY(window.loadFile(path));
            ZUConfiguration *configuration = window.configuration();
            if (edit == QLatin1String("remove group")) {
                dialogs->answers << int(QMessageBox::Yes);
                tree(window)->clearSelection();
                window.objectItem(configuration->findSignalGroup(1))->setSelected(true);
                window.treeItem_remove();
                QVERIFY(configuration->countdownBoards()->boards().isEmpty());
            }
            QWidget *page = openSection(window, sectionText);
            QVERIFY(page);
            auto *enabled = page->findChild<QCheckBox *>(QStringLiteral("enabled"));
            if (edit == QLatin1String("remove row")) {
                auto *rows = page->findChild<ParametersTable *>(QStringLiteral("cdt_items"));
                rows->selectRow(0);
                QTest::mouseClick(page->findChild<QWidget *>(QStringLiteral("remove_cdt")),
                                  Qt::LeftButton);
                QCOMPARE(rows->rowCount(), 0);
            } else if (edit == QLatin1String("enable boards")) {
                QTest::mouseClick(enabled, Qt::LeftButton, {}, QPoint(5, 5));
                auto *protocol = page->findChild<QComboBox *>(QStringLiteral("protocol"));
                protocol->setCurrentIndex(protocol->findText(QStringLiteral("V2")));
                auto *warnTime = page->findChild<QLineEdit *>(QStringLiteral("warn_time"));
                warnTime->selectAll();
                QTest::keyClicks(warnTime, QStringLiteral("7"));
            } else if (edit == QLatin1String("enable module")) {
                QTest::mouseClick(enabled, Qt::LeftButton, {}, QPoint(5, 5));
                auto *type = page->findChild<QComboBox *>(QStringLiteral("type"));
                type->setCurrentIndex(type->findText(QStringLiteral("traficam simple")));
            } else if (edit == QLatin1String("enable without protocol")) {
                QTest::mouseClick(enabled, Qt::LeftButton, {}, QPoint(5, 5));
            }
            clickApply(page);
            QCOMPARE(shownSettings(page), shown);
            QVERIFY(tree(window)->isEnabled());
            deleteLaterNow();
            QCOMPARE(devicesOfType(configuration, deviceType).size(), devices);

            window.findChild<QAction *>(QStringLiteral("actionSave"))->trigger();
            QCOMPARE(dialogs->unexpected, 0);
        }

        MainWindow reopened;
        reopened.setUserDialogs(std::make_unique<ScriptedDialogs>());
        QVERIFY(reopened.loadFile(path));
        QCOMPARE(shownSettings(openSection(reopened, sectionText)), shown);
        QCOMPARE(devicesOfType(reopened.configuration(), deviceType).size(), devices);
    }

    // A file's own scheduler source is not doubled by the upkeep while it loads;
    // a file without one gets one after the load, without counting as a change.
    void schedulerSourceAfterLoad_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("schedulerSources");
        QTest::newRow("own source")
            << TestSupport::dataPath(QStringLiteral("zumolt/complete.json")) << 1;
        QTest::newRow("no source")
            << TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")) << 1;
    }

    void schedulerSourceAfterLoad()
    {
        QFETCH(QString, file);
        QFETCH(int, schedulerSources);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plans.json"));
        QVERIFY(QFile::copy(file, path));
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        dialogs->answers << QDialog::Accepted;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        QVERIFY(window.loadFile(path));
        QVERIFY(!saveEnabled(window));
        QCOMPARE(sourcesOfType(window.configuration(), zu::scheduler).size(), schedulerSources);
        QCOMPARE(section(window, QStringLiteral("Control sources"))->childCount(),
                 window.configuration()->controlSources().size());

        QVERIFY(window.configuration()->save(path));
        ZUConfiguration reread;
        QVERIFY(reread.load(path));
        QCOMPARE(sourcesOfType(&reread, zu::scheduler).size(), schedulerSources);
    }
};

PROJECT_TEST(TestEditFlow);
#include "tst_editflow.moc"
