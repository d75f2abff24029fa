#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfmatrixcell.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/vobject.h"
#include "documenttesting.h"
#include "familyconversion.h"
#include "modalanswerer.h"
#include "plivek/document/project.h"
#include "testdata.h"
#include "testmain.h"

#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QVariantMap source(int id, const QString &name, const QVariant &priority,
                   const QString &type = QString())
{
    QVariantMap entry { { "id", id }, { "name", name }, { "priority", priority } };
    if (!type.isEmpty())
        entry.insert("type", type);
    return entry;
}

// "name:id:priority" of every control source.
QStringList sourcesOf(const CnfController &controller)
{
    QStringList texts;
    const VObject sources = controller.nativeData()["controlSources"];
    for (int i = 0; i < sources.size(); ++i) {
        const VObject entry = sources[i];
        const QString name
            = entry["name"].isNull() ? entry["type"].toString() : entry["name"].toString();
        texts << QStringLiteral("%1:%2:%3")
                     .arg(name, entry["id"].toString(), entry["priority"].toString());
    }
    return texts;
}

CnfProgramPtr programWith(CnfController &controller, const QString &id, const QByteArray &bytes)
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = id;
    program->type = CnfProgram::Tiverk;
    controller.addProgram(program);
    controller.setProgramRawData(program, bytes);
    return program;
}

// What each program's record says, read with the controller's layout: kind,
// variant, cycle, offset and steps ("phase length").
QStringList programReadings(const CnfController &controller)
{
    QStringList readings;
    const QDomDocument layout = controller.tiverkLayout();
    for (const CnfProgramPtr &program : controller.programs()) {
        auto read = CnfProgramPtr::create();
        CnfProgramRecord::applyTo(controller, layout, program->data(), *read);
        QStringList steps;
        for (const CnfPhaseDefPtr &def : read->phases())
            steps << QStringLiteral("%1 %2").arg(def->id()).arg(def->length());
        readings << QStringLiteral("%1: kind %2, variant %3, cycle %4, offset %5, steps %6")
                        .arg(program->id)
                        .arg(program->kind)
                        .arg(read->interstateVariant)
                        .arg(CnfProgramRecord::readCycle(layout, program->data()))
                        .arg(read->cycleOffset(-1))
                        .arg(steps.join(QLatin1Char(',')));
    }
    return readings;
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT
private:
    NoZuMoltEditorOnPath m_noEditor;

private slots:
    void init() { QSettings().clear(); }

    void tiverkIICompletion_data()
    {
        QTest::addColumn<QVariantList>("sources");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("none") << QVariantList()
                              << QStringList { "JsonRpc-tcp:2:2", "tcp:3:3", "emergency:4:9999" };
        QTest::newRow("typed Emergency is the emergency source")
            << QVariantList { source(1, "e", 5, "Emergency") }
            << QStringList { "e:1:5", "JsonRpc-tcp:2:2", "tcp:3:3" };
        QTest::newRow("typed emergency is counted")
            << QVariantList { source(5, "e", 5, "emergency") }
            << QStringList { "e:5:5", "JsonRpc-tcp:6:6", "tcp:7:7", "emergency:8:9999" };
        QTest::newRow("untyped named emergency")
            << QVariantList { source(3, "emergency", 9999) }
            << QStringList { "emergency:3:9999", "JsonRpc-tcp:4:2", "tcp:5:3" };
        QTest::newRow("existing sources rise above the others")
            << QVariantList { source(1, "rpc", 1, "JsonRPC"), source(2, "other", 5),
                              source(7, "js", 2, "JsConsole") }
            << QStringList { "rpc:1:6", "other:2:5", "js:7:7", "emergency:3:9999" };
        QTest::newRow("JsonRPC steps over the JsConsole priority")
            << QVariantList { source(1, "rpc", 1, "JsonRPC"), source(3, "other", 5),
                              source(2, "js", 6, "JsConsole") }
            << QStringList { "rpc:1:7", "other:3:5", "js:2:8", "emergency:4:9999" };
        QTest::newRow("sources already on top")
            << QVariantList { source(1, "rpc", 8, "JsonRPC"), source(2, "js", 9, "JsConsole"),
                              source(3, "x", 4) }
            << QStringList { "rpc:1:8", "js:2:9", "x:3:4", "emergency:4:9999" };
    }

    void tiverkIICompletion()
    {
        QFETCH(QVariantList, sources);
        QFETCH(QStringList, after);
        CnfController controller;
        CnfNative::initController(controller, "tiverkii", "0.1");
        if (!sources.isEmpty())
            controller.setNativeData("controlSources", sources);
        FamilyConversion::completeTiverkII(controller);
        QCOMPARE(sourcesOf(controller), after);
        const VObject list = controller.nativeData()["controlSources"];
        for (int i = 0; i < list.size(); ++i) {
            if (list[i]["type"] == QLatin1String("JsonRPC")
                && list[i]["name"] == QLatin1String("JsonRpc-tcp"))
                QCOMPARE(list[i]["url"].toString(),
                         QStringLiteral("tcp-listen://127.0.0.1:15557/"));
            if (list[i]["type"] == QLatin1String("JsConsole")
                && list[i]["name"] == QLatin1String("tcp"))
                QCOMPARE(list[i]["url"].toString(),
                         QStringLiteral("tcp-listen://127.0.0.1:15555/"));
        }
    }

    // With the modules present the sources made by the first save are reused,
    // so repeated saves do not grow the list.
    void repeatedTiverkIISavesKeepTheSourceCount()
    {
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), "tiverkii", "0.1");
        VObject modules = project.controller().nativeData()["modules"]["BaseControls"];
        modules["JsConsole"]["port"] = 15555;
        modules["JsonRPC"]["port"] = 15557;
        QVERIFY(project.saveAsConverted(dir.filePath("plan.json")));
        const QStringList first = sourcesOf(project.controller());
        QCOMPARE(first.size(), 3);
        QVERIFY(project.save());
        QVERIFY(project.save());
        QCOMPARE(sourcesOf(project.controller()), first);

        Project reader;
        QVERIFY(reader.load(dir.filePath("plan.json")));
        QVERIFY(reader.save());
        QCOMPARE(sourcesOf(reader.controller()).size(), 3);
    }

    void zuMoltCompletion_data()
    {
        QTest::addColumn<QVariantList>("sources");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("none") << QVariantList()
                              << QStringList { "emergency:1:255", "scheduler:2:0" };
        QTest::newRow("ids 3 and 7")
            << QVariantList { source(3, "a", 1), source(7, "b", 2) }
            << QStringList { "a:3:1", "b:7:2", "emergency:8:255", "scheduler:9:0" };
        QTest::newRow("both present")
            << QVariantList { source(1, "e", 255, "emergency"), source(2, "s", 0, "scheduler") }
            << QStringList { "e:1:255", "s:2:0" };
    }

    void zuMoltCompletion()
    {
        QFETCH(QVariantList, sources);
        QFETCH(QStringList, after);
        CnfController controller;
        CnfNative::initController(controller, "ZU_MOLT", "1.0");
        controller.setNativeData("controlSources", sources);
        FamilyConversion::completeZuMolt(controller);
        QCOMPARE(sourcesOf(controller), after);
    }

    void adapterSave_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("adapter asks nothing") << "adapter" << 0 << true;
        QTest::newRow("first line, Yes") << "tiverk" << int(QMessageBox::Yes) << true;
        QTest::newRow("first line, No") << "tiverk" << int(QMessageBox::No) << false;
    }

    void adapterSave()
    {
        QFETCH(QString, family);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), family, family == "tiverk" ? "3.17" : "");
        const CnfProgramPtr longer
            = programWith(project.controller(), "1", QByteArray("\x01\x02\x03\x04\x05", 5));
        const CnfProgramPtr shorter
            = programWith(project.controller(), "2", QByteArray("\x01\x02\x03", 3));
        project.setChanged(true);

        ModalAnswerer answerer;
        if (answer)
            answerer.pressButton(answer);
        QCOMPARE(project.saveAsConverted(dir.filePath("plan.txt")), saved);
        QCOMPARE(answerer.answered(), answer != 0);
        if (answer) {
            QCOMPARE(answerer.seenTitle(), QStringLiteral("Conversion"));
            QCOMPARE(answerer.seenText(),
                     QStringLiteral(
                         "Conversion of configuration type  may lead to data loss. Continue?"));
        }
        QCOMPARE(project.lastError(), QString());
        QCOMPARE(QFile::exists(dir.filePath("plan.txt")), saved);
        QCOMPARE(project.isChanged(), !saved);
        const CnfController &controller = project.controller();
        if (!saved) {
            QCOMPARE(controller.property("type").toString(), family);
            QCOMPARE(controller.getNativeData("DEVICE"), QVariant());
            QCOMPARE(longer->data().size(), 5);
            return;
        }
        QCOMPARE(controller.property("type").toString(), QStringLiteral("adapter"));
        QVERIFY(!controller.property("version").isValid());
        if (family == "tiverk") {
            QCOMPARE(controller.getNativeData("DEVICE").toInt(), 0);
            QCOMPARE(controller.getNativeData("SCHEDULING").toInt(), 1);
            // A 3.17 program loses its fourth byte; one of three bytes stays.
            QCOMPARE(longer->data(), QByteArray("\x01\x02\x03\x05", 4));
        } else {
            QCOMPARE(longer->data().size(), 5);
        }
        QCOMPARE(shorter->data(), QByteArray("\x01\x02\x03", 3));
    }

    // An adapter text without a type line is an adapter configuration: Save As
    // to another text asks nothing and writes it as it was, the type line added.
    void adapterTextWithoutTypeLine()
    {
        QTemporaryDir dir;
        QByteArray expected
            = TestSupport::readFile(TestSupport::examplesPath("adapter_crossing.txt"));
        QVERIFY(expected.contains("DEVICE = 0\nSCHEDULING = 1\n"));
        expected.replace("DEVICE = 0\nSCHEDULING = 1\n", "DEVICE = 5\nSCHEDULING = 3\n");
        QByteArray untyped = expected;
        QCOMPARE(untyped.count("type = \"adapter\"\n"), 1);
        untyped.replace("type = \"adapter\"\n", "");
        QFile file(dir.filePath("untyped.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(untyped) == untyped.size());
        file.close();

        Project project;
        QVERIFY2(project.load(file.fileName()), qPrintable(project.lastError()));
        QVERIFY(project.isAdapter());
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        QVERIFY2(project.saveAsConverted(dir.filePath("copy.txt")),
                 qPrintable(project.lastError()));
        QVERIFY(!answerer.answered());
        QCOMPARE(TestSupport::readFile(dir.filePath("copy.txt")), expected);
    }

    // The adapter text of a 3.18 or 3.17 configuration reads, after loading,
    // each program's variant, steps, cycle and offset as before; the fields the
    // adapter lacks went out at their places. A failed save gives every record
    // its bytes back.
    void adapterSaveKeepsThePrograms_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("fails");
        QTest::newRow("3.18 sample") << "3.18" << false;
        QTest::newRow("3.17 copy with a start delay") << "3.17" << false;
        QTest::newRow("3.17 copy, failed save") << "3.17" << true;
    }

    void adapterSaveKeepsThePrograms()
    {
        QFETCH(QString, version);
        QFETCH(bool, fails);
        QTemporaryDir dir;
        Project project;
        QVERIFY2(project.load(TestSupport::examplesPath("tiverk318_intersection.cnf")),
                 qPrintable(project.lastError()));
        CnfController &controller = project.controller();
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.18"));
        if (version != "3.18") {
            controller.setProperty("version", version);
            for (const CnfProgramPtr &program : controller.programs()) {
                QByteArray data
                    = CnfProgramRecord::converted(program->data(), { "3.18" }, { version });
                if (program->kind == 2 && version == "3.17") {
                    QCOMPARE(data.mid(5, 2).toHex(), QByteArray("ffff"));
                    data[5] = 20; // start delay, 20 s
                    data[6] = 0;
                }
                QVERIFY(controller.setProgramRawData(program, data));
            }
        }
        const QStringList before = programReadings(controller);
        QVERIFY(before.size() >= 3);
        QVERIFY(std::any_of(before.cbegin(), before.cend(), [](const QString &reading) {
            return reading.contains(": kind 2,") && !reading.contains("cycle -1");
        }));
        QMap<QString, QByteArray> records;
        for (const CnfProgramPtr &program : controller.programs())
            records.insert(program->id, program->data());

        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        const QString path = dir.filePath(fails ? "missing/plan.txt" : "plan.txt");
        QString error;
        QCOMPARE(FamilyConversion::saveAsAdapter(controller, path, nullptr, error), !fails);
        QVERIFY(yes.answered());
        QCOMPARE(error.isEmpty(), !fails);
        if (fails) {
            QCOMPARE(controller.property("version").toString(), version);
            for (const CnfProgramPtr &program : controller.programs())
                QCOMPARE(program->data().toHex(), records.value(program->id).toHex());
            return;
        }
        QCOMPARE(programReadings(controller), before);
        Project reloaded;
        QVERIFY2(reloaded.load(path), qPrintable(reloaded.lastError()));
        QVERIFY(reloaded.isAdapter());
        QCOMPARE(programReadings(reloaded.controller()), before);
    }

    void failedAdapterSaveRestoresEverything()
    {
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), "tiverk", "3.17");
        const CnfProgramPtr program
            = programWith(project.controller(), "1", QByteArray("\x01\x02\x03\x04\x05", 5));
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        QVERIFY(!project.saveAsConverted(dir.filePath("missing/plan.txt")));
        QVERIFY(answerer.answered());
        QVERIFY2(project.lastError().startsWith("Error saving configuration of adapter: "),
                 qPrintable(project.lastError()));
        const CnfController &controller = project.controller();
        QCOMPARE(controller.property("type").toString(), QStringLiteral("tiverk"));
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.17"));
        QCOMPARE(program->data(), QByteArray("\x01\x02\x03\x04\x05", 5));
        QVERIFY(!controller.nativeData().contains("DEVICE"));
        QVERIFY(!controller.nativeData().contains("SCHEDULING"));
    }

    void firstLineToTiverkII()
    {
        QTemporaryDir dir;
        Project project;
        QVERIFY(project.load(TestSupport::examplesPath("tiverk318_intersection.cnf")));
        CnfController &controller = project.controller();
        const CnfMatrixPtr conflicts = controller.conflictMatrix();
        const int cells = conflicts ? conflicts->content().size() : 0;
        controller.setNativeData("startup_yf", 4);
        controller.setNativeData("vpu_phases", QVariantList { 1, 2 });

        ModalAnswerer answerer;
        answerSaveDialog(answerer, dir.filePath("plan"), 4);
        QVERIFY2(project.saveAsConverted(QString()), qPrintable(project.lastError()));
        QCOMPARE(project.type(), 4);
        QCOMPARE(controller.property("type").toString(), QStringLiteral("tiverkii"));
        QCOMPARE(controller.powerDevices().first()->name, QStringLiteral("K1"));
        QCOMPARE(controller.powerDevices().last()->name,
                 QStringLiteral("K%1").arg(controller.powerDevices().size()));
        QCOMPARE(controller.powerDevices().last()->id, controller.powerDevices().size());
        QCOMPARE(controller.nativeData().keys(),
                 (QStringList { "controlSources", "modules", "sg_defaults" }));
        QCOMPARE(controller.nativeData()["modules"]["SystemBus"]["devices"]["VPU1"]["controlSource"]
                     .toInt(),
                 4);
        QCOMPARE(controller.nativeData()["sg_defaults"]["amberBlink"].toInt(), 4);
        QCOMPARE(controller.nativeData()["sg_defaults"]["redAmber"].toInt(), 2);
        QCOMPARE(sourcesOf(controller).mid(0, 4),
                 (QStringList { "emergency:1:9999", "scheduler:2:0", "its:3:3", "vpu:4:1" }));
        const CnfMatrixPtr made = controller.defaultMatrix();
        QVERIFY(made);
        QCOMPARE(made, controller.safetyMatrix());
        QVERIFY(cells > 0);
        QCOMPARE(made->content().size(), cells);
        QCOMPARE(made->name(), QStringLiteral("default_matrix"));
        for (const CnfMatrixCell &cell : made->content())
            QCOMPARE(cell.value, 5.0);
    }

    void tiverkIIToZuMoltClearsTheNativeData()
    {
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), "tiverkii", "0.1");
        project.controller().setNativeData("controlSources",
                                           QVariantList { source(4, "old", 3, "JsonRPC") });
        QVERIFY(project.saveAsConverted(dir.filePath("first.json")));
        ModalAnswerer answerer;
        answerSaveDialog(answerer, dir.filePath("plan.json"), 5);
        QVERIFY2(project.saveAsConverted(QString()), qPrintable(project.lastError()));
        QCOMPARE(project.type(), 5);
        QCOMPARE(project.controller().property("type").toString(), QStringLiteral("ZU_MOLT"));
        QCOMPARE(sourcesOf(project.controller()),
                 (QStringList { "emergency:1:255", "scheduler:2:0" }));
    }

    void containerKeepsTheNativeData()
    {
        QTemporaryDir dir;
        Project project;
        QVERIFY(project.load(TestSupport::examplesPath("tiverk318_intersection.cnf")));
        const QStringList keys = project.controller().nativeData().keys();
        QVERIFY(!keys.isEmpty());
        ModalAnswerer answerer;
        answerSaveDialog(answerer, dir.filePath("plan.xcnf"), 1);
        QVERIFY2(project.saveAsConverted(QString()), qPrintable(project.lastError()));
        QCOMPARE(project.type(), 1);
        QCOMPARE(project.controller().nativeData().keys(), keys);
        Project reader;
        QVERIFY(reader.load(dir.filePath("plan.xcnf")));
        QCOMPARE(reader.controller().nativeData().keys(), keys);
    }

    void unknownSuffixConvertsNothing()
    {
        QTemporaryDir dir;
        const QString path = TestSupport::examplesPath("tiverk318_intersection.cnf");
        Project project;
        QVERIFY(project.load(path));
        project.setChanged(true);
        const QStringList keys = project.controller().nativeData().keys();
        ModalAnswerer answerer;
        answerSaveDialog(answerer, dir.filePath("plan.doc"), 2);
        QVERIFY(!project.saveAsConverted(QString()));
        QCOMPARE(project.lastError(), QStringLiteral("Error saving file: unknown file type"));
        QCOMPARE(project.type(), 2);
        QCOMPARE(project.fileName(), path);
        QCOMPARE(project.controller().nativeData().keys(), keys);
        QVERIFY(project.isChanged());
        QVERIFY(!QFile::exists(dir.filePath("plan.doc")));
    }
};

PROJECT_TEST(TestConversion);
#include "tst_conversion.moc"
