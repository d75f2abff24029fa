#include "cnf/cnfcontroller.h"
#include "cnf/cnfinterstate.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnftiverklayout.h"
#include "cnf/vobject.h"
#include "documentfixtures.h"
#include "halm58a/granule.h"
#include "modalanswerer.h"
#include "plivek/framework/uidataexchange.h"
#include "plivek/mainwindow/commonparameters.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace WindowTesting;

namespace {

CnfProgramPtr addProgram(CnfController &controller, const QString &id, const QByteArray &data)
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = id;
    program->type = CnfProgram::Tiverk;
    controller.addProgram(program);
    controller.setProgramRawData(program, data);
    return program;
}

QVariantList errorControl(int entries)
{
    QVariantList list;
    for (int i = 0; i < entries; ++i)
        list << QVariant(QVariantList { i, i });
    return list;
}

// Runs the common parameters: `edit` changes the dialog, OK or Cancel closes
// it; a version question that follows gets `versionAnswer`.
// The box that followed the dialog (if any) is kept by its title and text.
struct CommonRun
{
    ModalAnswerer dialog;
    bool followed = false;
    QString followingTitle;
    QString followingText;

    void run(MainWindow &window, const std::function<void(UiDataExchange *)> &edit,
             bool accept = true, int versionAnswer = QMessageBox::Yes)
    {
        auto following = std::make_unique<ModalAnswerer>();
        dialog.answerWith([&following, edit, accept, versionAnswer](QWidget *modal) {
            auto *exchange = qobject_cast<UiDataExchange *>(modal);
            QVERIFY(exchange);
            if (edit)
                edit(exchange);
            following->pressButton(versionAnswer);
            auto *box = modal->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            box->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        auto *action = window.findChild<QAction *>(QStringLiteral("actionCommon"));
        action->setEnabled(true);
        action->trigger();
        QVERIFY(dialog.answered());
        followed = following->answered();
        followingTitle = following->seenTitle();
        followingText = following->seenText();
        // Gone before it could answer a later window.
        following.reset();
    }
};

void chooseVersion(UiDataExchange *dialog, const QString &version)
{
    dialog->findChild<QComboBox *>(QStringLiteral("versionList"))->setCurrentText(version);
}

void initTiverk(CnfController &controller, const QString &version)
{
    CnfNative::initController(controller, QStringLiteral("tiverk"), version);
    controller.setProperty("number", 5);
}

} // namespace

class TestCommonParameters : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    // Byte 3 of every program longer than three bytes follows the move into or
    // out of 3.17, entry 4 of "errorControl" ("Silent devices", which 3.17 and
    // 3.18 keep) the move into or out of those two: leaving removes what
    // entering inserted.
    void versionConversion_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("errorEntries");
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("converted");
        QTest::addColumn<int>("convertedEntries");
        const QByteArray data("\x01\x03\x0A\x0B\x0C", 5);
        const QByteArray inserted("\x01\x03\x0A\xFF\x0B\x0C", 6);
        QTest::newRow("3.16 to 3.17") << "3.16"
                                      << "3.17" << 5 << data << inserted << 6;
        QTest::newRow("3.16 to 3.17, four entries stay") << "3.16"
                                                         << "3.17" << 4 << data << inserted << 4;
        QTest::newRow("3.15 to 3.17") << "3.15"
                                      << "3.17" << 7 << data << inserted << 8;
        QTest::newRow("3.18 to 3.17, the same rows") << "3.18"
                                                     << "3.17" << 6 << data << inserted << 6;
        QTest::newRow("3.17 to 3.16") << "3.17"
                                      << "3.16" << 6 << inserted << data << 5;
        // Five entries of 3.17 end at "Silent devices", which 3.16 has no row for.
        QTest::newRow("3.17 to 3.16, five entries") << "3.17"
                                                    << "3.16" << 5 << inserted << data << 4;
        QTest::newRow("3.17 to 3.15") << "3.17"
                                      << "3.15" << 6 << inserted << data << 5;
        // Every 3.17 record of a kind with a variant holds the byte, whatever it is.
        QTest::newRow("3.17 to 3.16, byte 3 is not 0xFF")
            << "3.17"
            << "3.16" << 6 << data << QByteArray("\x01\x03\x0A\x0C", 4) << 5;
        QTest::newRow("3.17 to 3.18") << "3.17"
                                      << "3.18" << 6 << inserted << data << 6;
        // 3.18 keeps the rows of 3.17.
        QTest::newRow("3.16 to 3.18") << "3.16"
                                      << "3.18" << 5 << data << data << 6;
        QTest::newRow("3.18 to 3.16") << "3.18"
                                      << "3.16" << 6 << data << data << 5;
        // An all-red program (kind 7) keeps a word of duration at bytes 2 and 3 in
        // every version: no byte goes in or out between them. Made at 3.17's record
        // size, it loses only its unset last byte on the way out.
        const QByteArray allRed("\x01\x07\x2C\x01\xFF", 5);
        QTest::newRow("3.16 to 3.17, all red") << "3.16"
                                               << "3.17" << 5 << allRed << allRed << 6;
        QTest::newRow("3.17 to 3.16, all red") << "3.17"
                                               << "3.16" << 6 << allRed << allRed << 5;
        QByteArray allRed317 = allRed + QByteArray(60, char(0xFF));
        QTest::newRow("3.17 to 3.16, all-red record of 3.17's size")
            << "3.17"
            << "3.16" << 6 << allRed317 << allRed317.left(64) << 5;
    }

    void versionConversion()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, errorEntries);
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, converted);
        QFETCH(int, convertedEntries);
        MainWindow window;
        CnfController &controller = window.document().controller();
        initTiverk(controller, from);
        const CnfProgramPtr program = addProgram(controller, QStringLiteral("1"), original);
        const CnfProgramPtr shortProgram
            = addProgram(controller, QStringLiteral("2"), QByteArray("\x02\x03\x0A", 3));
        const QVariantList entries = errorControl(errorEntries);
        controller.setNativeData(QStringLiteral("errorControl"), entries);

        CommonRun run;
        run.run(window, [&to](UiDataExchange *dialog) { chooseVersion(dialog, to); });
        QVERIFY(run.followed);
        QCOMPARE(run.followingTitle, QStringLiteral("Question"));
        QCOMPARE(controller.property("version").toString(), to);
        QCOMPARE(program->data(), converted);
        // A record of three bytes ends with its variant; 3.17, whose variant takes
        // two bytes, gets the one behind it, unset, and leaving 3.17 takes it out.
        QCOMPARE(shortProgram->data(),
                 to == "3.17" ? QByteArray("\x02\x03\x0A\xFF", 4) : QByteArray("\x02\x03\x0A", 3));
        const QVariantList stored
            = controller.getNativeData(QStringLiteral("errorControl")).toList();
        QCOMPARE(stored.size(), convertedEntries);
        QVariantList expected = entries;
        if (convertedEntries > errorEntries)
            expected.insert(4, QVariantList { 255, 255 });
        if (convertedEntries < errorEntries)
            expected.removeAt(4);
        QCOMPARE(stored, expected);
        const QStringList messages = messageTexts(window);
        QCOMPARE(messages.contains(QStringLiteral("Converting program")),
                 from == "3.17" || to == "3.17");
        QCOMPARE(messages.contains(QStringLiteral("Converting program complete")),
                 from == "3.17" || to == "3.17");
        QVERIFY(window.document().isChanged());
    }

    // The sample's configuration under every version label goes into 3.17 and back:
    // the controller takes every converted record, the 3.17 layout reads the same
    // steps from a record whose kind keeps its fields in every version (kind 1),
    // nothing is reported, and the way back gives the original bytes.
    void versionRoundTripThrough317_data()
    {
        QTest::addColumn<QString>("version");
        for (const char *version : { "3.14", "3.15", "3.16", "3.18" })
            QTest::newRow(version) << QString::fromLatin1(version);
    }

    void versionRoundTripThrough317()
    {
        QFETCH(QString, version);
        CnfController controller;
        const CnfNativePtr native = CnfNative::loadNativeConfig(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        QVERIFY(native && native->createController(controller));
        controller.setProperty("version", version);
        QMap<QString, QByteArray> before;
        QMap<QString, QList<CnfProgramRecord::Step>> steps;
        for (const CnfProgramPtr &program : controller.programs()) {
            before.insert(program->id, program->data());
            CnfProgramRecord::readSteps(controller.tiverkLayout(), program->data(),
                                        &steps[program->id]);
        }
        QStringList warnings;
        const auto log = [&warnings](const QString &text, QtMsgType level, bool) {
            if (level != QtDebugMsg)
                warnings << text;
        };
        CommonParameters::convertVersion(controller, version, QStringLiteral("3.17"), log);
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.17"));
        for (const CnfProgramPtr &program : controller.programs()) {
            // A record of the full size gets the full size of 3.17.
            const int size = before.value(program->id).size();
            QCOMPARE(
                program->data().size(),
                size == CnfTiverkLayout::programRecordSize(version)
                    ? CnfTiverkLayout::programRecordSize(QStringLiteral("3.17"))
                    : size
                        + (CnfProgramRecord::hasVariant(controller.tiverkLayout(), program->data())
                               ? 1
                               : 0));
            if (program->kind != 1)
                continue;
            QList<CnfProgramRecord::Step> read;
            CnfProgramRecord::readSteps(controller.tiverkLayout(), program->data(), &read);
            QCOMPARE(read, steps.value(program->id));
        }
        CommonParameters::convertVersion(controller, QStringLiteral("3.17"), version, log);
        QCOMPARE(controller.property("version").toString(), version);
        QCOMPARE(warnings, QStringList());
        for (const CnfProgramPtr &program : controller.programs())
            QCOMPARE(program->data().toHex(), before.value(program->id).toHex());
    }

    // A coordinated program of 3.16 has no start delay; from 3.17 on it has one,
    // between the transition time and the cycle. Every version on the way reads
    // the record's variant, cycle and steps, and the way back gives its bytes.
    void coordinatedRecordThroughVersions_data()
    {
        QTest::addColumn<QStringList>("versions");
        QTest::newRow("into 3.17 and back") << QStringList { "3.16", "3.17", "3.16" };
        QTest::newRow("into 3.18 and back") << QStringList { "3.16", "3.18", "3.16" };
        QTest::newRow("through 3.17 and 3.18")
            << QStringList { "3.15", "3.17", "3.18", "3.17", "3.15" };
    }

    void coordinatedRecordThroughVersions()
    {
        QFETCH(QStringList, versions);
        CnfController controller;
        initTiverk(controller, versions.first());
        // Number 2, kind 2, variant 1, transition time not set, cycle 117 s, offset
        // 15 s, steps 0:50 1:12 2:25, the rest not set.
        QByteArray record("\x02\x02\x01\xFF\x75\x00\x0F\x00\x00\x32\x01\x0C\x02\x19", 14);
        record.append(QByteArray(
            CnfTiverkLayout::programRecordSize(versions.first()) - record.size(), char(0xFF)));
        const CnfProgramPtr program = addProgram(controller, QStringLiteral("2"), record);
        QCOMPARE(program->data().toHex(), record.toHex());
        QList<CnfProgramRecord::Step> steps;
        QVERIFY(CnfProgramRecord::readSteps(controller.tiverkLayout(), record, &steps));
        QCOMPARE(steps.size(), 3);
        QStringList warnings;
        const auto log = [&warnings](const QString &text, QtMsgType level, bool) {
            if (level != QtDebugMsg)
                warnings << text;
        };
        for (int i = 1; i < versions.size(); ++i) {
            CommonParameters::convertVersion(controller, versions.at(i - 1), versions.at(i), log);
            QCOMPARE(controller.property("version").toString(), versions.at(i));
            const QDomDocument layout = controller.tiverkLayout();
            QCOMPARE(program->data().size(), controller.programRecordSize());
            QCOMPARE(CnfProgramRecord::readVariant(layout, program->data()), 1);
            QCOMPARE(CnfProgramRecord::readCycle(layout, program->data()), 117);
            QList<CnfProgramRecord::Step> read;
            QVERIFY(CnfProgramRecord::readSteps(layout, program->data(), &read));
            QCOMPARE(read, steps);
        }
        QCOMPARE(warnings, QStringList());
        QCOMPARE(program->data().toHex(), record.toHex());
    }

    // Into 3.17 and back, or out of it and back: "errorControl" and the records
    // of every kind the version knows (of the full size, their parameter bytes
    // set, byte 3 too) come back as they were, and nothing is reported.
    // Each version reads the same variant, cycle and steps (see
    // CnfProgramRecord's tests).
    void roundTripThrough317_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("via");
        QTest::addColumn<int>("entries");
        for (const char *version : { "3.18", "3.16", "3.14" }) {
            for (int entries : { 4, 5, 6 })
                QTest::addRow("%s, %d entries", version, entries)
                    << QString::fromLatin1(version) << QStringLiteral("3.17") << entries;
        }
        // 3.18 and 3.17 share their rows; so do lists that end before "Silent devices".
        for (const char *via : { "3.18", "3.16" })
            QTest::addRow("3.17 via %s, 4 entries", via)
                << QStringLiteral("3.17") << QString::fromLatin1(via) << 4;
        QTest::newRow("3.17 via 3.18, 5 entries") << "3.17"
                                                  << "3.18" << 5;
    }

    void roundTripThrough317()
    {
        QFETCH(QString, version);
        QFETCH(QString, via);
        QFETCH(int, entries);
        CnfController controller;
        initTiverk(controller, version);
        const int lastKind = version == "3.14" ? 8 : 11;
        QMap<QString, QByteArray> before;
        for (int kind = 0; kind <= lastKind; ++kind) {
            QByteArray record(CnfTiverkLayout::programRecordSize(version), char(0xFF));
            record[0] = char(kind + 1);
            record[1] = char(kind);
            for (int at = 2; at < 40; ++at)
                record[at] = char(at);
            // 3.16 has no place for a start delay (startDelayDroppedIsReported).
            if (kind == 2 && version == "3.17" && via == "3.16")
                record[5] = record[6] = char(0xFF);
            const CnfProgramPtr program = addProgram(controller, QString::number(kind + 1), record);
            QCOMPARE(program->data().toHex(), record.toHex());
            before.insert(program->id, record);
        }
        const QVariantList list = errorControl(entries);
        controller.setNativeData(QStringLiteral("errorControl"), list);
        QStringList warnings;
        const auto log = [&warnings](const QString &text, QtMsgType level, bool) {
            if (level != QtDebugMsg)
                warnings << text;
        };
        CommonParameters::convertVersion(controller, version, via, log);
        QCOMPARE(controller.property("version").toString(), via);
        for (const CnfProgramPtr &program : controller.programs())
            QCOMPARE(program->data().size(), controller.programRecordSize());
        CommonParameters::convertVersion(controller, via, version, log);
        QCOMPARE(warnings, QStringList());
        QCOMPARE(controller.getNativeData(QStringLiteral("errorControl")).toList(), list);
        QCOMPARE(controller.programs().size(), before.size());
        // The byte behind 3.17's variant, which no version reads, has no place in
        // the others: it comes back not set.
        const bool reservedDropped = version == "3.17";
        for (const CnfProgramPtr &program : controller.programs()) {
            QByteArray expected = before.value(program->id);
            if (reservedDropped
                && CnfProgramRecord::hasVariant(controller.tiverkLayout(), expected))
                expected[3] = char(0xFF);
            QCOMPARE(program->data().toHex(), expected.toHex());
        }
    }

    // 3.14 to 3.16 have no place for the start delay of a coordinated program:
    // the conversion goes on, and one warning names the programs that had one
    // (one program in the singular).
    void startDelayDroppedIsReported_data()
    {
        QTest::addColumn<bool>("copyDelayed");
        QTest::addColumn<QString>("warning"); // %1 the sample's program
        QTest::newRow("one program")
            << false
            << "Version 3.16 has no start delay: the start delay of program %1 was dropped";
        QTest::newRow("two programs")
            << true
            << "Version 3.16 has no start delay: the start delay of programs %1,9 was dropped";
    }

    void startDelayDroppedIsReported()
    {
        QFETCH(bool, copyDelayed);
        QFETCH(QString, warning);
        MainWindow window;
        window.loadDocument(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController &controller = window.document().controller();
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.18"));
        const QDomDocument layout = controller.tiverkLayout();
        // Two coordinated programs: the sample's with a start delay of 20 s, a
        // copy numbered 9 with one of 30 s or none.
        const CnfProgramPtr coordinated = DocumentFixtures::delayCoordinatedProgram(controller, 20);
        QVERIFY(coordinated);
        const QByteArray delayed = coordinated->data();
        QByteArray undelayed = delayed;
        undelayed[4] = undelayed[5] = char(0xFF);
        QByteArray copy = undelayed;
        copy[0] = 9;
        if (copyDelayed) {
            copy[4] = 30;
            copy[5] = 0;
        }
        addProgram(controller, QStringLiteral("9"), copy);
        const int cycle = CnfProgramRecord::readCycle(layout, delayed);
        QVERIFY(cycle > 0);

        CommonRun run;
        run.run(window,
                [](UiDataExchange *dialog) { chooseVersion(dialog, QStringLiteral("3.16")); });
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.16"));
        const QStringList warnings
            = messageTexts(window).filter(QStringLiteral("start delay"), Qt::CaseInsensitive);
        QCOMPARE(warnings, QStringList(warning.arg(coordinated->id)));
        QCOMPARE(CnfProgramRecord::readCycle(controller.tiverkLayout(), coordinated->data()),
                 cycle);
        QCOMPARE(coordinated->data().size(), controller.programRecordSize());
    }

    // A set row "Silent devices" of "errorControl" that the new version has no
    // place for is told when it goes; an unset one ([255, 255]) goes silently.
    void silentDevicesDroppedIsReported_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QVariantList>("row");
        QTest::addColumn<bool>("told");
        const QVariantList set { 10, 3 };
        const QVariantList partly { 255, 3 };
        const QVariantList unset { 255, 255 };
        QTest::newRow("3.17 to 3.16, set") << "3.17"
                                           << "3.16" << set << true;
        QTest::newRow("3.18 to 3.15, set") << "3.18"
                                           << "3.15" << set << true;
        QTest::newRow("3.17 to 3.14, attempts set") << "3.17"
                                                    << "3.14" << partly << true;
        QTest::newRow("3.17 to 3.16, not set") << "3.17"
                                               << "3.16" << unset << false;
        QTest::newRow("3.17 to 3.18 keeps it") << "3.17"
                                               << "3.18" << set << false;
    }

    void silentDevicesDroppedIsReported()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QVariantList, row);
        QFETCH(bool, told);
        MainWindow window;
        CnfController &controller = window.document().controller();
        initTiverk(controller, from);
        QVariantList entries = errorControl(6);
        entries[4] = row;
        controller.setNativeData(QStringLiteral("errorControl"), entries);

        CommonRun run;
        run.run(window, [&to](UiDataExchange *dialog) { chooseVersion(dialog, to); });
        QCOMPARE(controller.property("version").toString(), to);
        const QStringList warnings
            = messageTexts(window).filter(QStringLiteral("Silent devices"), Qt::CaseInsensitive);
        QCOMPARE(warnings,
                 told ? QStringList(QStringLiteral("Version %1 has no error control row \"Silent "
                                                   "devices\": the setting of that row was dropped")
                                        .arg(to))
                      : QStringList());
        QCOMPARE(controller.getNativeData(QStringLiteral("errorControl")).toList().size(),
                 to == "3.18" ? 6 : 5);
    }

    // A record the new version cannot hold refuses the whole conversion: the version
    // and every record stay (also a record already converted, which goes back under
    // the old version's size), and one message names the program.
    void refusedConversionChangesNothing_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QByteArray>("fitting");
        QTest::addColumn<QByteArray>("tooLong");
        QByteArray fitting317(65, char(0x0B));
        fitting317[1] = char(3);
        fitting317[3] = char(0xFF);
        QTest::newRow("into 3.17")
            << "3.16"
            << "3.17" << QByteArray("\x01\x03\x0A\x0B", 4) << QByteArray(65, char(3));
        QTest::newRow("out of 3.17") << "3.17"
                                     << "3.16" << fitting317 << QByteArray(67, char(3));
    }

    void refusedConversionChangesNothing()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QByteArray, fitting);
        QFETCH(QByteArray, tooLong);
        MainWindow window;
        CnfController &controller = window.document().controller();
        initTiverk(controller, from);
        const CnfProgramPtr fits = addProgram(controller, QStringLiteral("1"), fitting);
        const CnfProgramPtr refused
            = addProgram(controller, QStringLiteral("7"), QByteArray(2, char(3)));
        refused->setData(tooLong);
        CommonRun run;
        run.run(window, [&to](UiDataExchange *dialog) { chooseVersion(dialog, to); });
        QCOMPARE(controller.property("version").toString(), from);
        QCOMPARE(fits->data().toHex(), fitting.toHex());
        QCOMPARE(refused->data().toHex(), tooLong.toHex());
        const QStringList messages = messageTexts(window);
        const QStringList refusals = messages.filter(QStringLiteral("cannot be converted"));
        QCOMPARE(refusals.size(), 1);
        QVERIFY2(refusals.first().contains(QLatin1String("programs 7 ")),
                 qPrintable(refusals.first()));
    }

    // No: the version and the programs stay, the rest of the dialog is
    // stored. The same version asks nothing.
    void versionDeclinedOrKept()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        initTiverk(controller, QStringLiteral("3.16"));
        const CnfProgramPtr program
            = addProgram(controller, QStringLiteral("1"), QByteArray("\x01\x03\x0A\x0B", 4));
        CommonRun declined;
        declined.run(
            window,
            [](UiDataExchange *dialog) {
                chooseVersion(dialog, QStringLiteral("3.17"));
                dialog->setWidgetValue(QStringLiteral("number"), 9);
            },
            true, QMessageBox::No);
        QCOMPARE(declined.followingTitle, QStringLiteral("Question"));
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.16"));
        QCOMPARE(program->data(), QByteArray("\x01\x03\x0A\x0B", 4));
        QCOMPARE(controller.property("number").toInt(), 9);
        QVERIFY(window.document().isChanged());

        CommonRun same;
        same.run(window, nullptr);
        QVERIFY(!same.followed);
    }

    // Going to 3.14 removes the programs of kinds 9 and up, each reported;
    // the remote-control buttons and the return programs that named them
    // become not set, the others go on naming the same programs.
    void version314RemovesNewKinds()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        initTiverk(controller, QStringLiteral("3.18"));
        addProgram(controller, QStringLiteral("1"), QByteArray("\x01\x03\x0A", 3));
        addProgram(controller, QStringLiteral("2"), QByteArray("\x02\x09\x0A", 3));
        addProgram(controller, QStringLiteral("3"), QByteArray("\x03\x0C\x0A", 3));
        // Kind 4, byte 7: the return program by its place (program 3, then 4).
        addProgram(controller, QStringLiteral("4"), QByteArray::fromHex("0404010000011402"));
        addProgram(controller, QStringLiteral("5"), QByteArray::fromHex("0504010000011403"));
        controller.setNativeData(QStringLiteral("vpu_programs"), QVariantList { "2", "1", "3" });
        window.updateProgramsTable();
        CommonRun run;
        run.run(window,
                [](UiDataExchange *dialog) { chooseVersion(dialog, QStringLiteral("3.14")); });
        QCOMPARE(controller.programs().size(), 3);
        QCOMPARE(controller.programs().first()->id, QStringLiteral("1"));
        QCOMPARE(table(window, "progTable")->rowCount(), 3);
        QCOMPARE(controller.getNativeData(QStringLiteral("vpu_programs")).toList(),
                 (QVariantList { QVariant(), "1", QVariant() }));
        QCOMPARE(quint8(controller.findProgram(QStringLiteral("4"))->data().at(7)), 255);
        QCOMPARE(quint8(controller.findProgram(QStringLiteral("5"))->data().at(7)), 1);
        const QStringList messages = messageTexts(window);
        for (const QString &id : { QStringLiteral("2"), QStringLiteral("3") }) {
            const QString start = QStringLiteral("Program type %1 (").arg(id);
            QVERIFY2(std::any_of(messages.begin(), messages.end(),
                                 [&start](const QString &text) {
                                     return text.startsWith(start)
                                         && text.endsWith(") not supportet in version 3.14");
                                 }),
                     qPrintable(messages.join('\n')));
        }
    }

    // More key devices than the new power switch allows: refused before the
    // version is converted, so nothing of the dialog is stored.
    void powerSwitchRefusal()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        initTiverk(controller, QStringLiteral("3.18"));
        controller.setNativeData(QStringLiteral("powerSwitch"), 3);
        for (int address = 0; address < 20; ++address) {
            auto device = CnfPowerDevicePtr::create();
            device->address = address;
            device->id = address;
            device->type = CnfPowerDevice::Key;
            controller.addPowerDevice(device);
        }
        const CnfProgramPtr program
            = addProgram(controller, QStringLiteral("1"), QByteArray("\x01\x03\x0A\x0B", 4));
        const auto choose = [](int powerSwitch) {
            return [powerSwitch](UiDataExchange *dialog) {
                chooseVersion(dialog, QStringLiteral("3.17"));
                dialog->setWidgetValue(QStringLiteral("powerSwitch"), powerSwitch);
                dialog->setWidgetValue(QStringLiteral("number"), 44);
            };
        };
        CommonRun refused;
        refused.run(window, choose(4));
        const QString refusal = QStringLiteral(
            "Unable to change value of the parameter \"Power switch\" at the current "
            "amount of power devices.\nNeed to remove devices: 4");
        QVERIFY(messageTexts(window).contains(refusal));
        // The error popped up; no version question came.
        QCOMPARE(refused.followingText, refusal);
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.18"));
        QCOMPARE(program->data(), QByteArray("\x01\x03\x0A\x0B", 4));
        QCOMPARE(controller.getNativeData(QStringLiteral("powerSwitch")).toInt(), 3);
        QCOMPARE(controller.property("number").toInt(), 5);
        QVERIFY(!window.document().isChanged());

        CommonRun allowed;
        allowed.run(window, choose(5));
        QCOMPARE(controller.getNativeData(QStringLiteral("powerSwitch")).toInt(), 5);
        QCOMPARE(controller.property("version").toString(), QStringLiteral("3.17"));
        QCOMPARE(controller.property("number").toInt(), 44);
        QVERIFY(window.document().isChanged());
    }

    // The interstate record is made before the dialog runs, even when it is
    // cancelled, for TIVERK II too (all flags 0); flags whose fields read not
    // set keep their values. The adapter has none.
    void interstateFlags()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        initTiverk(controller, QStringLiteral("3.18"));
        CommonRun cancelled;
        cancelled.run(window, nullptr, false);
        QVERIFY(controller.interstate());
        QVERIFY(!window.document().isChanged());

        MainWindow tiverkIIWindow;
        CnfController &tiverkII = tiverkIIWindow.document().controller();
        CnfNative::initController(tiverkII, QStringLiteral("tiverkii"), QString());
        QVERIFY(!tiverkII.interstate());
        CommonRun cancelledII;
        cancelledII.run(tiverkIIWindow, nullptr, false);
        QVERIFY(tiverkII.interstate());
        QCOMPARE(tiverkII.interstate()->greenBlink, 0);
        QCOMPARE(tiverkII.interstate()->yellow, 0);
        QCOMPARE(tiverkII.interstate()->redYellow, 0);

        *controller.interstate() = CnfInterstate(1, 1, 0);
        CommonRun accepted;
        accepted.run(window, nullptr);
        QCOMPARE(controller.interstate()->greenBlink, 1);
        QCOMPARE(controller.interstate()->yellow, 1);
        QCOMPARE(controller.interstate()->redYellow, 0);

        MainWindow adapterWindow;
        CnfNative::initController(adapterWindow.document().controller(), QStringLiteral("adapter"),
                                  QString());
        CommonRun adapter;
        adapter.run(adapterWindow, [](UiDataExchange *dialog) {
            dialog->setWidgetValue(QStringLiteral("DEVICE"), 2);
        });
        QVERIFY(!adapterWindow.document().controller().interstate());
        QCOMPARE(
            adapterWindow.document().controller().getNativeData(QStringLiteral("DEVICE")).toInt(),
            2);
    }

    // TIVERK II: the signal modules follow the two check boxes; a second
    // module without a control source gets "emergency".
    void signalModules()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        VObject modules = controller.nativeData()["modules"];
        modules["Signal"]["port"] = QStringLiteral("/dev/ttyACM3");

        CommonRun second;
        second.run(window, [](UiDataExchange *dialog) {
            QCOMPARE(dialog->widgetValue(QStringLiteral("mfu_signal_port")).toString(),
                     QStringLiteral("/dev/ttyACM3"));
            dialog->setWidgetValue(QStringLiteral("mfu_signal2"), true);
            dialog->setWidgetValue(QStringLiteral("mfu_signal2_port"),
                                   QStringLiteral("/dev/ttyS4"));
            dialog->setWidgetValue(QStringLiteral("mfu_signal2_port_speed"), 19200);
            dialog->setWidgetValue(QStringLiteral("name"), QStringLiteral("Square"));
        });
        QCOMPARE(modules["Signal2"]["controlSource"].toString(), QStringLiteral("emergency"));
        QCOMPARE(modules["Signal2"]["port"]["portName"].toString(), QStringLiteral("/dev/ttyS4"));
        QCOMPARE(modules["Signal2"]["port"]["baudRate"].toInt(), 19200);
        QCOMPARE(modules["Signal"]["port"].toString(), QStringLiteral("/dev/ttyACM3"));
        QCOMPARE(controller.getNativeData(QStringLiteral("name")).toString(),
                 QStringLiteral("Square"));

        modules["Signal2"]["controlSource"] = QStringLiteral("central");
        CommonRun kept;
        kept.run(window, nullptr);
        QCOMPARE(modules["Signal2"]["controlSource"].toString(), QStringLiteral("central"));

        CommonRun off;
        off.run(window, [](UiDataExchange *dialog) {
            dialog->setWidgetValue(QStringLiteral("mfu_signal"), false);
        });
        QVERIFY(controller.nativeData()["modules"]["Signal"].isNull());
        QVERIFY(controller.nativeData()["modules"]["Signal2"].isNull());
    }

    // The junction of the network follows a new number: the window still
    // finds it, under the new name.
    void granuleFollowsNumber()
    {
        CnfController source;
        DocumentFixtures::initController(source, QStringLiteral("tiverk"), QStringLiteral("3.18"),
                                         12, { 1, 2, 3, 4 });
        const QString path = emptyDir.filePath(QStringLiteral("numbered.xcnf"));
        QVERIFY(DocumentFixtures::writeContainer(path, source, DocumentFixtures::fourArmNetwork()));
        MainWindow window;
        window.loadDocument(path);
        QVERIFY(window.document().network());
        QVERIFY(window.findControllerGranule());
        CommonRun run;
        run.run(window, [](UiDataExchange *dialog) {
            dialog->setWidgetValue(QStringLiteral("number"), 77);
        });
        QCOMPARE(window.document().controller().property("number").toInt(), 77);
        Halm58a::Granule *granule = window.findControllerGranule();
        QVERIFY(granule);
        QCOMPARE(granule->tlId(), 77);
        QCOMPARE(granule->objectName(), QStringLiteral("77"));
    }

    // ZU_MOLT: the start-up node loses its not-set values even when the
    // dialog is cancelled; OK stores every key where it came from.
    void zuMolt()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
        controller.setProperty("number", 3);
        VObject startTime = controller.nativeData()["startTime"];
        startTime["allRed"] = 4;
        startTime["amberBlink"] = 2;
        startTime["amberBlink"] = QVariant();
        startTime["other"] = 7;
        QVERIFY(startTime.contains(QStringLiteral("amberBlink")));

        CommonRun cancelled;
        cancelled.run(window, nullptr, false);
        QVERIFY(!controller.nativeData()["startTime"].contains(QStringLiteral("amberBlink")));
        QVERIFY(!window.document().isChanged());

        CommonRun accepted;
        accepted.run(window, [](UiDataExchange *dialog) {
            QCOMPARE(dialog->widgetValue(QStringLiteral("allRed")).toInt(), 4);
            QVERIFY(!dialog->widgetValue(QStringLiteral("timeZone")).isValid());
            dialog->setWidgetValue(QStringLiteral("amberBlink"), 3);
            dialog->setWidgetValue(QStringLiteral("name"), QStringLiteral("Bridge"));
            dialog->setWidgetValue(QStringLiteral("number"), 8);
        });
        QCOMPARE(controller.nativeData()["startTime"]["amberBlink"].toInt(), 3);
        QCOMPARE(controller.nativeData()["startTime"]["allRed"].toInt(), 4);
        QCOMPARE(controller.nativeData()["startTime"]["other"].toInt(), 7);
        QVERIFY(!controller.getNativeData(QStringLiteral("timeZone")).isValid());
        QCOMPARE(controller.getNativeData(QStringLiteral("name")).toString(),
                 QStringLiteral("Bridge"));
        QCOMPARE(controller.property("number").toInt(), 8);
        QVERIFY(window.document().isChanged());
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestCommonParameters);
#include "tst_commonparameters.moc"
