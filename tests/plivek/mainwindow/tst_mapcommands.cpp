#include "documentfixtures.h"
#include "mapview/tileview.h"
#include "modalanswerer.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

using namespace WindowTesting;
using namespace DocumentFixtures;

namespace {

QPointF viewCentre(const MainWindow &window)
{
    const TileView *view = child<TileView>(window, "tileview");
    return view->mapToScene(view->viewport()->rect().center());
}

bool near(const QPointF &a, const QPointF &b)
{
    return qAbs(a.x() - b.x()) < 1e-4 && qAbs(a.y() - b.y()) < 1e-4;
}

} // namespace

class TestMapCommands : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString container(const QString &name, const QByteArray &network)
    {
        CnfController controller;
        initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"), 12,
                       { 1, 2, 3, 4 });
        const QString path = dir.filePath(name);
        if (!writeContainer(path, controller, network))
            qWarning() << "cannot write" << path;
        return path;
    }

    static void trigger(const MainWindow &window, const char *action)
    {
        child<QAction>(window, action)->trigger();
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }
    void init() { clearSettings(); }

    void goToPoint_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("moves");
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("lon,lat") << "30.3,59.9" << true << QStringList();
        QTest::newRow("extra parts ignored") << "30.3,59.9,7" << true << QStringList();
        QTest::newRow("one part") << "30.3" << false << QStringList();
        QTest::newRow("not numbers")
            << "a,b" << false
            << QStringList { QStringLiteral("coordinates string (a,b) has invalid format") };
        QTest::newRow("empty latitude")
            << "30.3," << false
            << QStringList { QStringLiteral("coordinates string (30.3,) has invalid format") };
    }

    void goToPoint()
    {
        QFETCH(QString, answer);
        QFETCH(bool, moves);
        QFETCH(QStringList, messages);

        MainWindow window;
        window.resize(1000, 800);
        const QPointF before = viewCentre(window);
        ModalAnswerer answerer;
        answerer.enterText(answer);
        trigger(window, "actionGo_to_point");
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Go to point"));
        QVERIFY(near(viewCentre(window), moves ? QPointF(30.3, 59.9) : before));
        QCOMPARE(messageTexts(window), messages);
    }

    void opacityDialogStartsAtTruncatedPercent()
    {
        MainWindow window;
        auto *view = child<TileView>(window, "tileview");
        view->setOpacity(0.555);
        int shown = -1;
        ModalAnswerer answerer;
        answerer.answerWith([&shown](QWidget *modal) {
            auto *input = qobject_cast<QInputDialog *>(modal);
            shown = input->intValue();
            input->setIntValue(30);
            input->accept();
        });
        trigger(window, "actionMap_opacity");
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Map opcity"));
        QCOMPARE(shown, 55);
        QCOMPARE(view->opacity(), 0.3);

        // Cancel gives back the value the dialog opened with.
        ModalAnswerer cancel;
        cancel.reject();
        trigger(window, "actionMap_opacity");
        QCOMPARE(view->opacity(), 0.3);
    }

    void dotExportProposesFolderAndBaseName_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("proposed");

        QTest::newRow("no document") << ""
                                     << "net";
        QTest::newRow("named document") << "x12.v2.xcnf"
                                        << "x12";
    }

    void dotExportProposesFolderAndBaseName()
    {
        QFETCH(QString, document);
        QFETCH(QString, proposed);

        const QString folder = dir.filePath(QStringLiteral("export"));
        QVERIFY(QDir().mkpath(folder));
        QSettings().setValue(QStringLiteral("lastExportDir"), folder.toUtf8());
        MainWindow window;
        if (!document.isEmpty())
            window.loadDocument(container(document, fourArmNetwork()));

        QStringList selected;
        ModalAnswerer answerer;
        answerer.answerWith([&selected](QWidget *modal) {
            auto *files = qobject_cast<QFileDialog *>(modal);
            selected = files->selectedFiles();
            files->reject();
        });
        trigger(window, "actionDOT_graph");
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Select file to save"));
        QCOMPARE(selected, QStringList { folder + QLatin1Char('/') + proposed });
        window.document().setChanged(false);
    }

    void dotExportWritesTheGraph()
    {
        MainWindow window;
        window.loadDocument(container(QStringLiteral("dot.xcnf"), fourArmNetwork()));
        window.clearMessageTable();
        const QString target = dir.filePath(QStringLiteral("graphs/junction.dot"));
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        ModalAnswerer answerer;
        answerer.enterText(target);
        trigger(window, "actionDOT_graph");
        QCOMPARE(messageTexts(window),
                 QStringList({ QStringLiteral("Export to file %1 in DOT format").arg(target),
                               QStringLiteral("Export complete") }));
        QVERIFY(TestSupport::readFile(target).contains("graph"));
        QCOMPARE(QSettings().value(QStringLiteral("lastExportDir")).toByteArray(),
                 QFileInfo(target).absolutePath().toUtf8());
    }

    // "SUMO ..." on the sample: the dialog opens on SUMO beside the document with the
    // controller's number, and the junction goes out with its fixed-time programs. After
    // the signal-group table's Delete of group 3 (the east approach) the messages name its
    // connections, one line each, which stay red (r) and never get green: no link is written
    // without a signal (O) or giving way (o), which SUMO would let cross signalled traffic.
    void sumoExportWritesTheJunctionAndItsPrograms_data()
    {
        QTest::addColumn<int>("deletedGroup");
        QTest::addColumn<QStringList>("unsignalled");
        QTest::newRow("sample") << 0 << QStringList();
        QTest::newRow("group 3 deleted") << 3 << QStringList({ "56", "57", "58" });
    }

    void sumoExportWritesTheJunctionAndItsPrograms()
    {
        QFETCH(int, deletedGroup);
        QFETCH(QStringList, unsignalled);
        const QString path = dir.filePath(QStringLiteral("sumo%1/sample.xcnf").arg(deletedGroup));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(QFile::copy(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf")), path));
        MainWindow window;
        window.loadDocument(path);
        if (deletedGroup) {
            QTableWidget *groups = table(window, "sgTable");
            groups->clearSelection();
            groups->item(deletedGroup - 1, 0)->setSelected(true);
            QCOMPARE(cellText(groups, deletedGroup - 1, 0), QString::number(deletedGroup));
            ModalAnswerer yes;
            yes.pressButton(QMessageBox::Yes);
            child<QAction>(*groups, "sgDelete")->trigger();
            QVERIFY(yes.answered());
            QVERIFY2(yes.seenText().contains(
                         QLatin1String("\nConnections that lose their signal: 56,57,58")),
                     qPrintable(yes.seenText()));
            QVERIFY(!window.document().controller().findSG(deletedGroup));
        }
        window.clearMessageTable();
        ModalAnswerer answerer;
        QString format;
        answerer.answerWith([&format](QWidget *modal) {
            auto *dialog = qobject_cast<QDialog *>(modal);
            if (!dialog || !dialog->findChild<QComboBox *>(QStringLiteral("format")))
                return;
            format = dialog->findChild<QComboBox *>(QStringLiteral("format"))->currentText();
            dialog->accept();
        });
        trigger(window, "actionSumo");
        QVERIFY(answerer.answered());
        QCOMPARE(format, QStringLiteral("SUMO plain XML (*.netccfg)"));
        const QStringList messages = messageTexts(window);
        QCOMPARE(messages.size(), 2 + unsignalled.size());
        QVERIFY2(messages.first().startsWith(
                     QLatin1String("Program 3 is left out of the SUMO export: ")),
                 qPrintable(messages.first()));
        for (int i = 0; i < unsignalled.size(); ++i)
            QVERIFY2(messages.at(1 + i).startsWith(
                         QStringLiteral("Connection %1 (SUMO link ").arg(unsignalled.at(i)))
                         && messages.at(1 + i).endsWith(
                             QLatin1String(": in the SUMO export it is red (r) in every phase "
                                           "and never gets green")),
                     qPrintable(messages.at(1 + i)));
        const QString config
            = QFileInfo(path).absoluteDir().filePath(QStringLiteral("101.netccfg"));
        QCOMPARE(messages.last(),
                 QStringLiteral("Network exported to %1").arg(QDir::toNativeSeparators(config)));
        const QByteArray programs = TestSupport::readFile(
            QFileInfo(config).absoluteDir().filePath(QStringLiteral("101.tll.xml")));
        QVERIFY(programs.contains("programID=\"1\""));
        QVERIFY(programs.contains("programID=\"2\""));
        // The west's green: its left turn no longer yields to the east, which stays red.
        QCOMPARE(programs.contains("state=\"rrrrrrrrrGGG\""), deletedGroup == 3);
        const QRegularExpression withoutSignal(QStringLiteral("state=\"[^\"]*[oO]"));
        QVERIFY(!QString::fromUtf8(programs).contains(withoutSignal));
    }

    void importLeavesTheDocumentUnchanged()
    {
        MainWindow window;
        window.loadDocument(container(QStringLiteral("plain.xcnf"), QByteArray()));
        QVERIFY(!window.document().isChanged());
        QVERIFY(window.document().isNetworkEmpty());
        const QString network = TestSupport::dataPath(QStringLiteral("network/four_arm.hm58a"));

        ModalAnswerer answerer;
        answerer.enterText(network);
        trigger(window, "actionImport_halm58");
        QVERIFY(answerer.answered());
        QVERIFY(!window.document().isNetworkEmpty());
        QVERIFY(!window.document().isChanged());
        QVERIFY(!window.windowTitle().endsWith(QLatin1Char('*')));
        QVERIFY(!child<QAction>(window, "actionSave")->isEnabled());
        QCOMPARE(QSettings().value(QStringLiteral("lastImportDir")).toByteArray(),
                 QFileInfo(network).absolutePath().toUtf8());
    }

    void importFailureIsReported()
    {
        MainWindow window;
        window.loadDocument(container(QStringLiteral("plain2.xcnf"), QByteArray()));
        window.clearMessageTable();
        ModalAnswerer answerer;
        answerer.enterText(TestSupport::dataPath(QStringLiteral("network/truncated.hm58a")));
        trigger(window, "actionImport_halm58");
        QCOMPARE(messageTexts(window).size(), 1);
        QVERIFY(!messageTexts(window).first().isEmpty());
        QVERIFY(!window.document().isChanged());
    }

    void networkSaveFailureIsReported()
    {
        MainWindow window;
        window.loadDocument(container(QStringLiteral("save.xcnf"), fourArmNetwork()));
        window.clearMessageTable();
        const QString target = dir.filePath(QStringLiteral("no/such/folder/net.hm58a"));
        ModalAnswerer answerer;
        answerer.enterText(target);
        trigger(window, "actionHalm58");
        QVERIFY(answerer.answered());
        QCOMPARE(messageTexts(window).size(), 1);
        QVERIFY(!QFileInfo::exists(target));

        const QString written = dir.filePath(QStringLiteral("net.hm58a"));
        ModalAnswerer again;
        again.enterText(written);
        trigger(window, "actionHalm58");
        QCOMPARE(messageTexts(window).size(), 1);
        QVERIFY(TestSupport::readFile(written).contains("<Network"));
        QCOMPARE(QSettings().value(QStringLiteral("lastSaveDir")).toByteArray(),
                 dir.path().toUtf8());
    }

    void showAllWithoutConversionLeavesTheView()
    {
        MainWindow window;
        window.resize(1000, 800);
        // A network with nothing drawn has no conversion to the map.
        window.loadDocument(container(QStringLiteral("empty.xcnf"), QByteArray()));
        auto *view = child<TileView>(window, "tileview");
        const QPointF before = viewCentre(window);
        const double zoom = view->zoomF();
        trigger(window, "actionShow_all");
        QVERIFY(near(viewCentre(window), before));
        QCOMPARE(view->zoomF(), zoom);
    }

    void showAllFitsTheNetwork_data()
    {
        QTest::addColumn<QByteArray>("network");

        QTest::newRow("four arms") << fourArmNetwork();
        // A straight road has no width, but its length still fits the view.
        QTest::newRow("flat") << networkOf(QByteArray());
    }

    void showAllFitsTheNetwork()
    {
        QFETCH(QByteArray, network);

        MainWindow window;
        window.resize(1000, 800);
        window.loadDocument(container(QStringLiteral("shown.xcnf"), network));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *view = child<TileView>(window, "tileview");
        view->setZoom(3.0);
        trigger(window, "actionShow_all");
        QVERIFY(std::isfinite(view->zoomF()));
        // Zoomed in from far out, so that the whole network shows, and no more than needed.
        QVERIFY(view->zoomF() > 15);
        const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
        const QRectF drawn = view->scene()->itemsBoundingRect();
        QVERIFY(shown.contains(drawn.center()));
        QVERIFY(shown.width() < 4 * drawn.width() || shown.height() < 4 * drawn.height());
        QVERIFY(qAbs(viewCentre(window).x() - 30.3276) < 0.01);
        QVERIFY(qAbs(viewCentre(window).y() - 60.0034) < 0.01);
    }
};

PROJECT_TEST(TestMapCommands);
#include "tst_mapcommands.moc"
