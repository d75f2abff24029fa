#include "elementfixtures.h"
#include "modalanswerer.h"
#include "plivek/framework/uidataexchange.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <QtTest>

using namespace WindowTesting;

namespace {

// A name with a folder is a fixture under tests/data/, a bare name a sample of examples/.
QString samplePath(const QString &sample)
{
    return sample.contains(QLatin1Char('/')) ? TestSupport::dataPath(sample)
                                             : TestSupport::examplesPath(sample);
}

// Opens a copy of the sample in a fresh window, lets edit run, saves and
// gives back the saved bytes (empty when a step failed). `markedChanged`, when
// given, tells whether the edit marked the document changed.
QByteArray savedAfter(const QTemporaryDir &dir, const QString &sample,
                      const std::function<bool(MainWindow &)> &edit, bool *markedChanged = nullptr)
{
    const QString path = dir.filePath(QFileInfo(sample).fileName());
    QFile::remove(path);
    if (!QFile::copy(samplePath(sample), path))
        return QByteArray();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    MainWindow window;
    window.loadDocument(path);
    if (!window.document().lastError().isEmpty() || !edit(window))
        return QByteArray();
    if (markedChanged)
        *markedChanged = window.document().isChanged();
    window.setChanged(true);
    // The adapter sample's day program has green conflicts: save anyway.
    ModalAnswerer saveAnyway;
    saveAnyway.pressButton(QMessageBox::Yes);
    window.findChild<QAction *>(QStringLiteral("actionSave"))->trigger();
    window.document().setChanged(false);
    if (!messageTexts(window).contains(QStringLiteral("Saving complete")))
        return QByteArray();
    return TestSupport::readFile(path);
}

// How a dialog is accepted: its OK clicked, or Enter pressed in its first box that
// shows "not set" (a spin box at its special text).
enum class Accept { ByOk, ByEnter };

// The first box of the dialog that a user sees at "not set"; null when none is.
QSpinBox *firstNotSetBox(QWidget *dialog)
{
    for (QSpinBox *box : dialog->findChildren<QSpinBox *>()) {
        if (box->isVisibleTo(dialog) && box->isEnabled() && !box->specialValueText().isEmpty()
            && box->value() == box->minimum())
            return box;
    }
    return nullptr;
}

// How many dialogs had Enter pressed in a box at "not set".
int enteredInNotSetBox = 0;

// Runs open (a properties command) and accepts the dialog it shows, untouched (by
// Enter in its focused widget where no box is at "not set"), or after edit when
// given. False when no dialog came, its OK was disabled (the dialog then refused
// what it was given, and is closed), or Enter left it open.
bool acceptUntouched(const std::function<void()> &open, Accept by = Accept::ByOk,
                     const std::function<void(QWidget *)> &edit = nullptr)
{
    bool okEnabled = false;
    ModalAnswerer answerer;
    answerer.answerWith([&okEnabled, by, &edit](QWidget *modal) {
        if (edit)
            edit(modal);
        // The program dialog rebuilds its program on OK only after its
        // first chart refresh, as it does for a user.
        auto *refresh = modal->findChild<QTimer *>(QStringLiteral("updateChartDelayTimer"));
        if (refresh && refresh->isActive())
            QSignalSpy(refresh, &QTimer::timeout).wait(1000);
        auto *buttons = modal->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QPushButton *ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
        okEnabled = ok && buttons->isEnabled() && ok->isEnabled();
        if (!okEnabled) {
            modal->close();
        } else if (by == Accept::ByEnter) {
            QWidget *focus = firstNotSetBox(modal);
            if (focus) {
                ++enteredInNotSetBox;
                focus->setFocus();
            } else {
                focus = modal->focusWidget() ? modal->focusWidget() : modal;
            }
            QTest::keyClick(focus, Qt::Key_Return);
            okEnabled = !modal->isVisible();
            modal->close();
        } else {
            ok->click();
        }
    });
    open();
    return answerer.answered() && okEnabled;
}

// Accepts the properties of each row of the table in turn (or only the given one).
bool acceptRows(MainWindow &window, const char *tableName, void (MainWindow::*properties)(),
                int onlyRow = -1, Accept by = Accept::ByOk)
{
    QTableWidget *rows = table(window, tableName);
    if (!rows || rows->rowCount() <= onlyRow)
        return false;
    for (int row = qMax(0, onlyRow); row < (onlyRow < 0 ? rows->rowCount() : onlyRow + 1); ++row) {
        rows->clearSelection();
        rows->item(row, 0)->setSelected(true);
        if (!acceptUntouched([&] { (window.*properties)(); }, by)) {
            qWarning() << tableName << "row" << row << "was not accepted";
            return false;
        }
    }
    return true;
}

// The device items of the power-part tree (module nodes left out).
QList<QTreeWidgetItem *> deviceItems(QTreeWidget *tree)
{
    QList<QTreeWidgetItem *> devices;
    for (QTreeWidgetItemIterator it(tree, QTreeWidgetItemIterator::NoChildren); *it; ++it)
        devices << *it;
    return devices;
}

// Accepts the properties of every device of the power part that has them.
bool acceptEveryDevice(MainWindow &window)
{
    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("powerPartTree"));
    const int count = deviceItems(tree).size();
    if (count == 0)
        return false;
    // The tree is rebuilt after each dialog: take the item again by position.
    for (int index = 0; index < count; ++index) {
        QTreeWidgetItem *item = deviceItems(tree).value(index);
        // A key module's own devices open no dialog.
        if (!window.isEditableDeviceItem(item))
            continue;
        tree->clearSelection();
        item->setSelected(true);
        if (!acceptUntouched([&window] { window.powerPartItemProperties(); })) {
            qWarning() << "device item" << index << "was not accepted";
            return false;
        }
    }
    return true;
}

// The first line where the two texts differ, both versions, for the failure message.
QByteArray firstDifference(const QByteArray &expected, const QByteArray &actual)
{
    const QList<QByteArray> a = expected.split('\n');
    const QList<QByteArray> b = actual.split('\n');
    for (int i = 0; i < qMax(a.size(), b.size()); ++i) {
        if (a.value(i) != b.value(i))
            return "line " + QByteArray::number(i + 1) + ": expected \"" + a.value(i).trimmed()
                + "\", saved \"" + b.value(i).trimmed() + '"';
    }
    return QByteArray();
}

// `document` with the value at `path` (member names and array positions) set
// from the JSON text `value`.
QJsonValue withValue(const QJsonValue &document, const QStringList &path, const QJsonValue &value)
{
    if (path.isEmpty())
        return value;
    const QString step = path.first();
    if (document.isArray()) {
        QJsonArray array = document.toArray();
        const int index = step.toInt();
        // One past the end appends.
        if (index == array.size())
            array.append(withValue(QJsonValue(), path.mid(1), value));
        else
            array.replace(index, withValue(array.at(index), path.mid(1), value));
        return array;
    }
    QJsonObject object = document.toObject();
    object.insert(step, withValue(object.value(step), path.mid(1), value));
    return object;
}

// The plain save with the values a dialog writes by its own rules ("path=json").
QJsonDocument withWrites(const QByteArray &plain, const QStringList &writes)
{
    QJsonValue document = QJsonDocument::fromJson(plain).object();
    for (const QString &write : writes) {
        const int equals = write.indexOf(QLatin1Char('='));
        const QJsonValue value
            = QJsonDocument::fromJson("[" + write.mid(equals + 1).toUtf8() + "]").array().at(0);
        document = withValue(document, write.left(equals).split(QLatin1Char('/')), value);
    }
    return QJsonDocument(document.toObject());
}

// The ids of the detectors and sensors a sample file holds: a list under
// "detectors" and "sensors", or ZU_MOLT's detectors under "items".
QList<int> elementIds(const QString &sample, bool sensors)
{
    const QJsonObject root
        = QJsonDocument::fromJson(TestSupport::readFile(samplePath(sample))).object();
    QJsonValue list = root.value(sensors ? QStringLiteral("sensors") : QStringLiteral("detectors"));
    if (list.isObject())
        list = list.toObject().value(QStringLiteral("items"));
    QList<int> ids;
    for (const QJsonValue &element : list.toArray())
        ids << element.toObject().value(QStringLiteral("id")).toInt();
    return ids;
}

// The detectors and sensors of a fixture with their names: a list under
// "detectors" and "sensors" (ZU_MOLT's detectors under "items") of a JSON
// file, or the "Detector" and "Sensor" elements of a native XML file.
QList<QPair<int, QString>> namedElements(const QString &sample, bool sensors)
{
    const QByteArray content = TestSupport::readFile(samplePath(sample));
    QList<QPair<int, QString>> elements;
    if (content.trimmed().startsWith('<')) {
        QXmlStreamReader xml(content);
        const QString tag = sensors ? QStringLiteral("Sensor") : QStringLiteral("Detector");
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == tag)
                elements << qMakePair(xml.attributes().value(QLatin1String("id")).toInt(),
                                      xml.attributes().value(QLatin1String("name")).toString());
        }
        return elements;
    }
    QJsonValue list = QJsonDocument::fromJson(content).object().value(
        sensors ? QStringLiteral("sensors") : QStringLiteral("detectors"));
    if (list.isObject())
        list = list.toObject().value(QStringLiteral("items"));
    for (const QJsonValue &element : list.toArray())
        elements << qMakePair(element[QStringLiteral("id")].toInt(),
                              element[QStringLiteral("name")].toString());
    return elements;
}

// Opens the properties of the detector (or sensor) of that id and accepts its
// dialog, untouched or after the edit ("name=value;...": a combo box's item of
// that text, or the text typed into an editable one; a spin box's value; a line
// edit's text).
bool acceptElement(MainWindow &window, bool sensor, int id, const QString &edit = QString())
{
    if (!ElementFixtures::selectRowOfId(table(window, sensor ? "sensorsTable" : "detectorsTable"),
                                        id))
        return false;
    bool edited = true;
    const auto type = [&edited, &edit](QWidget *modal) {
        for (const QString &step : edit.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString name = step.section(QLatin1Char('='), 0, 0);
            const QString value = step.section(QLatin1Char('='), 1);
            QWidget *target = modal->findChild<QWidget *>(name);
            if (auto *box = qobject_cast<QComboBox *>(target)) {
                if (box->isEditable()) {
                    box->lineEdit()->selectAll();
                    QTest::keyClicks(box->lineEdit(), value);
                } else if (box->findText(value) >= 0) {
                    box->setCurrentIndex(box->findText(value));
                } else {
                    edited = false;
                }
            } else if (auto *spin = qobject_cast<QSpinBox *>(target)) {
                spin->selectAll();
                QTest::keyClicks(spin, value);
            } else if (auto *line = qobject_cast<QLineEdit *>(target)) {
                line->selectAll();
                QTest::keyClicks(line, value);
            } else if (auto *radio = qobject_cast<QRadioButton *>(target)) {
                radio->click();
            } else {
                edited = false;
            }
        }
    };
    const bool accepted = acceptUntouched(
        [&window, sensor] {
            if (sensor)
                window.sensorsItemProperties();
            else
                window.detectorsItemProperties();
        },
        Accept::ByOk, type);
    return accepted && edited;
}

} // namespace

// A properties dialog accepted without a change changes nothing in the file:
// the saved bytes are those of a plain save of the opened sample.
class TestUntouchedSave : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    void okWithoutChange_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("edit");
        // Whether OK leaves the document unmarked. The launchers of the other
        // dialogs mark it changed on every OK; the file still must not change.
        QTest::addColumn<bool>("staysUnchanged");
        QTest::newRow("TIVERK 3.18 signal groups") << "tiverk318_intersection.cnf"
                                                   << "signal groups" << false;
        QTest::newRow("TIVERK 3.18 power devices") << "tiverk318_intersection.cnf"
                                                   << "power devices" << false;
        QTest::newRow("adapter power devices") << "adapter_crossing.txt"
                                               << "power devices" << false;
        QTest::newRow("TIVERK 3.18 programs") << "tiverk318_intersection.cnf"
                                              << "programs" << false;
        QTest::newRow("adapter programs") << "adapter_crossing.txt"
                                          << "programs" << false;
        QTest::newRow("TIVERK 3.18 interstates") << "tiverk318_intersection.cnf"
                                                 << "interstates" << false;
        // Stored conflicts are kept as they are, whatever number marks them.
        QTest::newRow("TIVERK 3.18 conflict matrix") << "tiverk318_intersection.xcnf"
                                                     << "conflict matrix" << false;
        QTest::newRow("TIVERK II signal groups") << "tiverkii_intersection.json"
                                                 << "signal groups" << false;
        // Only the program that has a matrix: one without it is shown as using
        // the default matrix and is stored so, flag included.
        QTest::newRow("TIVERK II program 1") << "tiverkii_intersection.json"
                                             << "program 1" << false;
        QTest::newRow("TIVERK II matrices") << "tiverkii_intersection.json"
                                            << "matrices" << false;
        // The duration boxes are hidden for TIVERK II: the phases keep theirs.
        QTest::newRow("TIVERK II phases") << "tiverkii_intersection.json"
                                          << "phases" << false;
        QTest::newRow("TIVERK 3.18 phases") << "tiverk318_intersection.xcnf"
                                            << "phases" << false;
        // Without zumoltc beside it: plivek's own program dialog, which keeps
        // what its tables cannot show (a step's call by number).
        QTest::newRow("ZU_MOLT programs") << "zumolt_intersection.json"
                                          << "programs" << true;
        // A button without a stage keeps its place, an access key the box
        // cannot show stays (the fields the dialog writes: see dialogWrites).
        QTest::newRow("ZU_MOLT RCU") << "zumolt_intersection.json"
                                     << "RCU" << false;
        // Absent keys stay absent, stored ones stay where they are.
        QTest::newRow("TIVERK 3.18 common parameters") << "tiverk318_intersection.cnf"
                                                       << "common parameters" << false;
        // The interstate record is made, all flags 0 (see dialogWrites).
        QTest::newRow("TIVERK II common parameters") << "tiverkii_intersection.json"
                                                     << "common parameters" << false;
        // The interface device of the boards is added (see dialogWrites).
        QTest::newRow("ZU_MOLT countdown boards") << "zumolt_intersection.json"
                                                  << "countdown boards" << false;
        // Parameters the sample lacks stay absent, a hidden one too.
        QTest::newRow("TIVERK 3.18 ASUDD") << "tiverk318_intersection.cnf"
                                           << "ASUDD" << false;
        // Neither the table nor the recovery block is added.
        QTest::newRow("TIVERK 3.18 error control") << "tiverk318_intersection.cnf"
                                                   << "error control" << false;
        QTest::newRow("TIVERK II error control") << "tiverkii_intersection.json"
                                                 << "error control" << false;
        // No displays, no list.
        QTest::newRow("TIVERK 3.18 countdown boards") << "tiverk318_intersection.cnf"
                                                      << "countdown boards" << false;
        // The boards' node is made where there is none (see dialogWrites).
        QTest::newRow("TIVERK II countdown boards") << "tiverkii_intersection.json"
                                                    << "countdown boards" << false;
    }

    void okWithoutChange()
    {
        QFETCH(QString, sample);
        QFETCH(QString, edit);
        QFETCH(bool, staysUnchanged);
        // The panel's polarity, indication and programs, and the passive panel's
        // dry-contact port, are written as the RCU dialog has them ("path=json");
        // the countdown boards' node, and ZU_MOLT's interface device, are added
        // where there are none; common parameters make a TIVERK II interstate record.
        // The rest of the document stays, compared by structure.
        QStringList dialogWrites;
        if (edit == QLatin1String("RCU"))
            dialogWrites = QStringList { R"(remoteControlPanel/VPU1/common="negative")",
                                         "remoteControlPanel/VPU1/idleInd=false",
                                         "remoteControlPanel/VPU1/programId=[]",
                                         R"(KMP1/devices/0/port="dryContact")" };
        if (edit == QLatin1String("countdown boards") && sample.startsWith(QLatin1String("zumolt")))
            dialogWrites = QStringList { R"(KMP1/devices/1={"device": "KTV1", "addr": 6, )"
                                         R"("type": "interfaceType", "port": "RS485_1"})" };
        if (edit == QLatin1String("common parameters")
            && sample.startsWith(QLatin1String("tiverkii")))
            dialogWrites = QStringList { R"(interstate={"greenBlink": 0, "yellow": 0, )"
                                         R"("redYellow": 0})" };
        if (edit == QLatin1String("countdown boards")
            && sample.startsWith(QLatin1String("tiverkii")))
            dialogWrites = QStringList { R"(modules/SystemBus/devices/KTV1={"protocol": "V1", )"
                                         R"("clearAdaptive": false, "clearManual": false})" };
        const QByteArray plain = savedAfter(dir, sample, [](MainWindow &) { return true; });
        QVERIFY(!plain.isEmpty());
        bool markedChanged = false;
        const QByteArray accepted = savedAfter(
            dir, sample,
            [&edit](MainWindow &window) {
                if (edit == QLatin1String("signal groups"))
                    return acceptRows(window, "sgTable", &MainWindow::sgItemProperties);
                if (edit == QLatin1String("matrices"))
                    return acceptRows(window, "matricesTable", &MainWindow::matricesItemProperties);
                if (edit == QLatin1String("phases"))
                    return acceptRows(window, "phasesTable", &MainWindow::phaseItemProperties);
                if (edit == QLatin1String("program 1"))
                    return acceptRows(window, "progTable", &MainWindow::programsItemProperties, 0);
                if (edit == QLatin1String("programs"))
                    return acceptRows(window, "progTable", &MainWindow::programsItemProperties);
                // The dialogs of the controller as a whole, by their action.
                static const QHash<QString, QString> actions {
                    { QStringLiteral("interstates"), QStringLiteral("actionInterstates") },
                    { QStringLiteral("conflict matrix"), QStringLiteral("actionConflictMatrix") },
                    { QStringLiteral("RCU"), QStringLiteral("actionVPU") },
                    { QStringLiteral("common parameters"), QStringLiteral("actionCommon") },
                    { QStringLiteral("ASUDD"), QStringLiteral("actionAsud") },
                    { QStringLiteral("error control"), QStringLiteral("actionErrControl") },
                    { QStringLiteral("detector statistics"), QStringLiteral("actionDtStat") },
                    { QStringLiteral("countdown boards"), QStringLiteral("actionTablo") },
                };
                if (actions.contains(edit)) {
                    auto *action = window.findChild<QAction *>(actions.value(edit));
                    return action && acceptUntouched([action] { action->trigger(); });
                }
                if (edit == QLatin1String("signal group defaults")) {
                    auto *button = window.findChild<QPushButton *>(QStringLiteral("sg_defaults"));
                    return button && acceptUntouched([button] { button->click(); });
                }
                return acceptEveryDevice(window);
            },
            &markedChanged);
        QVERIFY(!accepted.isEmpty());
        if (dialogWrites.isEmpty()) {
            QVERIFY2(accepted == plain, firstDifference(plain, accepted).constData());
        } else {
            QVERIFY(QJsonDocument::fromJson(accepted).isObject());
            QCOMPARE(QJsonDocument::fromJson(accepted).toJson(),
                     withWrites(plain, dialogWrites).toJson());
        }
        if (staysUnchanged)
            QVERIFY(!markedChanged);
    }

    // The properties of each detector and sensor accepted without a change:
    // the samples' elements, and a fixture's on every kind of module channel
    // (TrafiCam, TrafficStream, Citilog, Priority, Signal, SmartMicro,
    // Azimuth), whose own entries are not the last of their lists and whose
    // sensors share ids with detectors held by SmartMicro and Azimuth channels.
    void detectorOkWithoutChange_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<int>("id");
        for (const QString &sample : { QStringLiteral("tiverkii_intersection.json"),
                                       QStringLiteral("zumolt_intersection.json"),
                                       QStringLiteral("document/detectorsources.json") }) {
            for (bool sensor : { false, true }) {
                for (int id : elementIds(sample, sensor))
                    QTest::addRow("%s %s %d", qPrintable(QFileInfo(sample).fileName()),
                                  sensor ? "sensor" : "detector", id)
                        << sample << sensor << id;
            }
        }
    }

    void detectorOkWithoutChange()
    {
        QFETCH(QString, sample);
        QFETCH(bool, sensor);
        QFETCH(int, id);
        const QByteArray plain = savedAfter(dir, sample, [](MainWindow &) { return true; });
        QVERIFY(!plain.isEmpty());
        const QByteArray accepted = savedAfter(dir, sample, [sensor, id](MainWindow &window) {
            return acceptElement(window, sensor, id);
        });
        QVERIFY(!accepted.isEmpty());
        QVERIFY2(accepted == plain, firstDifference(plain, accepted).constData());
    }

    // Every channel kind the dialog edits, in every form a file holds it (the
    // reference by id as a number, by id as text, by name; optional members
    // present and absent; the module shapes), one element each, named after
    // its kind and form: OK without a change saves the fixture byte for byte.
    void detectorSourceFormsUntouched_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<int>("id");
        const QList<QPair<QString, const char *>> samples {
            { QStringLiteral("detectors/tiverkii_forms.json"), "TIVERK II" },
            { QStringLiteral("detectors/tiverkii_shapes.json"), "TIVERK II" },
            { QStringLiteral("detectors/zumolt_forms.json"), "ZU_MOLT" },
            { QStringLiteral("detectors/tiverk318_forms.cnf"), "TIVERK 3.18" }
        };
        for (const auto &sample : samples) {
            for (bool sensor : { false, true }) {
                for (const auto &element : namedElements(sample.first, sensor))
                    QTest::addRow(
                        "%s %s %d %s", sample.second, sensor ? "sensor" : "detector", element.first,
                        element.second.isEmpty() ? "without a name" : qPrintable(element.second))
                        << sample.first << sensor << element.first;
            }
        }
    }

    void detectorSourceFormsUntouched()
    {
        QFETCH(QString, sample);
        QFETCH(bool, sensor);
        QFETCH(int, id);
        const QByteArray original = TestSupport::readFile(samplePath(sample));
        const QByteArray accepted = savedAfter(dir, sample, [sensor, id](MainWindow &window) {
            // The window fills the tables of TIVERK II and ZU_MOLT only; the
            // dialog serves TIVERK 3.x as well.
            window.updateDetectorsTables();
            return acceptElement(window, sensor, id);
        });
        QVERIFY(!accepted.isEmpty());
        if (sample.endsWith(QLatin1String(".json")))
            QCOMPARE(QJsonDocument::fromJson(accepted), QJsonDocument::fromJson(original));
        QVERIFY2(accepted == original, firstDifference(original, accepted).constData());
    }

    // One field of a detector's or sensor's source edited in its dialog changes
    // that value in the file and nothing else ("path=json"): the entry is
    // written where it stands, in the form it had, and keeps what was not edited.
    void detectorOneEdit_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("changes");
        const QString sources = QStringLiteral("document/detectorsources.json");
        QTest::newRow("TrafiCam channel")
            << sources << false << 1 << "ti_channels=3"
            << QStringList { "modules/TrafiCam/0/channels/0/channel=3" };
        QTest::newRow("TrafficStream channel")
            << sources << false << 3 << "ts_channels=5"
            << QStringList { "modules/TrafficStream/0/channels/0/channel=5" };
        QTest::newRow("Citilog channel")
            << sources << false << 4 << "xcam_channel=2"
            << QStringList { "modules/Citilog/0/cams/0/channels/0/channel=2" };
        QTest::newRow("SmartMicro lane")
            << sources << false << 5 << "sm_lane=7"
            << QStringList { "modules/SmartMicro/sensors/0/channels/0/lane=7" };
        QTest::newRow("Azimuth channel")
            << sources << false << 7 << "azimuth_channel_id=20"
            << QStringList { "modules/AzimuthSSE/0/sensors/0/channels/0/rcg_channel_id=20" };
        QTest::newRow("Priority name")
            << sources << false << 9 << "name=Bus stop"
            << QStringList { R"(detectors/8/name="Bus stop")",
                             R"(modules/Priority/channels/0/detector="Bus stop")" };
        // The fixture of every source form: what was not edited stays as it is.
        const QString forms = QStringLiteral("detectors/tiverkii_forms.json");
        QTest::newRow("Priority sensor by id, name edited")
            << forms << true << 24 << "name=Bus gate"
            << QStringList { R"(sensors/4/name="Bus gate")" };
        QTest::newRow("Link by name, name edited")
            << forms << true << 43 << "name=Linked gate"
            << QStringList { R"(sensors/11/name="Linked gate")" };
        QTest::newRow("Azimuth without channel id, name edited")
            << forms << false << 32 << "name=Radar east"
            << QStringList { R"(detectors/37/name="Radar east")" };
        QTest::newRow("Azimuth without channel id, channel id edited")
            << forms << false << 32 << "azimuth_channel_id=7"
            << QStringList { "modules/AzimuthSSE/0/sensors/0/channels/1/rcg_channel_id=7" };
        QTest::newRow("unknown channel type, polarity edited")
            << forms << false << 7 << "common_positive=on"
            << QStringList { R"(modules/SystemBus/devices/DIO7/channels/0/common="positive")" };
        QTest::newRow("Signal id and channel as text, id edited")
            << forms << false << 14 << "number=44"
            << QStringList { "detectors/13/id=44", R"(modules/Signal/channels/2/detector="44")" };
    }

    void detectorOneEdit()
    {
        QFETCH(QString, sample);
        QFETCH(bool, sensor);
        QFETCH(int, id);
        QFETCH(QString, edit);
        QFETCH(QStringList, changes);
        const QByteArray plain = savedAfter(dir, sample, [](MainWindow &) { return true; });
        QVERIFY(!plain.isEmpty());
        const QByteArray edited = savedAfter(dir, sample, [sensor, id, &edit](MainWindow &window) {
            return acceptElement(window, sensor, id, edit);
        });
        QVERIFY(!edited.isEmpty());
        const QByteArray expected = withWrites(plain, changes).toJson();
        const QByteArray actual = QJsonDocument::fromJson(edited).toJson();
        QVERIFY2(actual == expected, firstDifference(expected, actual).constData());
    }

    // One value edited through a dialog of the controller as a whole changes
    // only that value in the file: in the JSON files the values at their paths
    // ("path=json"), in the XML files the lines given are added.
    void oneEdit_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("changes");
        const QString tiverk = QStringLiteral("tiverk318_intersection.cnf");
        const QString tiverkII = QStringLiteral("tiverkii_intersection.json");
        QTest::newRow("TIVERK 3.18 common parameters")
            << tiverk << "actionCommon"
            << "maxCurrent" << QVariant(20) << QStringList { R"(<Int key="maxCurrent">20</Int>)" };
        // The dialog makes the interstate record (all flags 0) the sample lacks.
        QTest::newRow("TIVERK II common parameters")
            << tiverkII << "actionCommon"
            << "name" << QVariant("North")
            << QStringList { R"(name="North")",
                             R"(interstate={"greenBlink": 0, "yellow": 0, "redYellow": 0})" };
        QTest::newRow("TIVERK 3.18 ASUDD")
            << tiverk << "actionAsud"
            << "asudd_allowedInactivity" << QVariant(60)
            << QStringList { R"(<Int key="asudd_allowedInactivity">60</Int>)" };
        QTest::newRow("TIVERK II error control")
            << tiverkII << "actionErrControl"
            << "defectSwitchRate" << QVariant(10)
            << QStringList { "modules/SystemBus/devices/KSK1/recovery/defectSwitchRate=10" };
    }

    void oneEdit()
    {
        QFETCH(QString, sample);
        QFETCH(QString, action);
        QFETCH(QString, widget);
        QFETCH(QVariant, value);
        QFETCH(QStringList, changes);
        const QByteArray plain = savedAfter(dir, sample, [](MainWindow &) { return true; });
        QVERIFY(!plain.isEmpty());
        const QByteArray edited = savedAfter(dir, sample, [&](MainWindow &window) {
            auto *command = window.findChild<QAction *>(action);
            return command
                && acceptUntouched([command] { command->trigger(); }, Accept::ByOk,
                                   [&widget, &value](QWidget *modal) {
                                       qobject_cast<UiDataExchange *>(modal)->setWidgetValue(widget,
                                                                                             value);
                                   });
        });
        QVERIFY(!edited.isEmpty());
        if (sample.endsWith(QLatin1String(".json"))) {
            QCOMPARE(QJsonDocument::fromJson(edited).toJson(), withWrites(plain, changes).toJson());
            return;
        }
        QList<QByteArray> left = edited.split('\n');
        for (const QByteArray &line : plain.split('\n'))
            QVERIFY2(left.removeOne(line), line.constData());
        QStringList added;
        for (const QByteArray &line : qAsConst(left))
            added << QString::fromUtf8(line.trimmed());
        QCOMPARE(added, changes);
    }

    // Enter in a box at "not set" is OK: the box stays not set, and the file is saved
    // as after OK by mouse, which leaves it as it was except where a dialog writes
    // its own fields. A dialog the samples show no such box in gets Enter in the
    // widget that has the focus.
    void enterWithoutChange_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("edit"); // a table, else the action or button that opens
        QTest::addColumn<bool>("notSetShown");
        QTest::addColumn<bool>("okKeepsFile");
        const QString tiverk = QStringLiteral("tiverk318_intersection.cnf");
        const QString tiverkII = QStringLiteral("tiverkii_intersection.json");
        const QString zuMolt = QStringLiteral("zumolt_intersection.json");
        QTest::newRow("TIVERK 3.18 signal group defaults")
            << tiverk << "sg_defaults" << true << false;
        QTest::newRow("TIVERK II signal group defaults")
            << tiverkII << "sg_defaults" << true << true;
        QTest::newRow("ZU_MOLT signal group defaults") << zuMolt << "sg_defaults" << true << true;
        QTest::newRow("TIVERK II signal groups") << tiverkII << "sgTable" << true << true;
        QTest::newRow("ZU_MOLT signal groups") << zuMolt << "sgTable" << true << true;
        QTest::newRow("ZU_MOLT phases") << zuMolt << "phasesTable" << true << true;
        QTest::newRow("TIVERK 3.18 common parameters") << tiverk << "actionCommon" << true << true;
        QTest::newRow("ZU_MOLT common parameters") << zuMolt << "actionCommon" << false << true;
        QTest::newRow("TIVERK II RCU") << tiverkII << "actionVPU" << false << true;
        QTest::newRow("TIVERK 3.18 ASUDD") << tiverk << "actionAsud" << true << true;
        QTest::newRow("TIVERK II error control") << tiverkII << "actionErrControl" << true << true;
        QTest::newRow("TIVERK 3.18 detector statistics")
            << tiverk << "actionDtStat" << true << false;
        QTest::newRow("TIVERK 3.18 synchronizer") << tiverk << "actionSynchronizer" << true << true;
        QTest::newRow("TIVERK II countdown boards") << tiverkII << "actionTablo" << true << false;
        QTest::newRow("ZU_MOLT countdown boards") << zuMolt << "actionTablo" << false << false;
    }

    void enterWithoutChange()
    {
        QFETCH(QString, sample);
        QFETCH(QString, edit);
        QFETCH(bool, notSetShown);
        QFETCH(bool, okKeepsFile);
        const auto accept = [&edit](MainWindow &window, Accept by) {
            if (edit == QLatin1String("sgTable"))
                return acceptRows(window, "sgTable", &MainWindow::sgItemProperties, -1, by);
            if (edit == QLatin1String("phasesTable"))
                return acceptRows(window, "phasesTable", &MainWindow::phaseItemProperties, -1, by);
            if (auto *action = window.findChild<QAction *>(edit))
                return acceptUntouched([action] { action->trigger(); }, by);
            auto *button = window.findChild<QPushButton *>(edit);
            return button && acceptUntouched([button] { button->click(); }, by);
        };
        const QByteArray byOk = savedAfter(
            dir, sample, [&accept](MainWindow &window) { return accept(window, Accept::ByOk); });
        QVERIFY(!byOk.isEmpty());
        enteredInNotSetBox = 0;
        const QByteArray byEnter = savedAfter(
            dir, sample, [&accept](MainWindow &window) { return accept(window, Accept::ByEnter); });
        QVERIFY(!byEnter.isEmpty());
        QCOMPARE(enteredInNotSetBox > 0, notSetShown);
        QVERIFY2(byEnter == byOk, firstDifference(byOk, byEnter).constData());
        if (okKeepsFile) {
            const QByteArray plain = savedAfter(dir, sample, [](MainWindow &) { return true; });
            QVERIFY2(byEnter == plain, firstDifference(plain, byEnter).constData());
        }
    }
};

PROJECT_TEST(TestUntouchedSave);
#include "tst_untouchedsave.moc"
