#include "../../../libs/tlc/tlcfixture.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfweekcard.h"
#include "diagramdriver.h"
#include "plivek/programs/svgexportparametersdlg.h"
#include "plotlet/vline.h"
#include "scriptedtlc.h"
#include "testmain.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

using namespace DiagramDriver;

namespace {

template<typename T> T *child(const QWidget &parent, const char *name)
{
    T *widget = parent.findChild<T *>(QLatin1String(name));
    Q_ASSERT(widget);
    return widget;
}

// The document's controller: the fixture crossing, with native data and a
// property of its own.
void fillDocument(CnfController &c, bool sensors = true)
{
    TlcFixture::fillCrossing(c);
    if (!sensors)
        c.removeSensor(1);
    c.setNativeData(QStringLiteral("modules"),
                    QVariantMap { { QStringLiteral("SystemBus"), 1 },
                                  { QStringLiteral("systembus"), 2 },
                                  { QStringLiteral("Lights"), 3 },
                                  { QStringLiteral("MultiRing"),
                                    QVariantMap { { QStringLiteral("old"), 1 } } } });
    c.setNativeData(QStringLiteral("controlSources"),
                    QVariantList { QStringLiteral("document's") });
    c.setNativeData(QStringLiteral("site"), QStringLiteral("North gate"));
}

// The document with the fixed-time program "4", and a window that was given it.
struct Shown
{
    CnfController controller;
    CnfProgramPtr program;
    std::unique_ptr<Tiverk2DiagrammDlg> dlg;

    explicit Shown(bool expert = false)
    {
        if (expert)
            QSettings().setValue(QStringLiteral("expert_mode"), true);
        fillDocument(controller);
        program = TlcFixture::addFixedTime(controller, QStringLiteral("4"));
        dlg = std::make_unique<Tiverk2DiagrammDlg>(nullptr, &controller);
        dlg->setData(program, QVariantMap(), controller.defaultMatrix());
    }
};

} // namespace

// The diagram window: its form, the private controller it makes, what setData
// puts into it, the markers, the options and the picture export.
class TestTiverk2DiagramDlg : public QObject
{
    Q_OBJECT
private slots:
    void init() { beginTest(); }
    void cleanup() { endTest(); }

    void form()
    {
        CnfController controller;
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        QCOMPARE(dlg.objectName(), QStringLiteral("Tiverk2DiagrammDlg"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("plotlet::Chart"));
        QCOMPARE(child<QGroupBox>(dlg, "groupBox")->title(), QStringLiteral("Display"));
        auto *refresh = child<QPushButton>(dlg, "displayRefresh");
        QVERIFY(refresh->text().isEmpty());
        QVERIFY(!refresh->icon().isNull());
        QCOMPARE(refresh->iconSize(), QSize(24, 24));
        QCOMPARE(refresh->focusPolicy(), Qt::NoFocus);
        QCOMPARE(refresh->toolTip(), QStringLiteral("Refresh diagramm"));
        QCOMPARE(child<QLabel>(dlg, "label")->text(), QStringLiteral("from:"));
        QCOMPARE(child<QLabel>(dlg, "label_2")->text(), QStringLiteral("to:"));
        for (const char *name : { "displayFrom", "displayTo" }) {
            QCOMPARE(child<QSpinBox>(dlg, name)->minimum(), 0);
            QCOMPARE(child<QSpinBox>(dlg, name)->maximum(), 65535);
        }
        QCOMPARE(child<QSpinBox>(dlg, "displayFrom")->value(), 0);
        QCOMPARE(child<QSpinBox>(dlg, "displayTo")->value(), 100);
        const QList<QPair<const char *, QString>> boxes {
            { "xAxisFrom0", "X axis from 0" },
            { "syncCoord", "sync. coordination time" },
            { "displayPhases", "Phases" },
            { "displayDetailedTimes", "detailed times" }
        };
        for (const auto &box : boxes)
            QCOMPARE(child<QCheckBox>(dlg, box.first)->text(), box.second);
        QVERIFY(!child<QCheckBox>(dlg, "xAxisFrom0")->isChecked());
        QVERIFY(child<QCheckBox>(dlg, "syncCoord")->isChecked());
        QVERIFY(child<QCheckBox>(dlg, "displayPhases")->isChecked());
        QVERIFY(!child<QCheckBox>(dlg, "displayDetailedTimes")->isChecked());
        QCOMPARE(child<QPushButton>(dlg, "displayGeneratedConfiguration")->text(),
                 QStringLiteral("Generated\nconfiguration"));
        QCOMPARE(child<QPushButton>(dlg, "displayEmulatorParameters")->text(),
                 QStringLiteral("Emulator\nparameters"));
        QCOMPARE(chart(dlg)->bgColor(), QColor(Qt::white));
        QCOMPARE(chart(dlg)->minGridStepX(), 1.0);
        QCOMPARE(chart(dlg)->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);

        // The refresh button asks the program dialog for new data.
        QSignalSpy refreshSpy(&dlg, &Tiverk2DiagrammDlg::needToRefresh);
        refresh->click();
        QCOMPARE(refreshSpy.count(), 1);
    }

    void expertButtons_data()
    {
        QTest::addColumn<bool>("expert");
        QTest::newRow("ordinary user") << false;
        QTest::newRow("expert") << true;
    }

    void expertButtons()
    {
        QFETCH(bool, expert);
        QSettings().setValue(QStringLiteral("expert_mode"), expert);
        CnfController controller;
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        QCOMPARE(child<QPushButton>(dlg, "displayGeneratedConfiguration")->isHidden(), !expert);
        QCOMPARE(child<QPushButton>(dlg, "displayEmulatorParameters")->isHidden(), !expert);
    }

    void privateController()
    {
        CnfController controller;
        fillDocument(controller);
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        const CnfController &emulated = dlg.emulatedController();
        QCOMPARE(emulated.property("type").toString(), QStringLiteral("tiverkii"));
        QCOMPARE(emulated.property("version").toString(), QStringLiteral("0.1"));
        // Groups and phases are shared, detectors and sensors made anew.
        QCOMPARE(emulated.defaultSignalGroup(), controller.defaultSignalGroup());
        QCOMPARE(emulated.signalGroups(), controller.signalGroups());
        QCOMPARE(emulated.phases(), controller.phases());
        QCOMPARE(emulated.detectorsList().size(), 1);
        QVERIFY(emulated.detectorsList().first() != controller.detectorsList().first());
        QCOMPARE(emulated.detectorsList().first()->name(), QStringLiteral("Main loop"));
        QCOMPARE(emulated.detectorsList().first()->property("type").toString(),
                 QStringLiteral("SumoDetector"));
        QCOMPARE(emulated.sensorsList().size(), 1);
        QCOMPARE(emulated.sensorsList().first()->id(), 1);
        QVERIFY(emulated.sensorsList().first()->isSensor());
        QCOMPARE(emulated.sensorsList().first()->property("type").toString(),
                 QStringLiteral("SumoCallButton"));
        // Monday runs day card "1".
        const CnfDayCardPtr day = emulated.findDayCard(QStringLiteral("1"));
        QVERIFY(day);
        QVERIFY(day->records.isEmpty());
        QCOMPARE(emulated.findWeekCard(QStringLiteral("1"))->days.value(1), day);
        const QVariantList sources
            = emulated.getNativeData(QStringLiteral("controlSources")).toList();
        QCOMPARE(sources.size(), 2);
        QCOMPARE(sources.at(0).toMap().value(QStringLiteral("name")).toString(),
                 QStringLiteral("emergency"));
        QCOMPARE(sources.at(0).toMap().value(QStringLiteral("priority")).toInt(), 9999);
        QCOMPARE(sources.at(1).toMap().value(QStringLiteral("name")).toString(),
                 QStringLiteral("scheduler"));
        QCOMPARE(sources.at(1).toMap().value(QStringLiteral("id")).toInt(), 2);
        QCOMPARE(QSettings().value(QStringLiteral("QTlc/DisabledPlugins")).toString(),
                 QStringLiteral("SystemBus,Keyboard"));

        // A stored plug-in list stays.
        QSettings().setValue(QStringLiteral("QTlc/DisabledPlugins"), QString());
        Tiverk2DiagrammDlg second(nullptr, &controller);
        QCOMPARE(QSettings().value(QStringLiteral("QTlc/DisabledPlugins")).toString(), QString());
    }

    void setDataEffects_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("multiRing");
        QTest::addColumn<bool>("matrixSet");
        QTest::newRow("fixed time") << int(CnfProgram::FixedTime) << false << true;
        QTest::newRow("multi-ring") << int(CnfProgram::MultiRing) << true << true;
        QTest::newRow("timeline") << int(CnfProgram::Timeline) << false << false;
    }

    void setDataEffects()
    {
        QFETCH(int, type);
        QFETCH(bool, multiRing);
        QFETCH(bool, matrixSet);
        CnfController controller;
        fillDocument(controller);
        CnfProgramPtr program = TlcFixture::addFixedTime(controller, QStringLiteral("4"), type);
        auto matrix = CnfMatrixPtr::create();
        matrix->setId(7);
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        const QVariantMap rings { { QStringLiteral("rings"), 2 } };
        for (int i = 0; i < 3; ++i)
            dlg.setData(program, rings, matrix);

        const CnfController &emulated = dlg.emulatedController();
        // Excluded modules by their exact names; MultiRing only for its type.
        const QVariantMap modules = emulated.getNativeData(QStringLiteral("modules")).toMap();
        QVERIFY(!modules.contains(QStringLiteral("SystemBus")));
        QCOMPARE(modules.value(QStringLiteral("systembus")).toInt(), 2);
        QCOMPARE(modules.value(QStringLiteral("Lights")).toInt(), 3);
        QCOMPARE(modules.contains(QStringLiteral("MultiRing")), multiRing);
        if (multiRing)
            QCOMPARE(modules.value(QStringLiteral("MultiRing")).toMap(), rings);
        // The document's data stays as it was.
        QVERIFY(controller.getNativeData(QStringLiteral("modules"))
                    .toMap()
                    .contains(QStringLiteral("SystemBus")));
        QCOMPARE(emulated.getNativeData(QStringLiteral("site")).toString(),
                 QStringLiteral("North gate"));
        QCOMPARE(emulated.getNativeData(QStringLiteral("controlSources")).toList().size(), 2);

        QCOMPARE(emulated.findMatrix(7), matrix);
        QCOMPARE(emulated.defaultMatrix(), matrix);
        QCOMPARE(program->matrix == matrix, matrixSet);
        QCOMPARE(emulated.programs().size(), 1);
        QCOMPARE(emulated.defaultProgram(), program);
        // However often the data comes, the day card holds one record at midnight.
        const CnfDayCardPtr day = emulated.findDayCard(QStringLiteral("1"));
        QCOMPARE(day->records.size(), 1);
        QCOMPARE(day->records.firstKey(), QTime(0, 0));
        QCOMPARE(day->records.first().program, program);
        QCOMPARE(day->records.first().reserve, program);
        // The program still belongs to the document.
        QCOMPARE(program->controller(), &controller);
        QCOMPARE(dlg.program(), program);
    }

    void excludedModulesSetting()
    {
        QSettings().setValue(QStringLiteral("EmulatorParameters/ExcludedModules"),
                             QStringLiteral("Lights,,systembus"));
        CnfController controller;
        fillDocument(controller);
        CnfProgramPtr program = TlcFixture::addFixedTime(controller, QStringLiteral("4"));
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        dlg.setData(program, QVariantMap(), CnfMatrixPtr());
        QCOMPARE(dlg.emulatedController().getNativeData(QStringLiteral("modules")).toMap().keys(),
                 QStringList { "SystemBus" });
    }

    // No matrix given: the program keeps the matrix it has.
    void missingMatrixKeepsTheProgramsMatrix()
    {
        CnfController controller;
        fillDocument(controller);
        CnfProgramPtr program = TlcFixture::addFixedTime(controller, QStringLiteral("4"));
        auto matrix = CnfMatrixPtr::create();
        matrix->setId(3);
        program->matrix = matrix;
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        dlg.setData(program, QVariantMap(), CnfMatrixPtr());
        QCOMPARE(program->matrix, matrix);
    }

    void emptyData()
    {
        CnfController controller;
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        dlg.setData(CnfProgramPtr(), QVariantMap(), CnfMatrixPtr());
        QCOMPARE(chart(dlg)->error(), QStringLiteral("Empty data"));
        QVERIFY(ScriptedTlc::calls.isEmpty());
    }

    void programWithoutNumber()
    {
        // The command-line mode edits a program that has no number yet.
        CnfController controller;
        fillDocument(controller);
        auto program = CnfProgramPtr::create();
        program->type = CnfProgram::FixedTime;
        program->appendPhaseFl(controller.findPhase(QStringLiteral("1")), 30);
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        dlg.setData(program, QVariantMap(), controller.defaultMatrix());
        QVERIFY(chart(dlg)->error().isEmpty());
        QCOMPARE(chart(dlg)->series().size(), 2);
        QVERIFY(ScriptedTlc::calls.contains(QStringLiteral("plan 1")));
        QCOMPARE(dlg.emulatedController().programs().size(), 1);
        QCOMPARE(dlg.emulatedController().programs().first()->id, QStringLiteral("1"));
        QVERIFY(program->id.isEmpty());
    }

    void markerKeys()
    {
        Shown shown(true);
        Tiverk2DiagrammDlg &dlg = *shown.dlg;
        auto *from = child<QSpinBox>(dlg, "displayFrom");
        auto *fromZero = child<QCheckBox>(dlg, "xAxisFrom0");
        from->setValue(30);
        fromZero->click();
        QVERIFY(addMarker(dlg, 12.8, true, 0));
        QCOMPARE(dlg.events().keys(), QList<qint64> { 42000 });
        plotlet::VLine *line = dlg.events().first();
        QCOMPARE(line->pos(), 12.0);
        QCOMPARE(line->caption(), QStringLiteral("1 (Main loop)"));
        QCOMPARE(line->width(), 1.0);
        QCOMPARE(line->property("detector").toBool(), true);
        QCOMPARE(line->property("id").toInt(), 1);
        QCOMPARE(chart(dlg)->vlines(), QList<plotlet::VLine *> { line });

        // Unticking shows the marker at its absolute time, ticking again relative.
        fromZero->click();
        QCOMPARE(line->pos(), 42.0);
        fromZero->click();
        QCOMPARE(line->pos(), 12.0);
        from->setValue(40);
        QCOMPARE(line->pos(), 2.0);
        QCOMPARE(dlg.events().keys(), QList<qint64> { 42000 });
        fromZero->click();

        // A drag re-keys the marker.
        line->move(12.5);
        QCOMPARE(dlg.events().keys(), QList<qint64> { 12500 });

        // A sensor marker is dark yellow.
        QVERIFY(addMarker(dlg, 3, false, 0));
        plotlet::VLine *sensor = dlg.events().value(3000);
        QVERIFY(sensor);
        QCOMPARE(sensor->color(), QColor(Qt::darkYellow));
        QCOMPARE(sensor->property("detector").toBool(), false);

        // Removing: the entry goes with the line, and the run follows.
        sensor->setSelected(true);
        ScriptedTlc::calls.clear();
        pickMenuEntry(dlg, QStringLiteral("Remove selected events"));
        QTRY_COMPARE(dlg.events().keys(), QList<qint64> { 12500 });
        QVERIFY(ScriptedTlc::calls.contains(QStringLiteral("load")));
    }

    void markerEdits()
    {
        Shown shown(true);
        Tiverk2DiagrammDlg &dlg = *shown.dlg;
        dlg.resize(800, 400);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(addMarker(dlg, 10, true, 0, 500));
        QVERIFY(addMarker(dlg, 50, true, 0, 500));

        // A double click beside every label does nothing.
        plotlet::VLine *first = dlg.events().value(10000);
        const QRect label = first->rcLabel();
        QVERIFY(!label.isEmpty());
        {
            ModalAnswerer none;
            none.reject();
            emit chart(dlg)->mouseButtonDblClick(
                Qt::LeftButton, QPoint(label.right() + 200, label.bottom() + 150), QPointF());
            QVERIFY(!none.answered());
        }

        // A double click on a label edits that marker: now a sensor at 15 s.
        {
            ModalAnswerer answerer;
            answerEventDialog(answerer, false, 0, 2000, 15);
            emit chart(dlg)->mouseButtonDblClick(Qt::LeftButton, label.center(), QPointF());
            QVERIFY(answerer.answered());
        }
        QCOMPARE(dlg.events().keys(), (QList<qint64> { 15000, 50000 }));
        QCOMPARE(first->pos(), 15.0);
        QCOMPARE(first->width(), 2.0);
        QCOMPARE(first->color(), QColor(Qt::darkYellow));
        QCOMPARE(first->caption(), QStringLiteral("1 (Button)"));

        // "Change event" opens the dialog once per selected marker.
        for (plotlet::VLine *line : dlg.events())
            line->setSelected(true);
        int opened = 0;
        ModalAnswerer answerer;
        std::function<void(QWidget *)> answer = [&](QWidget *modal) {
            ++opened;
            auto *dialog = qobject_cast<DtEventDlg *>(modal);
            if (opened == 1)
                answerer.answerWith(answer);
            if (dialog)
                dialog->accept();
        };
        answerer.answerWith(answer);
        pickMenuEntry(dlg, QStringLiteral("Change event"));
        QCOMPARE(opened, 2);
        // Accepted unchanged: a detector caption again gets black.
        QCOMPARE(dlg.events().keys(), (QList<qint64> { 15000, 50000 }));
        QCOMPARE(dlg.events().value(50000)->color(), QColor(Qt::black));
    }

    void menuEntries_data()
    {
        QTest::addColumn<bool>("expert");
        QTest::addColumn<bool>("sensors");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("ordinary user") << false << true << true << QStringList { "Save as image" };
        QTest::newRow("expert") << true << true << false
                                << QStringList { "Add event from detector", "Add event from sensor",
                                                 "Save as image" };
        QTest::newRow("expert, no sensors")
            << true << false << false << QStringList { "Add event from detector", "Save as image" };
        QTest::newRow("expert, a marker selected")
            << true << true << true
            << QStringList { "Add event from detector", "Add event from sensor", "Save as image",
                             "Remove selected events", "Change event" };
    }

    void menuEntries()
    {
        QFETCH(bool, expert);
        QFETCH(bool, sensors);
        QFETCH(bool, selected);
        QFETCH(QStringList, entries);
        CnfController controller;
        fillDocument(controller, sensors);
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        auto *line = new plotlet::VLine(4);
        line->setSelected(selected);
        chart(dlg)->addVLine(line);
        QSettings().setValue(QStringLiteral("expert_mode"), expert);
        // Expert mode is read when the window is made.
        QCOMPARE(DiagramDriver::menuEntries(dlg), QStringList { "Save as image" });
        Tiverk2DiagrammDlg fresh(nullptr, &controller);
        auto *freshLine = new plotlet::VLine(4);
        freshLine->setSelected(selected);
        chart(fresh)->addVLine(freshLine);
        QCOMPARE(DiagramDriver::menuEntries(fresh), entries);
    }

    void options_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("sync") << "syncCoord"
                              << "Tiverk2Prog/sync_coord_time" << QVariant(false);
        QTest::newRow("from 0") << "xAxisFrom0"
                                << "Tiverk2Prog/x_axis_from_0" << QVariant(true);
        QTest::newRow("detailed") << "displayDetailedTimes"
                                  << "Tiverk2Prog/display_detailed_times" << QVariant(true);
        QTest::newRow("phases") << "displayPhases"
                                << "Tiverk2Prog/display_phases" << QVariant(false);
    }

    void options()
    {
        QFETCH(QString, widget);
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        Shown shown;
        {
            Tiverk2DiagrammDlg &dlg = *shown.dlg;
            QVERIFY(!QSettings().contains(key));
            ScriptedTlc::calls.clear();
            child<QCheckBox>(dlg, qPrintable(widget))->click();
            QCOMPARE(QSettings().value(key), stored);
            // Every option but the phases runs the emulation again.
            QCOMPARE(ScriptedTlc::calls.contains(QStringLiteral("load")),
                     widget != QLatin1String("displayPhases"));
            // Back to the default: an option stored before is written again.
            child<QCheckBox>(dlg, qPrintable(widget))->click();
            QCOMPARE(QSettings().value(key).toBool(), !stored.toBool());
            child<QCheckBox>(dlg, qPrintable(widget))->click();
        }
        // The next window starts as the last one was left.
        shown.dlg.reset();
        Tiverk2DiagrammDlg next(nullptr, &shown.controller);
        QCOMPARE(child<QCheckBox>(next, qPrintable(widget))->isChecked(), stored.toBool());
    }

    void rangeStored()
    {
        CnfController controller;
        {
            Tiverk2DiagrammDlg dlg(nullptr, &controller);
            child<QSpinBox>(dlg, "displayTo")->setValue(100);
            QVERIFY(!QSettings().contains(QStringLiteral("Tiverk2Prog/chart_to")));
            child<QSpinBox>(dlg, "displayFrom")->setValue(15);
            child<QSpinBox>(dlg, "displayTo")->setValue(300);
        }
        QCOMPARE(QSettings().value(QStringLiteral("Tiverk2Prog/chart_from")).toInt(), 15);
        Tiverk2DiagrammDlg next(nullptr, &controller);
        QCOMPARE(child<QSpinBox>(next, "displayFrom")->value(), 15);
        QCOMPARE(child<QSpinBox>(next, "displayTo")->value(), 300);
    }

    void saveAsImage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("millimetres");
        QTest::addColumn<QByteArray>("start"); // how the written file begins
        const QByteArray png("\x89PNG");
        QTest::newRow("png filter") << "plan"
                                    << "png files (*.png)"
                                    << "plan.png" << false << png;
        QTest::newRow("svg filter") << "plan"
                                    << "SVG files (*.svg)"
                                    << "plan.svg" << true << QByteArray("<?xml");
        QTest::newRow("own suffix") << "plan.bmp"
                                    << "png files (*.png)"
                                    << "plan.bmp" << false << QByteArray("BM");
        // A typed suffix of a known format wins over the filter.
        QTest::newRow("png name, svg filter") << "diagram.png"
                                              << "SVG files (*.svg)"
                                              << "diagram.png" << false << png;
        QTest::newRow("svg name, png filter") << "diagram.svg"
                                              << "png files (*.png)"
                                              << "diagram.svg" << true << QByteArray("<?xml");
        QTest::newRow("upper-case suffix") << "diagram.PNG"
                                           << "SVG files (*.svg)"
                                           << "diagram.PNG" << false << png;
    }

    void saveAsImage()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(bool, millimetres);
        QFETCH(QByteArray, start);
        QTemporaryDir dir;
        Shown shown;
        Tiverk2DiagrammDlg &dlg = *shown.dlg;

        QStringList filters;
        bool millimetresShown = !millimetres;
        ModalAnswerer files;
        ModalAnswerer size;
        files.answerWith([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            filters = dialog->nameFilters();
            size.answerWith([&](QWidget *modal) {
                auto *parameters = qobject_cast<SvgExportParametersDlg *>(modal);
                QVERIFY(parameters);
                millimetresShown
                    = parameters->findChild<QCheckBox *>(QStringLiteral("mmSize"))->isVisible();
                parameters->findChild<QSpinBox *>(QStringLiteral("width"))->setValue(200);
                parameters->findChild<QSpinBox *>(QStringLiteral("height"))->setValue(100);
                parameters->accept();
            });
            dialog->setDirectory(dir.path());
            dialog->selectNameFilter(filter);
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        pickMenuEntry(dlg, QStringLiteral("Save as image"));
        QVERIFY(files.answered());
        QVERIFY(size.answered());
        QCOMPARE(filters.first(), QStringLiteral("SVG files (*.svg)"));
        QVERIFY(filters.contains(QStringLiteral("png files (*.png)")));
        QCOMPARE(millimetresShown, millimetres);
        QVERIFY2(QFileInfo::exists(dir.filePath(written)),
                 qPrintable(QDir(dir.path()).entryList().join(',')));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        QFile saved(dir.filePath(written));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.read(start.size()), start);
        QCOMPARE(
            QString::fromUtf8(QSettings().value(QStringLiteral("chart_save_dir")).toByteArray()),
            QFileInfo(dir.path()).absoluteFilePath());
    }

    void saveFails()
    {
        // No image format of that name: the user is told, not left guessing.
        QTemporaryDir dir;
        CnfController controller;
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        ModalAnswerer files;
        ModalAnswerer size;
        ModalAnswerer warning;
        files.answerWith([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            size.answerWith([&](QWidget *modal) {
                warning.pressButton(QMessageBox::Ok);
                qobject_cast<QDialog *>(modal)->accept();
            });
            dialog->setDirectory(dir.path());
            dialog->selectNameFilter(QStringLiteral("png files (*.png)"));
            dialog->selectFile(QStringLiteral("plan.nosuchformat"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        pickMenuEntry(dlg, QStringLiteral("Save as image"));
        QVERIFY(size.answered());
        QVERIFY(warning.answered());
        QCOMPARE(
            warning.seenText(),
            QStringLiteral("Can't save %1")
                .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("plan.nosuchformat")))));
    }

    void generatedConfiguration()
    {
        Shown shown(true);
        Tiverk2DiagrammDlg &dlg = *shown.dlg;
        QVERIFY(dlg.generatedJson().contains("\"emergency\""));
        QSize seen;
        QString text;
        ModalAnswerer answerer;
        answerer.answerWith([&](QWidget *modal) {
            seen = modal->size();
            auto *edit = modal->findChild<QTextEdit *>();
            text = edit->toPlainText();
            QCOMPARE(edit->lineWrapMode(), QTextEdit::NoWrap);
            modal->resize(350, 420);
            qobject_cast<QDialog *>(modal)->reject();
        });
        child<QPushButton>(dlg, "displayGeneratedConfiguration")->click();
        QCOMPARE(seen, QSize(300, 400));
        QCOMPARE(text, QString::fromUtf8(dlg.generatedJson()));
        // The size lives on for the process, not in the settings.
        answerer.answerWith([&](QWidget *modal) {
            seen = modal->size();
            qobject_cast<QDialog *>(modal)->reject();
        });
        child<QPushButton>(dlg, "displayGeneratedConfiguration")->click();
        QCOMPARE(seen, QSize(350, 420));
    }

    void emulatorParameters()
    {
        QSettings().setValue(QStringLiteral("expert_mode"), true);
        CnfController controller;
        Tiverk2DiagrammDlg dlg(nullptr, &controller);
        ModalAnswerer answerer;
        QString title;
        answerer.answerWith([&](QWidget *modal) {
            title = modal->objectName();
            qobject_cast<QDialog *>(modal)->reject();
        });
        child<QPushButton>(dlg, "displayEmulatorParameters")->click();
        QCOMPARE(title, QStringLiteral("EmulataorParametersDlg"));
        QVERIFY(!QSettings()
                     .value(QStringLiteral("EmulataorParametersDlg/geometry"))
                     .toByteArray()
                     .isEmpty());
    }

    void visibility()
    {
        CnfController controller;
        QWidget parent;
        parent.show();
        auto *dlg = new Tiverk2DiagrammDlg(&parent, &controller);
        QSignalSpy spy(dlg, &Tiverk2DiagrammDlg::visibilityChanged);
        dlg->show();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().first().toBool(), true);
        // With nothing stored the window sits against the top-right corner.
        const QRect screen = parent.screen()->availableGeometry();
        QCOMPARE(dlg->frameGeometry().top(), screen.top());
        QVERIFY2(
            qAbs(dlg->frameGeometry().right() - screen.right()) <= 4,
            qPrintable(
                QStringLiteral("%1 %2").arg(dlg->frameGeometry().right()).arg(screen.right())));
        dlg->move(40, 50);
        dlg->hide();
        QCOMPARE(spy.last().first().toBool(), false);
        QVERIFY(!QSettings()
                     .value(QStringLiteral("Tiverk2DiagrammDlg/geometry"))
                     .toByteArray()
                     .isEmpty());
        delete dlg;
    }
};

PROJECT_TEST(TestTiverk2DiagramDlg);
#include "tst_tiverk2diagramdlg.moc"
