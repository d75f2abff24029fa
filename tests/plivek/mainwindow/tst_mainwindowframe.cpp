#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "mapview/tileview.h"
#include "modalanswerer.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <functional>

using namespace WindowTesting;

namespace {

// Everything whose visibility follows the controller family.
const char *const familyElements[] = {
    "actionInfoPart",
    "matricesWnd",
    "sensorsTable",
    "outputsWnd",
    "dtModules",
    "actionMake_consecutive_addresses",
    "actionIndication",
    "detectorsWnd",
    "powerPartWnd",
    "powerPartAdd",
    "sgWnd",
    "sgAdd",
    "actionVPU",
    "actionAsud",
    "actionErrControl",
    "actionInterstates",
    "actionConflictMatrix",
    "actionDtStat",
    "sg_defaults",
    "actionTablo",
    "actionSynchronizer",
};

QStringList shownFamilyElements(const QWidget &window)
{
    QStringList shown;
    for (const char *name : familyElements) {
        if (isShown(window, name))
            shown << QLatin1String(name);
    }
    return shown;
}

QString suffixOf(const QString &type)
{
    if (type == QLatin1String("adapter"))
        return QStringLiteral(".txt");
    if (type == QLatin1String("tiverkii") || type == QLatin1String("ZU_MOLT"))
        return QStringLiteral(".json");
    return QStringLiteral(".cnf");
}

} // namespace

class TestMainWindowFrame : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    int written = 0;

    // Writes an empty configuration of a family in the family's own format.
    QString writeDocument(const QString &type, const QString &version,
                          const QVariantMap &native = {}, bool signalModule = false)
    {
        CnfController controller;
        CnfNative::initController(controller, type, version);
        for (auto it = native.begin(); it != native.end(); ++it)
            controller.setNativeData(it.key(), it.value());
        if (signalModule)
            controller.nativeData()[QStringLiteral("modules")][QStringLiteral("Signal")]
                                   [QStringLiteral("enabled")]
                = 1;
        const QString path
            = dir.filePath(QStringLiteral("doc%1%2").arg(++written).arg(suffixOf(type)));
        QString error;
        if (!CnfNative::save(path, controller, error))
            qWarning() << "cannot write" << path << error;
        return path;
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    void startsWithoutDocument()
    {
        MainWindow window;
        QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
        // The form's size, narrowed to a smaller screen.
        const QSize available = window.screen()->availableGeometry().size();
        if (available.width() >= 1197 && available.height() >= 825)
            QCOMPARE(window.size(), QSize(1197, 825));
        else
            QVERIFY(window.width() <= available.width() && window.height() <= 825);
        QVERIFY(window.windowTitle().startsWith(
            QStringLiteral("Program of configuration of road controllers")));
        QVERIFY(!window.windowTitle().endsWith(QLatin1Char('*')));
        // Without a document only File, View (with Style) and Parameters work.
        QVERIFY(!child<QMenu>(window, "menuEquipment")->isEnabled());
        QVERIFY(!child<QMenu>(window, "menuWorkLogic")->isEnabled());
        QVERIFY(!child<QMenu>(window, "menuActions")->isEnabled());
        QVERIFY(child<QMenu>(window, "menuView")->isEnabled());
        QVERIFY(child<QMenu>(window, "menuStyle")->isEnabled());
        QVERIFY(!child<QMenu>(window, "menuStyle")->actions().isEmpty());
        QVERIFY(!window.findChild<QAction *>("actionShow_all")->isEnabled());
        QVERIFY(!window.findChild<QAction *>("actionSave")->isEnabled());
        QVERIFY(!window.findChild<QAction *>("actionClose")->isEnabled());
        QVERIFY(!window.findChild<QAction *>("actionSave_As")->isEnabled());
        QVERIFY(window.findChild<QAction *>("actionOpen")->isEnabled());
        QVERIFY(!child(window, "sgWnd")->isEnabled());
        QCOMPARE(child<QDockWidget>(window, "matricesWnd")->windowTitle(),
                 QStringLiteral("Matrices"));
        QVERIFY(!isShown(window, "actionCheck_for_update"));
    }

    // At the first start every dock's tab is in view, its whole title readable
    // without scrolling, on a small and on a large screen, and the docks in front
    // show the document, not the editor's empty properties.
    void everyDockTabInView_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("sample"); // empty: no document
        for (const QSize &size : { QSize(1024, 700), QSize(1600, 1000) }) {
            QTest::addRow("%dx%d no document", size.width(), size.height()) << size << QString();
            QTest::addRow("%dx%d TIVERK", size.width(), size.height())
                << size << QStringLiteral("tiverk318_intersection.cnf");
            QTest::addRow("%dx%d TIVERK II", size.width(), size.height())
                << size << QStringLiteral("tiverkii_intersection.json");
            QTest::addRow("%dx%d ZU_MOLT", size.width(), size.height())
                << size << QStringLiteral("zumolt_intersection.json");
            QTest::addRow("%dx%d adapter", size.width(), size.height())
                << size << QStringLiteral("adapter_crossing.txt");
        }
    }

    void everyDockTabInView()
    {
        QFETCH(QSize, size);
        QFETCH(QString, sample);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The window's frame fills a screen whose available area is that size.
        const QRect screen(window.screen()->availableGeometry().topLeft(), size);
        window.resize(size - (window.frameGeometry().size() - window.size()));
        window.move(screen.topLeft());
        if (!sample.isEmpty())
            window.loadDocument(TestSupport::examplesPath(sample));
        for (int turn = 0; turn < 5; ++turn)
            QCoreApplication::processEvents();

        // The whole window, status bar included, stays on that screen: the docks
        // a family shows do not stretch it beyond the screen's bottom.
        const QRect frame = window.frameGeometry();
        QVERIFY2(screen.contains(frame),
                 qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
        const QWidget *statusBar = child(window, "statusBar");
        QVERIFY(statusBar->isVisible());
        QVERIFY(
            window.rect().contains(QRect(statusBar->mapTo(&window, QPoint()), statusBar->size())));

        QStringList titles;
        QStringList inFront;
        for (QTabBar *bar : window.findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!bar->isVisible())
                continue;
            for (const QToolButton *arrow : bar->findChildren<QToolButton *>())
                QVERIFY2(!arrow->isVisible(), "the tabs need no scrolling");
            for (int i = 0; i < bar->count(); ++i) {
                const QRect tab = bar->tabRect(i);
                QVERIFY2(bar->rect().contains(tab), qPrintable(bar->tabText(i)));
                QVERIFY2(tab.width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                         qPrintable(bar->tabText(i)));
                titles << bar->tabText(i);
            }
            inFront << bar->tabText(bar->currentIndex());
        }
        // Each of the six docks the family shows is a tab: the adapter hides the
        // power part and the signal groups.
        QStringList expected;
        for (const char *name : { "powerPartWnd", "sgWnd", "phasesWnd", "progWnd", "objectsTreeWnd",
                                  "netObjectPropWnd" }) {
            if (!child(window, name)->isHidden())
                expected << child(window, name)->windowTitle();
        }
        QVERIFY(expected.size() >= 4);
        titles.sort();
        expected.sort();
        QCOMPARE(titles, expected);
        QVERIFY2(inFront.contains(QStringLiteral("Control programs")),
                 qPrintable(inFront.join(", ")));
        QVERIFY2(!inFront.contains(QStringLiteral("Objects properties")),
                 qPrintable(inFront.join(", ")));
    }

    // At the first start every state text of the power part reads whole, on a
    // small and on a large screen, the keys of a module too: the column is as
    // wide as its texts and lies in view, not pushed out by a wide first column.
    void powerPartStatesShownWhole_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("sample");
        for (const QSize &size : { QSize(1024, 700), QSize(1600, 1000) }) {
            QTest::addRow("%dx%d TIVERK, keys in modules", size.width(), size.height())
                << size << QStringLiteral("tiverk318_intersection.cnf");
            QTest::addRow("%dx%d TIVERK II", size.width(), size.height())
                << size << QStringLiteral("tiverkii_intersection.json");
            QTest::addRow("%dx%d ZU_MOLT", size.width(), size.height())
                << size << QStringLiteral("zumolt_intersection.json");
        }
    }

    void powerPartStatesShownWhole()
    {
        QFETCH(QSize, size);
        QFETCH(QString, sample);
        // A desktop's usual text (10 pt at 96 dpi), as the screens' pictures
        // have it; the offscreen platform's 12 pt at 100 dpi is a third larger.
        const QFont font = QApplication::font();
        QFont desktop = font;
        desktop.setPixelSize(13);
        QApplication::setFont(desktop);
        const auto restoreFont = qScopeGuard([&font] { QApplication::setFont(font); });
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The window's frame fills a screen of that size, and then the document opens.
        window.resize(size - (window.frameGeometry().size() - window.size()));
        for (int turn = 0; turn < 5; ++turn)
            QCoreApplication::processEvents();
        window.loadDocument(TestSupport::examplesPath(sample));
        auto *tree = child<QTreeWidget>(window, "powerPartTree");
        tree->expandAll();
        for (int turn = 0; turn < 5; ++turn)
            QCoreApplication::processEvents();

        // What the item delegate paints: the text in the part of the cell that is
        // in view, less the icon and the margins; a wider text is elided.
        struct Probe : QStyledItemDelegate
        {
            using QStyledItemDelegate::initStyleOption;
        } probe;
        const QRect viewport = tree->viewport()->rect();
        QStyle *style = tree->style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
        int states = 0;
        const QAbstractItemModel *model = tree->model();
        const std::function<void(const QModelIndex &)> check = [&](const QModelIndex &parent) {
            for (int row = 0; row < model->rowCount(parent); ++row) {
                const QModelIndex index = model->index(row, 3, parent);
                if (!index.data().toString().isEmpty()) {
                    ++states;
                    QStyleOptionViewItem option;
                    option.initFrom(tree);
                    option.widget = tree;
                    option.font = tree->font();
                    option.decorationSize = tree->iconSize();
                    option.rect = tree->visualRect(index);
                    option.rect.setLeft(std::max(option.rect.left(), viewport.left()));
                    option.rect.setRight(std::min(option.rect.right(), viewport.right()));
                    probe.initStyleOption(&option, index);
                    const QRect text
                        = style->subElementRect(QStyle::SE_ItemViewItemText, &option, tree);
                    QVERIFY2(option.fontMetrics.horizontalAdvance(option.text)
                                 <= text.width() - 2 * margin,
                             qPrintable(QStringLiteral("%1 in %2 px of a %3 px column")
                                            .arg(option.text)
                                            .arg(text.width() - 2 * margin)
                                            .arg(tree->columnWidth(3))));
                }
                check(model->index(row, 0, parent));
            }
        };
        check(QModelIndex());
        QVERIFY(states > 0);
    }

    // At the first start the tabbed docks show their whole titles, so that no
    // two tabs read alike ("Content of power part" and "Control programs" both
    // start with "Co"); a later layout keeps them whole too.
    void dockTabsReadableAtFirstStart()
    {
        for (int start = 0; start < 2; ++start) {
            MainWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QStringList titles;
            for (QTabBar *bar :
                 window.findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly)) {
                if (!bar->isVisible())
                    continue;
                QCOMPARE(bar->elideMode(), Qt::ElideNone);
                for (int i = 0; i < bar->count(); ++i) {
                    // The whole title fits the tab; a crowded bar scrolls instead.
                    QVERIFY2(bar->tabRect(i).width()
                                 >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                             qPrintable(bar->tabText(i)));
                    titles << bar->tabText(i);
                }
            }
            QVERIFY(titles.contains(QStringLiteral("Content of power part")));
            QVERIFY(titles.contains(QStringLiteral("Control programs")));
            QCOMPARE(QSet<QString>(titles.cbegin(), titles.cend()).size(), titles.size());

            // A document raises another dock of the tabs: its tab scrolls into view.
            window.loadDocument(writeDocument(QStringLiteral("tiverk"), QStringLiteral("3.18")));
            for (int turn = 0; turn < 5; ++turn)
                QCoreApplication::processEvents();
            for (QTabBar *bar :
                 window.findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly)) {
                if (!bar->isVisible() || bar->currentIndex() < 0)
                    continue;
                int right = bar->width();
                for (const QToolButton *button : bar->findChildren<QToolButton *>()) {
                    if (button->isVisible())
                        right = std::min(right, button->x());
                }
                const QRect current = bar->tabRect(bar->currentIndex());
                QVERIFY2(current.left() >= 0 && current.right() < right,
                         qPrintable(bar->tabText(bar->currentIndex())));
            }
            // The second start restores the state the first one left.
            window.close();
        }
    }

    void contextActionsOfTheTables()
    {
        MainWindow window;
        const auto names = [&](const char *table) {
            QStringList list;
            const auto actions = child(window, table)->actions();
            for (const QAction *action : actions)
                list << (action->objectName().isEmpty() ? action->text() : action->objectName());
            return list;
        };
        QCOMPARE(names("powerPartTree"),
                 (QStringList { "powerPartDelete", "powerPartDuplicateItems", "sortDeviceItems",
                                "powerPartAdd" }));
        QCOMPARE(names("sgTable"),
                 (QStringList { "copy", "copy_all", "paste", "sgDelete", "sgDuplicateItems",
                                "sgAdd", "sortSgItems" }));
        QCOMPARE(names("matricesTable"), (QStringList { "matrixAdd", "matrixDelete" }));
        QCOMPARE(names("outputsTable"), (QStringList { "outAdd", "outDelete", "sortDtItems" }));
        QCOMPARE(names("messageTable"), QStringList { "Clear" });

        const QAction *sgAdd = window.findChild<QAction *>("sgAdd");
        QCOMPARE(sgAdd->shortcut(), QKeySequence(Qt::Key_Insert));
        QCOMPARE(sgAdd->shortcutContext(), Qt::WidgetShortcut);
        const QAction *remove = child(window, "sgTable")->findChild<QAction *>("sgDelete");
        QCOMPARE(remove->shortcut(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(remove->shortcutContext(), Qt::WidgetWithChildrenShortcut);
        QVERIFY(
            !child(window, "progTable")->findChild<QAction *>("sortProgItems")->icon().isNull());
    }

    void updateActions_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QVariantMap>("native");
        QTest::addColumn<bool>("signalModule");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("atcsEnabled");
        QTest::addColumn<bool>("namesShown");

        const QStringList tiverk = { "actionInfoPart",
                                     "powerPartWnd",
                                     "powerPartAdd",
                                     "sgWnd",
                                     "sgAdd",
                                     "actionVPU",
                                     "actionAsud",
                                     "actionErrControl",
                                     "actionInterstates",
                                     "actionConflictMatrix",
                                     "actionDtStat" };
        QTest::newRow("adapter") << "adapter"
                                 << "" << QVariantMap {} << false
                                 << QStringList { "actionInfoPart" } << false << false;
        QTest::newRow("tiverk 3.14 with receiver")
            << "tiverk"
            << "3.14" << QVariantMap { { "receiver", 1 }, { "asudd_type", 2 } } << false << tiverk
            << true << false;
        QTest::newRow("tiverk 3.18, ATCS type 255")
            << "tiverk"
            << "3.18" << QVariantMap { { "receiver", 1 }, { "asudd_type", 255 } } << false
            << (QStringList(tiverk) << "actionTablo"
                                    << "actionSynchronizer")
            << false << false;
        const QStringList tiverkII = { "matricesWnd",
                                       "sensorsTable",
                                       "outputsWnd",
                                       "dtModules",
                                       "actionMake_consecutive_addresses",
                                       "actionIndication",
                                       "detectorsWnd",
                                       "powerPartWnd",
                                       "powerPartAdd",
                                       "sgWnd",
                                       "sgAdd",
                                       "actionVPU",
                                       "actionAsud",
                                       "actionErrControl",
                                       "sg_defaults",
                                       "actionTablo" };
        QTest::newRow("TIVERK II") << "tiverkii"
                                   << "" << QVariantMap {} << false << tiverkII << true << true;
        QStringList withSignal = tiverkII;
        withSignal.removeAll("powerPartWnd");
        withSignal.removeAll("powerPartAdd");
        QTest::newRow("TIVERK II with Signal")
            << "tiverkii"
            << "" << QVariantMap {} << true << withSignal << true << true;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT"
                                 << "" << QVariantMap {} << false
                                 << QStringList { "detectorsWnd",
                                                  "powerPartWnd",
                                                  "powerPartAdd",
                                                  "sgWnd",
                                                  "sgAdd",
                                                  "actionVPU",
                                                  "actionAsud",
                                                  "actionErrControl",
                                                  "actionConflictMatrix",
                                                  "sg_defaults",
                                                  "actionTablo" }
                                 << true << true;
    }

    void updateActions()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(QVariantMap, native);
        QFETCH(bool, signalModule);
        QFETCH(QStringList, shown);
        QFETCH(bool, atcsEnabled);
        QFETCH(bool, namesShown);

        MainWindow window;
        window.loadDocument(writeDocument(type, version, native, signalModule));
        QCOMPARE(window.document().controller().property("type").toString(), type);
        QCOMPARE(shownFamilyElements(window), shown);
        QCOMPARE(window.findChild<QAction *>("actionAsud")->isEnabled(), atcsEnabled);
        for (const char *name : { "sgTable", "phasesTable", "progTable" })
            QCOMPARE(table(window, name)->isColumnHidden(1), !namesShown);

        const bool byId = type == QLatin1String("tiverkii") || type == QLatin1String("ZU_MOLT");
        const auto *tree = child<QTreeWidget>(window, "powerPartTree");
        QCOMPARE(tree->isColumnHidden(1), !namesShown);
        QCOMPARE(tree->headerItem()->text(0),
                 byId ? QStringLiteral("ID") : QStringLiteral("Address"));
        QCOMPARE(window.findChild<QAction *>("powerPartAdd")->text(),
                 byId ? QStringLiteral("Add power channel") : QStringLiteral("Add device"));
        QCOMPARE(isShown(window, "dev_name_prefix"), byId);
        QCOMPARE(isShown(window, "auto_assign_key_data_by_id"), byId);

        // With a document every listed menu and the document actions work.
        QVERIFY(child<QMenu>(window, "menuEquipment")->isEnabled());
        QVERIFY(window.findChild<QAction *>("actionClose")->isEnabled());
        QVERIFY(window.findChild<QAction *>("actionShow_all")->isEnabled());
        QVERIFY(child(window, "sgWnd")->isEnabled());
        QVERIFY(!window.findChild<QAction *>("actionSave")->isEnabled());
    }

    void titleLabel_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("label");
        QTest::newRow("no description") << "12"
                                        << ""
                                        << "tiverk"
                                        << "3.18"
                                        << "12 , tiverk 3.18";
        QTest::newRow("no number") << ""
                                   << "Main"
                                   << "tiverkii"
                                   << ""
                                   << " Main, tiverkii";
        QTest::newRow("both") << "7"
                              << "Main"
                              << "ZU_MOLT"
                              << ""
                              << "7 (Main), ZU_MOLT";
        QTest::newRow("nothing") << ""
                                 << ""
                                 << ""
                                 << ""
                                 << " ";
        // A new document has neither number nor description: no separator before the family.
        QTest::newRow("new document") << ""
                                      << ""
                                      << "tiverk"
                                      << "3.18"
                                      << "tiverk 3.18";
    }

    void titleLabel()
    {
        QFETCH(QString, number);
        QFETCH(QString, description);
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(QString, label);
        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("number", number);
        controller.setProperty("description", description);
        controller.setProperty("type", type);
        controller.setProperty("version", version);
        window.updateTitleLabel();
        QCOMPARE(child<QLabel>(window, "titleLabel")->text(), label);
    }

    void updateActionsKeepsTheChangedFlag()
    {
        MainWindow window;
        const QString path = writeDocument("tiverk", "3.18");
        window.loadDocument(path);
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Program of configuration of road controllers ") + path);
        window.setChanged();
        window.updateActions();
        QVERIFY(window.windowTitle().endsWith(path + QLatin1Char('*')));
        QVERIFY(window.document().isChanged());
        QVERIFY(window.findChild<QAction *>("actionSave")->isEnabled());
    }

    void firstStartDefaults()
    {
        MainWindow window;
        const auto *view = child<TileView>(window, "tileview");
        QCOMPARE(view->zoomF(), 16.0);
        QCOMPARE(view->opacity(), 1.0);
        const QPointF centre = view->mapToScene(view->viewport()->rect().center());
        QVERIFY2(qAbs(centre.x() - 30.3276) < 1e-3 && qAbs(centre.y() - 60.0034) < 1e-3,
                 qPrintable(QStringLiteral("%1, %2").arg(centre.x()).arg(centre.y())));
        QCoreApplication::processEvents();
        QVERIFY(!view->renderHints().testFlag(QPainter::Antialiasing));
        QVERIFY(!window.findChild<QAction *>("actionSmooth")->isChecked());
        QCOMPARE(child<QLineEdit>(window, "dev_name_prefix")->text(), QStringLiteral("K"));
        QVERIFY(child<QCheckBox>(window, "auto_assign_key_data_by_id")->isChecked());
        QVERIFY(!window.findChild<QAction *>("actionExpert_mode")->isChecked());

        // Three tab groups: the configuration's two on the left, the network editor's on the right.
        const struct
        {
            const char *first;
            const char *second;
            Qt::DockWidgetArea area;
        } groups[] = { { "powerPartWnd", "sgWnd", Qt::LeftDockWidgetArea },
                       { "phasesWnd", "progWnd", Qt::LeftDockWidgetArea },
                       { "objectsTreeWnd", "netObjectPropWnd", Qt::RightDockWidgetArea } };
        for (const auto &group : groups) {
            auto *first = child<QDockWidget>(window, group.first);
            QCOMPARE(window.tabifiedDockWidgets(first),
                     QList<QDockWidget *> { child<QDockWidget>(window, group.second) });
            QCOMPARE(window.dockWidgetArea(first), group.area);
        }
    }

    void storedSettingsComeBack()
    {
        {
            QSettings settings;
            settings.setValue("scene/z", 12.5);
            settings.setValue("scene/opacity", 0.5);
            settings.setValue("scene/smooth", true);
            settings.setValue("NewDevice/dev_name_prefix", "Key");
            settings.setValue("NewDevice/auto_assign_key_data_by_id", false);
            settings.setValue("expert_mode", true);
        }
        MainWindow window;
        const auto *view = child<TileView>(window, "tileview");
        QCOMPARE(view->zoomF(), 12.5);
        QCOMPARE(view->opacity(), 0.5);
        QCOMPARE(child<QLineEdit>(window, "dev_name_prefix")->text(), QStringLiteral("Key"));
        QVERIFY(!child<QCheckBox>(window, "auto_assign_key_data_by_id")->isChecked());
        QVERIFY(window.findChild<QAction *>("actionExpert_mode")->isChecked());
        // Smoothing comes through the action once the event loop runs.
        QVERIFY(!view->renderHints().testFlag(QPainter::Antialiasing));
        QCoreApplication::processEvents();
        QVERIFY(window.findChild<QAction *>("actionSmooth")->isChecked());
        QVERIFY(view->renderHints().testFlag(QPainter::Antialiasing));
        QVERIFY(view->renderHints().testFlag(QPainter::SmoothPixmapTransform));
    }

    void settingsStoredOnClose()
    {
        {
            MainWindow window;
            child<QLineEdit>(window, "dev_name_prefix")->setText("P");
            child<QCheckBox>(window, "auto_assign_key_data_by_id")->setChecked(false);
            window.findChild<QAction *>("actionExpert_mode")->trigger();
            QVERIFY(window.close());
        }
        QSettings settings;
        QVERIFY(settings.contains("geometry"));
        QVERIFY(settings.contains("state"));
        QCOMPARE(settings.value("scene/z").toDouble(), 16.0);
        QCOMPARE(settings.value("scene/opacity").toDouble(), 1.0);
        QCOMPARE(settings.value("scene/smooth").toBool(), false);
        QCOMPARE(settings.value("NewDevice/dev_name_prefix").toString(), QStringLiteral("P"));
        QCOMPARE(settings.value("NewDevice/auto_assign_key_data_by_id").toBool(), false);
        QCOMPARE(settings.value("expert_mode").toBool(), true);
        QVERIFY(!settings.childGroups().contains("NetLayers"));
    }

    void cancelledCloseWritesNoSetting()
    {
        MainWindow window;
        window.loadDocument(writeDocument("tiverk", "3.18"));
        clearSettings();
        window.setChanged();
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Cancel);
        QVERIFY(!window.close());
        QVERIFY(answerer.answered());
        QVERIFY(QSettings().allKeys().isEmpty());
        QVERIFY(window.document().isChanged());
        QVERIFY(window.findChild<QAction *>("actionClose")->isEnabled());
    }

    void recentFilesSkipMissingAndRepeated()
    {
        const QString a = writeDocument("tiverk", "3.18");
        const QString missing = dir.filePath("missing.cnf");
        const QString c = writeDocument("tiverk", "3.17");
        {
            QSettings settings;
            settings.beginWriteArray("plivekRecentFileList");
            const QStringList stored = { a, missing, a, c };
            for (int i = 0; i < stored.size(); ++i) {
                settings.setArrayIndex(i);
                // Older versions stored the path as text.
                settings.setValue(
                    "file", i == 3 ? QVariant(stored.at(i)) : QVariant(stored.at(i).toUtf8()));
            }
            settings.endArray();
        }
        QStringList shown;
        {
            MainWindow window;
            const auto entries
                = child<QMenu>(window, "menuFile")->findChild<QActionGroup *>()->actions();
            QCOMPARE(entries.size(), 5);
            for (const QAction *entry : entries) {
                if (entry->isVisible())
                    shown << entry->text();
            }
            QCOMPARE(shown, (QStringList { a, c }));
            // The entries stand just before Exit, between separators.
            const auto menu = child<QMenu>(window, "menuFile")->actions();
            const int exit = menu.indexOf(window.findChild<QAction *>("actionExit"));
            QVERIFY(menu.at(exit - 1)->isSeparator());
            QCOMPARE(menu.at(exit - 2), entries.last());
            QVERIFY(menu.at(exit - 7)->isSeparator());
            QVERIFY(window.close());
        }
        QSettings settings;
        const int size = settings.beginReadArray("plivekRecentFileList");
        QStringList stored;
        for (int i = 0; i < size; ++i) {
            settings.setArrayIndex(i);
            stored << QString::fromUtf8(settings.value("file").toByteArray());
        }
        QCOMPARE(stored, (QStringList { a, c }));
    }
};

PROJECT_TEST(TestMainWindowFrame);
#include "tst_mainwindowframe.moc"
